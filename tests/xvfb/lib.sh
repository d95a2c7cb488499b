# Shared steps of the real-program checks: a private X server, the editor, input and screenshots.
# shellcheck shell=bash disable=SC2034
# Sourced by the check scripts, which are called as:
#   <script> <pixed> <screen_probe> <bitmap-folder> <test-folder> [golden]

set -euo pipefail

PIXED=$(realpath -m "$1")
PROBE=$(realpath "$2")
BITMAP_DIR=$3
TEST_DIR=$(realpath -m "$4")
GOLDEN=${5:-}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WORK=$TEST_DIR/work
SHOTS=$TEST_DIR/shots
XVFB_PID=
PIXED_PID=
PIXED_STATUS=
WINDOW=
SHOT=
TITLE="DirectDraw Test for Game"

rm -rf "$TEST_DIR"
mkdir -p "$WORK" "$SHOTS"
# The Linux program's recovery copies go to this check's own state folder, never to the user's,
# and none is left from an earlier run of the check.
export XDG_STATE_HOME=$TEST_DIR/state

note() { echo "[$(date +%T.%3N)] $*"; }

# Everything the test leaves behind that helps to see what went wrong.
diagnose() {
  echo "---- diagnostics"
  echo "test folder: $TEST_DIR"
  local file
  for file in "$SHOTS"/*.png; do
    [[ -e "$file" ]] && echo "screenshot: $file"
  done
  echo "working folder: $WORK"
  ls -la "$WORK" 2>/dev/null | sed 's/^/  /' || true
  for file in "$TEST_DIR"/pixed.stdout "$TEST_DIR"/pixed.stderr "$TEST_DIR"/xvfb.log; do
    if [[ -s "$file" ]]; then
      echo "---- last lines of $file"
      tail -n 30 "$file"
    fi
  done
}

fail() {
  echo "FAIL: $*" >&2
  diagnose >&2
  exit 1
}

cleanup() {
  local status=$?
  # A check's own leftovers first (it may define cleanup_check).
  if declare -F cleanup_check >/dev/null; then
    cleanup_check || true
  fi
  if [[ -n "$PIXED_PID" ]] && kill -0 "$PIXED_PID" 2>/dev/null; then
    kill "$PIXED_PID" 2>/dev/null || true
    sleep 0.5
    kill -9 "$PIXED_PID" 2>/dev/null || true
  fi
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  exit "$status"
}
trap cleanup EXIT

# Waits until a command succeeds, trying every interval seconds for at most limit seconds.
wait_until() {
  local limit=$1 interval=$2
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep "$interval"
  done
}

# An X server of 800 x 600 (or the size given) at 24 bits on a free display. A
# white root window, so that any part of the screen the editor's window does
# not cover shows up. Like a bare X server it resets itself whenever its last
# client leaves.
start_xvfb() {
  local number_file=$TEST_DIR/display size=${1:-800x600}
  : >"$number_file"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -wr 3>"$number_file" >"$TEST_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_until 15 0.1 grep -q '^[0-9]' "$number_file" || fail "Xvfb did not start"
  DISPLAY=:$(head -n 1 "$number_file")
  export DISPLAY
  unset WAYLAND_DISPLAY
  wait_until 10 0.1 xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"
  note "Xvfb runs on $DISPLAY"
}

copy_bitmaps() {
  local count
  count=$(find "$BITMAP_DIR" -maxdepth 1 -iname '*.bmp' | wc -l)
  ((count >= 20)) || fail "expected the 20 button bitmaps in $BITMAP_DIR, found $count"
  cp "$BITMAP_DIR"/*.bmp "$WORK"/
}

# The three settings files as a run with the defaults leaves them.
write_default_settings() {
  write_name_file "$WORK/SaveName.dat" test1.pix
  write_name_file "$WORK/LoadName.dat" test1.pix
  printf '\x66\x4e' >"$WORK/SaveSize.dat"
}

# A 25-byte name file: the name, then zero bytes.
write_name_file() {
  local file=$1 name=$2
  printf '%s' "$name" >"$file"
  head -c $((25 - ${#name})) /dev/zero >>"$file"
}

# Starts the program, or the one given; a .exe runs under Wine.
start_pixed() {
  local program=${1:-$PIXED}
  if [[ "$program" == *.exe ]]; then
    start_pixed_exe "$program"
    return
  fi
  # Leaks in the X and audio libraries are theirs; ours would still show.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
  export LSAN_OPTIONS=suppressions=$HERE/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # AUDIO_DRIVER: SDL's audio driver, silent by default.
  (cd "$WORK" && SDL_AUDIODRIVER=${AUDIO_DRIVER:-dummy} exec "$program" >"$TEST_DIR/pixed.stdout" 2>"$TEST_DIR/pixed.stderr") &
  PIXED_PID=$!
  note "pixed started (pid $PIXED_PID) in $WORK"
}

pixed_running() { kill -0 "$PIXED_PID" 2>/dev/null; }

window_up() {
  pixed_running || fail "pixed ended before its window appeared"
  WINDOW=$(xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null | head -n 1) || true
  [[ -n "$WINDOW" ]]
}
wait_window() {
  wait_until 20 0.1 window_up || fail "no window titled \"$TITLE\" within 20 s"
  note "window $WINDOW is up"
}

# The keyboard is read only while the window has the input focus; without a
# window manager nobody gives it, so the test does.
focus_window() {
  timeout 10 xdotool windowfocus --sync "$WINDOW" || fail "could not give the window the input focus"
}

# A private X server, the settings and bitmaps, the program started where its
# cursor starts (400, 300), its window up and given the focus: ready for input.
start_editor_for_input() {
  start_xvfb
  xdotool mousemove 400 300
  write_default_settings
  copy_bitmaps
  start_pixed
  wait_window
  focus_window
  sleep 1
}

# Waits for pixed to end by itself; PIXED_STATUS gets its exit status.
wait_exit() {
  local limit=$1
  wait_until "$limit" 0.1 bash -c "! kill -0 $PIXED_PID 2>/dev/null" || fail "pixed still runs $limit s after it was told to end"
  set +e
  wait "$PIXED_PID"
  PIXED_STATUS=$?
  set -e
  PIXED_PID=
  note "pixed ended with status $PIXED_STATUS"
  if grep -qE 'Sanitizer|runtime error:' "$TEST_DIR/pixed.stderr"; then
    fail "the sanitizers reported an error in pixed"
  fi
}

# Takes a screenshot of the whole screen into $SHOTS/<name>.png; SHOT holds its path.
shot() {
  SHOT=$SHOTS/$1.png
  import -window root "$SHOT" || fail "import could not take a screenshot"
}

# Input through the X server's test extension, as a user's devices would give it.
# Presses are short (one xdotool run presses and releases): the editor must see
# them all the same, and a press held long has a meaning of its own (an entry
# repeats a key held half a second).
move() {
  xdotool mousemove "$1" "$2"
  sleep 0.25
}
click() {
  xdotool click "${1:-1}"
  sleep 0.25
}
# The pause keeps two keys out of one poll of an entry (every 120 ms), where
# they would be taken in the entry's table order instead of the typed order.
tap() {
  xdotool key "$1"
  sleep 0.3
}

# The keys go down in order and come up in the reverse order, a short while apart.
chord() {
  local i
  for ((i = 1; i <= $#; i++)); do
    xdotool keydown "${!i}"
    sleep 0.08
  done
  for ((i = $#; i >= 1; i--)); do
    xdotool keyup "${!i}"
    sleep 0.05
  done
  sleep 0.3
}

# A button (1 left, 3 right) held down until the command succeeds (at most limit seconds), then let
# go: the press is seen by the passes it lasts, however slow they are, and ends before a press that
# repeats (Save saves again on every pass that finds the button still down) does it twice.
hold_until() {
  local button=$1 limit=$2 status=0
  shift 2
  xdotool mousedown "$button"
  wait_until "$limit" 0.02 "$@" || status=1
  xdotool mouseup "$button"
  sleep 0.2
  return "$status"
}
# True when the system pointer is at (x, y) of the X screen.
pointer_at() {
  local location
  location=$(xdotool getmouselocation --shell)
  [[ "$location" == *"X=$1"$'\n'"Y=$2"$'\n'* ]]
}

# The distinct colours of a rectangle of a screenshot, as RRGGBB words, sorted.
# Arguments: file left top width height.
colours_in() { "$PROBE" colours "$@"; }
# The same into COLOURS, for the probes that may be negated: a probe that fails, or a rectangle
# with no pixel on the screenshot, fails the check instead of reading as "no such colour".
read_colours() {
  COLOURS=$("$PROBE" colours "$@") || fail "screen_probe cannot read the colours of $*"
  [[ -n "$COLOURS" ]] || fail "the rectangle $* holds no pixel of the screenshot"
}

# True when some pixel of the rectangle (file left top width height) is red, as the prompts are:
# pure red, or within a few levels of it where the screen is scaled.
red_in_rect() {
  local colour
  read_colours "$@"
  for colour in $COLOURS; do
    if ((0x${colour:0:2} >= 0xF0 && 0x${colour:2:2} <= 0x10 && 0x${colour:4:2} <= 0x10)); then
      return 0
    fi
  done
  return 1
}

# True when some pixel of the prompt line (left top width height) of a fresh
# screenshot, saved under the name given, is pure red, the colour of prompts.
prompt_shown() {
  shot "$1"
  read_colours "$SHOT" 420 410 180 16
  [[ " $COLOURS " == *" FF0000 "* ]]
}
# True when the settings menu's sub-buttons show in a fresh screenshot.
menu_shown() {
  shot menu
  read_colours "$SHOT" 420 440 234 20
  [[ "$COLOURS" != 000000 ]]
}

# Fails unless every pixel of the rectangle has the one colour.
expect_colour() {
  local what=$1 expected=$2 file=$3 left=$4 top=$5 width=$6 height=$7 found
  found=$(colours_in "$file" "$left" "$top" "$width" "$height")
  [[ "$found" == "$expected" ]] ||
    fail "$what: ${width}x${height} at ($left,$top) of $file should be all $expected, found: $found"
}

# How many pixels are not of the colour, outside the rectangles (left top width height ...).
pixels_not() { "$PROBE" others "$@"; }

expect_size() {
  local file=$1 size
  size=$("$PROBE" size "$file")
  [[ "$size" == 800x600 ]] || fail "screenshot $file is $size, expected 800x600"
}

# Where the 800 x 600 screen lies on an X screen of W x H as both programs lay it out (the largest
# scale that fits, NUM / DEN, black bars LEFT and TOP), for the checks that run on other sizes.
# 1:1 on 800 x 600, where the functions below give the points and rectangles themselves.
screen_mapping() {
  local w=$1 h=$2
  if ((800 * h >= 600 * w)); then
    NUM=$w DEN=800 LEFT=0 TOP=$(((h - 600 * w / 800) / 2))
  else
    NUM=$h DEN=600 LEFT=$(((w - 800 * h / 600) / 2)) TOP=0
  fi
}
NUM=1 DEN=1 LEFT=0 TOP=0
# The window point at the centre of screen point (x, y).
at() { echo $((LEFT + (2 * $1 + 1) * NUM / (2 * DEN))) $((TOP + (2 * $2 + 1) * NUM / (2 * DEN))); }
# The first window pixel showing screen point (x, y): where the editor puts the system pointer.
first_pixel() {
  echo $((LEFT + (2 * $1 * NUM - DEN + 2 * DEN - 1) / (2 * DEN))) $((TOP + (2 * $2 * NUM - DEN + 2 * DEN - 1) / (2 * DEN)))
}
# A screen rectangle (left top width height) in window pixels; scaled, its edges (which blend
# with what lies beside) left out.
window_rect() {
  if ((NUM == DEN)); then
    echo "$@"
  else
    echo $((LEFT + $1 * NUM / DEN + 2)) $((TOP + $2 * NUM / DEN + 2)) $(($3 * NUM / DEN - 4)) $(($4 * NUM / DEN - 4))
  fi
}

# The grid cell of image pixel (column, row): the 4 x 4 inside its grid lines.
grid_cell_left() { echo $((141 + 5 * $1)); }
grid_cell_top() { echo $((6 + 5 * $1)); }

# The image pixel under a cursor position (x > 135, y > 1), by the editor's truncating division.
column_at() { echo $((($1 - 140) / 5)); }
row_at() { echo $((($1 - 6) / 5)); }

# Fails unless the file holds exactly the bytes given as hexadecimal words; tells
# the first byte that differs.
expect_bytes() {
  local file=$1 expected=$2 found
  [[ -f "$file" ]] || fail "$file is missing"
  found=$(od -An -v -tx1 "$file" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  if [[ "$found" != "$expected" ]]; then
    fail "$file: $(awk -v f="$found" -v e="$expected" 'BEGIN {
      nf = split(f, fw, " "); ne = split(e, ew, " ")
      for (i = 1; i <= nf || i <= ne; i++) if ((i <= nf) != (i <= ne) || fw[i] "" != ew[i] "") break
      printf "%d bytes, expected %d; first difference at byte %d: expected %s, found %s",
        nf, ne, i - 1, (i <= ne ? ew[i] : "end of file"), (i <= nf ? fw[i] : "end of file") }')"
  fi
}

# The bytes of a 25-byte name file holding name.
name_file_bytes() {
  local name=$1 out="" i
  for ((i = 0; i < 25; i++)); do
    if ((i < ${#name})); then
      out+=$(printf '%02x ' "'${name:i:1}")
    else
      out+="00 "
    fi
  done
  echo "${out% }"
}

# Cells of the start screen that may differ from the golden screen: none for the Linux program.
TEXT_CELLS=()
# pixed.exe runs under Wine, with steps of its own.
if [[ "$PIXED" == *.exe ]]; then
  # shellcheck source=wine_lib.sh
  source "$HERE/wine_lib.sh"
fi
