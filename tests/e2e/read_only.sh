#!/usr/bin/env bash
# Proves that the program only reads: a whole use of it with real input (both panes loaded
# through the Browse dialog, up and down a folder tree, drives picked, the dialog cancelled by
# Esc, by its Cancel button and by its close box and confirmed by its button and by Enter,
# Compare, double-clicks in both grids, Exit) leaves the tree byte for byte and attribute for
# attribute as it was, and the Wine prefix without a file or registry setting of the program's
# own.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_display "$0" "$@"

work="$WINEPREFIX/drive_c/zolt_ro"
out="$here/build/e2e-read-only"
rm -rf "$work" "$out"
mkdir -p "$out" "$work/left/sub/deep" "$work/right/sub" "$work/left/.cache"
printf 'hello' >"$work/left/a.txt"
printf 'hello, world' >"$work/right/a.txt"
printf 'same' | tee "$work/left/same.txt" "$work/right/same.txt" >/dev/null
head -c 1048576 /dev/urandom >"$work/left/big.bin"
cp -p "$work/left/big.bin" "$work/right/big.bin"
printf 'r' >"$work/left/readonly.txt"
printf 'h' >"$work/left/hidden.txt"
printf 's' >"$work/left/system.txt"
printf '' >"$work/left/empty.txt"
printf 'j' >"$work/left/日本語.txt"
printf 'o' >"$work/right/only-right.txt"
printf 'd' >"$work/left/sub/deep/d.txt"
printf 's' >"$work/right/sub/s.txt"
find "$work" -type f -exec touch -d '2004-03-15 09:05:07' {} +
touch -d '1975-06-01 12:00:00' "$work/left/empty.txt"
touch -d '2004-03-15 10:05:07' "$work/right/same.txt"
chmod a-w "$work/left/readonly.txt"
(cd "$work/left" && "$zolt_wine" attrib +h hidden.txt && "$zolt_wine" attrib +s system.txt) \
  >/dev/null 2>&1

snapshot() {
  # The registry is on disk once the server has ended; the program itself has ended by then.
  wineserver -k 2>/dev/null || true
  wineserver -w
  python3 "$here/tests/e2e/snapshot.py" tree "$work" >"$out/tree-$1.txt"
  python3 "$here/tests/e2e/snapshot.py" prefix "$WINEPREFIX" --skip "$work" >"$out/prefix-$1.txt"
}
# Wine first starts its own processes on this display, which write the display's settings, so
# that the snapshot before already holds them.
"$zolt_wine" cmd /c exit >/dev/null 2>&1 </dev/null || true
snapshot before
for name in hidden system; do
  grep -q "^left/$name.txt	.*user.DOSATTRIB" "$out/tree-before.txt" ||
    fail "the $name attribute was not set up (no DOSATTRIB on $name.txt)"
done

start_zolt "$work"

# Left pane: down into left, sub and deep, back up to left by its ancestor item, OK.
browse 0
double_click $(item 2)  # C:\, zolt_ro, [left], right
double_click $(item 3)  # C:\, zolt_ro, left, [sub]
double_click $(item 4)  # ..., sub, [deep]
double_click $(item 2)  # back up to left
ok
# Right pane: the dialog reopens in left; up to zolt_ro, into right, Enter presses OK.
browse 1
double_click $(item 1)
double_click $(item 3)
xdotool key Return
wait_dialog_gone

main_keys alt+c
marked() {
  import -window root "$out/compared.png" || return 1
  for pane in 0 1; do
    [ "$(cyan_share "$out/compared.png" $pane 0)$(cyan_share "$out/compared.png" $pane 1)$(cyan_share "$out/compared.png" $pane 2)" != 000 ] ||
      return 1
  done
}
wait_for "a pane shows no mark in row 1 after Compare (see $out/compared.png)" marked
double_click $(grid_row 0 2)
double_click $(grid_row 1 3)

# Cancelled three ways. Drives are picked by typing their letter into the drive list, which has
# the focus when the dialog opens.
browse 0
xdotool key Escape
wait_dialog_gone
browse 1
crop="233x22+$((dialogX + 24))+$((dialogY + 32))"
# The focused drive field is painted once it shows its focus rectangle, drawn last, over the
# selection's highlight (the colour of both XORed, in the prefix's system colours).
field_painted() {
  import -window root -crop "$crop" "$out/drive-c.png" &&
    convert "$out/drive-c.png" -format %c histogram:info:- | grep -q '#CF6905'
}
wait_for "the drive list did not show its drive" field_painted
# The field shows another drive once it differs from drive c's only in the letter's place, after
# the drive's glyph: a field half painted differs elsewhere too.
letter_changed() {
  import -window root -crop "$crop" "$out/drive-z.png" &&
    [[ $(convert "$out/drive-c.png" "$out/drive-z.png" +repage -compose difference -composite \
      -format %@ info: 2>/dev/null) =~ ^([0-9]+)x[0-9]+\+([0-9]+)\+ ]] &&
    ((BASH_REMATCH[2] >= 24 && BASH_REMATCH[1] + BASH_REMATCH[2] <= 36))
}
xdotool key z
wait_for "typing z did not show drive z in the drive field (see $out/drive-z.png)" letter_changed
xdotool key c
wait_for "typing c did not bring the drive list back to drive c" looks_like "$crop" "$out/drive-c.png"
cancel
browse 1
close_box
wait_dialog_gone
browse 0
ok
main_keys alt+c
main_keys alt+x
ended() { ! kill -0 "$zolt" 2>/dev/null; }
wait_for "Exit(&X) did not end the program" ended

snapshot after
status=0
diff "$out/tree-before.txt" "$out/tree-after.txt" >"$out/tree.diff" || {
  echo "e2e: the folder tree changed:" >&2
  cat "$out/tree.diff" >&2
  status=1
}
# Wine's own bookkeeping at every start, not the program's: it makes its device links anew and
# its display driver stamps the adapter's driver date.
wine_own='^[<>] (dosdevices(/[^\t]*)?\t|system\.reg\t\[System\\\\CurrentControlSet\\\\Control\\\\Class\\\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}\\\\0000\]\t"DriverDateData"=)'
diff "$out/prefix-before.txt" "$out/prefix-after.txt" | grep '^[<>]' >"$out/prefix.diff" || true
echo "e2e: Wine's own changes to its prefix, ignored: $(grep -cP "$wine_own" "$out/prefix.diff" || true)"
if grep -vP "$wine_own" "$out/prefix.diff" >"$out/prefix-program.diff"; then
  echo "e2e: files or registry settings changed in the Wine prefix:" >&2
  cat "$out/prefix-program.diff" >&2
  status=1
fi
[ $status = 0 ] || fail "the program wrote to the file system or the registry"
echo "e2e: $(wc -l <"$out/tree-before.txt") entries of the tree and $(wc -l <"$out/prefix-before.txt") of the prefix unchanged"
echo "e2e: read only passed"
