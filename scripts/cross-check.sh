#!/bin/sh
# Proves that the native build and both Windows builds compute the same bits:
#  1. engine_fingerprint (key operations, composites, mattes, keyed colours) natively and, under
#     Wine, from the mingw-i686 and mingw-x86_64 builds;
#  2. repeat renders of a saved key on the bundled sample: the native vkhost with the plug-in
#     linked in, against vkhost.exe loading velokrom.8bf / velokrom64.8bf under Wine (whole image
#     over grey with the defocused blend, a selection with the direct blend, the matte into an
#     alpha plane).
# Prints one PASS or FAIL line per comparison. --no-build uses the programs already built.
set -eu
cd "$(dirname "$0")/.."
root=$PWD

# vkhost.exe gives the plug-in a host window: it needs a display.
if [ -z "${DISPLAY:-}" ] && [ -z "${VELOKROM_CROSS_CHECK_XVFB:-}" ] && command -v xvfb-run >/dev/null; then
    export VELOKROM_CROSS_CHECK_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

build=1
if [ "${1:-}" = "--no-build" ]; then build=0; fi

native=build/h-win-native
presets="mingw-i686 mingw-x86_64"
if [ $build = 1 ]; then
    cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$native" -j 2 --target engine_fingerprint vkhost velokrom velokrom-make-sample
    for preset in $presets; do
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" -j 2 --target engine_fingerprint vkhost velokrom_plugin
    done
fi

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velokrom}"
out=$(mktemp -d)
wineserver -p  # one Wine server for every run below
trap 'wineserver -k; rm -rf "$out"' EXIT
rc=0
pass() { echo "cross-check: PASS: $*"; }
fail() { echo "cross-check: FAIL: $*"; rc=1; }
wine_run() { sh "$root/cmake/wine-run.sh" "$@"; }

# 1. The engine alone.
"$native/tools/engine_fingerprint/engine_fingerprint" "$out/native.bin"
for preset in $presets; do
    exe="build/$preset/tools/engine_fingerprint/engine_fingerprint.exe"
    if ! wine_run "$exe" "$out/$preset.bin"; then
        fail "$exe did not run"
    elif difference=$(cmp "$out/native.bin" "$out/$preset.bin"); then
        pass "$preset engine fingerprint is byte-identical to native ($(wc -c < "$out/native.bin") bytes)"
    else
        offset=$(echo "$difference" | sed -n 's/.* byte \([0-9]*\).*/\1/p')
        where=${offset:+ in section $(python3 scripts/fingerprint-section.py "$out/native.bin" "$offset")}
        fail "$preset engine fingerprint differs from native: $difference$where"
    fi
done

# 2. The plug-in in its hosts. A key made with the command-line keyer on the sample, stored in
# a parameter block as a finished dialog run leaves it.
cd "$out"
"$root/$native/samples/velokrom-make-sample" sample >/dev/null
"$root/$native/cli/velokrom" key sample/foreground.png --auto '20,20:59,44' --select-background '380,150:399,199' \
    --select-foreground '285,150:304,199' --select-foreground '250,360:299,379' --save key.vkp >/dev/null
convert sample/foreground.png fg.ppm
python3 "$root/scripts/make-parameter-block.py" key.vkp gray-defocused.bin --gray --blend 1
python3 "$root/scripts/make-parameter-block.py" key.vkp gray-direct.bin --gray --blend 0
python3 "$root/scripts/make-parameter-block.py" key.vkp gray-matte.bin --gray --blend 1 --write-matte

# name block extension vkhost-options...: renders natively and in both Windows builds, compares
# the pixels (RGB, or RGBA with the alpha plane).
render() {
    name=$1 block=$2 ext=$3
    shift 3
    cp "$block" "native-$name.bin"
    "$root/$native/tools/vkhost/vkhost" run builtin --image fg.ppm --out "native-$name.$ext" --repeat \
        --params "native-$name.bin" "$@" >/dev/null
    convert "native-$name.$ext" "rgba:native-$name.raw"
    for preset in $presets; do
        plugin=$(ls "$root/build/$preset/plugin/"*.8bf)
        cp "$block" "$preset-$name.bin"
        if ! wine_run "$root/build/$preset/tools/vkhost/vkhost.exe" run "$plugin" --image fg.ppm --out "$preset-$name.pam" \
            --repeat --params "$preset-$name.bin" "$@" >/dev/null; then
            fail "$preset render '$name' did not run"
            continue
        fi
        convert "$preset-$name.pam" "rgba:$preset-$name.raw"
        if cmp -s "native-$name.raw" "$preset-$name.raw"; then
            pass "$preset render '$name' is byte-identical to native"
        else
            fail "$preset render '$name' differs from native: $(cmp "native-$name.raw" "$preset-$name.raw" || true)"
        fi
    done
}
render whole-defocused gray-defocused.bin ppm
render selection-direct gray-direct.bin ppm --selection 100,80:500,400
render matte-in-alpha gray-matte.bin png --alpha-plane
cd "$root"
exit $rc
