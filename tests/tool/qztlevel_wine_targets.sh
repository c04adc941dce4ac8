#!/usr/bin/env bash
# qztlevel.exe under Wine saving to odd targets: through a Unix symbolic link
# (absolute, and relative into another folder) it writes the file the link
# names and the link stays; a device (NUL) is refused with exit 1 and its
# cause. Links are made here with ln, since Wine's CreateSymbolicLinkW makes
# none. Usage: qztlevel_wine_targets.sh PATH/TO/qztlevel.exe with WINEPREFIX set.
set -u
exe=$(realpath "${1:?usage: qztlevel_wine_targets.sh PATH/TO/qztlevel.exe}")
samples=$(cd "$(dirname "$0")/../../samples" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "qztlevel_wine_targets: FAIL: $*" >&2; failures=$((failures + 1)); }

cd "$work" || exit 1
cp "$samples/sample.dat" "$samples/sample.bmp" .
mkdir real sub
echo old | tee real/absolute.dat >real/relative.dat
ln -s "$work/real/absolute.dat" absolute.dat
ln -s ../real/relative.dat sub/relative.dat
# Wine takes arguments that start with "/" for options: relative paths only.
wine "$exe" resave sample.dat plain.dat || fail "a plain save failed"
for link in absolute.dat sub/relative.dat; do
    target=$(readlink "$link")
    wine "$exe" resave sample.dat "$link" || fail "$link: the save failed"
    [ "$(readlink "$link")" = "$target" ] && cmp -s plain.dat "$link" || fail "$link: not the same link to the level"
done
for device in NUL '\\.\NUL'; do
    errors=$(wine "$exe" resave sample.dat "$device" 2>&1 >/dev/null)
    status=$?
    [ "$status:${errors%$'\r'}" = "1:$device: cannot save: the path is not a regular file" ] ||
        fail "$device: exit $status, said \"$errors\""
done
# No temporary file, and no file made in a device's place.
files=$(find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$files" = "./absolute.dat ./plain.dat ./real ./real/absolute.dat ./real/relative.dat ./sample.bmp ./sample.dat \
./sub ./sub/relative.dat " ] || fail "the folder holds $files"
[ "$failures" -eq 0 ]
