#!/usr/bin/env bash
# The steps of session_edits.sh on a file of two images written here: Right loads image 1, colour 1
# is picked, then a notch of the wheel zooms the grid about the pointer and a stroke follows, Ctrl+S;
# a part of image 0 copied, pasted into image 1 and dragged there, Ctrl+S; a rectangle with X's mirror
# on, Ctrl+S. The file then holds the model's bytes, worked out here: on the Linux program, and on
# pixed.exe under Wine (wine_view_edits), so that the two save the same bytes.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# shellcheck source=session_edits.sh
source "$HERE/session_edits.sh"

MODEL=$TEST_DIR/model.pix

# Image 0: red (4) at (12, 18) and over (22, 28) to (23, 29), as the sessions paint it; image 1 the
# same with yellow (29) at (32, 38). The model: image 1 with the stroke in colour 1 over cells 27 to
# 30 of row 33; image 0's part (10, 16) to (25, 31) laid on it 4 columns right and 3 rows down, its
# colour 0 clear; the outline of (70, 5) to (80, 12) in colour 1 and its mirror across the middle.
python3 - "$WORK/test1.pix" "$MODEL" <<'EOF'
import sys
W, H = 102, 78
first = [0] * (W * H)
for column, row in [(12, 18), (22, 28), (23, 28), (22, 29), (23, 29)]:
    first[row * W + column] = 4
second = list(first)
second[38 * W + 32] = 29
open(sys.argv[1], "wb").write(bytes(first + second))
for column in range(27, 31):
    second[33 * W + column] = 1
for row in range(16, 32):
    for column in range(10, 26):
        if first[row * W + column]:
            second[(row + 3) * W + column + 4] = first[row * W + column]
for row in range(5, 13):
    for column in range(70, 81):
        if row in (5, 12) or column in (70, 80):
            second[row * W + column] = second[row * W + W - 1 - column] = 1
open(sys.argv[2], "wb").write(bytes(first + second))
EOF

start_editor_for_input
# Wine learns where the pointer is only when it moves; the editor follows it from there on.
move 401 301
move 400 300
keys_until Right point_is "${IMAGE_1_ONLY[@]}" F9E21F || fail "Right did not load image 1 ($SHOT)"
move 695 26 # colour 1, held until the status line names it
screen_before
hold_until 3 10 region_differs "$BEFORE" 360 572 72 16 || fail "colour 1 was not picked ($SHOT)"
session_edits "$(basename "$PIXED")"
cmp "$MODEL" "$WORK/test1.pix" || fail "test1.pix differs from the model $MODEL"
note "the zoomed stroke, the paste and the mirrored rectangle saved as the model says"

tap Escape
wait_exit 30
((PIXED_STATUS == 0)) || fail "$(basename "$PIXED") exited with status $PIXED_STATUS, expected 0"
note "PASS: the wheel's zoom, a paste into the next image and a mirrored rectangle, saved"
