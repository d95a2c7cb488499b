#!/usr/bin/env bash
# The wheel, the middle button, Alt held with a click and with a letter, and the keys the editor
# asks for, as the platform layer gives them to a program on a private X server: input_probe reads
# them through the platform's calls, once a pass as the editor does, and says what it read. Given
# input_probe.exe, the same under Wine. Presses are held until the probe has read them: under Wine
# DirectInput gives the buttons as they are at the read.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

READ=$TEST_DIR/pixed.stdout
# The Windows program's lines end in CR LF.
read_line() { tr -d '\r' <"$READ" | grep -qx "$1"; }
expect_read() {
  wait_until 10 0.05 read_line "$1" || fail "the probe did not read \"$1\"; it read: $(tr '\r\n' ' |' <"$READ")"
}
# Presses (xdotool's word: keydown or mousedown) what is given and lets go once the probe has read
# the line.
press_until_read() {
  local press=$1 what=$2 line=$3
  xdotool "$press" "$what"
  expect_read "$line"
  xdotool "${press/down/up}" "$what"
}

start_xvfb
xdotool mousemove 400 300
start_pixed
wait_until 60 0.1 read_line ready || fail "the probe did not start"
wait_window
focus_window

note "the wheel: a notch away from the user, then one towards"
xdotool click 4
expect_read "wheel 120"
xdotool click 5
expect_read "wheel -120"

note "the middle button"
press_until_read mousedown 2 "button 2 down"
expect_read "button 2 up"

note "Alt held with a left click, and with N"
xdotool keydown alt
expect_read "key MENU"
press_until_read mousedown 1 "button 0 down alt"
expect_read "button 0 up"
xdotool key n
expect_read "key N alt"
xdotool keyup alt

note "the keys"
xdotool key --delay 60 space Prior Next Delete F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 a m z 0 5 9
for key in SPACE PRIOR NEXT DELETE F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 A M Z 0 5 9; do
  expect_read "key $key"
done

xdotool keydown Escape
wait_exit 20
xdotool keyup Escape
((PIXED_STATUS == 0)) || fail "the probe ended with status $PIXED_STATUS"
note "PASS"
