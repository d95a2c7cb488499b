#!/usr/bin/env bash
# Names typed briskly, faster than an entry polls the keyboard (every 120 ms), come out whole and in
# order: "abcdefghij" into the save name with 80 ms presses and 40 ms between them, then into the
# load name with 60 ms presses and 100 ms between them. Both names are in the settings files at the
# end. Run with the Linux program and with pixed.exe under Wine.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

NAME=abcdefghij

# The keys of word, each held hold seconds with gap seconds after it, then Enter: one xdotool run,
# so that the pace is the one given and not that of starting a program for every key.
type_word() {
  local hold=$1 gap=$2 word=$3 steps=() key
  for key in $(grep -o . <<<"$word") Return; do
    steps+=(keydown --delay 0 "$key" sleep "$hold" keyup --delay 0 "$key" sleep "$gap")
  done
  xdotool "${steps[@]}"
}
entry_closed() {
  shot entered
  ! red_in_rect "$SHOT" 420 410 240 76
}
# Settings (160, 540), held until the menu has put the pointer on its save-name button; then the
# sub-button at x, held until its entry shows, and the name typed there once the entry polls.
type_into_menu_entry() {
  local x=$1 hold=$2 gap=$3
  move 200 551
  hold_until 1 15 pointer_at 537 450 || fail "the settings menu did not open ($SHOT)"
  sleep 0.3
  move "$x" 450
  hold_until 1 15 prompt_shown "entry-$x" || fail "no entry after the sub-button at x = $x ($SHOT)"
  # The entry's first poll comes 200 ms after it opens: keys typed before are not its own.
  sleep 0.6
  type_word "$hold" "$gap" "$NAME"
  wait_until 15 0.2 entry_closed || fail "the entry did not end after Enter ($SHOT)"
  note "typed \"$NAME\" with $hold s presses and $gap s between them into the entry at x = $x"
}

start_editor_for_input
# Wine learns where the pointer is only when it moves.
move 401 301
move 400 300
type_into_menu_entry 537 0.08 0.04 # the save name
type_into_menu_entry 452 0.06 0.1  # the load name
move 580 511 # Quit
xdotool mousedown 1
wait_exit 20
xdotool mouseup 1
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes "$NAME.pix")"
expect_bytes "$WORK/LoadName.dat" "$(name_file_bytes "$NAME.pix")"
note "PASS: all ten letters, in order, in both names"
