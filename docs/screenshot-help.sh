#!/usr/bin/env bash
# Takes docs/screenshot-help.png: the manual's window on a virtual X display
# (Xvfb), opened with F1 from the calculator, with "Det(A)" found by Ctrl+F.
#   docs/screenshot-help.sh [BUILD_DIR]     (default: build; needs BUILD_DIR/quorvix)
# Needs xvfb, xauth, xdotool and python3-pil (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program="$build/quorvix"
[ -x "$program" ] || { echo "screenshot-help.sh: build the window first ($program is missing)" >&2; exit 1; }
out="$PWD/docs/screenshot-help.png"

xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash -s "$program" "$out" <<'INNER'
set -euo pipefail
program=$1
out=$2
LC_ALL=C QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name '^Quorvix 5\.4$' | head -n 1)
sleep 1
xdotool windowfocus --sync "$window"
xdotool key --window "$window" F1
help=$(xdotool search --sync --onlyvisible --name '^Quorvix 5\.4 Manual$' | head -n 1)
# Without a window manager the manual opens over the calculator's corner;
# put it where the whole of it shows.
xdotool windowmove --sync "$help" 0 0
xdotool windowfocus --sync "$help"
sleep 1
xdotool key --window "$help" ctrl+f
sleep 0.5
xdotool type --window "$help" --delay 60 'Det(A)'
sleep 1
eval "$(xdotool getwindowgeometry --shell "$help")"
/usr/bin/python3 - "$out" "$X" "$Y" "$WIDTH" "$HEIGHT" <<'PY'
import os, sys
from PIL import ImageGrab
out, x, y, w, h = sys.argv[1], *map(int, sys.argv[2:])
ImageGrab.grab(bbox=(x, y, x + w, y + h), xdisplay=os.environ["DISPLAY"]).save(out)
PY
INNER
echo "wrote $out"
