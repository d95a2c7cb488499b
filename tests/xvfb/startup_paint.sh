#!/usr/bin/env bash
# The real program with its settings and bitmaps: the screen after start-up is
# the headless golden start screen; painting with the mouse and picking a colour
# with the right button show in the grid and the working view.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [[ -z "$GOLDEN" || ! -f "$GOLDEN" ]]; then
  echo "SKIP: no golden start screen (${GOLDEN:-none given})"
  exit 77
fi

# The golden screen through its palette, as an 800 x 600 RGB image.
convert "$GOLDEN" -depth 8 -type TrueColor "$TEST_DIR/golden.png" || fail "cannot read the golden screen $GOLDEN"

# ImageMagick's count of pixels in which the last screenshot differs from the golden screen.
golden_difference() {
  # compare prints the count on stderr
  # shellcheck disable=SC2069
  compare -metric AE "$TEST_DIR/golden.png" "$SHOT" "$SHOTS/difference.png" 2>&1 >/dev/null || true
}

# Checks one painted image pixel: its grid cell and its working-view pixel have
# the colour; the reference view, which only loading writes, stays black.
expect_painted() {
  local what=$1 colour=$2 column=$3 row=$4
  expect_colour "$what: grid cell ($column,$row)" "$colour" "$SHOT" "$(grid_cell_left "$column")" "$(grid_cell_top "$row")" 4 4
  expect_colour "$what: working-view pixel ($column,$row)" "$colour" "$SHOT" $((6 + column)) $((128 + row)) 1 1
  expect_colour "$what: reference-view pixel ($column,$row)" 000000 "$SHOT" $((6 + column)) $((6 + row)) 1 1
}

start_xvfb
xdotool mousemove 400 300 # where the editor puts its cursor at start-up
write_default_settings
copy_bitmaps
start_pixed
wait_window

# Start-up is quick with the settings present; the screen must settle on the golden one.
settled() {
  pixed_running || fail "pixed ended during start-up"
  shot startup
  (($("$PROBE" differ "$TEST_DIR/golden.png" "$SHOT" "${TEXT_CELLS[@]}") == 0))
}
if ! wait_until 20 0.1 settled; then
  fail "the screen after start-up differs from the golden $GOLDEN in $("$PROBE" differ "$TEST_DIR/golden.png" "$SHOT" "${TEXT_CELLS[@]}") pixels (difference image $SHOTS/difference.png)"
fi
expect_size "$SHOT"
if ((${#TEXT_CELLS[@]} == 0)); then
  difference=$(golden_difference)
  [[ "$difference" == 0 ]] || fail "ImageMagick finds $difference pixels of difference from the golden screen"
fi
# The status line is written in palette entry 15, white, on black: also where the text cells differ.
status_colours=$(colours_in "$SHOT" 12 572 144 16)
[[ "$status_colours" == "000000 FFFFFF" ]] || fail "the status line should be white on black, found $status_colours ($SHOT)"
note "start screen equals the golden screen ($SHOT) outside $((${#TEXT_CELLS[@]} / 4)) text cells"

# Paint with the start colour (255, white), pick red (colour 4: row 4 of the
# first column) with the right button, paint another cell.
first_x=200 first_y=100
second_x=253 second_y=147
move $first_x $first_y
click 1
move 700 74
click 3
move $second_x $second_y
click 1
sleep 0.3
shot painted
expect_painted "first stroke, colour 255" FFFFFF "$(column_at $first_x)" "$(row_at $first_y)"
expect_painted "second stroke, colour 4" FF0000 "$(column_at $second_x)" "$(row_at $second_y)"
# The cells beside the strokes stay black: the pointer reached the editor one to one.
expect_colour "cell left of the first stroke" 000000 "$SHOT" "$(grid_cell_left $(($(column_at $first_x) - 1)))" "$(grid_cell_top "$(row_at $first_y)")" 4 4
expect_colour "cell below the second stroke" 000000 "$SHOT" "$(grid_cell_left "$(column_at $second_x)")" "$(grid_cell_top $(($(row_at $second_y) + 1)))" 4 4
# Outside the grid, the working view, the status and colour lines, the unsaved mark beside the
# buttons and the frame round the colour picked (4: x 682..707, y 66..81) nothing changed.
changed=$("$PROBE" differ "$TEST_DIR/golden.png" "$SHOT" 140 5 511 391 5 127 104 80 0 565 800 35 0 500 156 65 \
  682 66 26 16 "${TEXT_CELLS[@]}")
((changed == 0)) || fail "painting changed $changed pixels outside the grid, the working view, the bottom lines, the note area and the colour's frame"
note "painted cells are on the screen ($SHOT)"

focus_window
tap Escape
wait_exit 15
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: golden start screen, painting and colour pick, exit status 0"
