#!/usr/bin/env bash
# The real program typed into at an ordinary pace: a click on Settings held
# 0.35 s opens the menu and no entry; a name typed with 150 ms holds, doubled
# letters among them, comes out exact; Enter in an empty name keeps the name;
# "120 Enter 64 Enter" gives 120 x 64. With ALSA as the audio driver and no
# sound card, nothing of ALSA's reaches the standard error.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

NAME=spriteballoon2200

entry_closed() {
  shot entered
  read_colours "$SHOT" 420 410 240 76
  [[ " $COLOURS " != *" FF0000 "* ]]
}
# Each key held 150 ms, with 100 ms between two keys.
type_keys() {
  local key
  for key in "$@"; do
    xdotool keydown "$key"
    sleep 0.15
    xdotool keyup "$key"
    sleep 0.1
  done
}
# Settings (160, 540) clicked with a press held for the seconds given; the menu
# must open and stay open without a choice.
open_menu() {
  move 200 551
  xdotool mousedown 1
  sleep "$1"
  xdotool mouseup 1
  wait_until 10 0.1 menu_shown || fail "the settings menu did not open ($SHOT)"
  # A choice would show its prompt within a few turns of the menu.
  if wait_until 2 0.1 prompt_shown menu_open; then
    fail "the press on Settings was taken as a choice in the menu ($SHOT)"
  fi
}
# A click on the sub-button at x in the menu, whose entry must open.
choose() {
  move "$1" 450
  click 1
  wait_until 10 0.1 prompt_shown chosen || fail "no entry after the sub-button at x = $1 ($SHOT)"
}

start_xvfb
xdotool mousemove 400 300
write_default_settings
copy_bitmaps
AUDIO_DRIVER=alsa start_pixed
wait_window
focus_window
sleep 1

open_menu 0.35
note "a 0.35 s click on Settings opened the menu and no entry"
choose 537
# shellcheck disable=SC2046 # one key a character
type_keys $(echo "$NAME" | grep -o .) Return
wait_until 10 0.2 entry_closed || fail "the name entry did not end after Enter ($SHOT)"
note "typed the save name \"$NAME\" with 150 ms holds"

open_menu 0.1
choose 537
type_keys Return
wait_until 10 0.2 entry_closed || fail "the empty name entry did not end after Enter ($SHOT)"
note "Enter in an empty name entry"

open_menu 0.1
choose 620
type_keys 1 2 0 Return
wait_until 10 0.1 prompt_shown height || fail "no height entry after the width ($SHOT)"
type_keys 6 4 Return
wait_until 10 0.2 entry_closed || fail "the height entry did not end after Enter ($SHOT)"
note "typed the size 120 Enter 64 Enter"

move 580 511 # Quit
click 1
wait_exit 15
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes "$NAME.pix")"
expect_bytes "$WORK/LoadName.dat" "$(name_file_bytes test1.pix)"
expect_bytes "$WORK/SaveSize.dat" "78 40"
grep -q "ALSA lib\|cannot find card" "$TEST_DIR/pixed.stderr" && fail "ALSA's messages reached the standard error"
[[ ! -s "$TEST_DIR/pixed.stderr" ]] || fail "pixed wrote to the standard error: $(head -c 300 "$TEST_DIR/pixed.stderr")"
note "PASS: the name exact, the empty name kept, the size 120 x 64, no press on Settings taken in the menu, a quiet standard error"
