#!/bin/sh
# Builds the 32-bit and 64-bit Windows targets and runs their tests under Wine on a virtual
# display, after the native keyer has made the results some of them expect. Extra arguments go
# to ctest (e.g. -R Pipl). --no-build skips configure and build.
set -eu
cd "$(dirname "$0")/.."

build=1
if [ "${1:-}" = "--no-build" ]; then build=0; shift; fi

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velokrom}"
sh scripts/setup-wine-prefix.sh

presets="mingw-i686 mingw-x86_64"
if [ $build = 1 ]; then
    for preset in $presets; do
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" -j 2
    done
fi

# The expected results that only the native command-line keyer gives, made before Wine runs.
if [ $build = 1 ]; then
    cmake --preset native-release >/dev/null
    cmake --build --preset native-release -j 2 --target velokrom velokrom-make-sample
fi
sh tests/wine/make-expected.sh build/native-release build/wine-expected

# Debian's default (fixme-all) keeps passing tests quiet but still reports a missing display.
export WINEDEBUG=fixme-all
export VELOKROM_PRESETS="$presets"
# wineserver -p keeps one server alive for all tests (0.1 s per start instead of 0.5 s);
# wineserver -k inside xvfb-run so that no Wine process outlives the X server.
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    wineserver -p
    rc=0
    for preset in $VELOKROM_PRESETS; do
        echo "== $preset"
        ctest --test-dir "build/$preset" --output-on-failure -j2 "$@" || rc=1
    done
    wineserver -k
    exit $rc' sh "$@"
