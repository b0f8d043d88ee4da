#!/usr/bin/env bash
# Takes the README's pictures of the window on a virtual X display (Xvfb):
#   docs/screenshot.sh [BUILD_DIR] [window|help]   (default: build window; needs BUILD_DIR/quorvix)
# window: docs/screenshot-small.png at the window's smallest size (783 x 651)
#         and docs/screenshot.png resized to 1200 x 800, after "Auto" (F5) on
#         a 4 x 4 real matrix with decimals in Matrix A and a 3 x 3 complex
#         matrix in Matrix B, at precision 3;
# help:   docs/screenshot-help.png, the manual's window opened with F1 from
#         the calculator, with "Det(A)" found by Ctrl+F.
# Needs xvfb, xauth, xdotool and python3-pil (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scene=${2:-window}
program="$build/quorvix"
[ -x "$program" ] || { echo "screenshot.sh: build the window first ($program is missing)" >&2; exit 1; }
case "$scene" in
  window) out="$PWD/docs/screenshot.png" ;;
  help) out="$PWD/docs/screenshot-help.png" ;;
  *) echo "screenshot.sh: the scene is 'window' or 'help', not '$scene'" >&2; exit 2 ;;
esac

xvfb-run -a -s "-screen 0 1280x900x24 -nolisten tcp" bash -s "$program" "$out" "$scene" <<'INNER'
set -euo pipefail
program=$1
out=$2
scene=$3
LC_ALL=C QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name '^Quorvix [0-9.]+$' | head -n 1)
sleep 1
xdotool windowfocus --sync "$window"
# Saves what the window $shot shows on the display to the file $1.
grab() {
  eval "$(xdotool getwindowgeometry --shell "$shot")"
  /usr/bin/python3 - "$1" "$X" "$Y" "$WIDTH" "$HEIGHT" <<'PY'
import os, sys
from PIL import ImageGrab
out, x, y, w, h = sys.argv[1], *map(int, sys.argv[2:])
ImageGrab.grab(bbox=(x, y, x + w, y + h), xdisplay=os.environ["DISPLAY"]).save(out)
PY
}
# Types a matrix into the editor at (x, y) of the window, replacing its text;
# each further argument is one row.
type_matrix() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  xdotool key --window "$window" ctrl+a BackSpace
  shift 2
  for row in "$@"; do
    xdotool type --window "$window" --delay 20 -- "$row"
    xdotool key --window "$window" Return
  done
}
if [ "$scene" = window ]; then
  type_matrix 100 200 '2.5 -1.25 0.75 3' '1.5 4.2 -0.5 1' '0.25 1 3.6 -2.1' '-1 0.5 2 5.75'
  type_matrix 100 390 '1+2i 3 -i' '2i 1-i 4' '5 -2+i 3i'
  xdotool key --window "$window" F5
  # Let Auto finish and the window draw it.
  sleep 3
  shot=$window
  grab "$(dirname "$out")/screenshot-small.png"
  # The larger picture: the window moved to the corner and resized.
  xdotool windowmove --sync "$window" 0 0
  xdotool windowsize --sync "$window" 1200 800
  sleep 1
else
  xdotool key --window "$window" F1
  shot=$(xdotool search --sync --onlyvisible --name '^Quorvix [0-9.]+ Manual$' | head -n 1)
  # Without a window manager the manual opens over the calculator's corner;
  # put it where the whole of it shows.
  xdotool windowmove --sync "$shot" 0 0
  xdotool windowfocus --sync "$shot"
  sleep 1
  xdotool key --window "$shot" ctrl+f
  sleep 0.5
  xdotool type --window "$shot" --delay 60 'Det(A)'
  sleep 1
fi
grab "$out"
INNER
echo "wrote $out"
