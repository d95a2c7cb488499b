#!/usr/bin/env bash
# The real program on a 1920 x 1080 screen, 1.8 times its own: keys typed while
# painting do not reach the Load entry that follows, the one-pixel checkerboard it
# loads into the reference view looks even, each window pixel as bright as the
# share of white it covers (within 40 of 255).
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The screen at 9 / 5 times, with bars of 240 pixels left and right.
screen_mapping 1920 1080
# True when the last screenshot shows the entry's red hint "Hit Enter When Done".
hint_shown() {
  shot entry
  # shellcheck disable=SC2046
  red_in_rect "$SHOT" $(window_rect 420 470 152 16)
}

start_xvfb 1920x1080
# shellcheck disable=SC2046
xdotool mousemove $(at 400 300)
write_default_settings
copy_bitmaps
# test1.pix, images of 102 x 78: image 0 black, image 1 a checkerboard of white
# (colour 15) and black, white where column + row is even.
{
  head -c $((102 * 78)) /dev/zero
  for ((row = 0; row < 78; row++)); do
    for ((pair = 0; pair < 51; pair++)); do
      if ((row % 2 == 0)); then printf '\x0f\x00'; else printf '\x00\x0f'; fi
    done
  done
} >"$WORK/test1.pix"
start_pixed
wait_window
focus_window
sleep 1

# Paint a cell, and meanwhile type a digit and Enter: no entry runs to take them. In the main
# screen Enter plays the load file's images over the reference view: typed twice, it starts and
# stops them.
# shellcheck disable=SC2046
move $(at 200 100)
click 1
tap 5
tap Return
tap Return
# Load (160, 500): the entry must wait for keys typed now.
# shellcheck disable=SC2046
move $(at 200 511)
click 1
wait_until 10 0.1 hint_shown ||
  fail "no entry hint after a click on Load, or the entry ended at once: a key typed while painting reached it ($SHOT)"
sleep 0.5
hint_shown || fail "the Load entry ended by itself: a key typed while painting reached it ($SHOT)"
# 1 and Enter go down together and stay down until the entry has ended: its next poll takes both
# (the digit first), where a key held across two polls of an entry that reads the keys as they are
# at the moment (pixed.exe's) would be taken twice.
hint_gone() { ! hint_shown; }
xdotool keydown --delay 0 1 Return
wait_until 10 0.1 hint_gone || fail "the Load entry did not end after Enter ($SHOT)"
xdotool keyup --delay 0 1 Return
sleep 0.3
shot loaded
note "image 1 loaded ($SHOT)"

# shellcheck disable=SC2046
read -r count worst x y found expected <<<"$("$PROBE" checker "$SHOT" $LEFT $TOP $NUM $DEN 6 6 102 78)"
((count > 20000)) || fail "only $count window pixels lie on the reference view"
((worst <= 40)) || fail "window pixel ($x,$y) of the reference view is $found bright, expected $expected" \
  "(the share of white it covers); the image loaded may not be image 1 if a stray key reached the entry"
note "$count window pixels of the checkerboard, each within $worst of its share of white"

focus_window
tap Escape
wait_exit 15
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: stray keys kept from the Load entry; the checkerboard even at 1920 x 1080"
