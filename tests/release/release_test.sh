#!/usr/bin/env bash
# The Windows release as a designer gets it, under Wine in a prefix of its
# own that nothing was installed into:
#   1. the zip's files; both executables import only Windows' own DLLs, have
#      no debug information and carry the version in their version resource;
#   2. the silent install: the zip's files in C:\QZTedit, the Start menu entry,
#      the uninstall entry, .dat's "Open with" entry and its open command;
#   3. the installed editor opens the installed sample;
#   4. the silent uninstall removes all it installed and leaves a user's
#      level and another program's "Open with" entry.
# Usage: release_test.sh VERSION SETUP.exe RELEASE.zip
# with DISPLAY set (tools/test runs it after tools/package).
set -u
source "$(dirname "$0")/../../tools/common.sh"
usage="usage: release_test.sh VERSION SETUP.exe RELEASE.zip"
version=${1:?$usage}
setup=$(realpath "${2:?$usage}")
zip=$(realpath "${3:?$usage}")

FILES="LOGO.bmp README.txt qztedit.exe qztlevel.exe samples samples/sample.bmp samples/sample.dat"
SYSTEM_DLLS="kernel32.dll user32.dll gdi32.dll comdlg32.dll comctl32.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QZTLevelEditor'
PROGID=QZTedit.Level
OPEN_COMMAND='"C:\QZTedit\qztedit.exe" "%1"'
work= editor_pid= detail=

log() { echo "release_test: $*"; }
fail() {
    log "FAIL: $*" >&2
    exit 1
}
cleanup() {
    [ -n "$editor_pid" ] && kill -KILL "$editor_pid" 2>/dev/null && wait "$editor_pid" 2>/dev/null
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

# reg_value KEY NAME: the value's data (NAME empty: the default value); fails when absent.
reg_value() {
    local name=(/v "$2")
    [ -n "$2" ] || name=(/ve)
    wine reg query "$1" "${name[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^    .*    REG_[A-Z_]*    //p' | grep .
}
has_value() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }

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
done
log "ok: the zip's files; both executables import only Windows' DLLs, have no debug information or symbols and carry version $version"

# A prefix never used, without the menu builder, which would write the Start
# menu entry and the file type into the user's desktop.
qzt_wine_env "$work/prefix"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
qzt_start_wine
drive_c=$WINEPREFIX/drive_c
installed=$drive_c/QZTedit
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/QZT Level Editor.lnk"


log "2. the silent install"
wine "$setup" /S || fail "the silent install ended with status $?"
[ "$(files_in "$installed")" = "$(printf '%s ' $FILES uninstall.exe | tr ' ' '\n' | LC_ALL=C sort | tr '\n' ' ')" ] ||
    fail "C:\\QZTedit holds $(files_in "$installed")"
diff -r -x uninstall.exe "$work/zip/QZTedit" "$installed" >&2 || fail "the installed files differ from the zip's"
[ -f "$shortcut" ] || fail "no Start menu entry"
for value in "DisplayName=QZT Level Editor" "DisplayVersion=$version" "Publisher=QZT" \
    'UninstallString="C:\QZTedit\uninstall.exe"'; do
    [ "$(reg_value "$UNINSTALL_KEY" "${value%%=*}")" = "${value#*=}" ] ||
        fail "uninstall entry: ${value%%=*} is \"$(reg_value "$UNINSTALL_KEY" "${value%%=*}")\", not \"${value#*=}\""
done
has_value 'HKCR\.dat\OpenWithProgids' "$PROGID" || fail "no $PROGID in .dat's OpenWithProgids"
[ "$(reg_value "HKCR\\$PROGID\\shell\\open\\command" "")" = "$OPEN_COMMAND" ] ||
    fail "the open command of $PROGID is \"$(reg_value "HKCR\\$PROGID\\shell\\open\\command" "")\""
[ "$(reg_value 'HKCR\.dat' "")" != "$PROGID" ] || fail "the install made itself .dat's default program"
log "ok: the files, the Start menu entry, the uninstall entry and .dat's \"Open with\" entry"

log "3. the installed editor opens the installed sample"
title=$(sed -n '2{s/\r$//;p;q}' "$installed/samples/sample.dat")
wine 'C:\QZTedit\qztedit.exe' 'C:\QZTedit\samples\sample.dat' >"$work/editor.log" 2>&1 &
editor_pid=$!
window_titled() {
    kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended before its window \"$1\" appeared"
    ! xdotool search --all --onlyvisible --pid "$editor_pid" --name '^Dat file Loading Error$' >/dev/null 2>&1 ||
        fail "the installed editor could not load the installed sample"
    xdotool search --all --onlyvisible --pid "$editor_pid" --name "^$1\$" >/dev/null 2>&1
}
wait_for "editor window \"$title\"" 60 window_titled "$title"
kill -KILL "$editor_pid" && wait "$editor_pid" 2>/dev/null
editor_pid=
log "ok: the window \"$title\""

log "4. the silent uninstall"
# A user's level and another program's "Open with" entry, both to stay.
echo "a level of mine" >"$installed/samples/mine.dat"
wine reg add 'HKCR\.dat\OpenWithProgids' /v Other.Program /t REG_SZ /d "" /f >/dev/null 2>&1 ||
    fail "cannot add another program's entry"
# The uninstaller copies itself away, starts the copy and returns.
wine 'C:\QZTedit\uninstall.exe' /S || fail "the silent uninstall ended with status $?"
only_the_users_level_left() {
    detail="C:\\QZTedit holds $(files_in "$installed" 2>/dev/null)"
    [ "$detail" = "C:\\QZTedit holds samples samples/mine.dat " ]
}
wait_for "removal of the installed files" 60 only_the_users_level_left
[ ! -e "$shortcut" ] || fail "the Start menu entry is left"
! has_key "$UNINSTALL_KEY" || fail "the uninstall entry is left"
! has_key "HKCR\\$PROGID" || fail "$PROGID is left"
! has_value 'HKCR\.dat\OpenWithProgids' "$PROGID" || fail "$PROGID is left in .dat's OpenWithProgids"
has_value 'HKCR\.dat\OpenWithProgids' Other.Program || fail "the uninstall removed another program's \"Open with\" entry"
log "ok: everything installed is gone; the user's level and the other entry stay"
log "all checks passed"
