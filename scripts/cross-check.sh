#!/bin/sh
# Proves that the native and both Windows builds compute the same bits: runs engine_fingerprint
# natively and, under Wine, from the mingw-i686 and mingw-x86_64 builds, and compares the files.
# --no-build uses the programs already built.
set -eu
cd "$(dirname "$0")/.."

build=1
if [ "${1:-}" = "--no-build" ]; then build=0; fi

native=build/h-win-native
if [ $build = 1 ]; then
    cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$native" -j 2 --target engine_fingerprint
    for preset in mingw-i686 mingw-x86_64; do
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" -j 2 --target engine_fingerprint
    done
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$native/tools/engine_fingerprint/engine_fingerprint" "$out/native.bin"
rc=0
for preset in mingw-i686 mingw-x86_64; do
    exe="build/$preset/tools/engine_fingerprint/engine_fingerprint.exe"
    if ! sh cmake/wine-run.sh "$exe" "$out/$preset.bin"; then
        echo "cross-check: FAIL: $exe did not run"
        rc=1
        continue
    fi
    if difference=$(cmp "$out/native.bin" "$out/$preset.bin"); then
        echo "cross-check: PASS: $preset output is byte-identical to native ($(wc -c < "$out/native.bin") bytes)"
    else
        offset=$(echo "$difference" | sed -n 's/.* byte \([0-9]*\).*/\1/p')
        where=${offset:+ in section $(python3 scripts/fingerprint-section.py "$out/native.bin" "$offset")}
        echo "cross-check: FAIL: $preset output differs from native: $difference$where"
        rc=1
    fi
done
exit $rc
