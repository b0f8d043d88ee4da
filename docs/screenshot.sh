#!/usr/bin/env bash
# Takes docs/screenshot.png: the window on a virtual X display (Xvfb) after
# "Auto" (F5) on the start state.
#   docs/screenshot.sh [BUILD_DIR]     (default: build; needs BUILD_DIR/quorvix)
# Needs xvfb, xauth, xdotool and python3-pil (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program="$build/quorvix"
[ -x "$program" ] || { echo "screenshot.sh: build the window first ($program is missing)" >&2; exit 1; }
out="$PWD/docs/screenshot.png"

xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash -s "$program" "$out" <<'INNER'
set -euo pipefail
program=$1
out=$2
# The start state has the identity matrices where the decimal mark is a point.
LC_ALL=C QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name '^Quorvix 5\.4$' | head -n 1)
sleep 1
xdotool windowfocus --sync "$window"
xdotool key --window "$window" F5
# Auto on two 3 x 3 matrices takes a moment; let the window draw it.
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
/usr/bin/python3 - "$out" "$X" "$Y" "$WIDTH" "$HEIGHT" <<'PY'
import os, sys
from PIL import ImageGrab
out, x, y, w, h = sys.argv[1], *map(int, sys.argv[2:])
ImageGrab.grab(bbox=(x, y, x + w, y + h), xdisplay=os.environ["DISPLAY"]).save(out)
PY
INNER
echo "wrote $out"
