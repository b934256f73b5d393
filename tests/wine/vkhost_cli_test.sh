#!/bin/sh
# vkhost.exe as a user runs it: usage and plug-in errors, a repeat without a kept parameter
# block, and dialog runs whose real windows are answered as --choice and --overwrite say.
# Usage: vkhost_cli_test.sh VKHOST.EXE PLUGIN.8bf WORKDIR
set -u
vkhost=$1 plugin=$2 work=$3
wine_run="sh $(dirname "$0")/../../cmake/wine-run.sh"
failures=0
check() {  # description, then a test command
    what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
# A 4 x 2 image: green backing on the left, a warm subject on the right.
printf 'P6\n4 2\n255\n' > in.ppm
printf '\044\260\072\044\260\072\320\170\132\320\170\132\044\260\072\044\260\072\320\170\132\320\170\132' >> in.ppm
bkg="${WINEPREFIX:-$HOME/.wine-velokrom}/drive_c/ZELVARN/VELOKROM.BKG"

$wine_run "$vkhost" > usage.txt 2>&1
check "no command: usage, status 2" [ $? -eq 2 ]
$wine_run "$vkhost" run in.ppm --image in.ppm --out out.ppm > notplugin.txt 2>&1
check "an image is no plug-in: status 2" [ $? -eq 2 ]
check "  and says why" grep -q "cannot load" notplugin.txt

$wine_run "$vkhost" run "$plugin" --image in.ppm --out out.ppm --repeat > repeat.txt 2>&1
check "repeat without a kept block: status 1" [ $? -eq 1 ]
check "  the start call refused" grep -q "^start: 1" repeat.txt
check "  nothing written" [ ! -e out.ppm ]

rm -f "$bkg"
$wine_run "$vkhost" run "$plugin" --image in.ppm --out out.ppm --choice save > save.txt 2>&1
check "saving the background: status 1" [ $? -eq 1 ]
check "  the user was told" grep -q "has been saved for use as a" save.txt
check "  the file holds the image" [ "$(wc -c < "$bkg")" -eq $((54 + 4 * 2 * 3)) ]

$wine_run "$vkhost" run "$plugin" --image in.ppm --out out.ppm --choice save --overwrite no --window cancel > no.txt 2>&1
check "overwrite refused, the preset taken the second time: status 1" [ $? -eq 1 ]
check "  asked about overwriting" grep -q "A background image already exists" no.txt

$wine_run "$vkhost" run "$plugin" --image in.ppm --out out.ppm --choice gray --params kept.bin --window cancel > gray.txt 2>&1
check "over grey, the main window cancelled: status 1" [ $? -eq 1 ]
check "  the parameter block is kept" [ "$(wc -c < kept.bin)" -eq 1528 ]
$wine_run "$vkhost" run "$plugin" --image in.ppm --out ok.ppm --choice gray --params ok.bin --window ok > ok.txt 2>&1
check "over grey, the main window confirmed: status 0" [ $? -eq 0 ]
check "  the image is written" [ -s ok.ppm ]
rm -f "$bkg"

echo "$failures failure(s)"
[ $failures -eq 0 ]
