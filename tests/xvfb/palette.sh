#!/usr/bin/env bash
# A game's 16-colour palette in the folder's Palette.gpl (the classic Macintosh one, whose entry 0 is
# white and 15 black): the swatches show its colours, the editor's texts turn to its darkest and
# lightest entries and stay readable, a stroke saves the picked index, and F4 recolours the stroke on
# the screen and in Palette.gpl; pixtool's PNG of the saved file shows the same colours.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PIXTOOL=${PIXED_PIXTOOL:?PIXED_PIXTOOL names pixtool}
COLOURS=(FFFFFF FCF305 FF6402 DD0806 F20884 4600A5 0000D4 02ABEA 1FB714 006411 562C05 90713A C0C0C0 808080
  404040 000000)

{
  echo "GIMP Palette"
  echo "Name: Macintosh"
  for ((i = 0; i < 16; i++)); do
    printf '%d %d %d\tcolour %d\n' "0x${COLOURS[i]:0:2}" "0x${COLOURS[i]:2:2}" "0x${COLOURS[i]:4:2}" "$i"
  done
} >"$TEST_DIR/Palette.gpl"

start_xvfb
xdotool mousemove 400 300
write_default_settings
copy_bitmaps
cp "$TEST_DIR/Palette.gpl" "$WORK/Palette.gpl"
start_pixed
wait_window
focus_window
sleep 1

swatch_x() { echo $((695 + 35 * ($1 / 27))); }
swatch_y() { echo $((10 + 16 * ($1 % 27))); }
# pixed.exe under Wine shows its screen a while after its window.
first_swatch_shown() {
  shot start
  [[ "$(colours_in "$SHOT" "$(swatch_x 0)" "$(swatch_y 0)" 1 1)" == "${COLOURS[0]}" ]]
}
wait_until 30 0.3 first_swatch_shown || true
for ((i = 0; i < 16; i++)); do
  found=$(colours_in "$SHOT" "$(swatch_x "$i")" "$(swatch_y "$i")" 1 1)
  [[ "$found" == "${COLOURS[i]}" ]] || fail "swatch $i shows $found, expected ${COLOURS[i]} ($SHOT)"
done
# The label "Load File Name:" in the lightest entry on the darkest: white on black.
expect_colour "the field labels" "000000 FFFFFF" "$SHOT" 150 410 120 16
note "the swatches are the file's colours, the texts white on black ($SHOT)"

# Colour 8 (green), a stroke of one cell, Save: the file holds index 8 there.
move "$(swatch_x 8)" "$(swatch_y 8)"
click 3
move $((142 + 5 * 20)) $((7 + 5 * 10))
click 1
shot stroke
[[ "$(colours_in "$SHOT" $((141 + 5 * 20)) $((6 + 5 * 10)) 4 4)" == 1FB714 ]] || fail "the stroke is not green ($SHOT)"
move 330 511
click 1
file_full() { [[ -f "$WORK/test1.pix" ]] && (($(stat -c %s "$WORK/test1.pix") == 102 * 78)); }
wait_until 10 0.1 file_full || fail "Save did not write test1.pix"
[[ "$(od -An -tx1 -j $((10 * 102 + 20)) -N 1 "$WORK/test1.pix" | tr -d ' ')" == 08 ]] ||
  fail "the saved pixel is not index 8"

# F4, then 3399ff: the stroke turns sky blue where it is, and Palette.gpl says so.
tap F4
for key in 3 3 9 9 f f Return; do
  tap "$key"
done
sky_blue() {
  shot edited
  [[ "$(colours_in "$SHOT" $((141 + 5 * 20)) $((6 + 5 * 10)) 4 4)" == 3399FF ]]
}
wait_until 5 0.2 sky_blue || fail "the edit did not recolour the stroke ($SHOT)"
[[ "$(colours_in "$SHOT" "$(swatch_x 8)" "$(swatch_y 8)" 1 1)" == 3399FF ]] || fail "the swatch is not sky blue"
sed -n 's/^ *\([0-9]*\) *\([0-9]*\) *\([0-9]*\)\t.*/\1 \2 \3/p' "$WORK/Palette.gpl" | sed -n 9p | grep -qx '51 153 255' ||
  fail "Palette.gpl does not hold 3399ff as entry 8"
note "F4 recoloured the stroke and wrote Palette.gpl ($SHOT)"

(cd "$WORK" && "$PIXTOOL" export test1.pix -o "$TEST_DIR/exported.png") || fail "pixtool export failed"
[[ "$(colours_in "$TEST_DIR/exported.png" 20 10 1 1)" == 3399FF ]] || fail "pixtool's PNG does not show sky blue"
[[ "$(colours_in "$TEST_DIR/exported.png" 0 0 1 1)" == FFFFFF ]] || fail "pixtool's PNG does not show entry 0 white"
note "pixtool's PNG shows the same colours"

tap Escape
wait_exit 30
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: a 16-colour Palette.gpl shown, painted, edited and exported alike"
