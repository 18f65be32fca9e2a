#!/usr/bin/env bash
# End to end, as a user would: starts zolt.exe under Xvfb, fills each pane through its "B" button
# and the Browse dialog with mouse and keyboard input, compares with Alt+C and checks on a
# screenshot that exactly the differing cells are cyan. Both folders hold one file "x.txt" of the
# same time stamp but different sizes, so in each pane only the size cell is marked.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_display "$0" "$@"

work="$WINEPREFIX/drive_c/zolt_e2e"
out="$here/build/e2e"
rm -rf "$work" "$out"
mkdir -p "$work/left" "$work/right" "$out"
printf 'hello' >"$work/left/x.txt"
printf 'hello, world' >"$work/right/x.txt"
touch -d '2004-03-15 09:05:06' "$work/left/x.txt" "$work/right/x.txt"

# Started in C:\zolt_e2e, which the dialog's folder list then shows first.
start_zolt "$work"

# Left pane: C:\, zolt_e2e (current), left, right -> open "left", OK.
browse 0
double_click $(item 2)
ok

# The "B" button that opened the dialog has the keyboard focus again: Space opens the dialog once
# more, and Esc closes it, leaving the pane as it is.
xdotool key space
wait_dialog_shown
xdotool key Escape
wait_dialog_gone

# Right pane: the dialog reopens in "left": C:\, zolt_e2e, left -> up to zolt_e2e, then "right".
browse 1
double_click $(item 1)
double_click $(item 3)
ok

main_keys alt+c
# Compare has repainted both grids once the size cells of both are cyan.
compared() {
  import -window root "$out/shot.png" &&
    [ "$(cyan_share "$out/shot.png" 0 1)" -ge 50 ] && [ "$(cyan_share "$out/shot.png" 1 1)" -ge 50 ]
}
wait_for "Compare(&C) did not mark both size cells (see $out/shot.png)" compared

status=0
for pane in 0 1; do
  for col in 0 1 2; do
    share=$(cyan_share "$out/shot.png" $pane $col)
    if [ $col = 1 ]; then want="cyan"; good=$((share >= 50)); else want="not cyan"; good=$((share == 0)); fi
    echo "e2e: pane $pane, row 1, column $col: $share% cyan (want $want)"
    [ $good = 1 ] || status=1
  done
done
[ $status = 0 ] || fail "the marked cells are not the expected ones (see $out/shot.png)"
echo "e2e: browse and compare passed"
