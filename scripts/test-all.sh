#!/bin/bash
# Sets up a fresh Debian 12 machine (as root), builds every target and runs every test:
# native release and address+undefined sanitizer builds, both Windows builds under Wine on a
# virtual display, the native/Windows bit-for-bit cross-check, a short fuzzing run, and the user
# manual with the screenshots the Wine tests take.
# --no-install skips the package installation.
set -uo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--no-install" ]; then
    sh scripts/install-deps.sh || { echo "velokrom: package installation failed"; exit 1; }
fi

# The Wine prefix lives in the build tree: nothing is kept outside the checkout.
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine-prefix}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failures=0
step() {
    echo "== $*"
    if ! "$@" 2>&1 | tee -a "$log"; then
        echo "velokrom: step failed: $*"
        failures=$((failures + 1))
    fi
}

for preset in native-release native-asan; do
    step cmake --preset "$preset"
    step cmake --build --preset "$preset" -j 2
    step ctest --preset "$preset"
done
# Coverage-guided fuzzing of every reader of outside bytes, 15 seconds per target: with the
# build of the fuzz preset the step stays under 5 minutes.
step sh scripts/fuzz.sh 15
step sh scripts/run-wine-tests.sh
step sh scripts/cross-check.sh
# The user manual, illustrated with the screenshots the Wine tests just took.
step sh scripts/build-manual.sh
step sh scripts/check-manual.sh

# One closing line over every suite: the counts CTest printed, plus the cross-check, fuzz and
# manual lines.
passed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' "$log" |
    awk '{p += $1 - $2} END {print p + 0}')
failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$log" | awk '{f += $1} END {print f + 0}')
passed=$((passed + $(grep -c '^cross-check: PASS' "$log") + $(grep -c '^fuzz: .*no crash' "$log") +
    $(grep -c '^manual: PASS' "$log")))
failed=$((failed + $(grep -c '^cross-check: FAIL' "$log") + $(grep -c '^fuzz: .*FAILED' "$log") +
    $(grep -c '^manual: FAIL' "$log")))
# A step that failed without a failing test (a build, a configure) still fails the run.
[ "$failures" -gt 0 ] && [ "$failed" -eq 0 ] && failed=$failures
echo "velokrom: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
