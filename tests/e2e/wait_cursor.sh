#!/usr/bin/env bash
# End to end, as a user would: a pane loading a big folder shows the wait cursor over the main
# window when the Browse dialog closed from under the pointer (OK clicked with the mouse, or Enter
# with the pointer over the dialog), and the arrow after. Under Wine each top-level window has an
# X cursor of its own, so the cursor the user sees is read from the X server.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_display "$0" "$@"

out="$here/build/e2e-wait-cursor"
big="$here/build/wait-cursor-folder"
probe=(python3 "$here/tests/e2e/cursor_probe.py")
rm -rf "$out"
mkdir -p "$out"
# Made natively and kept: through Wine each new file in a large folder costs a scan of the folder.
python3 - "$big" <<'PY'
import os, sys
folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
for i in range(100000):
    path = os.path.join(folder, "file_%06d.txt" % i)
    if not os.path.exists(path):
        open(path, "wb").close()
PY

# Started in the big folder, which the dialog then shows first: OK picks it.
start_zolt "$big"
okX=$((dialogX + 272 + 44))
okY=$((dialogY + 216 + 16))
# The OK button lies over the right pane's grid: the arrow there, the dialog not yet shown.
xdotool mousemove $okX $okY
sleep 0.5
read -r arrow_sig arrow < <("${probe[@]}")
hex_main=$(printf '0x%x' "$main")

# Images other than the arrow (and than the blank between two) seen over the main window.
waits() { awk -v m="$hex_main" -v a="$arrow" '$4 == m && $3 != a && $2 != "1x1+0+0" {print $2}' "$1" | sort -u; }

# Reading the big folder for the dialog's folder list shows the wait cursor over the main window,
# where the "B" button was clicked: what the wait cursor looks like here.
"${probe[@]}" watch 20000 "$hex_main" "$arrow" >"$out/browse.txt" &
watch=$!
until [ -s "$out/browse.txt" ]; do sleep 0.05; done  # the probe is reading
browse 1
wait $watch
wait_sig=$(waits "$out/browse.txt" | head -1)
[ -n "$wait_sig" ] || fail "no wait cursor while the dialog's folder list was read (see $out/browse.txt)"
echo "e2e: arrow $arrow_sig, wait cursor $wait_sig"

# The dialog closes from under the pointer, which the main window's grid then has; the pane loads.
status=0
for how in click enter; do
  [ $how = click ] || browse 1
  xdotool mousemove $okX $okY
  sleep 0.5
  "${probe[@]}" watch 20000 "$hex_main" "$arrow" >"$out/load-$how.txt" &
  watch=$!
  until [ -s "$out/load-$how.txt" ]; do sleep 0.05; done  # the probe is reading
  if [ $how = click ]; then xdotool click 1; else xdotool key Return; fi
  wait $watch
  wait_dialog_gone
  seen=$(waits "$out/load-$how.txt" | grep -cx -- "$wait_sig" || true)
  last=$(tail -1 "$out/load-$how.txt" | awk '{print $3, $4}')
  echo "e2e: OK by $how: wait cursor over the main window: $([ "$seen" -gt 0 ] && echo yes || echo no), then: $last"
  [ "$seen" -gt 0 ] || status=1
  [ "$last" = "$arrow $hex_main" ] || status=1
done
[ $status = 0 ] || fail "the wait cursor did not show over the main window, or the arrow did not come back (see $out)"
echo "e2e: wait cursor passed"
