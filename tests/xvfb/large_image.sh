#!/usr/bin/env bash
# A 200 x 200 image on the real program, larger than the grid shows at its start pitch (102 x 78
# cells): filled (G, a click) and saved, then read back by pixtool as a PNG whose every index is the
# fill's colour, nothing of the grid in it. Then a stroke with X's mirror on, whose mirror lands in the
# columns off the grid, and a staircase drawn cell by cell with P's pixel-perfect pen, which drops
# the corner of every step; saved again, the image is the model's, byte for byte.
# Called as lib.sh says; PIXED_PIXTOOL names pixtool.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[[ -x "${PIXED_PIXTOOL:-}" ]] || fail "no pixtool to read the saved image with (PIXED_PIXTOOL='${PIXED_PIXTOOL:-}')"
SIDE=200
IMAGE_BYTES=$((SIDE * SIDE))
FILL=29 RED=4
YELLOW=F9E21F

cell_x() { echo $((142 + 5 * $1)); }
cell_y() { echo $((7 + 5 * $1)); }
cell_is() { # column row RRGGBB
  shot cells
  [[ "$(colours_in "$SHOT" "$(grid_cell_left "$1")" "$(grid_cell_top "$2")" 4 4)" == "$3" ]]
}
# The pointer to cell (column, row), held there until the cell shows red: a pass of the stroke there.
stroke_to() {
  move "$(cell_x "$1")" "$(cell_y "$2")"
  wait_until 5 0.05 cell_is "$1" "$2" FF0000 || fail "the stroke did not reach cell ($1,$2) ($SHOT)"
}
pick() { # n: the right button on the swatch of colour n, held until the status line shows it
  move $((695 + 35 * ($1 / 27))) $((10 + 16 * ($1 % 27)))
  shot before-pick
  hold_until 3 10 region_changed "$SHOT" 360 572 72 16 || fail "colour $1 was not picked"
}
region_changed() { # before left top width height
  shot screen
  [[ "$("$PROBE" hash "$1" "${@:2}")" != "$("$PROBE" hash "$SHOT" "${@:2}")" ]]
}
file_holds() { (($(stat -c %s "$WORK/test1.pix" 2>/dev/null || echo 0) == $1)); }
save() {
  move 330 511
  hold_until 1 20 file_holds "$1" || fail "Save did not make test1.pix $1 bytes"
}

start_xvfb
xdotool mousemove 400 300
write_name_file "$WORK/SaveName.dat" test1.pix
write_name_file "$WORK/LoadName.dat" test1.pix
printf '\xc8\xc8' >"$WORK/SaveSize.dat"
copy_bitmaps
start_pixed
wait_window
focus_window
sleep 1

# ---- The fill, saved, and read back by pixtool.
pick $FILL
tap g
move "$(cell_x 50)" "$(cell_y 40)"
hold_until 1 10 cell_is 50 40 $YELLOW || fail "no fill ($SHOT)"
save $IMAGE_BYTES
shot filled
"$PIXED_PIXTOOL" export "$WORK/test1.pix" --size ${SIDE}x$SIDE -o "$TEST_DIR/filled.png" ||
  fail "pixtool cannot export test1.pix"
# The PNG's indices, read here from its chunks: every one must be the fill's.
found=$(python3 - "$TEST_DIR/filled.png" <<'EOF'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
at, chunks = 8, {}
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
    at += 12 + length
width, height, depth, colour_type = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
assert depth == 8 and colour_type == 3, "not an 8-bit palette PNG"
raw, rows, previous = zlib.decompress(chunks[b"IDAT"]), [], bytearray(width)
for y in range(height):
    kind, line = raw[y * (width + 1)], bytearray(raw[y * (width + 1) + 1:(y + 1) * (width + 1)])
    for x in range(width):
        left, up = line[x - 1] if x else 0, previous[x]
        corner = previous[x - 1] if x else 0
        guess = left + up - corner
        paeth = min((abs(guess - left), 0, left), (abs(guess - up), 1, up), (abs(guess - corner), 2, corner))[2]
        line[x] = (line[x] + (0, left, up, (left + up) // 2, paeth)[kind]) & 0xFF
    rows.append(line)
    previous = line
print(width, height, *sorted(set(v for row in rows for v in row)))
EOF
) || fail "cannot read the indices of $TEST_DIR/filled.png"
[[ "$found" == "$SIDE $SIDE $FILL" ]] || fail "pixtool's PNG of the filled image: size and indices '$found', expected '$SIDE $SIDE $FILL'"
note "the filled 200 x 200 image reads back as colour $FILL alone ($SHOT)"

# ---- X: a stroke along row 20 and down column 40, mirrored into columns 159 to 189.
pick $RED
tap b
tap x
move "$(cell_x 10)" "$(cell_y 20)"
xdotool mousedown 1
stroke_to 10 20
stroke_to 40 20
stroke_to 40 30
xdotool mouseup 1
sleep 0.3
tap x
# ---- P: a staircase from (60, 40), a step right and a step down, three times.
tap p
column=60 row=40
staircase=($column $row)
move "$(cell_x $column)" "$(cell_y $row)"
xdotool mousedown 1
stroke_to $column $row
for _ in 1 2 3; do
  stroke_to $((++column)) $row
  stroke_to $column $((++row))
  staircase+=($((column)) $((row - 1)) $column $row)
done
xdotool mouseup 1
sleep 0.3
shot strokes
save $((2 * IMAGE_BYTES))

# The model: all yellow; the stroke's cells and their mirrors across the vertical middle red; the
# staircase's cells in the order drawn, each dropping the one before it when that one is the corner
# of an L (its neighbours touch by a corner, it touches each by a side), which gets its yellow back.
python3 - "$TEST_DIR/model.pix" "$SIDE" "$FILL" "$RED" "${staircase[@]}" <<'EOF'
import sys
path, side, fill, red = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
image = [fill] * (side * side)
stroke = [(column, 20) for column in range(10, 41)] + [(40, row) for row in range(20, 31)]
for column, row in stroke:
    image[row * side + column] = image[row * side + side - 1 - column] = red
cells = list(zip(map(int, sys.argv[5::2]), map(int, sys.argv[6::2])))
side_touch = lambda p, q: abs(p[0] - q[0]) + abs(p[1] - q[1]) == 1
path_drawn = []
for cell in cells:
    if len(path_drawn) >= 2:
        a, b = path_drawn[-2], path_drawn[-1]
        if abs(a[0] - cell[0]) == 1 and abs(a[1] - cell[1]) == 1 and side_touch(a, b) and side_touch(b, cell):
            image[b[1] * side + b[0]] = fill
            path_drawn.pop()
    path_drawn.append(cell)
    image[cell[1] * side + cell[0]] = red
open(path, "wb").write(bytes(image))
EOF
tail -c $IMAGE_BYTES "$WORK/test1.pix" >"$TEST_DIR/saved.pix"
cmp "$TEST_DIR/model.pix" "$TEST_DIR/saved.pix" || fail "the second image of test1.pix differs from the model $TEST_DIR/model.pix"
note "the mirrored stroke and the pixel-perfect staircase saved as the model says ($SHOT)"

tap Escape
wait_exit 30
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: a 200 x 200 image filled, saved and read back; mirror and pixel-perfect strokes saved"
