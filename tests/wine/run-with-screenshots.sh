#!/bin/sh
# Runs a Wine UI test program (the first argument) and takes the screenshots it asks for: the
# test writes <tag>.ready (the window's screen rectangle: x y width height) into
# VELOKROM_SHOT_DIR and waits for <tag>.go; this script captures the rectangle from the X display
# into <tag>.png, then writes <tag>.go. The pictures go to shots/ beside the test program.
# Without a display or ImageMagick the test is not asked for screenshots.
here=$(dirname "$0")
watcher=
if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
    export VELOKROM_SHOT_DIR="$(dirname "$1")/shots"
    mkdir -p "$VELOKROM_SHOT_DIR"
    (
        while :; do
            for ready in "$VELOKROM_SHOT_DIR"/*.ready; do
                tag=${ready%.ready}
                [ -e "$ready" ] && [ ! -e "$tag.go" ] || continue
                read -r x y w h < "$ready"
                sleep 0.3  # let the last paint land
                import -window root -crop "${w}x${h}+${x}+${y}" +repage "$tag.png" 2>/dev/null
                touch "$tag.go"
            done
            sleep 0.05
        done
    ) &
    watcher=$!
fi
sh "$here/../../cmake/wine-run.sh" "$@"
rc=$?
[ -n "$watcher" ] && kill "$watcher" 2>/dev/null
exit $rc
