#!/usr/bin/env bash
# A pix file of four 16 x 16 images as frames, on the real program: Right twice, paint, Ctrl+S,
# Home, paint, Ctrl+S; the file then holds the model's bytes (images 0 and 2 replaced, images 1
# and 3 and the length as they were). Enter plays the images in the reference view: screenshots
# over a second show them cycling, enlarged four times; Enter again shows the loaded image.
# Ctrl+Shift+E then writes walk.gif, which ImageMagick reads back: the four images at the rate they
# played, in the colours the screen showed. Then Clear, paint, Ctrl+S: no image is shown, so Ctrl+S
# appends (image 0 stays as it was), and the file's bytes are the model's.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

SIDE=16
# Image k is all colour COLOURS[k] (panel colours, none white, none red); the painting is red, 4.
COLOURS=(20 40 60 70)
RED=4
FILE=$WORK/walk.pix

# Writes the file of four images, with the red pixels given as "image column row ..." on top.
write_images() {
  python3 - "$1" "$SIDE" "${COLOURS[*]}" "$RED" "${@:2}" <<'EOF'
import sys
path, side, colours, red = sys.argv[1], int(sys.argv[2]), [int(c) for c in sys.argv[3].split()], int(sys.argv[4])
data = bytearray()
for colour in colours:
    data += bytes([colour]) * (side * side)
painted = [int(v) for v in sys.argv[5:]]
for image, column, row in zip(painted[0::3], painted[1::3], painted[2::3]):
    data[image * side * side + row * side + column] = red
open(path, "wb").write(data)
EOF
}

# The colour a swatch shows (palette index i), read from the screen's panel.
swatch_colour() {
  local i=$1
  colours_in "$SHOT" $((695 + 35 * (i / 27))) $((10 + 16 * (i % 27))) 1 1
}
cell_is() { # column row RRGGBB: the grid cell of that image pixel
  shot screen
  [[ "$(colours_in "$SHOT" "$(grid_cell_left "$1")" "$(grid_cell_top "$2")" 4 4)" == "$3" ]]
}
file_sum() { cksum <"$FILE"; }
file_changed_from() { [[ "$(file_sum)" != "$1" ]]; }
hold_until() { # button limit command...: the button down until the command succeeds
  local button=$1 limit=$2 status=0
  shift 2
  xdotool mousedown "$button"
  wait_until "$limit" 0.05 "$@" || status=1
  xdotool mouseup "$button"
  sleep 0.2
  return "$status"
}
region_changed() { # before left top width height
  shot screen
  [[ "$("$PROBE" hash "$1" "${@:2}")" != "$("$PROBE" hash "$SHOT" "${@:2}")" ]]
}
step() { # key image: the key loads that image into the grid
  tap "$1"
  wait_until 10 0.1 cell_is 0 0 "${SHOWN[$2]}" || fail "$1 did not load image $2 ($SHOT)"
}
paint() { # column row: red
  move $((142 + 5 * $1)) $((8 + 5 * $2))
  hold_until 1 10 cell_is "$1" "$2" FF0000 || fail "no red cell painted at ($1,$2) ($SHOT)"
}
# Ctrl+S as a person types it: Control held around the S.
save_over() {
  local before
  before=$(file_sum)
  xdotool keydown ctrl
  sleep 0.1
  xdotool key s
  sleep 0.1
  xdotool keyup ctrl
  wait_until 10 0.1 file_changed_from "$before" || fail "Ctrl+S did not change walk.pix"
}

start_xvfb
xdotool mousemove 400 300
write_name_file "$WORK/SaveName.dat" walk.pix
write_name_file "$WORK/LoadName.dat" walk.pix
printf '\x10\x10' >"$WORK/SaveSize.dat"
copy_bitmaps
write_images "$FILE"
start_pixed
wait_window
focus_window
sleep 1
shot start
SHOWN=()
for k in 0 1 2 3; do
  SHOWN[k]=$(swatch_colour "${COLOURS[k]}")
done
note "the images' colours: ${SHOWN[*]}"

# Red, colour 4: row 4 of the panel's first column.
move 700 74
shot before-pick
hold_until 3 10 region_changed "$SHOT" 360 572 100 16 || fail "no colour picked"
step Right 1
step Right 2
paint 5 5
save_over
step Home 0
paint 7 9
save_over
write_images "$TEST_DIR/model.pix" 2 5 5 0 7 9
cmp "$TEST_DIR/model.pix" "$FILE" || fail "walk.pix differs from the model $TEST_DIR/model.pix"
note "Ctrl+S wrote images 2 and 0 over the file's, and nothing else"
shot saved
[[ "$(colours_in "$SHOT" 390 447 200 16)" == "000000 FFFFFF" ]] || fail "no message where the saves tell ($SHOT)"

# Playing: the middle of the reference view's frame shows each image's colour in turn, image 0
# (the one being edited) with its red pixel (7, 9) as a 4 x 4 block at (6 + 19 + 28, 6 + 7 + 36).
# Six times - takes the rate from 8 images a second to 2, slower than the screenshots come.
tap Return
for _ in 1 2 3 4 5 6; do
  xdotool key minus
  sleep 0.1
done
sleep 0.5
seen=()
deadline=$((SECONDS + 4))
while ((SECONDS < deadline)); do
  shot "play-${#seen[@]}"
  middle=$(colours_in "$SHOT" 57 45 1 1)
  for k in 0 1 2 3; do
    if [[ "$middle" == "${SHOWN[k]}" ]] && ((${#seen[@]} == 0 || seen[-1] != k)); then
      seen+=("$k")
      [[ $k != 0 ]] || [[ "$(colours_in "$SHOT" 53 49 4 4)" == FF0000 ]] ||
        fail "image 0 plays without its red pixel, four times enlarged ($SHOT)"
    fi
  done
done
note "the frames played: ${seen[*]}"
((${#seen[@]} >= 5)) || fail "only ${#seen[@]} frames seen in 4 s at 2 a second: ${seen[*]}"
for ((i = 1; i < ${#seen[@]}; i++)); do
  # A screenshot that comes late may miss one, never go back.
  gap=$(((seen[i] - seen[i - 1] + 4) % 4))
  ((gap == 1 || gap == 2)) || fail "the frames do not cycle in order: ${seen[*]}"
done
for k in 0 1 2 3; do
  [[ " ${seen[*]} " == *" $k "* ]] || fail "image $k never played: ${seen[*]}"
done
tap Return
# Image 0 as Home loaded it, before the red pixel: at 1:1 from the frame's corner, black beyond.
loaded() {
  shot stopped
  [[ "$(colours_in "$SHOT" 6 6 16 16)" == "${SHOWN[0]}" && "$(colours_in "$SHOT" 22 22 80 50)" == 000000 ]]
}
wait_until 5 0.1 loaded || fail "stopped, the reference view does not show image 0 as loaded ($SHOT)"

# Ctrl+Shift+E, held until the last file it writes is there.
xdotool keydown ctrl shift e
wait_until 10 0.1 test -s "$WORK/walk-sheet.json"
xdotool keyup e shift ctrl
for file in walk.gif walk-sheet.png walk-sheet.json walk-0.png; do
  [[ -s "$WORK/$file" ]] || fail "Ctrl+Shift+E did not write $file"
done
# Each frame 16 x 16, shown 50 hundredths of a second (2 a second), in its image's colour with the
# red pixels painted in images 0 and 2.
frames=$(identify -format '%w x %h, %T; ' "$WORK/walk.gif")
[[ "$frames" == "$(printf '16 x 16, 50; %.0s' 1 2 3 4)" ]] || fail "walk.gif's frames: $frames"
for k in 0 1 2 3; do
  colours=$(convert "$WORK/walk.gif[$k]" -format '%c' histogram:info:- | grep -o '#[0-9A-F]\{6\}' | tr -d '#' | sort | xargs)
  expected=${SHOWN[k]}
  ((k % 2 == 1)) || expected=$(printf '%s\n' "${SHOWN[k]}" FF0000 | sort | xargs)
  [[ "$colours" == "$expected" ]] || fail "frame $k of walk.gif has the colours $colours, expected $expected"
done
note "Ctrl+Shift+E wrote walk.gif: four frames at 2 a second in the screen's colours"
# Clear (455, 511): the image is none of the file's, so Ctrl+S appends it as image 4.
move 455 511
hold_until 1 10 cell_is 7 9 000000 || fail "Clear left the grid as it was ($SHOT)"
paint 3 3
save_over
python3 - "$TEST_DIR/model.pix" "$SIDE" "$RED" <<'EOF'
import sys
path, side, red = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
image = bytearray(side * side)
image[3 * side + 3] = red
open(path, "ab").write(image)
EOF
cmp "$TEST_DIR/model.pix" "$FILE" || fail "after Clear, Ctrl+S did not append: walk.pix differs from $TEST_DIR/model.pix"
note "after Clear Ctrl+S appended image 4 and left image 0 as it was"

tap Escape
wait_exit 30
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: stepping, Ctrl+S and playing on the real program"
