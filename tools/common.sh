# Shared by tools/test and tools/run: packages, the Wine prefix and one Xvfb.
# Sourced, not run.

QZT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

qzt_install_packages() {
    local missing=()
    local package
    while read -r package; do
        case "$package" in ''|'#'*) continue ;; esac
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done < "$QZT_ROOT/tools/debian-packages.txt"
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Wine runs with a prefix inside the build tree (or the one given) and without
# its own noise, so nothing depends on the user's Wine setup.
qzt_wine_env() {
    export WINEPREFIX="${1:-$QZT_ROOT/build/win32/wineprefix}"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Starts one Xvfb for everything that follows unless a display is given.
qzt_start_xvfb() {
    local display= candidate
    for candidate in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$candidate" ] && [ ! -e "/tmp/.X$candidate-lock" ]; then
            display=$candidate
            break
        fi
    done
    if [ -z "$display" ]; then
        echo "No free X display number for Xvfb" >&2
        return 1
    fi
    Xvfb ":$display" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
    QZT_XVFB_PID=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    qzt_stop_xvfb
    return 1
}

qzt_stop_xvfb() {
    [ -n "${QZT_XVFB_PID:-}" ] && kill "$QZT_XVFB_PID" 2>/dev/null
    QZT_XVFB_PID=
}

# Wine's menu builder would turn each recent file the editor reports into a
# desktop entry, and waits on the test programs' output as it does.
qzt_without_menu_builder() {
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
}

# Makes the prefix once, with the logo where start-up looks for it, and
# keeps one wineserver for the whole run.
qzt_prepare_wine() {
    qzt_wine_env
    qzt_start_wine
    qzt_without_menu_builder
    mkdir -p "$WINEPREFIX/drive_c/QZTedit"
    cp "$QZT_ROOT/samples/LOGO.bmp" "$WINEPREFIX/drive_c/QZTedit/LOGO.bmp"
}

# Makes the prefix of qzt_wine_env unless it exists and keeps one wineserver
# and Wine's services up until qzt_stop_wine.
qzt_start_wine() {
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1
    # Wine's services stop with the last program and start again with the
    # next, which costs each short test program two seconds: one program
    # that waits keeps them up.
    QZT_WINE_KEEPER=$(mktemp -u)
    mkfifo "$QZT_WINE_KEEPER"
    exec 9<>"$QZT_WINE_KEEPER"
    wine cmd.exe /c pause <&9 >/dev/null 2>&1 &
    # The desktop's process starts with the first program that shows a window
    # and would keep that program's output open for good (a test runner then
    # waits on it): started here, on nothing.
    [ -n "${DISPLAY:-}" ] && wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &
}

qzt_stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    if [ -n "${QZT_WINE_KEEPER:-}" ]; then
        exec 9>&-
        rm -f "$QZT_WINE_KEEPER"
    fi
    QZT_WINE_KEEPER=
}

# The project's version, as the release tree (tools/package) was configured,
# and the name of the release's files in dist/.
qzt_release_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$QZT_ROOT/build/win32-release/CMakeCache.txt" 2>/dev/null
}
qzt_release_name() { echo "qzt-level-editor-$(qzt_release_version)-win64"; }
