#!/usr/bin/env bash
# Keys the bundled sample with the command-line keyer: an Auto Setup on the backing, one
# Select Background drag in the shadow and one Select Foreground drag on the face, then the
# composite over the sample's background and the matte.
# usage: samples/key_sample.sh BUILD_DIR [OUT_DIR]     (OUT_DIR defaults to BUILD_DIR/sample)
set -euo pipefail
build=${1:?usage: samples/key_sample.sh BUILD_DIR [OUT_DIR]}
out=${2:-$build/sample}
velokrom=$build/cli/velokrom

"$build/samples/velokrom-make-sample" "$out" >/dev/null
"$velokrom" key "$out/foreground.png" --background "$out/background.png" \
    --auto "20,20:59,44" --select-background "545,420:564,469" --select-foreground "270,130:330,145" \
    --save "$out/key.vkp" >/dev/null
"$velokrom" render "$out/foreground.png" --key "$out/key.vkp" --background "$out/background.png" \
    --out "$out/composite.png" --matte "$out/matte.png" >/dev/null
echo "sample:    $out/foreground.png over $out/background.png"
echo "key:       $out/key.vkp"
echo "composite: $out/composite.png"
echo "matte:     $out/matte.png"
