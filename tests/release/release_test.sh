#!/usr/bin/env bash
# The Windows release as a designer gets it, under Wine in a prefix of its
# own that nothing was installed into:
#   1. the zip's files; both executables import only Windows' own DLLs, have
#      no debug information and carry the version and the icon (id 1, every
#      size) in their resources; the installer has the icon too;
#   2. the silent install: the zip's files in C:\Program Files\QZT Level Editor,
#      all but the programs read-only, the two Start menu entries, the
#      uninstall entry, .dat's "Open with" entry, its open command and icon;
#   3. the installed editor and the zip's editor in a folder elsewhere draw the
#      logo; the sample's Start menu entry opens the sample in the editor;
#   4. the silent uninstall removes all it installed, the folder with it;
#   5. an install over an earlier one replaces that one's files and keeps a
#      user's level and a sample they edited; the uninstall then leaves exactly
#      those and another program's "Open with" entry.
# Usage: release_test.sh VERSION SETUP.exe RELEASE.zip
# with DISPLAY set (tools/test runs it after tools/package).
set -u
source "$(dirname "$0")/../../tools/common.sh"
usage="usage: release_test.sh VERSION SETUP.exe RELEASE.zip"
version=${1:?$usage}
setup=$(realpath "${2:?$usage}")
zip=$(realpath "${3:?$usage}")

FILES="LOGO.bmp README.txt qztedit.exe qztlevel.exe samples samples/sample.bmp samples/sample.dat"
SYSTEM_DLLS="kernel32.dll user32.dll gdi32.dll comdlg32.dll comctl32.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll version.dll"
ICON_SIZES="16 20 24 32 40 48 64 256 "
FOLDER='C:\Program Files\QZT Level Editor'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QZTLevelEditor'
PRODUCT_KEY='HKLM\Software\QZT\QZT Level Editor'
PROGID=QZTedit.Level
work= editor_window= detail=

log() { echo "release_test: $*"; }
fail() {
    log "FAIL: $*" >&2
    exit 1
}
cleanup() {
    qzt_stop_wine
    [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT

# wait_for WHAT LIMIT COMMAND...: polls the command for at most LIMIT s; the
# command may leave what it saw in detail.
wait_for() {
    local deadline=$((SECONDS + $2))
    detail=
    until "${@:3}"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no $1 within $2 s${detail:+ ($detail)}"
        sleep 0.2
    done
}

# files_in DIR: its files and folders, relative and sorted, on one line.
files_in() { (cd "$1" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' '); }

# icon_sizes FILE [ID]: the sizes of its icon (the one of that resource id).
icon_sizes() {
    rm -f "$work/icon.ico"
    wrestool -x -t 14 ${2:+-n "$2"} -o "$work/icon.ico" "$1" 2>/dev/null &&
        icotool -l "$work/icon.ico" | sed -n 's/.* --width=\([0-9]*\) .*/\1/p' | tr '\n' ' '
}

# reg_value KEY NAME: the value's data (NAME empty: the default value); fails when absent.
reg_value() {
    local name=(/v "$2")
    [ -n "$2" ] || name=(/ve)
    wine reg query "$1" "${name[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^    .*    REG_[A-Z_]*    //p' | grep .
}
has_value() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }

# The editor's main window, by its caption, into editor_window.
window_titled() {
    editor_window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$editor_window" ]
}
# The whole logo, pixel for pixel, in editor_window; where it lies into detail.
logo_drawn() {
    import -window "$editor_window" -depth 8 "$work/window.ppm" 2>/dev/null &&
        detail=$(python3 - "$work/window.ppm" "$work/logo.ppm" <<'EOF'
import sys
def rows(path):
    _, size, _, pixels = open(path, "rb").read().split(b"\n", 3)
    width, height = map(int, size.split())
    return [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]
window, logo = rows(sys.argv[1]), rows(sys.argv[2])
for y in range(len(window) - len(logo) + 1):
    x = window[y].find(logo[0])
    while x >= 0:
        if x % 3 == 0 and all(window[y + i][x:x + len(row)] == row for i, row in enumerate(logo)):
            sys.exit(print("at %d,%d of the window" % (x // 3, y)))
        x = window[y].find(logo[0], x + 1)
sys.exit(1)
EOF
        )
}
# run_editor TITLE COMMAND...: starts the editor and waits for its window.
run_editor() {
    "${@:2}" >/dev/null 2>&1 &
    disown
    wait_for "editor window \"$1\"" 60 window_titled "$1"
}
no_window_titled() { ! window_titled "$1"; }
close_editor() {
    local title
    title=$(xdotool getwindowname "$editor_window")
    kill -KILL "$(xdotool getwindowpid "$editor_window")" || fail "cannot end the editor"
    wait_for "end of the editor" 30 no_window_titled "$title"
}

[ -n "${DISPLAY:-}" ] || fail "needs an X display"
work=$(mktemp -d "${TMPDIR:-/tmp}/release_test.XXXXXX") || fail "no temporary directory"

log "1. the zip and its executables"
mkdir "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
[ "$(files_in "$work/zip")" = "QZTedit $(printf 'QZTedit/%s ' $FILES)" ] ||
    fail "the zip holds $(files_in "$work/zip")"
for exe in qztedit.exe qztlevel.exe; do
    imports=$(x86_64-w64-mingw32-objdump -p "$work/zip/QZTedit/$exe" | sed -n 's/^\tDLL Name: //p' | tr A-Z a-z)
    [ -n "$imports" ] || fail "no import table read from $exe"
    for dll in $imports; do
        [[ " $SYSTEM_DLLS " = *" $dll "* ]] || fail "$exe imports $dll, not one of Windows' own DLLs"
    done
    ! x86_64-w64-mingw32-objdump -f "$work/zip/QZTedit/$exe" | grep -qE 'HAS_(DEBUG|SYMS)' ||
        fail "$exe has debug information or symbols"
    # What the file's properties show, as the resource compiler reads it back.
    resources=$(x86_64-w64-mingw32-windres -i "$work/zip/QZTedit/$exe" -O rc 2>&1)
    for line in " FILEVERSION ${version//./, }, 0" " PRODUCTVERSION ${version//./, }, 0" "\"FileVersion\", \"$version\"" \
        "\"ProductVersion\", \"$version\"" '"ProductName", "QZT Level Editor"' '"CompanyName", "QZT"' '"FileDescription", "Q'; do
        grep -qF -- "$line" <<<"$resources" || fail "$exe's version resource lacks $line"
    done
    [ "$(icon_sizes "$work/zip/QZTedit/$exe" 1)" = "$ICON_SIZES" ] ||
        fail "$exe's icon 1 has the sizes \"$(icon_sizes "$work/zip/QZTedit/$exe" 1)\""
done
[ "$(icon_sizes "$setup")" = "$ICON_SIZES" ] || fail "the installer's icon has the sizes \"$(icon_sizes "$setup")\""
log "ok: the zip's files; both executables import only Windows' DLLs, have no debug information or symbols, carry version $version and the icon"

# A prefix never used, without the menu builder, which would write the Start
# menu entries and the file type into the user's desktop.
qzt_wine_env "$work/prefix"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
qzt_start_wine
drive_c=$WINEPREFIX/drive_c
installed="$drive_c/Program Files/QZT Level Editor"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
shortcuts=("$menu/QZT Level Editor.lnk" "$menu/QZT Level Editor sample level.lnk")

log "2. the silent install"
wine "$setup" /S || fail "the silent install ended with status $?"
[ "$(files_in "$installed")" = "$(printf '%s ' $FILES uninstall.exe | tr ' ' '\n' | LC_ALL=C sort | tr '\n' ' ')" ] ||
    fail "$FOLDER holds $(files_in "$installed")"
diff -r -x uninstall.exe "$work/zip/QZTedit" "$installed" >&2 || fail "the installed files differ from the zip's"
writable=$(cd "$installed" && find . -type f ! -name '*.exe' -perm /222)
[ -z "$writable" ] || fail "installed writable: $writable"
[ ! -e "$drive_c/QZTedit" ] || fail "the install wrote into C:\\QZTedit"
[ "$(icon_sizes "$installed/uninstall.exe")" = "$ICON_SIZES" ] || fail "the uninstaller lacks the icon"
for shortcut in "${shortcuts[@]}"; do [ -f "$shortcut" ] || fail "no Start menu entry ${shortcut##*/}"; done
for value in "DisplayName=QZT Level Editor" "DisplayVersion=$version" "Publisher=QZT" \
    "UninstallString=\"$FOLDER\\uninstall.exe\"" "DisplayIcon=$FOLDER\\qztedit.exe,0"; do
    [ "$(reg_value "$UNINSTALL_KEY" "${value%%=*}")" = "${value#*=}" ] ||
        fail "uninstall entry: ${value%%=*} is \"$(reg_value "$UNINSTALL_KEY" "${value%%=*}")\", not \"${value#*=}\""
done
has_value 'HKCR\.dat\OpenWithProgids' "$PROGID" || fail "no $PROGID in .dat's OpenWithProgids"
for value in "shell\\open\\command=\"$FOLDER\\qztedit.exe\" \"%1\"" "DefaultIcon=$FOLDER\\qztedit.exe,0"; do
    [ "$(reg_value "HKCR\\$PROGID\\${value%%=*}" "")" = "${value#*=}" ] ||
        fail "$PROGID\\${value%%=*} is \"$(reg_value "HKCR\\$PROGID\\${value%%=*}" "")\""
done
[ "$(reg_value 'HKCR\.dat' "")" != "$PROGID" ] || fail "the install made itself .dat's default program"
log "ok: the files in $FOLDER, the Start menu entries, the uninstall entry and .dat's \"Open with\" entry"

log "3. the logo and the sample level in the editor"
convert "$work/zip/QZTedit/LOGO.bmp" -depth 8 "$work/logo.ppm" || fail "cannot read the logo"
elsewhere="$work/some folder/QZT editor"
mkdir -p "${elsewhere%/*}" && cp -r "$work/zip/QZTedit" "$elsewhere" || fail "cannot copy the zip's folder"
for editor in "$FOLDER\\qztedit.exe" "$elsewhere/qztedit.exe"; do
    run_editor "QZT Level Editor" wine "$editor"
    wait_for "logo in the window of $editor" 30 logo_drawn
    log "ok: $editor draws the logo, $detail"
    close_editor
done
title=$(sed -n '2{s/\r$//;p;q}' "$installed/samples/sample.dat")
run_editor "$title" wine start /unix "${shortcuts[1]}"
close_editor
log "ok: the sample level's Start menu entry opens \"$title\""

log "4. the silent uninstall"
# The uninstaller copies itself away, starts the copy and returns.
wine "$FOLDER\\uninstall.exe" /S || fail "the silent uninstall ended with status $?"
folder_gone() { [ ! -e "$installed" ]; }
wait_for "removal of $FOLDER" 60 folder_gone
for shortcut in "${shortcuts[@]}"; do [ ! -e "$shortcut" ] || fail "the Start menu entry ${shortcut##*/} is left"; done
for key in "$UNINSTALL_KEY" "HKCR\\$PROGID" "$PRODUCT_KEY"; do ! has_key "$key" || fail "$key is left"; done
! has_value 'HKCR\.dat\OpenWithProgids' "$PROGID" || fail "$PROGID is left in .dat's OpenWithProgids"
log "ok: everything installed is gone"

log "5. an install over an earlier one, and its uninstall"
wine "$setup" /S || fail "the first install ended with status $?"
# What the earlier install left changed: a program of its own version, a file
# the new one no longer ships; what the user did: a level of theirs and the
# sample, made writable and edited.
: >"$installed/qztlevel.exe"
echo "an earlier version's" >"$installed/old tool.exe"
wine reg add "$PRODUCT_KEY\\Installed files" /v "old tool.exe" /d program /f >/dev/null 2>&1 || fail "cannot record old tool.exe"
echo "a level of mine" >"$installed/samples/mine.dat"
chmod u+w "$installed/samples/sample.dat" && echo "my change" >>"$installed/samples/sample.dat"
cp "$installed/samples/mine.dat" "$installed/samples/sample.dat" "$work/" || fail "cannot keep the user's files"
wine "$setup" /S || fail "the install over the earlier one ended with status $?"
[ ! -e "$installed/old tool.exe" ] || fail "the earlier install's old tool.exe is left"
diff -r -x uninstall.exe -x mine.dat -x sample.dat "$work/zip/QZTedit" "$installed" >&2 ||
    fail "the installed files differ from the zip's"
for level in mine.dat sample.dat; do cmp -s "$work/$level" "$installed/samples/$level" || fail "the install changed samples/$level"; done

wine reg add 'HKCR\.dat\OpenWithProgids' /v Other.Program /t REG_SZ /d "" /f >/dev/null 2>&1 ||
    fail "cannot add another program's entry"
wine "$FOLDER\\uninstall.exe" /S || fail "the silent uninstall ended with status $?"
only_the_users_levels_left() {
    detail="$FOLDER holds $(files_in "$installed" 2>/dev/null)"
    [ "$detail" = "$FOLDER holds samples samples/mine.dat samples/sample.dat " ]
}
wait_for "removal of the installed files" 60 only_the_users_levels_left
for level in mine.dat sample.dat; do cmp -s "$work/$level" "$installed/samples/$level" || fail "the uninstall changed samples/$level"; done
has_value 'HKCR\.dat\OpenWithProgids' Other.Program || fail "the uninstall removed another program's \"Open with\" entry"
log "ok: the earlier install's files replaced, the user's levels kept; the uninstall leaves exactly those and the other entry"
log "all checks passed"
