#!/bin/sh
# check_digest.sh DIGEST_FILE PROGRAM...: runs PROGRAM... OUT (engine_fingerprint, under Wine for
# a Windows build) and compares the SHA-256 of OUT with the digest committed in DIGEST_FILE, so
# that a change to any key, composite or matte byte fails on every target, not only against
# another target. A deliberate change updates DIGEST_FILE in the same commit.
set -eu
expected_file=$1
shift
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$@" "$out"
expected=$(cut -d' ' -f1 "$expected_file")
actual=$(sha256sum "$out" | cut -d' ' -f1)
if [ "$actual" != "$expected" ]; then
    echo "engine fingerprint digest $actual, committed $expected" >&2
    exit 1
fi
echo "engine fingerprint digest matches ($actual)"
