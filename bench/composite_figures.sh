#!/usr/bin/env bash
# Figures for the row pass on a 6000 x 4000 green-screen image, all in one run:
#   1. row_pass_figures: processImage per blend mode, plain and cached, after a key change and
#      with the same key, on one thread and on all; the same from the Windows builds under Wine
#      when they are built (build/mingw-*); composite_bench: the defocus blur;
#   2. ffmpeg's chromakey + overlay on the same image, filters only (raw frames in, nothing out);
#   3. the whole 'velokrom render' (PNG in, PNG out) in the defocused, direct and --gray blends,
#      and the same through ffmpeg, with /usr/bin/time -v: seconds and peak memory; and the
#      PNGs of a render decoded and encoded alone.
# The machine's load is printed before and after: other work on the processors slows every figure.
# usage: bench/composite_figures.sh [BUILD_DIR] [WORK_DIR]
# BUILD_DIR is a release build with VELOKROM_BENCHMARKS=ON (default build/native-release).
set -euo pipefail
build=${1:-build/native-release}
work=${2:-${TMPDIR:-/tmp}/velokrom-figures}
width=6000 height=4000
mkdir -p "$work"
fg=$work/foreground.png bg=$work/background.png key=$work/key.vkp

if [ ! -f "$fg" ] || [ ! -f "$bg" ]; then
    "$build/samples/velokrom-make-sample" "$work" "$width" "$height" >/dev/null
fi
# The bundled sample's key drags, scaled from 640 x 480 (each drag keeps 1000 pixels).
"$build/cli/velokrom" key "$fg" --background "$bg" --auto "200,200:239,224" \
    --select-background "5140,3500:5159,3549" --select-foreground "2530,1100:2569,1124" --save "$key" >/dev/null

echo "== load: $(uptime)"
# Raw frames: the input of ffmpeg's filters and of row_pass_figures.
ffmpeg -v error -y -i "$fg" -f rawvideo -pix_fmt rgb24 "$work/fg.rgb"
ffmpeg -v error -y -i "$bg" -f rawvideo -pix_fmt rgb24 "$work/bg.rgb"
echo "== row_pass_figures ($width x $height)"
"$build/bench/row_pass_figures" "$width" "$height" "$work/fg.rgb" "$work/bg.rgb" "$key"
for preset in mingw-i686 mingw-x86_64; do
    exe=build/$preset/bench/row_pass_figures.exe
    if [ -f "$exe" ]; then
        echo "== row_pass_figures under Wine, $preset"
        sh cmake/wine-run.sh "$exe" "$width" "$height" "$work/fg.rgb" "$work/bg.rgb" "$key" 2>/dev/null ||
            echo "(the Wine run failed: is WINEPREFIX set up? scripts/setup-wine-prefix.sh)"
    fi
done
"$build/bench/composite_bench" "$fg" "$bg" "$key" 2>/dev/null | grep -E '^buildDefocused'

megapixels=$(awk "BEGIN { print $width * $height / 1e6 }")
seconds_of() { awk '/Elapsed \(wall clock\)/ { n = split($NF, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$1"; }
processor_of() { awk '/User time|System time/ { s += $NF } END { printf "%.2f", s }' "$1"; }
peak_mb_of() { awk '/Maximum resident set size/ { printf "%.0f", $NF / 1024 }' "$1"; }

echo "== ffmpeg chromakey + overlay, filters only"
raw="-f rawvideo -pix_fmt rgb24 -video_size ${width}x${height}"
/usr/bin/time -v -o "$work/ffmpeg-filter.time" ffmpeg -v error -threads 1 -filter_threads 1 $raw -i "$work/bg.rgb" $raw -i "$work/fg.rgb" \
    -filter_complex "[1:v]chromakey=0x2eac48:0.12:0.08[k];[0:v][k]overlay" -f null - 
s=$(seconds_of "$work/ffmpeg-filter.time")
awk "BEGIN { printf \"ffmpeg filters        %6.2f s  %7.1f MP/s, %s s processor (one thread; includes reading %s MP of raw frames)\n\", $s, $megapixels / $s, \"$(processor_of "$work/ffmpeg-filter.time")\", $megapixels }"

echo "== whole renders, PNG in and out (composite and matte)"
rgb_mb=$(awk "BEGIN { printf \"%.0f\", $width * $height * 3 / 1048576 }")
# The program's own floor: OpenImageIO's shared libraries mapped and touched before any image.
/usr/bin/time -v -o "$work/baseline.time" "$build/cli/velokrom" --help >/dev/null
baseline_mb=$(peak_mb_of "$work/baseline.time")
# The target: a render's whole peak below 4 x the image's RGB size.
target_mb=$(awk "BEGIN { printf \"%.1f\", 4 * $width * $height * 3 / 1048576 }")
render() {
    local label=$1
    shift
    /usr/bin/time -v -o "$work/render.time" "$build/cli/velokrom" render "$fg" --key "$key" "$@" \
        --out "$work/composite.png" --matte "$work/matte.png" >/dev/null
    local mb
    mb=$(peak_mb_of "$work/render.time")
    printf 'velokrom render %-9s %6.2f s (%5.2f s processor)  peak %5s MiB = %s MiB program + %.1f x the image (%s MiB)\n' \
        "$label" "$(seconds_of "$work/render.time")" "$(processor_of "$work/render.time")" "$mb" "$baseline_mb" \
        "$(awk "BEGIN { print ($mb - $baseline_mb) / $rgb_mb }")" "$rgb_mb"
}
render defocused --background "$bg"
render direct --background "$bg" --blend direct
echo "$("$build/bench/png_codec_figures" "$work" "$fg" "$bg" "$work/composite.png" "$work/matte.png")  (alone, one thread)"
render --gray --gray
echo "                          target: peak below $target_mb MiB (4 x the image's RGB size)"
# A batch over one background: that background is read again for every frame, its blur kept.
for frame in 1 2 3; do ln -sf "$(basename "$fg")" "$work/shot.$frame.png"; done
/usr/bin/time -v -o "$work/batch.time" "$build/cli/velokrom" render "$work/shot.%d.png" --frames 1-3 --key "$key" \
    --background "$bg" --out "$work/composite.%d.png" --matte "$work/matte.%d.png" --quiet >/dev/null
printf 'velokrom render 3 frames  %6.2f s (%5.2f s processor)  peak %5s MiB (defocused, one background)\n' \
    "$(seconds_of "$work/batch.time")" "$(processor_of "$work/batch.time")" "$(peak_mb_of "$work/batch.time")"
/usr/bin/time -v -o "$work/ffmpeg.time" ffmpeg -v error -y -threads 1 -filter_threads 1 -i "$bg" -i "$fg" \
    -filter_complex "[1:v]chromakey=0x2eac48:0.12:0.08[k];[0:v][k]overlay" -frames:v 1 "$work/ffmpeg-composite.png"
printf 'ffmpeg chromakey          %6.2f s (%5.2f s processor)  peak %5s MiB\n' "$(seconds_of "$work/ffmpeg.time")" \
    "$(processor_of "$work/ffmpeg.time")" "$(peak_mb_of "$work/ffmpeg.time")"
echo "== load: $(uptime)"
