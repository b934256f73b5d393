#!/bin/sh
# Runs a Windows program under Wine (CMAKE_CROSSCOMPILING_EMULATOR of the MinGW builds).
# Uses the project's prefix unless WINEPREFIX is set; scripts/setup-wine-prefix.sh makes it.
: "${WINEPREFIX:=$HOME/.wine-velokrom}"
: "${WINEDEBUG:=fixme-all}"
export WINEPREFIX WINEDEBUG
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run.sh: no Wine prefix at $WINEPREFIX; run scripts/setup-wine-prefix.sh first" >&2
    exit 125
fi
# Wine's helper processes inherit stderr and keep it open after the program ends, so CTest
# would wait for them: collect stderr in a file instead. The output is also kept, to tell a
# program's verdict from Wine's own failures around it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for attempt in 1 2 3; do
    { wine "$@" 2>"$work/err"; echo $? >"$work/rc"; } | tee "$work/out"
    rc=$(cat "$work/rc")
    cat "$work/err" >&2
    # Wine itself, not the program, failed in two ways seen here (Wine 8.0), now and then:
    # its loader could not lay out the new process (the layout is random) and gave up before the
    # program's first instruction; or the Wine process was killed by a signal after the program
    # had printed its verdict that every test passed. Neither is a verdict on the program: it
    # runs again, whole, and this is said in the output.
    if grep -q "wine: failed to map the shared user data" "$work/err"; then
        echo "wine-run.sh: Wine could not start the program; starting it again" >&2
    elif [ "$rc" -gt 128 ] && grep -q '^\[  PASSED  \]' "$work/out"; then
        echo "wine-run.sh: Wine was killed by signal $((rc - 128)) after the program passed; running it again" >&2
    else
        break
    fi
done
exit "$rc"
