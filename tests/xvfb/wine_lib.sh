# The checks' steps for pixed.exe under Wine, sourced by lib.sh when the program is a .exe: the
# Wine prefix, the program's start, held presses, and the text cells that Wine draws in its font.
# shellcheck shell=bash disable=SC2034
# PIXED_WINE_PREFIX names the prefix that wine_prefix.sh made for this test run.

export WINEPREFIX=${PIXED_WINE_PREFIX:-}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

for tool in wine wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs wine and wine64)"
    exit 77
  fi
done
[[ -n "$WINEPREFIX" && -f "$WINEPREFIX/system.reg" ]] || fail "no Wine prefix at '$WINEPREFIX' (wine_prefix.sh makes it)"
# Wine's processes of an earlier check, bound to its display, end first.
timeout 20 wineserver -w || fail "Wine's processes of an earlier check do not end"
# pixed.exe keeps its recovery copies in %LOCALAPPDATA%\pixed, the prefix's own (Wine sets the
# variable from the prefix, whatever the environment says): none of an earlier check is offered.
WINE_STATE=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/pixed
rm -rf "$WINE_STATE"

# The start screen's texts: Wine writes them in the system's font, whose glyphs are narrower than
# the Linux program's 8 x 16 cells but for digits, one pixel wider. These rectangles (left top width
# height) are each text's cells and one more, and may differ from the golden screen.
TEXT_CELLS=(
  150 410 128 16 270 410 80 16 # Load File Name: test1.pix
  150 430 128 16 270 430 80 16 # Save File Name: test1.pix
  150 450 56 16 205 450 32 16  # Width: 102
  245 450 64 16 311 450 24 16  # Height: 78
  150 470 64 16 220 470 16 16  # Offset: 0
  12 572 144 16                # Pointer (x,y)
  460 572 136 16               # the tool's name
)

# PIXED_ARGS: the program's command line (--exclusive).
start_pixed_exe() {
  # shellcheck disable=SC2086
  (cd "$WORK" && exec wine "$1" ${PIXED_ARGS:-} >"$TEST_DIR/pixed.stdout" 2>"$TEST_DIR/pixed.stderr") &
  PIXED_PID=$!
  note "$(basename "$1") ${PIXED_ARGS:+$PIXED_ARGS }started under Wine (pid $PIXED_PID) in $WORK"
}

# Wine's own processes for the prefix end a few seconds after the program; they must not outlive
# this check's X server, which lib.sh's cleanup ends.
wine_cleanup() {
  local status=$?
  set +e # the check's status is passed on below, not acted on
  if [[ -n "$PIXED_PID" ]] && kill -0 "$PIXED_PID" 2>/dev/null; then
    kill "$PIXED_PID" 2>/dev/null || true
  fi
  timeout 20 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
  (exit "$status")
  cleanup
}
trap wine_cleanup EXIT

# Presses are held: DirectInput gives the buttons as they are at the moment of the read, and Wine
# hands the program its input once a pass, so a click shorter than a pass (up to half a second under
# load) may go unseen.
# A click is held until the screen changes (at most 5 s): the checks click only where a press
# changes it (painting, picking a colour) and means the same to every pass that sees it.
screen_changed_from() {
  import -window root "$SHOTS/click-after.png" && (($("$PROBE" differ "$1" "$SHOTS/click-after.png") > 0))
}
click() {
  import -window root "$SHOTS/click-before.png" || fail "import could not take a screenshot"
  xdotool mousedown "${1:-1}"
  wait_until 5 0.05 screen_changed_from "$SHOTS/click-before.png" || true
  xdotool mouseup "${1:-1}"
  sleep 0.25
}
# Escape is held until the program ends (at most 20 s), as it is read only between passes.
tap() {
  xdotool keydown "$1"
  if [[ "$1" == Escape ]]; then
    wait_until 20 0.1 bash -c "! kill -0 $PIXED_PID 2>/dev/null" || true
  else
    sleep 0.15
  fi
  xdotool keyup "$1"
  sleep 0.3
}

# Wine's DirectInput takes the mouse's motion from the cursor's positions: a move that comes while
# the program puts the cursor elsewhere (its first pass does) is lost. So a move is made again until
# the pointer stays where it was put.
move() {
  local try
  for try in 1 2 3 4 5 6; do
    xdotool mousemove "$1" "$2"
    sleep 0.3
    if pointer_at "$1" "$2" && sleep 0.3 && pointer_at "$1" "$2"; then
      return
    fi
    note "the move to ($1,$2) was lost (try $try)"
  done
  fail "the pointer does not stay at ($1,$2): the editor does not follow it"
}
