#!/bin/sh
# Builds dist/velokrom-VERSION-windows.zip: both plug-in libraries, Zelvarn/VeloPCPS.pdf, the
# INSTALL note and the licence. VERSION is the project's (CMakeLists.txt), the number the
# libraries' version resources and `velokrom --version` carry.
#
# usage: scripts/make-release.sh [--manual PDF] [--licence FILE] [--out DIR]
#   --manual PDF    the user manual (default build/manual/VeloPCPS.pdf)
#   --licence FILE  the licence text (default LICENSE)
#   --out DIR       where the zip goes (default dist)
#
# Without the manual or the licence nothing is written: a package without them is not one to
# hand out. The zip is the same bytes for the same inputs (fixed times, sorted names).
set -eu
cd "$(dirname "$0")/.."

manual=build/manual/VeloPCPS.pdf
licence=LICENSE
out=dist
while [ $# -gt 0 ]; do
    case "$1" in
    --manual) manual=$2; shift 2 ;;
    --licence) licence=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--manual PDF] [--licence FILE] [--out DIR]" >&2; exit 2 ;;
    esac
done

fail() {
    echo "make-release: $*; no package written" >&2
    exit 1
}
[ -f "$manual" ] || fail "no manual at $manual (build it, or name it with --manual)"
[ "$(head -c 5 "$manual")" = "%PDF-" ] || fail "$manual is not a PDF file"
[ -f "$licence" ] || fail "no licence text at $licence (add it, or name it with --licence)"
version=$(sed -n 's/^project(velokrom VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no project version in CMakeLists.txt"

for preset in mingw-i686 mingw-x86_64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2 --target velokrom_plugin
done
i686=build/mingw-i686/plugin/velokrom.8bf
x64=build/mingw-x86_64/plugin/velokrom64.8bf
# The libraries are checked as a host sees them, version resource included, before they ship.
/usr/bin/python3 tests/wine/check_plugin_binary.py "$i686" i686 "$version" >/dev/null ||
    fail "$i686 does not pass its checks (tests/wine/check_plugin_binary.py)"
/usr/bin/python3 tests/wine/check_plugin_binary.py "$x64" x86_64 "$version" >/dev/null ||
    fail "$x64 does not pass its checks (tests/wine/check_plugin_binary.py)"

mkdir -p "$out"
zip="$out/velokrom-$version-windows.zip"
# Written beside the target and renamed into place: an interrupted run leaves no half zip.
trap 'rm -f "$zip.part"' EXIT
/usr/bin/python3 - "$zip.part" "$version" "$i686" "$x64" "$manual" "$licence" <<'PYTHON'
import sys
import zipfile

target, version, i686, x64, manual, licence = sys.argv[1:]


def text(path):
    """A text file with Windows line ends, as Notepad shows it best."""
    with open(path, encoding='utf-8') as f:
        return f.read().replace('@VERSION@', version).replace('\r\n', '\n').replace('\n', '\r\n').encode('utf-8')


def data(path):
    with open(path, 'rb') as f:
        return f.read()


entries = {
    'velokrom.8bf': data(i686),
    'velokrom64.8bf': data(x64),
    'Zelvarn/VeloPCPS.pdf': data(manual),
    'INSTALL.txt': text('packaging/INSTALL.txt'),
    'LICENSE.txt': text(licence),
}
with zipfile.ZipFile(target, 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name in sorted(entries):
        info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
        info.external_attr = 0o644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(info, entries[name])
PYTHON
mv "$zip.part" "$zip"
echo "$zip"
