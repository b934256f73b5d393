#!/bin/sh
# Runs a Windows test program under Wine. Wine's helper processes inherit stderr and keep it
# open after the test ends, so CTest would wait for them: collect stderr in a file instead.
err=$(mktemp)
wine "$@" 2>"$err"
rc=$?
cat "$err" >&2
rm -f "$err"
exit $rc
