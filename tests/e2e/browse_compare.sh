#!/usr/bin/env bash
# End to end, as a user would: starts zolt.exe under Xvfb, fills each pane through its "B" button
# and the Browse dialog with mouse and keyboard input, compares with Alt+C and checks on a
# screenshot that exactly the differing cells are cyan. Both folders hold one file "x.txt" of the
# same time stamp but different sizes, so in each pane only the size cell is marked.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
cd "$here"
. scripts/wine-env

if [ -z "${ZOLT_E2E_DISPLAY:-}" ]; then
  # A display of our own, of known size, without a window manager: windows sit where they ask.
  exec env ZOLT_E2E_DISPLAY=1 LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

exe="$here/build/$zolt_wine_preset/src/win32/zolt.exe"
work="$WINEPREFIX/drive_c/zolt_e2e"
out="$here/build/e2e"
rm -rf "$work" "$out"
mkdir -p "$work/left" "$work/right" "$out"
printf 'hello' >"$work/left/x.txt"
printf 'hello, world' >"$work/right/x.txt"
touch -d '2004-03-15 09:05:06' "$work/left/x.txt" "$work/right/x.txt"

fail() {
  echo "e2e: $*" >&2
  import -window root "$out/failure.png" 2>/dev/null || true
  exit 1
}

wineserver -p >/dev/null 2>&1 || true  # already running: fine
# Started in C:\zolt_e2e, which the dialog's folder list then shows first.
(cd "$work" && exec "$zolt_wine" "$exe") >"$out/zolt.log" 2>&1 &
zolt=$!
cleanup() {
  kill "$zolt" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

main=$(timeout 60 xdotool search --sync --onlyvisible --name '^ZOLT$' | head -1) ||
  fail "the main window did not appear"
sleep 1

# Without a window manager Wine draws the frames itself: a 4-pixel frame with caption and menu
# bar above the main window's client area, a 3-pixel frame and caption above the dialog's.
read -r mx my < <(xdotool getwindowgeometry "$main" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
mainX=$((mx + 4))
mainY=$((my + 42))
dialogX=$((425 + 3))
dialogY=$((219 + 22))

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
double_click() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 60 1; sleep 0.8; }

wait_dialog_shown() {
  timeout 20 xdotool search --sync --onlyvisible --name '^Browse$' >/dev/null ||
    fail "the Browse dialog did not open"
  sleep 0.5
}
wait_dialog_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Browse$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the Browse dialog did not close"
}

# The folder list's item i (0: the root), items of about 17 pixels in the list at 24, 88.
item() { echo $((dialogX + 24 + 40)) $((dialogY + 88 + 2 + 17 * $1 + 8)); }
ok() { click $((dialogX + 272 + 44)) $((dialogY + 216 + 16)); }

# Left pane: C:\, zolt_e2e (current), left, right -> open "left", OK.
click $((mainX + 17)) $((mainY + 22))
wait_dialog_shown
double_click $(item 2)
ok
wait_dialog_gone

# Right pane: the dialog reopens in "left": C:\, zolt_e2e, left -> up to zolt_e2e, then "right".
click $((mainX + 349 + 17)) $((mainY + 22))
wait_dialog_shown
double_click $(item 1)
double_click $(item 3)
ok
wait_dialog_gone

# Compare(&C) from the keyboard. The X input focus follows a click (there is no window manager
# to give it back to the main window), so the caption is clicked first.
click $((mx + 300)) $((my + 10))
xdotool key alt+c
sleep 1
import -window root "$out/shot.png"

# Share of cyan pixels in a cell of a grid, sampled inside the cell clear of its lines.
cyan_share() {
  local gridX=$1 col=$2
  local x=$((gridX + 107 * col + 6)) y=$((mainY + 41 + 25 + 4))
  convert "$out/shot.png" -crop "94x16+$x+$y" +repage -format %c histogram:info:- |
    awk '/#00FFFF/ {n += $1} END {printf "%d\n", n * 100 / (94 * 16)}'
}
status=0
for pane in left right; do
  if [ $pane = left ]; then gridX=$((mainX + 1)); else gridX=$((mainX + 350)); fi
  for col in 0 1 2; do
    share=$(cyan_share $gridX $col)
    if [ $col = 1 ]; then want="cyan"; good=$((share >= 50)); else want="not cyan"; good=$((share == 0)); fi
    echo "e2e: $pane pane, row 1, column $col: $share% cyan (want $want)"
    [ $good = 1 ] || status=1
  done
done
[ $status = 0 ] || fail "the marked cells are not the expected ones (see $out/shot.png)"
echo "e2e: browse and compare passed"
