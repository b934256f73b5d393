#!/bin/sh
# The release package as a user installs it: scripts/make-release.sh builds the zip (with a
# stand-in manual and licence text: the package test needs the files, not their words), a
# fresh Wine prefix with no drive but C: plays a newly set-up computer, the library goes into an
# editor's plug-in folder and Zelvarn\ to C:\, and installed_package_test.cpp runs the plug-in
# from there and presses Help.
# Usage: release_package_test.sh PACKAGE_TESTS.EXE RECORD_ARGUMENTS.EXE PLUGIN_NAME WORKDIR
set -eu
# It plays a person at a computer of its own: its own prefix and its own screen, so that its
# clicks, key presses and windows never reach the window tests that run beside it.
if [ -z "${VELOKROM_PACKAGE_DISPLAY:-}" ]; then
    VELOKROM_PACKAGE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
tests=$1 recorder=$2 plugin=$3 work=$4
root=$(cd "$(dirname "$0")/../.." && pwd)

rm -rf "$work"
mkdir -p "$work"
printf '%%PDF-1.4\n%% stand-in for the manual\n%%%%EOF\n' > "$work/manual.pdf"
echo "Stand-in for the licence text, for the package test only." > "$work/licence.txt"
zip=$(sh "$root/scripts/make-release.sh" --manual "$work/manual.pdf" --licence "$work/licence.txt" \
    --out "$work/dist" | tail -n 1)

export WINEPREFIX="$work/prefix"
# A fresh prefix takes more than a gigabyte: it goes when the test ends.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
sh "$root/scripts/setup-wine-prefix.sh" >/dev/null
rm -f "$WINEPREFIX/dosdevices/z:"  # no drive for the whole Linux file system
drive=$WINEPREFIX/drive_c
download=$drive/users/Public/Downloads/velokrom
mkdir -p "$download"
/usr/bin/python3 -m zipfile -e "$zip" "$download"
mkdir -p "$drive/Program Files/Editor/Plug-ins"
cp "$download/$plugin" "$drive/Program Files/Editor/Plug-ins/"
cp -r "$download/Zelvarn" "$drive/"
mkdir -p "$drive/tests"
cp "$tests" "$recorder" "$drive/tests/"

cd "$drive/tests"
VELOKROM_PLUGIN="C:\\Program Files\\Editor\\Plug-ins\\$plugin" \
    sh "$root/cmake/wine-run.sh" "C:\\tests\\$(basename "$tests")"
