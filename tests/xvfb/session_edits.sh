# The zoom, selection and mirror steps that the sessions compared with the Linux program share
# (view_edits.sh, on both programs, and web/site_checks.sh, whose browser plays them again in
# web/session_edits.mjs): a notch of the wheel zooms the grid about the pointer and a stroke
# follows, Ctrl+S; a part of image 0 copied, pasted into image 1 and dragged there, Ctrl+S; a
# rectangle drawn with X's mirror on, Ctrl+S. Each press or key is held until its effect shows,
# however slow the passes are.
# Sourced after lib.sh, on a 1:1 screen, at the end of a session that has just saved image 1 of two
# with Ctrl+S and shows it at the start pitch, with the pen, colour 1, no selection and no mirror.
# shellcheck shell=bash

BLUE=0000CC # colour 1
# Points of the 800 x 600 screen. The wheel turns about ZOOM_AT: at pitch 6 the grid shows from column
# and row 9, and STROKE (cells 27 to 30 of row 33) lies where the start pitch shows the red quad pen's
# cells (22, 29) to (25, 29).
ZOOM_AT=(400 300)
STROKE=(251 152 269 152)
GRID=(140 5 511 391)
# At the start pitch: the middle of cell (column, row) is (142 + 5 column, 7 + 5 row). The part of image
# 0 copied, cells (10, 16) to (25, 31); its red pixel (12, 18), dragged to (16, 21); the rectangle
# from (70, 5) to (80, 12), mirrored onto (31, 5) to (21, 12); cell (32, 38), yellow in image 1 only.
COPY_FROM=(192 87 267 162)
GRAB=(202 97 222 112)
RECTANGLE=(492 32 542 67)
MIRRORED_CORNER=(247 67)
IMAGE_1_ONLY=(302 197)
AXIS=(394 5 3 391) # the mirror's axis for 102 columns: the line between columns 50 and 51

edit_shot() {
  SHOT=$SHOTS/edits.png
  import -window root "$SHOT" || fail "import could not take a screenshot"
}
point_is() { # x y RRGGBB
  edit_shot
  [[ "$(colours_in "$SHOT" "$1" "$2" 1 1)" == "$3" ]]
}
region_differs() { # before left top width height
  edit_shot
  [[ "$("$PROBE" hash "$1" "${@:2}")" != "$("$PROBE" hash "$SHOT" "${@:2}")" ]]
}
# A copy of the screen as it is now, for region_differs.
screen_before() {
  BEFORE=$SHOTS/edits-before.png
  import -window root "$BEFORE" || fail "import could not take a screenshot"
}
# Keys (the modifier first, a pass apart) held until the command succeeds, let go in reverse order.
keys_until() {
  local keys=$1 status=0 key
  shift
  for key in $keys; do
    xdotool keydown "$key"
    sleep 0.3
  done
  wait_until 10 0.05 "$@" || status=1
  for key in $(echo "$keys" | tr ' ' '\n' | tac); do
    xdotool keyup "$key"
  done
  sleep 0.3
  return "$status"
}
# Keys whose effect does not show: held for a second, longer than any pass.
keys_for_a_second() { keys_until "$*" sleep 1; }
edit_file_sum() { cksum <"$WORK/test1.pix"; }
edit_file_changed() { [[ "$(edit_file_sum)" != "$1" ]]; }
ctrl_s() {
  local before
  before=$(edit_file_sum)
  keys_until "ctrl s" edit_file_changed "$before" || fail "$1: Ctrl+S did not change test1.pix"
}
# A tool's key held until the status line names another tool.
edit_tool() {
  screen_before
  keys_until "$1" region_differs "$BEFORE" 460 572 136 16 || fail "the key $1 chose no tool ($SHOT)"
}
# The left button pressed at (x, y) until the point shows the colour, and kept down.
press_until() {
  move "$1" "$2"
  xdotool mousedown 1
  wait_until 10 0.05 point_is "$1" "$2" "$3"
}
# The left button let go once the command succeeds.
release_when() {
  local status=0
  wait_until 10 0.05 "$@" || status=1
  xdotool mouseup 1
  sleep 0.3
  return "$status"
}
# The left button pressed at (x0, y0) and held a second (a press inside the selection shows nothing),
# moved to (x1, y1) until the command succeeds there, and let go.
drag_until() {
  move "$1" "$2"
  xdotool mousedown 1
  sleep 1
  move "$3" "$4"
  release_when "${@:5}"
}

session_edits() {
  # ---- The wheel, then a stroke at pitch 6, Ctrl+S.
  move "${ZOOM_AT[@]}"
  screen_before
  xdotool click 4
  wait_until 10 0.05 region_differs "$BEFORE" "${GRID[@]}" || fail "a notch of the wheel did not zoom the grid ($SHOT)"
  press_until "${STROKE[0]}" "${STROKE[1]}" $BLUE || fail "the stroke shows nothing at the zoomed cell ($SHOT)"
  move "${STROKE[2]}" "${STROKE[3]}"
  release_when point_is "${STROKE[2]}" "${STROKE[3]}" $BLUE || fail "the stroke did not reach its end ($SHOT)"
  ctrl_s "the stroke"
  # ---- Back to the start pitch; image 0's part copied, pasted into image 1, dragged, Ctrl+S.
  screen_before
  keys_until "ctrl 1" region_differs "$BEFORE" "${GRID[@]}" || fail "Ctrl+1 did not zoom back ($SHOT)"
  keys_until Home point_is "${IMAGE_1_ONLY[@]}" 000000 || fail "Home did not load image 0 ($SHOT)"
  edit_tool m
  screen_before
  drag_until "${COPY_FROM[@]}" region_differs "$BEFORE" $((COPY_FROM[2] - 5)) $((COPY_FROM[3] - 5)) 10 10 ||
    fail "no selection drawn to (${COPY_FROM[2]},${COPY_FROM[3]}) ($SHOT)"
  keys_for_a_second ctrl c
  keys_until Right point_is "${IMAGE_1_ONLY[@]}" F9E21F || fail "Right did not load image 1 ($SHOT)"
  screen_before
  keys_until "ctrl v" region_differs "$BEFORE" 460 572 136 16 || fail "Ctrl+V pasted nothing to float ($SHOT)"
  drag_until "${GRAB[@]}" point_is "${GRAB[2]}" "${GRAB[3]}" FF0000 || fail "the pasted part was not dragged ($SHOT)"
  ctrl_s "the paste"
  # ---- The selection dropped; X, a rectangle and its mirror, Ctrl+S; X off and the pen again.
  screen_before
  keys_until "ctrl d" region_differs "$BEFORE" "${GRID[@]}" || fail "Ctrl+D did not drop the selection ($SHOT)"
  screen_before
  keys_until x region_differs "$BEFORE" "${AXIS[@]}" || fail "X showed no mirror axis ($SHOT)"
  edit_tool u
  press_until "${RECTANGLE[0]}" "${RECTANGLE[1]}" $BLUE || fail "the rectangle's press shows nothing ($SHOT)"
  move "${RECTANGLE[2]}" "${RECTANGLE[3]}"
  release_when point_is "${MIRRORED_CORNER[@]}" $BLUE || fail "the rectangle's mirror shows nothing ($SHOT)"
  shot "mirrored-$1"
  ctrl_s "the mirrored rectangle"
  screen_before
  keys_until x region_differs "$BEFORE" "${AXIS[@]}" || fail "X did not take the mirror off ($SHOT)"
  edit_tool b
}

# Not a comparison of two sessions that both did nothing: image 1 of the file holds the stroke, the
# moved red pixel and the rectangle's corner and its mirror.
expect_session_edits() {
  local file=$1 column row expected found
  for expected in "27 33 1" "30 33 1" "16 21 4" "70 5 1" "80 12 1" "31 5 1" "21 12 1"; do
    read -r column row expected <<<"$expected"
    found=$(od -An -tu1 -j $((102 * 78 + 102 * row + column)) -N1 "$file" | tr -d ' ')
    [[ "$found" == "$expected" ]] || fail "$file: pixel ($column,$row) of image 1 is $found, expected $expected"
  done
}
