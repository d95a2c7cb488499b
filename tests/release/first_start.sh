# The first start of a program as a user installed it, shared by the checks of the release files
# (sourced after tests/xvfb/lib.sh): started with no settings files in its working folder, it shows
# the button bar of the golden start screen, its own buttons, and Escape ends it with status 0 and
# its three settings files written there.
# shellcheck shell=bash

BUTTON_BAR=(160 500 465 63) # Load, Save, Clear and Quit over Settings, Quad and Offset

# Usage: first_start PROGRAM (a .exe runs under Wine, in WORK).
first_start() {
  local program=$1 golden_bar
  [[ -n "$GOLDEN" && -f "$GOLDEN" ]] || fail "no golden start screen (${GOLDEN:-none given})"
  convert "$GOLDEN" -depth 8 -type TrueColor "$TEST_DIR/golden.png" || fail "cannot read the golden screen $GOLDEN"
  golden_bar=$("$PROBE" hash "$TEST_DIR/golden.png" "${BUTTON_BAR[@]}")
  for file in SaveName.dat LoadName.dat SaveSize.dat; do
    [[ ! -e "$WORK/$file" ]] || fail "$WORK already holds $file"
  done
  start_xvfb
  xdotool mousemove 400 300 # the pointer away from the buttons
  start_pixed "$program"
  wait_window
  buttons_shown() {
    pixed_running || fail "$(basename "$program") ended during start-up"
    shot start
    [[ "$("$PROBE" hash "$SHOT" "${BUTTON_BAR[@]}")" == "$golden_bar" ]]
  }
  # Three settings messages of 2 s each come first.
  wait_until 60 0.2 buttons_shown || fail "the button bar of $SHOT is not the golden start screen's"
  note "$(basename "$program") shows its buttons ($SHOT)"
  focus_window
  tap Escape
  wait_exit 20
  ((PIXED_STATUS == 0)) || fail "$(basename "$program") exited with status $PIXED_STATUS"
  expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes test1.pix)"
  expect_bytes "$WORK/LoadName.dat" "$(name_file_bytes test1.pix)"
  expect_bytes "$WORK/SaveSize.dat" "66 4e"
  note "$(basename "$program") ended with status 0 and wrote its settings in $WORK"
}
