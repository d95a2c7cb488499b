#!/usr/bin/env bash
# The artist's tools typed and dragged as a person does: a red rectangle, its inside filled with
# yellow, a diagonal line, a flip left to right, Save; the saved bytes are the model's, worked out
# here. Then Ctrl+Z three times takes back the flip, the line and the fill: the screen shows the
# rectangle alone where it was drawn.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

IMAGE_BYTES=$((102 * 78))
RED=FF0000 BLACK=000000

# The cursor over a grid cell's inside.
cell_x() { echo $((142 + 5 * $1)); }
cell_y() { echo $((7 + 5 * $1)); }
# True when the grid cell (column, row) of a fresh screenshot has the colour RRGGBB.
cell_is() {
  shot cells
  [[ "$(colours_in "$SHOT" "$(grid_cell_left "$1")" "$(grid_cell_top "$2")" 4 4)" == "$3" ]]
}
expect_cell() {
  wait_until 5 0.1 cell_is "$2" "$3" "$4" ||
    fail "$1: grid cell ($2,$3) shows $(colours_in "$SHOT" "$(grid_cell_left "$2")" "$(grid_cell_top "$3")" 4 4), expected $4 ($SHOT)"
}
# The right button on the swatch of colour n.
pick() {
  move $((695 + 35 * ($1 / 27))) $((10 + 16 * ($1 % 27)))
  click 3
}
# Pressed on one cell, moved over a third on the way, let go on another.
drag() {
  move "$(cell_x "$1")" "$(cell_y "$2")"
  xdotool mousedown 1
  sleep 0.25
  move "$(cell_x "$5")" "$(cell_y "$6")"
  move "$(cell_x "$3")" "$(cell_y "$4")"
  xdotool mouseup 1
  sleep 0.25
}

start_editor_for_input
# No test1.pix yet: the image is black (index 0).
pick 4 # red
tap u  # rectangle
drag 10 10 30 25 50 40
expect_cell "the rectangle's corner" 30 25 $RED
expect_cell "inside the rectangle, before the fill" 20 17 $BLACK
pick 29 # yellow
tap g   # fill
move "$(cell_x 20)" "$(cell_y 17)"
click 1
expect_cell "the fill" 20 17 F9E21F
pick 54
tap l # line
drag 40 5 80 30 60 70
shot drawn
chord shift h
expect_cell "the flip" $((101 - 10)) 17 $RED

move 330 511 # Save
click 1
file_full() { [[ -f "$WORK/test1.pix" ]] && (($(stat -c %s "$WORK/test1.pix") == IMAGE_BYTES)); }
wait_until 10 0.1 file_full || fail "Save did not write one image into test1.pix"

# The model: black, the rectangle's border red (4) and its inside yellow (29), the line (54) taking
# at each column the row nearest the ideal line (a tie going toward the end further right), then
# every row mirrored.
model=$(python3 - <<'EOF'
import math
W, H = 102, 78
image = [0] * (W * H)
for y in range(10, 26):
    for x in range(10, 31):
        image[y * W + x] = 4 if x in (10, 30) or y in (10, 25) else 29
x0, y0, x1, y1 = 40, 5, 80, 30
for x in range(x0, x1 + 1):
    ideal = y0 + (x - x0) * (y1 - y0) / (x1 - x0)
    below = math.floor(ideal)
    image[(below if ideal - below < 0.5 else below + 1) * W + x] = 54
flipped = [image[y * W + (W - 1 - x)] for y in range(H) for x in range(W)]
print(' '.join('%02x' % b for b in flipped))
EOF
)
expect_bytes "$WORK/test1.pix" "$model"
note "the saved image is the model's"

chord ctrl z
expect_cell "Ctrl+Z takes the flip back" 10 17 $RED
chord ctrl z
expect_cell "Ctrl+Z takes the line back" 80 30 $BLACK
chord ctrl z
expect_cell "Ctrl+Z takes the fill back" 20 17 $BLACK
expect_cell "the rectangle stays" 30 10 $RED
expect_colour "the working view after three undos" "$BLACK $RED" "$SHOT" $((6 + 10)) $((128 + 10)) 21 16
note "three undos leave the rectangle ($SHOT)"

tap Escape
wait_exit 30
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: rectangle, fill, line and flip saved as the model says, and undone"
