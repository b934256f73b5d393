#!/bin/sh
# Checks the built user manual: a PDF with a sensible number of pages, every chapter heading in
# its text, every screenshot docs/manual/screenshots.list declares embedded pixel for pixel
# (the pictures pdfimages takes out of the PDF compared with the PNGs by ImageMagick's pixel
# signature), and every text the filter shows quoted in its chapters
# (scripts/check-manual-messages.py). Ends with "manual: PASS" or "manual: FAIL: why".
#
# usage: scripts/check-manual.sh [--shots DIR] [PDF]   (defaults as scripts/build-manual.sh)
set -eu
cd "$(dirname "$0")/.."

shots=build/mingw-x86_64/tests/wine/shots
pdf=build/manual/VeloPCPS.pdf
if [ "${1:-}" = "--shots" ]; then shots=$2; shift 2; fi
[ $# -gt 0 ] && pdf=$1

# Without the pictures still waiting for their tests the manual has about 40 pages.
min_pages=30
max_pages=70
headings="Welcome to Velokrom|Installing Velokrom|Your first composite|The main window|Building the key|\
Blend modes and the reference colour|Undo, Reset and marks|Settings files|Finishing|Command reference|\
The command-line keyer|Messages and troubleshooting"

fail() {
    echo "manual: FAIL: $*"
    exit 1
}
[ -f "$pdf" ] || fail "no manual at $pdf (scripts/build-manual.sh builds it)"
pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
[ -n "$pages" ] || fail "$pdf is not a readable PDF"
[ "$pages" -ge $min_pages ] && [ "$pages" -le $max_pages ] ||
    fail "$pages pages, expected $min_pages to $max_pages"

/usr/bin/python3 scripts/check-manual-messages.py . >&2 ||
    fail "texts the filter shows are not in docs/manual/chapters (listed above)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pdftotext -layout "$pdf" "$work/text"
echo "$headings" | tr '|' '\n' > "$work/headings"
while read -r heading; do
    grep -qF "$heading" "$work/text" || fail "the heading \"$heading\" is not in the text"
done < "$work/headings"

pdfimages -png "$pdf" "$work/image"
embedded=$(for image in "$work"/image-*.png; do [ -e "$image" ] && identify -format '%#\n' "$image"; done)
count=0
for tag in $(sed -n 's/^shot[[:space:]]\{1,\}\([^[:space:]]*\).*/\1/p' docs/manual/screenshots.list); do
    [ -f "$shots/$tag.png" ] || fail "the screenshot $shots/$tag.png is missing"
    signature=$(identify -format '%#' "$shots/$tag.png")
    echo "$embedded" | grep -qx "$signature" || fail "the screenshot $tag is not embedded in $pdf"
    count=$((count + 1))
done
echo "manual: PASS ($pages pages, $count screenshots embedded)"
