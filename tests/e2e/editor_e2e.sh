#!/usr/bin/env bash
# End-to-end runs of the real editor under Wine, driven like a person would:
# real X input (xdotool through XTEST) on the display in DISPLAY, the real
# file dialogs and message boxes, the picture read back from the screen.
#
#   1. Start with no level; File, Open through the dialog; the caption and
#      the view's pixels; File, Save to a new name, byte for byte the same
#      file; File, Exit answered "No": the process ends and writes nothing.
#   2. Start with the level on the command line; close the window, "Cancel"
#      keeps the editor; close again, "No" ends it.
#
# Usage: editor_e2e.sh PATH/TO/qztedit.exe
# DISPLAY and WINEPREFIX (and WINEDEBUG, WINEDLLOVERRIDES) come from the
# environment; by hand: source tools/common.sh; qzt_start_xvfb; qzt_prepare_wine
set -u

exe=${1:?usage: editor_e2e.sh PATH/TO/qztedit.exe}
here=$(cd "$(dirname "$0")" && pwd)
samples=$(cd "$here/../../samples" && pwd)
WINE=${WINE:-wine}
TIMEOUT=30
# The first start may still be setting up the Wine prefix.
START_TIMEOUT=60

MAIN_TITLE="QZT Level Editor"
LEVEL_TITLE="Level_One"
OPEN_TITLE="Open QZT data file"
SAVE_TITLE="Save QZT data file"
QUESTION_TITLE="Dat file Loading Error"

# File pop-up items, by how many times Down reaches them (the separator is skipped).
OPEN_ITEM=1
SAVE_ITEM=2
EXIT_ITEM=3

work=
level=
editor_pid=
main_window=
detail=
passed=0

log() { echo "editor_e2e: $*"; }
pass() {
    passed=$((passed + 1))
    log "ok: $*"
    detail=
}

editor_alive() { [ -n "$editor_pid" ] && kill -0 "$editor_pid" 2>/dev/null; }

# Only the process this script started.
stop_editor() {
    editor_alive || return 0
    kill "$editor_pid" 2>/dev/null
    local _
    for _ in $(seq 50); do
        editor_alive || break
        sleep 0.1
    done
    editor_alive && kill -KILL "$editor_pid" 2>/dev/null
    wait "$editor_pid" 2>/dev/null
    editor_pid=
}
trap stop_editor EXIT

visible_windows() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  window $id \"$(xdotool getwindowname "$id" 2>/dev/null)\""
    done
}

# Keeps the work directory and a picture of the screen for a look afterwards.
fail() {
    echo "editor_e2e: FAIL: $*" >&2
    [ -n "$detail" ] && echo "editor_e2e:   last seen: $detail" >&2
    if [ -n "$work" ] && import -window root "$work/failure.png" 2>/dev/null; then
        echo "editor_e2e:   screen at the failure: $work/failure.png" >&2
    fi
    echo "editor_e2e:   visible windows:" >&2
    visible_windows >&2
    stop_editor
    exit 1
}

# Polls the condition until it holds; the editor must stay alive meanwhile.
wait_for() {
    local what=$1 limit=$2
    shift 2
    local deadline=$((SECONDS + limit))
    detail=
    until "$@"; do
        editor_alive || fail "the editor ended while waiting for $what"
        [ "$SECONDS" -lt "$deadline" ] || fail "no $what within $limit s"
        sleep 0.2
    done
}

wait_for_exit() {
    local what=$1
    local deadline=$((SECONDS + TIMEOUT))
    while editor_alive; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the editor still runs $TIMEOUT s after $what"
        sleep 0.2
    done
    wait "$editor_pid"
    local status=$?
    editor_pid=
    [ "$status" -eq 0 ] || fail "the editor ended with status $status after $what"
    pass "the editor ended (status 0) after $what"
}

# The id of the editor's visible window with exactly this caption.
window_named() {
    local pattern
    pattern="^$(printf '%s' "$1" | sed 's/[][\\.*^$(){}?+|]/\\&/g')\$"
    xdotool search --all --onlyvisible --pid "$editor_pid" --name "$pattern" 2>/dev/null | head -n 1
}
has_window() { [ -n "$(window_named "$1")" ]; }
lacks_window() { ! has_window "$1"; }

caption_is() {
    detail="caption \"$(xdotool getwindowname "$main_window" 2>/dev/null)\""
    [ "$(xdotool getwindowname "$main_window" 2>/dev/null)" = "$1" ]
}

start_editor() {
    (cd "$level" && exec "$WINE" "$exe" "$@") >>"$work/wine.log" 2>&1 &
    editor_pid=$!
    wait_for "main window" "$START_TIMEOUT" has_window_started
    main_window=$(window_named "$started_title")
}
# The caption to expect right after start-up; set by the caller.
started_title=
has_window_started() { has_window "$started_title"; }

# Sets X, Y, WIDTH and HEIGHT: the main window's X window, whose top edge is
# the top of the menu bar.
read_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$main_window")" || fail "no geometry for the main window"
}

# Clicks "File" on the menu bar, then walks down the pop-up to the item.
file_menu() {
    local item=$1 i
    read_geometry
    xdotool mousemove $((X + 15)) $((Y + 9)) click 1
    # The pop-up opens while the click is handled; keys before that are lost.
    sleep 0.3
    for ((i = 0; i < item; i++)); do xdotool key Down; done
    xdotool key Return
}

# Replaces whatever the dialog's file name box proposes.
type_file_name() {
    xdotool key End shift+Home
    xdotool type --delay 15 "$1"
    xdotool key Return
}

# Pointer onto an empty part of the menu bar, where a Wine window gets the
# keys (the display has no window manager to give the focus).
point_at_menu_bar() {
    read_geometry
    xdotool mousemove $((X + WIDTH / 2)) $((Y + 9))
}

windows_path() {
    local path
    path=$(winepath -w "$1" 2>/dev/null)
    [ -n "$path" ] || fail "winepath could not convert $1"
    printf '%s' "$path"
}

bitmap_colour() { convert "$level/sample.bmp" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | tr a-f A-F; }

# Client points of the view and the bitmap points they show at scroll
# position (0, 0): client (cx, cy) is bitmap (cx - 10, cy + 187).
TOP_LEFT_POINT="10,10"
BACKGROUND_POINT="490,370"
# Inside enemy 0: level (60, 130), image set 0 whose first frame is at (10, 20).
ENEMY_POINT="86,154"
# The panel around the view, just outside its top-left corner: this pins the
# view to the client area's edge, not merely to where its pixels were found.
PANEL_POINTS="5,5 9,10 10,9"

prepare_view_check() {
    convert "$level/sample.bmp" -crop 500x380+0+197 +repage -depth 8 txt:"$work/view.txt" ||
        fail "cannot read the sample bitmap"
    expected_top_left="#$(bitmap_colour 0 197)"
    expected_background="#$(bitmap_colour 480 557)"
    expected_enemy="#$(bitmap_colour 26 34)"
    local under_enemy
    under_enemy="#$(bitmap_colour 76 341)"
    # Otherwise the enemy check could not tell a drawn enemy from none.
    [ "$expected_enemy" != "$under_enemy" ] || fail "the sample's enemy point shows the background colour"
}

# True when the screen shows the sample's view with its enemies; the client
# origin is where the view's pixels are found below the menu bar.
view_shows_sample() {
    import -window root "$work/screen.png" 2>/dev/null || { detail="no screenshot"; return 1; }
    read_geometry
    convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -depth 8 txt:"$work/window.txt" 2>/dev/null ||
        { detail="cannot crop the screenshot"; return 1; }
    local found
    found=$(awk -v maxdx=16 -v maxdy=80 -v points="$TOP_LEFT_POINT $BACKGROUND_POINT $ENEMY_POINT $PANEL_POINTS" \
        -f "$here/find_view.awk" "$work/view.txt" "$work/window.txt")
    local view_dx view_dy matched sampled top_left background enemy panel left_of_view above_view
    read -r view_dx view_dy matched sampled top_left background enemy panel left_of_view above_view <<<"$found"
    detail="client origin +$view_dx+$view_dy in the window, $matched of $sampled view points as the bitmap;"
    detail+=" (10,10) $top_left (want $expected_top_left), ($BACKGROUND_POINT) $background"
    detail+=" (want $expected_background), enemy ($ENEMY_POINT) $enemy (want $expected_enemy),"
    detail+=" panel $panel, left of the view $left_of_view, above it $above_view"
    [ $((matched * 10)) -ge $((sampled * 9)) ] && [ "$top_left" = "$expected_top_left" ] &&
        [ "$background" = "$expected_background" ] && [ "$enemy" = "$expected_enemy" ] &&
        [ "$panel" != "$top_left" ] && [ "$left_of_view" = "$panel" ] && [ "$above_view" = "$panel" ]
}

check_view() {
    wait_for "view showing the sample" "$TIMEOUT" view_shows_sample
    pass "$1: $detail"
}

saved_and_closed() { [ -f "$level/saved.dat" ] && lacks_window "$SAVE_TITLE"; }

level_files() { (cd "$level" && find . -mindepth 1 -printf '%P\n' | sort | tr '\n' ' '); }

# Answers the save question that leaving asks with the given keys.
answer_question() {
    wait_for "\"Would you like to save?\" box" "$TIMEOUT" has_window "$QUESTION_TITLE"
    xdotool key "$@"
}

open_save_exit_run() {
    log "run 1: no level at start; Open, Save as, Exit without saving"
    started_title=$MAIN_TITLE
    start_editor
    pass "the main window \"$MAIN_TITLE\" appeared"

    file_menu "$OPEN_ITEM"
    wait_for "open dialog \"$OPEN_TITLE\"" "$TIMEOUT" has_window "$OPEN_TITLE"
    type_file_name "$(windows_path "$level/sample.dat")"
    wait_for "caption \"$LEVEL_TITLE\" after opening" "$TIMEOUT" caption_is "$LEVEL_TITLE"
    pass "File, Open loaded the sample: caption \"$LEVEL_TITLE\""
    check_view "the view shows the sample after File, Open"

    file_menu "$SAVE_ITEM"
    wait_for "save dialog \"$SAVE_TITLE\"" "$TIMEOUT" has_window "$SAVE_TITLE"
    type_file_name "$(windows_path "$level/saved.dat")"
    wait_for "saved file $level/saved.dat" "$TIMEOUT" saved_and_closed
    cmp "$level/saved.dat" "$samples/sample.dat" >&2 || fail "the saved file differs from the sample"
    pass "File, Save wrote saved.dat byte for byte as the sample"
    local files_after_save
    files_after_save=$(level_files)
    [ "$files_after_save" = "sample.bmp sample.dat saved.dat " ] ||
        fail "the level directory holds other files after saving: $files_after_save"

    file_menu "$EXIT_ITEM"
    answer_question n
    wait_for_exit "File, Exit answered No"
    [ "$(level_files)" = "$files_after_save" ] || fail "answering No still wrote something: $(level_files)"
    cmp -s "$level/sample.dat" "$samples/sample.dat" || fail "sample.dat changed"
    pass "answering No wrote nothing"
}

close_cancel_close_run() {
    log "run 2: the level on the command line; close, Cancel, close, No"
    local files_at_start
    files_at_start=$(level_files)
    started_title=$LEVEL_TITLE
    start_editor sample.dat
    pass "sample.dat from the command line: caption \"$LEVEL_TITLE\""
    check_view "the view shows the sample after start-up"

    point_at_menu_bar
    xdotool key alt+F4
    answer_question Escape
    wait_for "end of the save question" "$TIMEOUT" lacks_window "$QUESTION_TITLE"
    editor_alive || fail "the editor ended after Cancel"
    caption_is "$LEVEL_TITLE" || fail "the main window is gone after Cancel"
    # A second question proves the editor went on.
    xdotool key alt+F4
    answer_question alt+n
    pass "closing and Cancel kept the editor open"
    wait_for_exit "closing the window answered No"
    [ "$(level_files)" = "$files_at_start" ] || fail "answering No still wrote something: $(level_files)"
    cmp -s "$level/sample.dat" "$samples/sample.dat" || fail "sample.dat changed"
    pass "answering No wrote nothing"
}

if [ -z "${DISPLAY:-}" ] || ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    fail "no usable X display in DISPLAY"
fi
[ -n "${WINEPREFIX:-}" ] || fail "WINEPREFIX is not set"
[ -f "$exe" ] || fail "no editor at $exe"
exe=$(realpath "$exe")
work=$(mktemp -d "${TMPDIR:-/tmp}/editor_e2e.XXXXXX") || fail "no temporary directory"
level=$work/level
mkdir "$level" || fail "cannot make $level"
cp "$samples/sample.dat" "$samples/sample.bmp" "$level/" || fail "cannot copy the sample level"
prepare_view_check

started=$SECONDS
open_save_exit_run
close_cancel_close_run
log "all $passed checks passed in $((SECONDS - started)) s"
rm -rf "$work"
