#!/bin/sh
# Regenerate every generated data file of the game:
#   data/DeskTop.jpg               backdrop (storage hall), 2560x1440
#   data/Sound/{1,2,3,5,6}.wav     sound cues, 16-bit PCM, 44.1 kHz mono
#   data/icons/marvesto.png        256x256 application icon
#   data/icons/hicolor/NxN/apps/marvesto.png   icon theme sizes
#
# Needs python3 (standard library only) and ImageMagick 6 (/usr/bin/convert).
# The output is deterministic: running it twice gives identical files.
set -eu

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
DATA="$ROOT/data"
PYTHON=${PYTHON:-python3}
export PYTHONDONTWRITEBYTECODE=1
CONVERT=${CONVERT:-/usr/bin/convert}

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT INT TERM

# PNG/JPEG metadata would otherwise carry timestamps.
PNG_OPTS="-strip -define png:exclude-chunks=date,time"

echo "backdrop ..."
"$PYTHON" "$HERE/backdrop.py" "$TMP/backdrop.ppm" 2560 1440
# light bloom around the lamps (a tight and a wide halo), then a touch of
# lens softness before JPEG encoding
"$CONVERT" "$TMP/backdrop.ppm" \
    \( +clone -level 60%,100% -blur 0x12 \) -compose screen -composite \
    \( +clone -level 45%,100% -blur 0x60 \) -compose screen -composite \
    -blur 0x0.7 -strip -sampling-factor 4:2:0 -interlace none -quality 85 \
    "$DATA/DeskTop.jpg"

echo "sounds ..."
"$PYTHON" "$HERE/sounds.py" "$DATA/Sound"

echo "icon ..."
"$PYTHON" "$HERE/eye_icon.py" "$TMP/eye.png" 1024
mkdir -p "$DATA/icons"
for n in 16 32 48 64 128 256; do
    dir="$DATA/icons/hicolor/${n}x${n}/apps"
    mkdir -p "$dir"
    sharpen=""
    # the smallest sizes get a little crispness back after downsampling
    if [ "$n" -le 48 ]; then
        sharpen="-unsharp 0x0.6+0.6+0"
    fi
    # shellcheck disable=SC2086
    "$CONVERT" "$TMP/eye.png" -filter Lanczos -resize "${n}x${n}" $sharpen \
        $PNG_OPTS "PNG32:$dir/marvesto.png"
done
cp "$DATA/icons/hicolor/256x256/apps/marvesto.png" "$DATA/icons/marvesto.png"

echo "done."
