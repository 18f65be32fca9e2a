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
cursor() { timeout 10 "${probe[@]}"; }  # a hung probe fails its try
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

# The X server's own cursor, shown before the program sets one of its own.
read -r _ root_cursor _ < <(cursor)
# The pointer over window $1 showing a cursor set for it ("$2" if given: its signature and image):
# not the server's own, nor the blank image the server shows while a window's cursor changes.
cursor_set_over() {
  local signature image window
  read -r signature image window < <(cursor) || return 1
  [ "$window" = "$1" ] && [ "$signature" != 1x1+0+0 ] && [ "$image" != "$root_cursor" ] &&
    { [ -z "${2:-}" ] || [ "$signature $image" = "$2" ]; }
}

# Started in the big folder, which the dialog then shows first: OK picks it.
start_zolt "$big"
okX=$((dialogX + 272 + 44))
okY=$((dialogY + 216 + 16))
hex_main=$(printf '0x%x' "$main")
# The arrow, hot spot and shape, as Wine shows it over the main window's caption, which the
# program leaves to it.
xdotool mousemove $((mx + 300)) $((my + 10))
wait_for "no cursor showed over the main window's caption" cursor_set_over "$hex_main"
read -r arrow_sig arrow _ < <(cursor)
# The OK button lies over the right pane's grid: the arrow there, the dialog not yet shown.
xdotool mousemove $okX $okY
wait_for "the arrow did not show over the right pane's grid" cursor_set_over "$hex_main" "$arrow_sig $arrow"

# Images other than the arrow (and than the blank between two) seen over the main window.
waits() { awk -v m="$hex_main" -v a="$arrow" '$4 == m && $3 != a && $2 != "1x1+0+0" {print $2}' "$1" | sort -u; }

# Reading the big folder for the dialog's folder list shows the wait cursor over the main window,
# where the "B" button was clicked: what the wait cursor looks like here.
timeout 30 "${probe[@]}" watch 20000 "$hex_main" "$arrow" >"$out/browse.txt" &
watch=$!
wait_for "the cursor probe did not start" test -s "$out/browse.txt"
browse 1
wait $watch || fail "the cursor probe did not end within its 30 s"
wait_sig=$(waits "$out/browse.txt" | head -1)
[ -n "$wait_sig" ] || fail "no wait cursor while the dialog's folder list was read (see $out/browse.txt)"
echo "e2e: arrow $arrow_sig, wait cursor $wait_sig"

# The dialog closes from under the pointer, which the main window's grid then has; the pane loads.
status=0
for how in click enter; do
  [ $how = click ] || browse 1
  xdotool mousemove $okX $okY
  wait_for "the arrow did not show over the dialog" cursor_set_over "$(printf '0x%x' "$dialog")" "$arrow_sig $arrow"
  timeout 30 "${probe[@]}" watch 20000 "$hex_main" "$arrow" >"$out/load-$how.txt" &
  watch=$!
  wait_for "the cursor probe did not start" test -s "$out/load-$how.txt"
  if [ $how = click ]; then xdotool click 1; else xdotool key Return; fi
  wait $watch || fail "the cursor probe did not end within its 30 s"
  wait_dialog_gone
  seen=$(waits "$out/load-$how.txt" | grep -cx -- "$wait_sig" || true)
  last=$(tail -1 "$out/load-$how.txt" | awk '{print $3, $4}')
  echo "e2e: OK by $how: wait cursor over the main window: $([ "$seen" -gt 0 ] && echo yes || echo no), then: $last"
  [ "$seen" -gt 0 ] || status=1
  [ "$last" = "$arrow $hex_main" ] || status=1
done
[ $status = 0 ] || fail "the wait cursor did not show over the main window, or the arrow did not come back (see $out)"
echo "e2e: wait cursor passed"
