#!/usr/bin/env bash
# One designer's session with the real editor under Wine, driven like a person
# would: real X input (xdotool through XTEST), the real file dialogs and
# message boxes, the picture read back from the screen. No level at start;
# File, Open; Level Properties (title, time bonus), Edit Enemy Program (a new
# program and its movement), Create New Enemy; drag an enemy, change its hit
# points in the side panel, record a program on the keypad; Ctrl+Z three
# times, Ctrl+Y once; File, Save as: what the level tool writes with the core
# writer for the expected level, byte for byte. Then a crash: a drag
# released outside the window, the recovery file, the editor killed and
# started on the level again; Restore answered Yes gives the drag back, and
# File, Exit answered "No" drops it and writes nothing.
# Usage: editor_e2e.sh PATH/TO/qztedit.exe PATH/TO/qztlevel.exe with
# DISPLAY and WINEPREFIX set; by hand:
# source tools/common.sh; qzt_start_xvfb; qzt_prepare_wine
set -u
usage="usage: editor_e2e.sh PATH/TO/qztedit.exe PATH/TO/qztlevel.exe"
exe=$(realpath "${1:?$usage}")
qztlevel=$(realpath "${2:?$usage}")
samples=$(cd "$(dirname "$0")/../../samples" && pwd)
QUESTION="Dat file Loading Error"
editor_pid= main= detail= work= client_x= client_y=

log() { echo "editor_e2e: $*"; }
alive() { [ -n "$editor_pid" ] && kill -0 "$editor_pid" 2>/dev/null; }
ended() { ! alive; }
# Only the process this script started.
stop_editor() { alive && kill -KILL "$editor_pid" && wait "$editor_pid" 2>/dev/null; editor_pid=; }
trap stop_editor EXIT

# Keeps the work directory, with the screen at the failure, for a look.
fail() {
    log "FAIL: $*${detail:+ (last seen: $detail)}" >&2
    [ -n "$work" ] && import -window root "$work/failure.png" 2>/dev/null && log "screen: $work/failure.png" >&2
    exit 1
}

# wait_for WHAT LIMIT COMMAND...: polls the command for at most LIMIT s; the
# editor must live meanwhile unless its end is what is awaited.
wait_for() {
    local deadline=$((SECONDS + $2))
    detail=
    until "${@:3}"; do
        alive || [ "$3" = ended ] || fail "the editor ended while waiting for $1"
        [ "$SECONDS" -lt "$deadline" ] || fail "no $1 within $2 s"
        sleep 0.2
    done
}

window_named() { xdotool search --all --onlyvisible --pid "$editor_pid" --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
lacks_window() { ! has_window "$1"; }
caption_is() { detail="caption \"$(xdotool getwindowname "$main" 2>/dev/null)\""; [ "$detail" = "caption \"$1\"" ]; }

# start_editor TITLE ARGUMENTS...; the first start may still be setting up
# the Wine prefix.
start_editor() {
    (cd "$level" && exec wine "$exe" "${@:2}") >>"$work/wine.log" 2>&1 &
    editor_pid=$!
    wait_for "main window \"$1\"" 60 has_window "$1"
    main=$(window_named "$1")
}

# Sets X and Y to the main window's position on the screen.
window_at() { eval "$(xdotool getwindowgeometry --shell "$main")" || fail "no geometry for the main window"; }

# The pointer onto the menu bar, the X window's top edge: without a window
# manager the keys go to the window under the pointer.
point_at_menu_bar() { window_at; xdotool mousemove $((X + $1)) $((Y + 9)); }

# The pointer onto a client point; view_shows_sample finds the client origin.
point_at() { window_at; xdotool mousemove $((X + client_x + $1)) $((Y + client_y + $2)); }
click_main() { point_at "$1" "$2"; xdotool click 1; }

# The keys after a click on File that choose a menu item: Right opens the
# next pop-up (Edit, Level, Items, Enemy Programs), an item's access key
# chooses it.
OPEN=o SAVE_AS=a EXIT=x PROPERTIES_ITEM="Right Right p" NEW_ENEMY_ITEM="Right Right Right e"
EDIT_PROGRAM_ITEM="Right Right Right Right e" NEW_PROGRAM="Right Right Right Right n"

# The pop-up opens while the click is handled; keys before that are lost. It
# is the editor's only window without a name. Two clicks on one spot within
# the double-click time open no menu, so the clicks alternate between two
# points of "File".
file_x=10
menu_item() {
    file_x=$((30 - file_x))
    point_at_menu_bar "$file_x"
    xdotool click 1
    wait_for "File's pop-up" 30 has_window ""
    xdotool key "$@"
}

# Replaces whatever the dialog's file name box proposes.
answer_dialog() {
    wait_for "dialog \"$1\"" 30 has_window "$1"
    xdotool key End shift+Home type --delay 15 "$(winepath -w "$2" 2>/dev/null)"
    xdotool key Return
}


# At scroll (0, 0) client (cx, cy) of the view shows bitmap (cx - 10, cy + 187).
# The view is found by its top-left corner, which bears the row label; the
# border of the enemy's ImageSet box, which Windows places at client (605, 76),
# pins the client origin apart from the view. Points: the view's corner,
# background, inside enemy 0 (image set 0, first frame at (10, 20)); the
# panel outside the view's corner, 3 alike and not the corner; the box's
# corner and 2 neighbours alike, 3 neighbours outside and inside not.
POINTS="10,10 490,370 86,154 5,5 9,10 10,9 605,76 606,76 605,77 605,75 604,76 606,77"
view_shows_sample() {
    import -window "$main" "$work/window.png" 2>/dev/null || { detail="no screenshot"; return 1; }
    local best _ at x y differ format= p
    read -r best _ at < <(compare -metric AE -subimage-search "$work/window.png[50x120+0+0]" "$work/corner.png" null: 2>&1)
    detail="the view's corner: $best pixels differ at best"
    [ "$best" = 0 ] || return 1
    x=$((${at%,*} - 10)) y=$((${at#*,} - 10)) client_x=$x client_y=$y
    differ=$(compare -metric AE "$work/window.png[500x380+$((x + 10))+$((y + 10))]" "$work/view.png" null: 2>&1)
    for p in $POINTS; do format+="%[hex:p{$((x + ${p%,*})),$((y + ${p#*,}))}] "; done
    # $1-$3 corner, background, enemy; $4-$6 panel; $7-$9 box border; ${10}-${12} not border.
    set -- $(convert "$work/window.png" -format "$format" info:)
    detail="client origin +$x+$y; $differ of 190000 view pixels not the bitmap's; $POINTS: $* (want $want)"
    [ "$differ" -le 9500 ] 2>/dev/null && [ "$1 $2 $3" = "$want" ] && [ "$5 $6" = "$4 $4" ] && [ "$4" != "$1" ] &&
        [ "$8 $9" = "$7 $7" ] && [ "${10}" != "$7" ] && [ "${11}" != "$7" ] && [ "${12}" != "$7" ]
}

# shows_frame CX CY: the sample's enemy 0 frame (image set 0's first, at
# (10, 20), 32 x 28) drawn with its corner at client (CX, CY). Its top-left
# corner is left out: the preview draws lines and STOP circles there.
shows_frame() {
    import -window "$main" "$work/window.png" 2>/dev/null || { detail="no screenshot"; return 1; }
    detail="$(compare -metric AE "$work/window.png[28x24+$((client_x + $1 + 4))+$((client_y + $2 + 4))]" \
        "$work/frame.png" null: 2>&1) pixels differ from the enemy's frame at client ($1, $2)"
    [ "${detail%% *}" = 0 ]
}
lacks_frame() { ! shows_frame "$@"; }

# The keypad's digits need Num Lock on.
num_lock_on() { xset q | grep -q 'Num Lock: *on'; }

saved_and_closed() { [ -f "$level/$1" ] && lacks_window "Save QZT data file"; }

# The tool windows are unmanaged: Wine draws their frame itself, a 4-pixel
# border and a small caption, so client (cx, cy) is at (cx + 4, cy + 20) of
# the X window.
click_tool() {
    local window
    window=$(window_named "$1")
    [ -n "$window" ] || fail "no window \"$1\" to click"
    eval "$(xdotool getwindowgeometry --shell "$window")" || fail "no geometry for \"$1\""
    xdotool mousemove $((X + 4 + $2)) $((Y + 20 + $3)) click 1
}
# Replaces the text of the focused box.
retype() { xdotool key End shift+Home type --delay 15 "$1"; }
# Drops the list at client (cx, cy) of a tool window, then the keys and Return.
pick_in_tool() { click_tool "$1" "$2" "$3"; xdotool key "${@:4}" Return; }
# The sample with the session's edits, enemy 0 at level (X, Y), written by
# the level tool from its JSON: what the core writer writes.
expect_level() {
    (cd "$samples" && wine "$qztlevel" info sample.dat) 2>>"$work/wine.log" | python3 -c '
import json, sys
title, bonus, x, y = sys.argv[1], *map(int, sys.argv[2:])
level = json.load(sys.stdin)
level.update(title=title, timeBonus=bonus)
del level["enemyCount"]
level["programs"].append({"slot": 3, "movements": [{"direction": 8, "steps": 25, "firstFrame": 0, "lastFrame": 2}]})
level["enemies"].append({"slot": 5, "x": 1, "y": 1, "imageSet": 2, "animationRate": 5, "hitPoints": 7, "speed": 3,
                         "program": 0})
level["enemies"][0].update(x=x, y=y)
json.dump(level, sys.stdout)' "$TITLE" "$BONUS" "$2" "$3" >"$work/$1.json" &&
        (cd "$work" && wine "$qztlevel" import "$1.json" "$1") >>"$work/wine.log" 2>&1 ||
        fail "the level tool could not write $1"
}
level_files() { (cd "$level" && find . -mindepth 1 -printf '%P\n' | sort | tr '\n' ' '); }
# The recovery file holds the level as the writer writes it, then a line of its own.
recovery_holds() {
    head -c "$(stat -c %s "$work/$1")" "$level/edited.dat.recovery" 2>/dev/null | cmp -s - "$work/$1"
}
# The editor must end with status 0, the recovery file gone and the rest as it was.
ends_writing_nothing() {
    wait_for "end of the editor after $1" 30 ended
    wait "$editor_pid" || fail "the editor ended with status $? after $1"
    editor_pid=
    [ "$(level_files)" = "$files" ] && cmp -s "$level/edited.dat" "$work/expected.dat" ||
        fail "$1 still wrote something: $(level_files)"
    log "ok: $1 ended the editor, nothing written"
}

[ -n "${WINEPREFIX:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1 || fail "needs WINEPREFIX and an X display"
work=$(mktemp -d "${TMPDIR:-/tmp}/editor_e2e.XXXXXX") || fail "no temporary directory"
level=$work/level
mkdir "$level" && cp "$samples/sample.dat" "$samples/sample.bmp" "$level/" || fail "cannot copy the sample level"
convert "$level/sample.bmp" -crop 500x380+0+197 +repage "$work/view.png" &&
    convert "$work/view.png" -crop 24x24+0+0 +repage "$work/corner.png" &&
    convert "$level/sample.bmp" -crop 28x24+14+24 +repage "$work/frame.png" || fail "cannot read the sample bitmap"
# The view's corner, background and enemy point, and what lies under the
# enemy: else the enemy point could not tell a drawn enemy from none.
read -ra sample < <(convert "$level/sample.bmp" \
    -format '%[hex:p{0,197}] %[hex:p{480,557}] %[hex:p{26,34}] %[hex:p{76,341}]' info:)
want="${sample[*]:0:3}"
[ "${sample[2]}" != "${sample[3]}" ] || fail "the sample's enemy point shows the background colour"

log "File, Open"
start_editor "QZT Level Editor"
menu_item $OPEN
answer_dialog "Open QZT data file" "$level/sample.dat"
wait_for "caption \"Level_One\" after File, Open" 30 caption_is Level_One
wait_for "view showing the sample after File, Open" 30 view_shows_sample

log "Level Properties, Edit Enemy Program, Create New Enemy"
TITLE=Edited_Level BONUS=750
PROPERTIES="Level Properties" PROGRAMS="Edit Enemy Program" NEW_ENEMY="Create New Enemy"
menu_item $PROPERTIES_ITEM
wait_for "window \"$PROPERTIES\"" 30 has_window "$PROPERTIES"
click_tool "$PROPERTIES" 60 41 && retype "$TITLE"
click_tool "$PROPERTIES" 60 188 && retype "$BONUS"
click_tool "$PROPERTIES" 140 235  # OK
# "*": the level has unsaved changes.
wait_for "caption \"*$TITLE\" after OK" 30 caption_is "*$TITLE"
wait_for "\"$PROPERTIES\" hidden by OK" 30 lacks_window "$PROPERTIES"
# "Add Prog" makes program 3 with a STOP of 10 steps on frames 0 to 0 and
# shows it; made UP, 25 steps, frames 0 to 2. A press on the window's
# background stores the steps.
menu_item $EDIT_PROGRAM_ITEM
wait_for "window \"$PROGRAMS\"" 30 has_window "$PROGRAMS"
click_tool "$PROGRAMS" 330 185
pick_in_tool "$PROGRAMS" 265 70 Down Down Down
click_tool "$PROGRAMS" 250 95 && retype 25
click_tool "$PROGRAMS" 400 110
pick_in_tool "$PROGRAMS" 250 140 Down Down
click_tool "$PROGRAMS" 147 185  # DONE
wait_for "\"$PROGRAMS\" hidden by DONE" 30 lacks_window "$PROGRAMS"
# Image set 2 and program 0, 7 hit points, speed and rate as proposed.
menu_item $NEW_ENEMY_ITEM
wait_for "window \"$NEW_ENEMY\"" 30 has_window "$NEW_ENEMY"
pick_in_tool "$NEW_ENEMY" 77 20 Down Down
click_tool "$NEW_ENEMY" 47 80 && retype 7
click_tool "$NEW_ENEMY" 140 185  # OK
wait_for "\"$NEW_ENEMY\" hidden by OK" 30 lacks_window "$NEW_ENEMY"

log "drag, side panel, recording, then three undos and a redo"
num_lock_on || xdotool key Num_Lock
wait_for "Num Lock on" 30 num_lock_on
# Enemy 0 (speed 2) at level (60, 130) shows at client (70, 140); a press
# inside selects it, and while the button is held its corner follows the
# pointer: level (140, 190).
point_at 80 150
xdotool mousedown 1
point_at 150 200
wait_for "enemy 0 dragged to client (150, 200)" 30 shows_frame 150 200
xdotool mouseup 1
# 9 hit points, committed as the Speed box takes the focus.
click_main 612 130 && retype 9
click_main 612 152
# A click on the enemy gives the view the keys again.
click_main 160 210
menu_item $NEW_PROGRAM
# With Num Lock on, the keypad keys that xdotool names by their arrow symbols
# send the digits 6 6 6 3 3; asked for KP_6, xdotool would press Num Lock
# around it, which toggles Num Lock.
xdotool key KP_Right KP_Right KP_Right KP_Next KP_Next
wait_for "the recording enemy 10 right and 4 down of enemy 0" 30 shows_frame 160 204
xdotool key Return
wait_for "the recording enemy gone after Enter" 30 lacks_frame 160 204
# Back go the recording, the hit points and the drag; the drag comes again.
xdotool key ctrl+z ctrl+z ctrl+z
wait_for "enemy 0 back at client (70, 140)" 30 shows_frame 70 140
xdotool key ctrl+y
wait_for "enemy 0 dragged again" 30 shows_frame 150 200

log "Save as"
menu_item $SAVE_AS
answer_dialog "Save QZT data file" "$level/edited.dat"
wait_for "saved file $level/edited.dat" 30 saved_and_closed edited.dat
wait_for "caption \"$TITLE\" once saved" 30 caption_is "$TITLE"
expect_level expected.dat 140 190
cmp "$level/edited.dat" "$work/expected.dat" >&2 || fail "the saved level differs from the expected one"
log "ok: saved byte for byte as the core writer writes the expected level"

log "a crash: a drag released outside the window, the recovery file, kill, restart, Restore: Yes; Exit: No"
expect_level recovered.dat 240 240
point_at 160 210
xdotool mousedown 1
point_at 250 250
wait_for "enemy 0 dragged to client (250, 250)" 30 shows_frame 250 250
# The release outside the window ends the drag: back over the view, the
# pointer moves nothing.
window_at
xdotool mousemove $((X + 700)) $((Y + 250)) mouseup 1
point_at 300 300
wait_for "the drag in the recovery file as a save writes it" 10 recovery_holds recovered.dat
shows_frame 250 250 && lacks_frame 300 300 || fail "the drag went on after its release outside the window"
kill -KILL "$(xdotool getwindowpid "$main")" "$editor_pid" 2>/dev/null
wait_for "the killed editor gone" 30 ended
editor_pid=
# The level file whole, and beside it at most the recovery file and one temporary file.
cmp -s "$level/edited.dat" "$work/expected.dat" || fail "the level file changed with the kill"
[ "$(cd "$level" && ls -A | grep -v -x -e sample.dat -e sample.bmp -e edited.dat -e edited.dat.recovery |
    grep -v -c '^\.qzt[0-9a-f]*\.tmp$')" = 0 ] && [ "$(cd "$level" && ls -A | grep -c '\.tmp$')" -le 1 ] ||
    fail "more than the recovery file and one temporary file beside the level: $(level_files)"
# Started on the level again, the editor asks before its window has a title.
start_editor "QZT Level Editor" edited.dat
wait_for "the question about the recovery file" 30 has_window "$QUESTION"
xdotool key y
wait_for "caption \"*$TITLE\"" 30 caption_is "*$TITLE"
wait_for "the restored drag" 30 shows_frame 250 250
files=$(level_files)
files=${files/edited.dat.recovery /}
menu_item $EXIT
wait_for "\"Would you like to save?\" box" 30 has_window "$QUESTION"
xdotool key n
ends_writing_nothing "File, Exit answered No"
log "all checks passed"
rm -rf "$work"
