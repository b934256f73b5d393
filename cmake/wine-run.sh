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
# would wait for them: collect stderr in a file instead.
err=$(mktemp)
wine "$@" 2>"$err"
rc=$?
cat "$err" >&2
rm -f "$err"
exit $rc
