#!/usr/bin/env bash
# One scripted session on the Linux program and on pixed.exe under Wine, one after the other on the
# same X server, each in a folder whose Palette.gpl sets colour 2: pick a colour, paint single and
# quad, paint colour 2, save twice, draw a rectangle and fill its inside, save over image 1 through
# the offset, clear, Right to image 1, paint, Ctrl+S over it, clear again and Ctrl+S (no image shown:
# it appends a black image 2), load image 1, export with Ctrl+Shift+E, rename the save file in the
# settings menu, quit. Both must leave the same pix, settings and exported files, byte for byte, and
# (at 1:1) show the same loaded image; pixtool.exe exports the same file to the same bytes.
# Called as lib.sh says, with pixed.exe as the program; PIXED_SDL names the Linux program.
# PIXED_SCREEN is the X screen's size (800x600 unless set): elsewhere the pointer goes to the
# window points that show the session's screen points, and the screenshots are read there.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[[ -x "${PIXED_SDL:-}" ]] || fail "no Linux program to compare with (PIXED_SDL='${PIXED_SDL:-}')"
SCREEN=${PIXED_SCREEN:-800x600}
screen_mapping "${SCREEN%x*}" "${SCREEN#*x}"
NAME=art29 # typed as one chord: its keys in the name entry's table order (letters, then digits)
IMAGE_BYTES=$((102 * 78))
EXPORTED=(test1.gif test1-sheet.png test1-sheet.json test1-1.png)

# A new screenshot; true when some pixel of the rectangle (left top width height) is pure red,
# the colour of prompts.
red_in() {
  shot screen
  # shellcheck disable=SC2046
  red_in_rect "$SHOT" $(window_rect "$@")
}
# The pointer to the window point showing screen point (x, y).
go() {
  # shellcheck disable=SC2046
  move $(at "$1" "$2")
}
prompt_shown() { red_in 420 470 152 16; } # "Hit Enter When Done"
prompt_gone() { ! red_in 390 405 275 90; }
file_bytes() { stat -c %s "$WORK/$1" 2>/dev/null || echo 0; }
file_holds() { (($(file_bytes test1.pix) == $1)); }
file_sum() { { cksum <"$WORK/test1.pix"; } 2>/dev/null || true; }
file_changed_from() { [[ "$(file_sum)" != "$1" ]]; }
# True when the grid cell under the cursor position (x, y) has the colour RRGGBB.
cell_is() {
  shot screen
  # shellcheck disable=SC2046
  [[ "$(colours_in "$SHOT" $(window_rect "$(grid_cell_left "$(column_at "$1")")" "$(grid_cell_top "$(row_at "$2")")" 4 4))" == "$3" ]]
}
# True when the rectangle looks other than it did in the screenshot given.
changed_from() {
  local before=$1
  shift
  shot screen
  # shellcheck disable=SC2046
  [[ "$("$PROBE" hash "$before" $(window_rect "$@"))" != "$("$PROBE" hash "$SHOT" $(window_rect "$@"))" ]]
}

# Presses held until their effect shows (each seen by passes enough, however slow they are).
pick() { # x y: right button on the palette panel; the status line names the new colour
  go "$1" "$2"
  shot before-pick
  hold_until 3 10 changed_from "$SHOT" 360 572 72 16 || fail "no colour picked at ($1,$2)"
}
paint() { # x y RRGGBB
  go "$1" "$2"
  hold_until 1 10 cell_is "$1" "$2" "$3" || fail "no $3 cell painted at ($1,$2) ($SHOT)"
}
quad_on() {
  go 330 551
  shot before-quad
  hold_until 1 10 changed_from "$SHOT" 285 540 89 23 || fail "the Quad button did not change"
}
# A tool's key held until the status line names another tool.
tool() {
  shot before-tool
  xdotool keydown "$1"
  wait_until 10 0.05 changed_from "$SHOT" 460 572 128 16 || fail "the key $1 chose no tool ($SHOT)"
  xdotool keyup "$1"
  sleep 0.3
}
# A rectangle dragged from (x0, y0) to (x1, y1) in the colour RRGGBB, each end held until it shows.
rectangle() {
  go "$1" "$2"
  xdotool mousedown 1
  wait_until 10 0.05 cell_is "$1" "$2" "$5" || fail "the rectangle's press at ($1,$2) shows nothing ($SHOT)"
  go "$3" "$4"
  wait_until 10 0.05 cell_is "$3" "$4" "$5" || fail "the rectangle's end at ($3,$4) shows nothing ($SHOT)"
  xdotool mouseup 1
  sleep 0.3
}
fill() { # x y: held until the cell there changes
  go "$1" "$2"
  shot before-fill
  hold_until 1 10 changed_from "$SHOT" "$(grid_cell_left "$(column_at "$1")")" "$(grid_cell_top "$(row_at "$2")")" 4 4 ||
    fail "no fill at ($1,$2) ($SHOT)"
}
# True when no prompt is seen three times over a second: an entry that a press still down opened
# again has ended too.
prompts_over() { prompt_gone && sleep 0.5 && prompt_gone && sleep 0.5 && prompt_gone; }
# A key held until the command succeeds: a key is seen only while it is down at a pass.
key_until() {
  local key=$1 status=0
  shift
  keys_down "$key"
  wait_until 10 0.05 "$@" || status=1
  keys_up "$key"
  sleep 0.2
  return "$status"
}
# Keys are held down together once the entry shows, until it has ended: its first poll finds them
# all down at once and stores them in its own table order (letters, digits, Enter last), whatever
# the timing. Held before the press, Enter would reach the main loop first and start the preview.
keys_down() { xdotool keydown --delay 0 "$@"; }
keys_up() { xdotool keyup --delay 0 "$@"; }
# A number entry: the button held until the entry shows, then the digits and Enter.
enter_number() {
  go "$1" "$2"
  hold_until 1 15 prompt_shown || fail "no entry prompt after the button at ($1,$2) ($SHOT)"
  keys_down "$3" Return
  wait_until 15 0.1 prompts_over || fail "the entry of $3 did not end ($SHOT)"
  keys_up "$3" Return
}
# Save (330, 511), held until the file has changed; then it must have the given size.
save_to_size() {
  local before
  before=$(file_sum)
  go 330 511
  hold_until 1 30 file_changed_from "$before" || fail "Save did not change test1.pix"
  file_holds "$1" || fail "test1.pix is $(file_bytes test1.pix) bytes after Save, expected $1"
}

session() {
  start_pixed "$1"
  wait_window
  focus_window
  # Wine learns where the pointer is only when it moves; the editor follows it from there on.
  go 401 301
  go 400 300
  pick 700 74 # colour 4, red: row 4 of the first column
  paint 200 100 FF0000
  quad_on
  paint 253 147 FF0000
  pick 695 42 # colour 2, the folder's Palette.gpl's
  paint 220 110 112233
  save_to_size $IMAGE_BYTES
  save_to_size $((2 * IMAGE_BYTES))
  pick 730 40 # colour 29: row 2 of the middle column
  paint 300 200 F9E21F
  tool u
  rectangle 402 252 452 292 F9E21F
  pick 695 26 # colour 1
  tool g
  fill 427 272
  tool b
  enter_number 455 551 1 # Offset 1
  save_to_size $((2 * IMAGE_BYTES))
  go 455 511 # Clear: the painted cells go black
  hold_until 1 10 cell_is 300 200 000000 || fail "Clear left the screen as it was"
  # Right loads image 1 of test1.pix, the load file, as Load does; a new cell, and Ctrl+S writes
  # the working view back over image 1 in place.
  key_until Right cell_is 300 200 F9E21F || fail "Right did not load image 1 ($SHOT)"
  paint 350 250 0000CC # colour 1, picked for the fill
  local before
  before=$(file_sum)
  keys_down ctrl
  sleep 0.1
  key_until s file_changed_from "$before" || fail "Ctrl+S did not change test1.pix"
  keys_up ctrl
  file_holds $((2 * IMAGE_BYTES)) || fail "test1.pix is $(file_bytes test1.pix) bytes after Ctrl+S"
  go 455 511 # Clear: no image is shown, so Ctrl+S appends
  hold_until 1 10 cell_is 300 200 000000 || fail "Clear left the screen as it was"
  before=$(file_sum)
  keys_down ctrl
  sleep 0.1
  key_until s file_changed_from "$before" || fail "Ctrl+S after Clear did not change test1.pix"
  keys_up ctrl
  file_holds $((3 * IMAGE_BYTES)) || fail "test1.pix is $(file_bytes test1.pix) bytes after Ctrl+S after Clear"
  enter_number 205 511 1 # Load image 1
  wait_until 10 0.2 cell_is 300 200 F9E21F || fail "image 1 did not come back with Load ($SHOT)"
  shot "loaded-$2"
  LOADED=$SHOT
  # Ctrl+Shift+E, held until the last of its files is there.
  keys_down ctrl shift e
  wait_until 15 0.1 test -s "$WORK/test1-sheet.json" || fail "Ctrl+Shift+E wrote no test1-sheet.json ($SHOT)"
  keys_up e shift ctrl
  # Settings (205, 551): the menu puts the cursor on its middle button, the save name, where the
  # press still down chooses it; the name's keys are down before.
  go 205 551
  keys_down a r t 2 9 Return
  # shellcheck disable=SC2046
  hold_until 1 15 pointer_at $(first_pixel 537 450) || fail "no settings menu ($SHOT)"
  xdotool mousedown 1
  wait_until 15 0.1 prompts_over || fail "the save-name entry did not end ($SHOT)"
  xdotool mouseup 1
  keys_up a r t 2 9 Return
  go 580 511 # Quit
  xdotool mousedown 1
  wait_exit 20
  xdotool mouseup 1
  ((PIXED_STATUS == 0)) || fail "$(basename "$1") exited with status $PIXED_STATUS, expected 0"
}

start_xvfb "$SCREEN"
SDL_WORK=$TEST_DIR/sdl WINE_WORK=$WORK
mkdir -p "$SDL_WORK"
for WORK in "$SDL_WORK" "$WINE_WORK"; do
  write_default_settings
  copy_bitmaps
  # Colour 2 from the folder's palette; the others the editor's own.
  printf 'GIMP Palette\n0 0 0\tBlack\n0 0 204\tBlue\n17 34 51\tSlate\n' >"$WORK/Palette.gpl"
done

WORK=$SDL_WORK
session "$PIXED_SDL" sdl
SDL_LOADED=$LOADED
note "the Linux program's session is done"
WORK=$WINE_WORK
session "$PIXED" wine
note "pixed.exe's session is done"

# Not a comparison of two empty results: three images, the second painted, the third black, and
# the new name.
(($(file_bytes test1.pix) == 3 * IMAGE_BYTES)) || fail "test1.pix should hold three images"
[[ -n "$(head -c $((2 * IMAGE_BYTES)) "$WORK/test1.pix" | tail -c $IMAGE_BYTES | tr -d '\0')" ]] ||
  fail "image 1 of test1.pix is all black"
[[ -z "$(tail -c $IMAGE_BYTES "$WORK/test1.pix" | tr -d '\0')" ]] || fail "image 2, Ctrl+S's after Clear, is not black"
# The cell painted after Right, (42, 48) of image 1, in colour 1.
ctrl_s_pixel=$(od -An -tu1 -j $((IMAGE_BYTES + 48 * 102 + 42)) -N1 "$WORK/test1.pix" | tr -d ' ')
[[ "$ctrl_s_pixel" == 1 ]] || fail "Ctrl+S did not write the cell painted after Right (found $ctrl_s_pixel)"
expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes $NAME.pix)"
for file in test1.pix SaveName.dat LoadName.dat SaveSize.dat "${EXPORTED[@]}"; do
  cmp "$SDL_WORK/$file" "$WINE_WORK/$file" || fail "$file differs between the Linux program and pixed.exe"
done
# pixtool.exe's export of the file, at the rate the preview played at (8 a second) in the built-in
# palette, is what the editor exported.
mkdir -p "$WORK/pixtool"
for arguments in "--all --fps 8 -o pixtool/test1.gif" \
  "--all --fps 8 -o pixtool/test1-sheet.png --json pixtool/test1-sheet.json" "--image 1 -o pixtool/test1-1.png"; do
  # shellcheck disable=SC2086
  (cd "$WORK" && wine "$(dirname "$PIXED")/pixtool.exe" export test1.pix $arguments >/dev/null) ||
    fail "pixtool.exe export test1.pix $arguments failed"
done
for file in "${EXPORTED[@]}"; do
  cmp "$WORK/pixtool/$file" "$WORK/$file" || fail "pixtool.exe's $file differs from pixed.exe's"
done
# The loaded image in both views and the grid, and everything else but the texts (at 1:1: scaled,
# each program smooths in its own way).
if ((NUM == DEN)); then
  changed=$("$PROBE" differ "$SDL_LOADED" "$LOADED" 140 405 530 90 0 565 800 35 670 505 130 67)
  ((changed == 0)) || fail "after Load the screens differ in $changed pixels outside the texts ($SDL_LOADED, $LOADED)"
fi
note "PASS: the same files from both programs and pixtool.exe, byte for byte, on a $SCREEN screen"
