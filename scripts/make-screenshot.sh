#!/usr/bin/env bash
# Takes the main-window screenshot that the AppStream metainfo shows:
#
#   scripts/make-screenshot.sh build/app/quillabe [OUTPUT_PNG]
#
# Builds nothing. The program directory is copied into a temporary folder and started there under
# xvfb-run with a temporary HOME and three clips made with ffmpeg's lavfi sources queued; the
# window is captured with imagemagick's import. OUTPUT_PNG defaults to
# packaging/screenshots/main-window.png of this repository.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [[ -n "${SCREENSHOT_WORK:-}" ]]; then
    # Inside the virtual display.
    work=$SCREENSHOT_WORK
    env HOME="$work" XDG_CONFIG_HOME="$work/.config" XDG_RUNTIME_DIR="$work/.run" \
        QUILLABE_HOME="$work/.app" QUILLABE_POWER_DRY_RUN=1 \
        "$work/.app/quillabe" "$work/Videos/interview.wav" "$work/Videos/concert.mkv" \
        "$work/Videos/holiday.avi" >"$work/.program.log" 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
    id=
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name '^Quillabe version' 2>/dev/null | head -1 || true)
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || {
        echo "the main window did not appear" >&2
        cat "$work/.program.log" >&2
        exit 1
    }
    sleep 2 # the media probe and the first paint
    xdotool mousemove 0 0
    read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4}
        /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
    import -window root "$work/.screen.png"
    convert "$work/.screen.png" -crop "${w}x${h}+${x}+${y}" +repage -strip \
        -define png:compression-level=9 "$SCREENSHOT_OUT"
    exit 0
fi

program=${1:?usage: make-screenshot.sh PROGRAM [OUTPUT_PNG]}
out=${2:-$here/../packaging/screenshots/main-window.png}
for tool in ffmpeg xvfb-run xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || {
        echo "make-screenshot.sh needs $tool" >&2
        exit 2
    }
done
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

work=$(mktemp -d "${TMPDIR:-/tmp}/user.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -a "$(dirname "$program")" "$work/.app"
rm -f "$work/.app/info.ini"
mkdir -p "$work/Videos" "$work/.config" "$work/.run"
chmod 700 "$work/.run"
lavfi() { ffmpeg -nostdin -v error -y "$@"; }
lavfi -f lavfi -i testsrc2=size=1280x720:rate=25 -f lavfi -i sine=frequency=440 -t 12 \
    -c:v mpeg4 -q:v 4 -c:a libmp3lame -shortest "$work/Videos/holiday.avi"
lavfi -f lavfi -i testsrc2=size=640x360:rate=30 -f lavfi -i sine=frequency=220 -t 30 \
    -c:v mpeg4 -c:a aac -shortest "$work/Videos/concert.mkv"
lavfi -f lavfi -i sine=frequency=330 -t 95 "$work/Videos/interview.wav"

SCREENSHOT_WORK=$work SCREENSHOT_OUT=$out xvfb-run -a -s "-screen 0 1280x800x24" "$0"
echo "$out"
