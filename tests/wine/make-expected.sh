#!/bin/sh
# The Wine tests' expected results that only the native command-line keyer gives, made before
# the Wine run (scripts/run-wine-tests.sh does it): NATIVE_BUILD holds velokrom and
# velokrom-make-sample, OUT_DIR receives the files.
#
# tuning/: the 160 x 120 sample keyed as the Wine test keys it with mouse and keyboard: an Auto
# Setup drag along row 10 from column 5 to 25, a Tune Colors drag along row 40 from column 86 to
# 96 with De-Color at 40, Clip High at -80 and Clip Low at 3, Apply; then red chosen as the solid
# colour and the Solid Color blend. expected.ppm is the composite over the sample's background;
# keyed.ppm and tuned.ppm are what the display shows before and after Apply (Defocused blend).
#
# settings/: the 120 x 80 sample and the settings file `velokrom key` saves for an Auto Setup
# drag along row 10 from column 2 to 16, which the window must save through its save dialog.
#
# sample/: the bundled sample keyed with the drags of sample_drags.txt, which the Wine window
# test makes by hand: expected.ppm is the render over the sample's background in the direct
# blend, what the window's OK must write.
set -eu
native=${1:?usage: make-expected.sh NATIVE_BUILD OUT_DIR}
settings=${2:?usage: make-expected.sh NATIVE_BUILD OUT_DIR}/settings
out=$2/tuning
rm -rf "$settings"
"$native/samples/velokrom-make-sample" "$settings" 120 80 >/dev/null
convert "$settings/foreground.png" "$settings/foreground.ppm"
"$native/cli/velokrom" key "$settings/foreground.ppm" --auto 2,10:16,10 --save "$settings/auto.vkp" >/dev/null

mkdir -p "$out"
"$native/samples/velokrom-make-sample" "$out" 160 120 >/dev/null
# The Windows test host reads binary PPM; the keyer reads the same files. The pixels under each
# drag are given the colour of its first one (in both pictures): the window system may report a
# move without motion (Wine does right after the press), which the window records as one more
# sample, and with one colour under a drag the key does not depend on how many samples it got.
colour() { convert "$out/$1.png" -format "%[pixel:p{$2}]" info:; }
convert "$out/foreground.png" -fill "$(colour foreground 5,10)" -draw "rectangle 5,10 25,10" \
    -fill "$(colour foreground 86,40)" -draw "rectangle 86,40 96,40" "$out/foreground.ppm"
convert "$out/background.png" -fill "$(colour background 86,40)" -draw "rectangle 86,40 96,40" "$out/background.ppm"
key() { "$native/cli/velokrom" key "$out/foreground.ppm" --background "$out/background.ppm" "$@" >/dev/null; }
render() { "$native/cli/velokrom" render "$out/foreground.ppm" --background "$out/background.ppm" --quiet "$@" >/dev/null; }
key --auto 5,10:25,10 --save "$out/auto.vkp"
key --auto 5,10:25,10 --tune 86,40:96,40 --sliders 40,-80,3 --save "$out/key.vkp"
render --key "$out/auto.vkp" --out "$out/keyed.ppm"
render --key "$out/key.vkp" --out "$out/tuned.ppm"
render --key "$out/key.vkp" --blend solid --solid 255,0,0 --out "$out/expected.ppm"

sample=$2/sample
rm -rf "$sample" && mkdir -p "$sample"
"$native/samples/velokrom-make-sample" "$sample" >/dev/null
for name in foreground background; do convert "$sample/$name.png" "$sample/$name.ppm"; done
cp "$(dirname "$0")/sample_drags.txt" "$sample/drags.txt"
# shellcheck disable=SC2046  # each line is an option and its points
"$native/cli/velokrom" key "$sample/foreground.ppm" --background "$sample/background.ppm" \
    $(grep -v '^#' "$sample/drags.txt") --save "$sample/key.vkp" >/dev/null
"$native/cli/velokrom" render "$sample/foreground.ppm" --background "$sample/background.ppm" --key "$sample/key.vkp" \
    --blend direct --quiet --out "$sample/expected.ppm" >/dev/null
