#!/bin/sh
# Builds the libFuzzer targets (the fuzz preset: clang with address, undefined and
# float-cast-overflow sanitizers) and runs each for SECONDS (60 by default), starting from the
# committed seeds in fuzz/corpus. What a run learns goes to build/fuzz/corpus; a crash leaves its
# input in build/fuzz/crashes and fails the script.
# usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-"settings_file background_file parameter_block filter_record sample_points frame_pattern"}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 >/dev/null
mkdir -p build/fuzz/crashes
failed=0
for target in $targets; do
    learned=build/fuzz/corpus/$target
    mkdir -p "$learned"
    dict=""
    [ -f "fuzz/dict/$target.dict" ] && dict="-dict=fuzz/dict/$target.dict"
    log=build/fuzz/$target.log
    # One worker: the machine's other core belongs to the rest of the build.
    if build/fuzz/fuzz/fuzz_$target $dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build/fuzz/crashes/$target-" "$learned" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz: $target: $runs executions in ${seconds}s, no crash"
    else
        echo "fuzz: $target: FAILED, see $log and build/fuzz/crashes/"
        grep -m 3 -E "ERROR|runtime error|SUMMARY" "$log" || true
        failed=1
    fi
done
exit $failed
