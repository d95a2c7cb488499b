#!/usr/bin/env bash
# A pix file of four 16 x 16 images on the real program, zoomed and edited across its frames:
# Ctrl+0 fits the image at a pitch of 24 (cells of 23 pixels between lines of 1, measured along a row
# and a column of the screenshot); a part of image 1 selected (M) and copied, pasted into image 3 and
# moved there, then Ctrl+S; F3 on image 2 shows images 1 and 3 as quarter squares in its blank cells,
# and a stroke saved with Ctrl+S writes none of them. The file holds the model's bytes after each save.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

SIDE=16
PITCH=24 # the largest whole pitch at which 16 x 16 cells fit the grid's 510 x 390 pixels
FILE=$WORK/walk.pix
MODEL=$TEST_DIR/model.pix
# Image 0: columns of colours 20 and 40 in turn. Image 1: colour 60, with a part to copy (columns 2
# to 6, rows 3 to 6) of 0, 70 and 25 by (column + row) mod 3. Image 2: blank (0). Image 3: colour
# 50. Pixel (0, 0) tells them apart: 20, 60, 75, 50. All are colours of the panel (below 81).
CORNERS=(20 60 75 50)
COPIED=(2 3 6 6)   # the part of image 1 selected: first column and row, last column and row
MOVE=(6 8)         # how far the pasted part is dragged, in columns and rows
RED=4

python3 - "$MODEL" "$SIDE" <<'EOF'
import sys
path, side = sys.argv[1], int(sys.argv[2])
images = [[[20 if column % 2 == 0 else 40 for column in range(side)] for _ in range(side)],
          [[60] * side for _ in range(side)], [[0] * side for _ in range(side)], [[50] * side for _ in range(side)]]
for row in range(3, 7):
    for column in range(2, 7):
        images[1][row][column] = (0, 70, 25)[(column + row) % 3]
images[1][0][0], images[2][0][0] = 60, 75
open(path, "wb").write(bytes(v for image in images for row in image for v in row))
EOF
cp "$MODEL" "$FILE"

# Sets pixel (column, row) of image n of the model.
model_put() {
  printf "\\x$(printf %02x "$4")" | dd of="$MODEL" bs=1 seek=$(($1 * SIDE * SIDE + $3 * SIDE + $2)) conv=notrunc status=none
}
model_get() { od -An -tu1 -j $(($1 * SIDE * SIDE + $3 * SIDE + $2)) -N1 "$MODEL" | tr -d ' '; }

# The cursor over the middle of cell (column, row) at pitch 24, and the cell's inside.
cell_x() { echo $((140 + PITCH * $1 + PITCH / 2)); }
cell_y() { echo $((6 + PITCH * $1 + PITCH / 2 - 1)); }
inside_left() { echo $((141 + PITCH * $1)); }
inside_top() { echo $((6 + PITCH * $1)); }
# The colour the panel shows for palette index i.
swatch_colour() { colours_in "$START" $((695 + 35 * ($1 / 27))) $((10 + 16 * ($1 % 27))) 1 1; }
cell_is() { # column row RRGGBB, the whole inside at pitch 24
  shot screen
  [[ "$(colours_in "$SHOT" "$(inside_left "$1")" "$(inside_top "$2")" $((PITCH - 1)) $((PITCH - 1)))" == "$3" ]]
}
expect_cell() {
  wait_until 5 0.1 cell_is "$2" "$3" "$4" || fail "$1: cell ($2,$3) is not all $4 ($SHOT)"
}
step() { # key image
  tap "$1"
  expect_cell "$1 to image $2" 0 0 "$(swatch_colour "${CORNERS[$2]}")"
}
# The left button pressed on one cell and moved to another, a pass seen at each; the caller lets go.
press_and_move() {
  move "$(cell_x "$1")" "$(cell_y "$2")"
  xdotool mousedown 1
  sleep 0.3
  move "$(cell_x "$3")" "$(cell_y "$4")"
  sleep 0.3
}
file_sum() { cksum <"$FILE"; }
save_over() {
  local before
  before=$(file_sum)
  chord ctrl s
  wait_until 10 0.1 bash -c "[[ \"\$(cksum <'$FILE')\" != '$before' ]]" || fail "Ctrl+S did not change walk.pix"
  cmp "$MODEL" "$FILE" || fail "$1: walk.pix differs from the model $MODEL"
}

start_xvfb
xdotool mousemove 400 300
write_name_file "$WORK/SaveName.dat" walk.pix
write_name_file "$WORK/LoadName.dat" walk.pix
printf '\x10\x10' >"$WORK/SaveSize.dat"
copy_bitmaps
start_pixed
wait_window
focus_window
sleep 1
shot start
START=$SHOT

# ---- Ctrl+0 on the blank start image, then image 0 (Right, Left: the start counts as image 0): lines of 1 pixel round cells of 23, along row 7
# and column 3 of image 0 (columns of colours 20 and 40 in turn), and black beyond its 16 cells.
EVEN=$(swatch_colour 20) ODD=$(swatch_colour 40)
across="000000:1 FFFFFF:1"
down="000000:1 FFFFFF:1"
for ((i = 0; i < SIDE; i++)); do
  across+=" $( ((i % 2 == 0)) && echo "$EVEN" || echo "$ODD"):$((PITCH - 1)) FFFFFF:1"
  down+=" $ODD:$((PITCH - 1)) FFFFFF:1"
done
across+=" 000000:1" down+=" 000000:1"
fitted() {
  shot fitted
  [[ "$("$PROBE" runs "$SHOT" 139 "$(cell_y 7)" $((PITCH * SIDE + 3)) 1)" == "$across" &&
    "$("$PROBE" runs "$SHOT" "$(cell_x 3)" 4 1 $((PITCH * SIDE + 3)))" == "$down" ]]
}
move 700 550 # the pointer off the grid
chord ctrl 0
step Right 1
step Left 0
wait_until 5 0.1 fitted ||
  fail "Ctrl+0 does not show 16 cells of 23 pixels: row 7 $("$PROBE" runs "$SHOT" 139 "$(cell_y 7)" 387 1) ($SHOT)"
note "Ctrl+0: cells of 23 pixels between lines of 1 ($SHOT)"

# ---- A part of image 1 copied, pasted into image 3 and dragged there; Ctrl+S writes image 3.
step Right 1
tap m
press_and_move "${COPIED[0]}" "${COPIED[1]}" "${COPIED[2]}" "${COPIED[3]}"
xdotool mouseup 1
sleep 0.3
chord ctrl c
step Right 2
step Right 3
chord ctrl v
# Pasted where it was copied, floating over image 3's colour 50; colour 0 in it is clear.
for ((row = COPIED[1]; row <= COPIED[3]; row++)); do
  for ((column = COPIED[0]; column <= COPIED[2]; column++)); do
    pixel=$(model_get 1 "$column" "$row")
    ((pixel == 0)) || model_put 3 $((column + MOVE[0])) $((row + MOVE[1])) "$pixel"
  done
done
grab=(3 4) # a pixel of colour 70 in the pasted part
expect_cell "the paste" "${grab[@]}" "$(swatch_colour 70)"
press_and_move "${grab[@]}" $((grab[0] + MOVE[0])) $((grab[1] + MOVE[1]))
expect_cell "the pasted part dragged" $((grab[0] + MOVE[0])) $((grab[1] + MOVE[1])) "$(swatch_colour 70)"
xdotool mouseup 1
sleep 0.3
shot pasted
save_over "the paste moved in image 3"
note "a part of image 1 pasted into image 3 and moved: saved as the model says ($SHOT)"

# ---- F3 on image 2: in its blank cells, image 1's pixel fills the top-left quarter (11 x 11) and image 3's
# as saved the bottom-right one; the rest stays black.
step Left 2
chord ctrl d
tap F3
quarters_are() { # column row previous next, the palette colours the quarters show
  local left top quarter=$(((PITCH - 1) / 2))
  left=$(inside_left "$1") top=$(inside_top "$2")
  [[ "$(colours_in "$SHOT" "$left" "$top" "$quarter" "$quarter")" == "$(swatch_colour "$3")" &&
    "$(colours_in "$SHOT" $((left + PITCH - 1 - quarter)) $((top + PITCH - 1 - quarter)) "$quarter" "$quarter")" == "$(swatch_colour "$4")" &&
    "$(colours_in "$SHOT" $((left + quarter)) "$top" $((PITCH - 1 - quarter)) "$quarter")" == 000000 &&
    "$(colours_in "$SHOT" "$left" $((top + quarter)) "$quarter" $((PITCH - 1 - quarter)))" == 000000 ]]
}
onion_shown() {
  shot onion
  quarters_are 14 2 60 50 && quarters_are 12 12 60 "$(model_get 3 12 12)"
}
wait_until 5 0.1 onion_shown || fail "F3 does not show images 1 and 3 in the blank cells (14,2) and (12,12) ($SHOT)"
note "F3 shows the neighbours in quarter squares ($SHOT)"
tap b
move 700 74 # red, colour 4
click 3
move "$(cell_x 5)" "$(cell_y 5)"
hold_until 1 10 cell_is 5 5 FF0000 || fail "no red cell painted at (5,5) ($SHOT)"
model_put 2 5 5 $RED
save_over "image 2 with the onion skin on"
note "Ctrl+S with F3 on saves image 2's own pixels"

tap Escape
wait_exit 30
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: zoom to fit, a paste moved into another frame, and the onion skin on the real program"
