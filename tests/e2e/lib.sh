# Sourced by the end-to-end scripts: starts zolt.exe under Xvfb without a window manager and
# gives the user's input at the places where the windows stand.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$here/scripts/wine-env"
exe="$here/build/$zolt_wine_preset/src/win32/zolt.exe"

# Runs the calling script again on a display of its own, of known size, without a window
# manager: windows sit where they ask. The locale is $e2e_locale, C.UTF-8 (code page 1252) unless
# the script chose another.
e2e_display() {
  if [ -z "${ZOLT_E2E_DISPLAY:-}" ]; then
    exec env ZOLT_E2E_DISPLAY=1 LC_ALL="${e2e_locale:-C.UTF-8}" \
      xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}

fail() {
  echo "e2e: $*" >&2
  import -window root "$out/failure.png" 2>/dev/null || true
  exit 1
}

# The X clients that steps and probes start end within a time limit of their own: a hung one
# fails its try or its step, and never holds the script.
xdotool() { timeout 10 xdotool "$@"; }
import() { timeout 10 import "$@"; }

# Waits for the command to succeed until a deadline 20 s away, whatever its tries cost; past that
# the script fails saying what did not come. Every step after input waits so, for what it needs:
# a window, the focus, a picture.
wait_for() {
  local what=$1 deadline=$((SECONDS + 20))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "$what (waited 20 s)"
    sleep 0.1
  done
}
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# The screen's region WxH+X+Y looks like the picture in the file.
looks_like() { import -window root -crop "$1" "$out/now.png" && [ "$(compare -metric AE "$2" "$out/now.png" null: 2>&1)" = 0 ]; }

# Starts the program in folder $1 (which the dialog's folder list then shows first) and waits
# for its main window. Without a window manager Wine draws the frames itself: a 4-pixel frame
# with caption and menu bar above the main window's client area, a 3-pixel frame and caption
# above the dialog's.
start_zolt() {
  wineserver -p >/dev/null 2>&1 || true  # already running: fine
  (cd "$1" && exec "$zolt_wine" "$exe") >"$out/zolt.log" 2>&1 &
  zolt=$!
  trap 'kill "$zolt" 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
  main=$(timeout 60 xdotool search --sync --onlyvisible --name '^ZOLT$' | head -1) ||
    fail "the main window did not appear"
  root=$(xdotool search --maxdepth 0 --name '' | head -1)
  wait_for "the main window did not take the keyboard focus" has_focus "$main"
  read -r mx my < <(xdotool getwindowgeometry "$main" |
    awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
  mainX=$((mx + 4))
  mainY=$((my + 42))
  dialogX=$((425 + 3))
  dialogY=$((219 + 22))
}

# The program takes input in the order given, so a click waits for nothing; what needs its
# effect waits for that.
click() { xdotool mousemove "$1" "$2" click 1; }
double_click() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 60 1; }
# The X input focus follows a click (no window manager gives it back to the main window), so
# keys for the main window go after a click on its caption. The focus is first put on the root
# window, so that the main window having it again is the click's own doing.
main_keys() {
  xdotool windowfocus "$root"
  click $((mx + 300)) $((my + 10))
  wait_for "a click on its caption did not give the main window the keyboard focus" has_focus "$main"
  xdotool key "$@"
}

# A pane's "B" button: 0 left, 1 right.
browse() {
  click $((mainX + 349 * $1 + 17)) $((mainY + 22))
  wait_dialog_shown
}
wait_dialog_shown() {
  dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Browse$' | head -1) ||
    fail "the Browse dialog did not open"
  wait_for "the Browse dialog did not take the keyboard focus" has_focus "$dialog"
}
dialog_shown() { xdotool search --onlyvisible --name '^Browse$' >/dev/null 2>&1; }
dialog_gone() { ! dialog_shown; }
wait_dialog_gone() { wait_for "the Browse dialog did not close" dialog_gone; }

# The folder list's item i (0: the root), items one cell of the dialog's font (16 pixels) tall, in
# the list at 24, 88.
item() { echo $((dialogX + 24 + 40)) $((dialogY + 88 + 2 + 16 * $1 + 8)); }
ok() { click $((dialogX + 272 + 44)) $((dialogY + 216 + 16)); wait_dialog_gone; }
cancel() { click $((dialogX + 272 + 44)) $((dialogY + 264 + 16)); wait_dialog_gone; }
# The dialog's close box, at the right end of its caption: the dialog is 367 + 2 * 3 wide.
close_box() { click $((425 + 373 - 12)) $((219 + 12)); }
# Row r of a pane's grid (0 left, 1 right), in its name column.
grid_row() { echo $((mainX + 1 + 349 * $1 + 40)) $((mainY + 41 + 25 * $2 + 12)); }

# Share, in per cent, of cyan pixels in cell (col, row) of a pane's grid on a screenshot,
# sampled inside the cell clear of its lines; row 1 unless given.
cyan_share() {
  local shot=$1 pane=$2 col=$3 row=${4:-1}
  local x=$((mainX + 1 + 349 * pane + 107 * col + 6)) y=$((mainY + 41 + 25 * row + 4))
  convert "$shot" -crop "94x16+$x+$y" +repage -format %c histogram:info:- |
    awk '/#00FFFF/ {n += $1} END {printf "%d\n", n * 100 / (94 * 16)}'
}
