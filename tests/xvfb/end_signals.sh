#!/usr/bin/env bash
# The real program told to end by the system (SIGTERM: a desktop logging out;
# SIGINT: Ctrl+C in its terminal) ends as on a close request and writes its
# settings, in the main loop, in an entry and in the settings menu; it works
# without sound when there is no audio driver or the audio device fails once
# it plays; with its working folder removed it still ends, and its exit status
# tells that the settings were lost.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# A fresh working folder with the bitmaps and settings files one byte longer
# than the program writes them: a rewritten file is told by its length.
new_run() {
  WORK=$TEST_DIR/$1
  mkdir -p "$WORK"
  copy_bitmaps
  write_name_file "$WORK/SaveName.dat" out.pix
  write_name_file "$WORK/LoadName.dat" sprites.pix
  printf '\x10\x2c\x63' >"$WORK/SaveSize.dat"
  for file in SaveName.dat LoadName.dat; do
    printf 'x' >>"$WORK/$file"
  done
  start_pixed
  wait_window
  focus_window
  sleep 0.5
}

expect_settings_written() {
  expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes out.pix)"
  expect_bytes "$WORK/LoadName.dat" "$(name_file_bytes sprites.pix)"
  expect_bytes "$WORK/SaveSize.dat" "10 2c"
}

# Sends the signal and waits for the end; a blocked entry or menu would hold it.
end_with() {
  local signal=$1 expected_status=$2 limit=${3:-20}
  kill "-$signal" "$PIXED_PID"
  wait_exit "$limit"
  ((PIXED_STATUS == expected_status)) || fail "pixed exited with status $PIXED_STATUS after SIG$signal, expected $expected_status"
}


start_xvfb
xdotool mousemove 400 300

# The main loop, no audio driver at all: Quad plays its click into nothing.
AUDIO_DRIVER=no-such-driver new_run main_loop
move 330 551
click 1
end_with TERM 0
expect_settings_written
note "SIGTERM in the main loop: settings written, exit 0"

# The Load entry, the audio device failing at its first sound (SDL's disk
# driver writing to a full device drops the device): the entry gives up.
SDL_DISKAUDIOFILE=/dev/full AUDIO_DRIVER=disk new_run load_entry
move 330 551
click 1
move 200 511
click 1
wait_until 10 0.1 prompt_shown load || fail "the Load entry did not open ($SHOT)"
tap 5
end_with INT 0
expect_settings_written
grep -q "disk i/o audio driver" "$TEST_DIR/pixed.stderr" || fail "the failing audio device was never opened"
note "SIGINT in the Load entry: settings written, exit 0"

# The settings menu, where only a click on a sub-button would end it.
new_run menu
move 200 551
click 1
wait_until 10 0.1 menu_shown || fail "the settings menu did not open ($SHOT)"
# A choice would show its prompt within a few turns of the menu.
if wait_until 2 0.1 prompt_shown menu_open; then
  fail "the menu took the press as a choice ($SHOT)"
fi
end_with TERM 0
expect_settings_written
note "SIGTERM in the settings menu: settings written, exit 0"

# The working folder removed under the program: three messages of 2 s at
# shutdown, and the exit status of settings that could not be written.
new_run removed
rm -rf "$WORK"
end_with TERM 3 30
grep -q "SaveSize.dat could not be written" "$TEST_DIR/pixed.stderr" || fail "no word on the standard error of the settings that were lost"
note "PASS: SIGTERM and SIGINT end the program with its settings; silent without audio; exit 3 without its folder"
