#!/bin/sh
# The main window's response under Wine, in both Windows builds: from the mouse-up ending a drag
# to the display repainted, and from OK to the host image written, on the bundled sample
# (640 x 480) and on a 6000 x 4000 image of the same scene (window_figures_win32.cpp says how).
# The machine's load is printed before and after: other work on the processors slows every figure.
# usage: bench/window_figures.sh [NATIVE_BUILD] [WORK_DIR] [RUNS]
# NATIVE_BUILD has velokrom-make-sample (default build/native-release); the Windows builds are
# build/mingw-i686 and build/mingw-x86_64 with the window_figures and velokrom_plugin targets.
set -eu
cd "$(dirname "$0")/.."
# The plug-in's windows need a display.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
native=${1:-build/native-release} work=${2:-${TMPDIR:-/tmp}/velokrom-window-figures} runs=${3:-5}
mkdir -p "$work"
for size in "640 480" "6000 4000"; do
    set -- $size
    dir=$work/$1x$2
    if [ ! -f "$dir/foreground.ppm" ]; then
        "$native/samples/velokrom-make-sample" "$dir" "$1" "$2" >/dev/null
        convert "$dir/foreground.png" "$dir/foreground.ppm"
    fi
done

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velokrom}" WINEDEBUG=fixme-all
wineserver -p
trap 'wineserver -k' EXIT
echo "== load: $(uptime)"
for preset in mingw-i686 mingw-x86_64; do
    exe=build/$preset/bench/window_figures.exe
    [ -f "$exe" ] || { echo "== $preset: $exe not built"; continue; }
    plugin=$(ls build/$preset/plugin/*.8bf)
    for size in 640x480 6000x4000; do
        echo "== $preset, $size"
        sh cmake/wine-run.sh "$exe" "$plugin" "$work/$size/foreground.ppm" "$runs" 2>&1 | grep -v '^[0-9a-f]*:err:'
    done
done
echo "== load: $(uptime)"
