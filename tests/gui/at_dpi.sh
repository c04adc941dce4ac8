#!/usr/bin/env bash
# The GUI tests again in a Wine prefix of their own whose display is set to
# DPI (LogPixels), made the first time.
# Usage: at_dpi.sh DPI PREFIX GUI_TESTS.exe [test arguments]
set -u
dpi=${1:?DPI} prefix=${2:?PREFIX} exe=${3:?GUI_TESTS.exe}
shift 3
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/qzt-dpi-$dpi" ]; then
    wineboot -i >/dev/null 2>&1 || { echo "at_dpi.sh: cannot make the prefix $WINEPREFIX" >&2; exit 1; }
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\AppDefaults\gui_tests.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
        { echo "at_dpi.sh: cannot set the prefix's DPI" >&2; exit 1; }
    touch "$WINEPREFIX/qzt-dpi-$dpi"
fi
QZT_EXPECTED_DPI=$dpi wine "$exe" "$@"
status=$?
wineserver -k >/dev/null 2>&1
exit $status
