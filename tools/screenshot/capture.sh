#!/usr/bin/env bash
# Runs inside `tools/wine.sh session --xvfb`: lets screenshot_stage.exe set up the scene, captures the X
# screen while the scene stands, draws in the pointer and crops the picture to the part the stage
# program names.
#   tools/screenshot/capture.sh STAGE.exe OUTPUT.png
set -euo pipefail

stage_program=$1
output=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work="$root/build/screenshot"
rm -rf "$work"
mkdir -p "$work"

# Wine's Z: drive is the Unix root.
"$root/tools/wine.sh" exec "$stage_program" "Z:${work//\//\\}" &
stage_pid=$!

deadline=$((SECONDS + 120))
until [ -f "$work/ready" ]; do
  if ! kill -0 "$stage_pid" 2>/dev/null; then
    wait "$stage_pid" || true
    echo "capture.sh: the stage program ended before the scene stood" >&2
    exit 1
  fi
  if ((SECONDS > deadline)); then echo "capture.sh: the scene did not stand within 120 s" >&2; exit 1; fi
  sleep 0.1
done
crop=$(tr -d '\r' <"$work/ready" | awk '$1 == "crop" {print $2}')
read -r pointer_x pointer_y < <(tr -d '\r' <"$work/ready" | awk '$1 == "pointer" {print $2, $3}')

# The scene stands; X may still be taking in the last drawing.
sleep 0.5
import -window root "$work/desktop.png"
touch "$work/captured"
wait "$stage_pid"

# X captures never hold the pointer, and Wine would show the cursor of the window under it (Notepad's
# text cursor) where Windows keeps the crosshair that Ombrix set before taking the capture. So Ombrix's
# own cursor is drawn in, its hotspot (two 16-bit words at byte 10 of the file) on the pointer.
cursor="$root/resources/crosshair.cur"
read -r hotspot_x hotspot_y < <(od -An -tu2 -j10 -N4 --endian=little "$cursor")
# -strip: no time stamps, so an unchanged picture gives an unchanged file.
convert "$work/desktop.png" -alpha off \
  "$cursor" -geometry "+$((pointer_x - hotspot_x))+$((pointer_y - hotspot_y))" -composite \
  -crop "$crop" +repage -strip "$output"
echo "capture.sh: wrote $output ($crop of the 1024x768 desktop)"
