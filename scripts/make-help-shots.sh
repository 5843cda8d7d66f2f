#!/usr/bin/env bash
# Takes the screenshots of the English help pages from a built program:
#
#   scripts/make-help-shots.sh build/app/quillabe [OUTPUT_FOLDER]
#
# Builds nothing. The program directory is copied into a temporary folder and run from there under
# xvfb-run with a temporary HOME, so neither the build's settings nor the user's folders are
# touched, and power actions are dry runs. The clips are made with ffmpeg's lavfi sources. The
# windows are driven with xdotool and captured with imagemagick's import.
#
# OUTPUT_FOLDER defaults to data/skin/ozu/lang/en_help/images of this repository.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The part that runs inside the virtual display: HELP_SHOTS_WORK names the prepared folder.
if [[ -n "${HELP_SHOTS_WORK:-}" ]]; then
    work=$HELP_SHOTS_WORK
    out=$HELP_SHOTS_OUT
    pid=

    start_program() {
        # A fresh settings file: the first start shows AVI with its Default profile.
        rm -f "$work/.app/info.ini"
        env HOME="$work" XDG_CONFIG_HOME="$work/.config" \
            XDG_RUNTIME_DIR="$work/.run" QUILLABE_HOME="$work/.app" QUILLABE_POWER_DRY_RUN=1 \
            "$work/.app/quillabe" "$@" >>"$work/.program.log" 2>&1 &
        pid=$!
        main=$(wait_for_window '^Quillabe version')
        sleep 1.5 # the media probe and the first paint
    }

    stop_program() {
        [[ -n "$pid" ]] || return 0
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=
    }
    trap stop_program EXIT

    # Prints the id of the first visible window whose title matches, waiting up to HELP_SHOTS_WAIT
    # seconds (ten by default).
    wait_for_window() {
        local id
        for _ in $(seq 1 $((${HELP_SHOTS_WAIT:-10} * 10))); do
            id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
            if [[ -n "$id" ]]; then
                echo "$id"
                return 0
            fi
            sleep 0.1
        done
        echo "no window titled '$1' appeared" >&2
        cat "$work/.program.log" >&2
        return 1
    }

    # X Y W H of a window on the screen.
    geometry() {
        xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
            /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
    }

    # The screen cropped to a window and the program's menus open over or beside it (the menus
    # are the program's visible windows smaller than any of its dialogs).
    shot() {
        local name=$1 x y w h
        read -r x y w h < <(
            for id in "$2" $(xdotool search --onlyvisible --class quillabe 2>/dev/null); do
                geometry "$id"
            done | awk 'NR == 1 || $3 * $4 < 100000 {
                    if (NR == 1 || $1 < l) l = $1; if (NR == 1 || $2 < t) t = $2
                    if (NR == 1 || $1 + $3 > r) r = $1 + $3; if (NR == 1 || $2 + $4 > b) b = $2 + $4 }
                END { print l, t, r - l, b - t }')
        import -window root "$work/.screen.png"
        convert "$work/.screen.png" -crop "${w}x${h}+${x}+${y}" +repage -strip \
            -define png:compression-level=9 "$out/$name.png"
        if command -v optipng >/dev/null; then
            optipng -quiet -o2 "$out/$name.png"
        fi
        echo "$out/$name.png"
    }

    # A point of the main window, from its top left corner. The points below are those of the
    # shipped skin's layout.
    at() {
        local x y w h
        read -r x y w h < <(geometry "$main")
        echo $((x + $1)) $((y + $2))
    }

    # Moves the mouse to a point of the main window and clicks BUTTON there (default 1, none: 0).
    click() {
        local px py
        read -r px py < <(at "$1" "$2")
        xdotool mousemove "$px" "$py"
        [[ "${3:-1}" == 0 ]] || xdotool click "${3:-1}"
        sleep 0.6
    }

    # The empty main window.
    start_program
    shot main-empty "$main"
    stop_program

    # Files queued from the command line, the last one selected.
    camera=$work/Videos/camera
    clips=("$camera/holiday.avi" "$camera/interview.wav" "$camera/concert.mkv" "$camera/party.avi")
    start_program "${clips[@]}"
    xdotool mousemove 0 0
    shot main-files "$main"

    # The menu of the selected file and its Output Format submenu, the menu's last entry, opened
    # with the keys so that no menu position has to be known.
    click 200 111 3
    xdotool key Up Right
    sleep 0.8
    shot format-menu "$main"
    xdotool key Down Right # "To MP4" opens the MP4 presets
    sleep 0.8
    shot mp4-presets "$main"
    xdotool key Escape Escape Escape
    sleep 0.5

    # Settings (F12).
    click 300 50
    xdotool key F12
    settings=$(wait_for_window '^Settings$')
    sleep 0.5
    shot settings "$settings"
    xdotool key Escape
    sleep 0.5

    # File Information of the selected file, from "More Information...".
    click 200 91 # the third file
    click 654 535
    info=$(wait_for_window '^File Information')
    sleep 1
    shot file-information "$info"
    xdotool key Escape
    sleep 0.5

    # The progress window while the long clip converts.
    # A file that went away after it was queued fails, and its entry shows so.
    rm "$camera/party.avi"
    click 677 252 # Convert
    progress=$(wait_for_window 'progress|Conveting|%')
    sleep 3
    shot progress "$progress"

    # The encoder's error line about the missing file, in front of the progress window.
    error=$(HELP_SHOTS_WAIT=60 wait_for_window '^Error$')
    sleep 0.5
    shot error-message "$progress"
    xdotool windowfocus --sync "$error" key Return

    # The list after the batch, with the state icons of the results.
    for _ in $(seq 1 600); do
        xdotool search --onlyvisible --name 'progress|Conveting|%' >/dev/null 2>&1 || break
        sleep 0.1
    done
    sleep 1
    xdotool mousemove 0 0
    shot main-done "$main"
    stop_program
    exit 0
fi

program=${1:?usage: make-help-shots.sh PROGRAM [OUTPUT_FOLDER]}
out=${2:-$here/../data/skin/ozu/lang/en_help/images}
for tool in ffmpeg xvfb-run xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || {
        echo "make-help-shots.sh needs $tool" >&2
        exit 2
    }
done
[[ -x "$program" ]] || {
    echo "not a program: $program" >&2
    exit 2
}
mkdir -p "$out"
out=$(cd "$out" && pwd)

# The temporary folder is the home of the pictured session: the paths in the pictures read like
# a user's own (/tmp/user.XXX/Videos/camera/holiday.avi).
work=$(mktemp -d "${TMPDIR:-/tmp}/user.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -a "$(dirname "$program")" "$work/.app"
mkdir -p "$work/Videos/camera" "$work/Documents" "$work/.config" "$work/.run"
chmod 700 "$work/.run"

lavfi() { ffmpeg -nostdin -v error -y "$@"; }
lavfi -f lavfi -i testsrc2=size=640x360:rate=25 -f lavfi -i sine=frequency=440 -t 4 \
    -c:v mpeg4 -c:a libmp3lame -shortest "$work/Videos/camera/holiday.avi"
cp "$work/Videos/camera/holiday.avi" "$work/Videos/camera/party.avi"
lavfi -f lavfi -i sine=frequency=330 -t 5 "$work/Videos/camera/interview.wav"
# Long enough to keep the progress window open while it is captured.
lavfi -f lavfi -i testsrc2=size=1280x720:rate=25 -f lavfi -i sine=frequency=220 -t 40 \
    -c:v mpeg4 -q:v 5 -c:a libmp3lame -shortest "$work/Videos/camera/concert.mkv"

HELP_SHOTS_WORK=$work HELP_SHOTS_OUT=$out \
    xvfb-run -a -s "-screen 0 1024x768x24" "$here/make-help-shots.sh"
