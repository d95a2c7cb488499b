#!/usr/bin/env bash
# The editor's whole job in one run of the real program: a new save name typed
# in the settings menu, two cells painted in picked colours, Save, Quit; then
# the pix file's bytes and the settings files.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

NAME=art42
IMAGE_BYTES=$((102 * 78))

# True when some pixel of the rectangle (left top width height) of the last
# screenshot is pure red, the colour of prompts.
red_in() {
  read_colours "$SHOT" "$@"
  [[ " $COLOURS " == *" FF0000 "* ]]
}

start_editor_for_input

# Settings (160, 540): the menu shows its three sub-buttons at y = 440 and puts
# the cursor on the middle one, "save name"; a click made there opens its entry.
prompt_shown() { red_in 420 410 180 16 && red_in 420 470 152 16; }
move 200 551
click 1
wait_until 10 0.1 menu_shown || fail "the settings menu's sub-buttons did not appear ($SHOT)"
sleep 0.3
click 1
prompt_on_screen() {
  shot prompt
  prompt_shown
}
wait_until 10 0.1 prompt_on_screen || fail "no red prompt and hint after choosing \"save name\" ($SHOT)"
note "save-name entry is open ($SHOT)"

for ((i = 0; i < ${#NAME}; i++)); do
  tap "${NAME:i:1}"
done
tap Return
entry_closed() {
  shot entered
  ! red_in 420 410 240 76
}
wait_until 10 0.2 entry_closed || fail "the name entry did not end after Enter ($SHOT)"
note "typed the save name \"$NAME\""

# Colour 4 (row 4, first column), one cell; colour 29 (row 2, middle column), another.
first_x=200 first_y=100 first_colour=4
second_x=253 second_y=147 second_colour=29
move 700 74
click 3
move $first_x $first_y
click 1
move 730 40
click 3
move $second_x $second_y
click 1
sleep 0.3
shot painted
first_column=$(column_at $first_x) first_row=$(row_at $first_y)
second_column=$(column_at $second_x) second_row=$(row_at $second_y)
expect_colour "first cell" FF0000 "$SHOT" "$(grid_cell_left "$first_column")" "$(grid_cell_top "$first_row")" 4 4
expect_colour "second cell" F9E21F "$SHOT" "$(grid_cell_left "$second_column")" "$(grid_cell_top "$second_row")" 4 4

# Save (285, 500) appends the working view to the new save file.
move 330 511
click 1
saved() { [[ -f "$WORK/$NAME.pix" ]] && (($(stat -c %s "$WORK/$NAME.pix") == IMAGE_BYTES)); }
wait_until 30 0.2 saved || fail "no $IMAGE_BYTES-byte $NAME.pix after Save"
sleep 0.5 # the save's own pause
note "saved $NAME.pix"

# Quit (535, 500).
move 580 511
click 1
wait_exit 15
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"

# The image is all black (index 0) but for the two painted pixels, rows of 102.
expected_image=$(awk -v n=$IMAGE_BYTES -v a=$((first_column + first_row * 102)) -v ca=$first_colour \
  -v b=$((second_column + second_row * 102)) -v cb=$second_colour \
  'BEGIN { for (i = 0; i < n; i++) printf "%02x%s", (i == a ? ca : (i == b ? cb : 0)), (i + 1 < n ? " " : "") }')
expect_bytes "$WORK/$NAME.pix" "$expected_image"
expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes "$NAME.pix")"
expect_bytes "$WORK/LoadName.dat" "$(name_file_bytes test1.pix)"
expect_bytes "$WORK/SaveSize.dat" "66 4e"
[[ ! -e "$WORK/test1.pix" ]] || fail "test1.pix was written, though the save name was changed"
note "PASS: save name typed, two cells painted and saved, settings written"
