#!/bin/sh
# Builds the user manual build/manual/VeloPCPS.pdf from docs/manual/ (Markdown chapters in name
# order, the print style sheet and the screenshots the Wine tests took of the real windows) with
# pandoc and WeasyPrint.
#
# usage: scripts/build-manual.sh [--shots DIR] [--out PDF]
#   --shots DIR  the screenshots (default build/mingw-x86_64/tests/wine/shots, which
#                scripts/run-wine-tests.sh fills)
#   --out PDF    where the manual goes (default build/manual/VeloPCPS.pdf)
#
# Every shot docs/manual/screenshots.list declares must be there, or nothing is written. The same
# sources and screenshots give the same bytes: no dates, and fonts subset with a fixed timestamp.
set -eu
cd "$(dirname "$0")/.."

shots=build/mingw-x86_64/tests/wine/shots
out=build/manual/VeloPCPS.pdf
while [ $# -gt 0 ]; do
    case "$1" in
    --shots) shots=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--shots DIR] [--out PDF]" >&2; exit 2 ;;
    esac
done

fail() {
    echo "build-manual: $*; no manual written" >&2
    exit 1
}
for tool in pandoc weasyprint; do
    command -v $tool >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
source=docs/manual
list=$source/screenshots.list
missing=$(sed -n 's/^shot[[:space:]]\{1,\}\([^[:space:]]*\).*/\1/p' "$list" | while read -r tag; do
    [ -f "$shots/$tag.png" ] || printf ' %s' "$tag"
done)
[ -z "$missing" ] || fail "screenshots missing from $shots:$missing (run the Wine tests: scripts/run-wine-tests.sh)"
version=$(sed -n 's/^project(velokrom VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no project version in CMakeLists.txt"

mkdir -p "$(dirname "$out")"
work=$(mktemp -d "$(dirname "$out")/.manual-work.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Absolute paths: WeasyPrint resolves the pictures and the style sheet from the page's folder.
VELOKROM_SHOT_LIST=$PWD/$list VELOKROM_SHOTS=$(cd "$shots" && pwd) \
    pandoc --from markdown --to html5 --standalone --section-divs --toc --toc-depth 2 \
    --template "$source/template.html" --metadata-file "$source/metadata.yaml" \
    --metadata version="$version" --variable css="$PWD/$source/manual.css" \
    --lua-filter "$source/screenshots.lua" \
    --output "$work/manual.html" "$source"/chapters/*.md
# fontTools stamps subset fonts with the current time unless SOURCE_DATE_EPOCH fixes it.
SOURCE_DATE_EPOCH=0 weasyprint --quiet "$work/manual.html" "$work/manual.pdf"
# Renamed into place when complete: an interrupted build leaves the previous manual or none.
mv "$work/manual.pdf" "$out"
echo "$out"
