#!/usr/bin/env bash
# The site in Debian's Chromium, headless, driven by browser_checks.mjs, after one session of the
# Linux program under a private X server whose save file the browser's session must export byte for
# byte: pick red, paint, Quad, paint, Save, pick yellow, paint, a rectangle, pick colour 1, fill its
# inside, Save, Right, paint, Ctrl+S, Ctrl+Shift+E (whose GIF, sheet and PNG the browser's must equal),
# then the steps of xvfb/session_edits.sh (the wheel's zoom and a stroke, a paste from image 0 and a
# mirrored rectangle, each saved with Ctrl+S).
# Called as lib.sh says, with the Linux program; PIXED_SITE names the site's folder.
# shellcheck source=../xvfb/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../xvfb/lib.sh"
# shellcheck source=../xvfb/session_edits.sh
source "$HERE/session_edits.sh"

SITE=${PIXED_SITE:-}
CHROMIUM=${PIXED_CHROMIUM:-/usr/bin/chromium}
[[ -f "$SITE/index.html" ]] || fail "no site at '$SITE' (scripts/build.sh web builds it)"
if [[ ! -x "$CHROMIUM" || ! -d "$HERE/../web/node_modules/playwright-core" ]]; then
  echo "SKIP: no Chromium at $CHROMIUM or no playwright-core (scripts/install-deps.sh installs both)"
  exit 77
fi
IMAGE_BYTES=$((102 * 78))
SERVER_PID=

cleanup_check() {
  [[ -z "$SERVER_PID" ]] || kill "$SERVER_PID" 2>/dev/null || true
}

# ---- The site: every file, and small enough.
for file in index.html pixed_page.js pixed.js pixed.wasm; do
  [[ -s "$SITE/$file" ]] || fail "the site lacks $file"
done
count=$(find "$SITE/bitmaps" -maxdepth 1 -name '*.bmp' | wc -l)
((count == 20)) || fail "the site has $count button bitmaps, expected 20"
site_bytes=$(du -sb "$SITE" | cut -f1)
((site_bytes <= 2 * 1024 * 1024)) || fail "the site is $site_bytes bytes, more than 2 MB"
note "the site is $site_bytes bytes"

# ---- The Linux program's session. Each press is held until its effect shows.
file_size() { stat -c %s "$WORK/test1.pix" 2>/dev/null || echo 0; }
region_changed() { # before left top width height
  shot screen
  [[ "$("$PROBE" hash "$1" "${@:2}")" != "$("$PROBE" hash "$SHOT" "${@:2}")" ]]
}
cell_is() { # x y RRGGBB: the grid cell under the cursor position
  shot screen
  [[ "$(colours_in "$SHOT" "$(grid_cell_left "$(column_at "$1")")" "$(grid_cell_top "$(row_at "$2")")" 4 4)" == "$3" ]]
}
size_is() { (($(file_size) == $1)); }
file_sum() { cksum <"$WORK/test1.pix"; }
file_changed_from() { [[ "$(file_sum)" != "$1" ]]; }
# A pick shows in the colour number's cells, left of the tool's swatch.
pick() { move "$1" "$2" && shot before && hold_until 3 10 region_changed "$SHOT" 360 572 72 16 || fail "no pick at ($1,$2)"; }
paint() { move "$1" "$2" && hold_until 1 10 cell_is "$1" "$2" "$3" || fail "no $3 paint at ($1,$2)"; }
quad() { move 330 551 && shot before && hold_until 1 10 region_changed "$SHOT" 285 540 89 23 || fail "no Quad"; }
save() { move 330 511 && hold_until 1 20 size_is "$1" || fail "Save gave $(file_size) bytes, expected $1"; }
# A tool's key held until the status line names another tool.
tool() {
  shot before
  xdotool keydown "$1"
  wait_until 5 0.05 region_changed "$SHOT" 460 572 128 16 || fail "the key $1 chose no tool ($SHOT)"
  xdotool keyup "$1"
  sleep 0.2
}
# A rectangle dragged from the cell under (x0, y0) to the one under (x1, y1), each end held until it shows.
rectangle() {
  move "$1" "$2"
  xdotool mousedown 1
  wait_until 10 0.05 cell_is "$1" "$2" "$5" || fail "the rectangle's press at ($1,$2) shows nothing"
  move "$3" "$4"
  wait_until 10 0.05 cell_is "$3" "$4" "$5" || fail "the rectangle's end at ($3,$4) shows nothing"
  xdotool mouseup 1
  sleep 0.2
}
# The fill from the cell under (x, y), held until that cell changes.
fill() {
  move "$1" "$2" && shot before &&
    hold_until 1 10 region_changed "$SHOT" "$(grid_cell_left "$(column_at "$1")")" "$(grid_cell_top "$(row_at "$2")")" 4 4 ||
    fail "no fill at ($1,$2)"
}

start_xvfb
write_default_settings
copy_bitmaps
start_pixed
wait_window
focus_window
move 400 300
pick 700 74
paint 200 100 FF0000
quad
paint 253 147 FF0000
save $IMAGE_BYTES
pick 730 40
paint 300 200 F9E21F
tool u
rectangle 402 252 452 292 F9E21F
pick 695 26 # colour 1
tool g
fill 427 272
tool b
save $((2 * IMAGE_BYTES))
# Right loads image 1 of test1.pix, the load file; a new cell, then Ctrl+S writes the working view
# back over image 1 in place.
shot before-right
xdotool key Right
wait_until 10 0.1 region_changed "$SHOT" 672 508 128 64 || fail "Right showed no image number ($SHOT)"
paint 350 250 0000CC # colour 1, picked for the fill
before_ctrl_s=$(file_sum)
xdotool keydown ctrl
sleep 0.1
xdotool key s
sleep 0.1
xdotool keyup ctrl
wait_until 10 0.1 file_changed_from "$before_ctrl_s" || fail "Ctrl+S did not change test1.pix"
size_is $((2 * IMAGE_BYTES)) || fail "Ctrl+S changed the length of test1.pix"
# Ctrl+Shift+E: test1.gif, test1-sheet.png and .json and test1-1.png beside test1.pix, which the
# browser's must equal.
xdotool keydown ctrl shift e
wait_until 10 0.1 test -s "$WORK/test1-sheet.json" || fail "Ctrl+Shift+E wrote no test1-sheet.json"
xdotool keyup e shift ctrl
session_edits linux
move 580 511 # Quit
xdotool mousedown 1
wait_exit 20
xdotool mouseup 1
((PIXED_STATUS == 0)) || fail "the Linux program exited with status $PIXED_STATUS"
expect_session_edits "$WORK/test1.pix"
note "the Linux program's session is done"

# ---- The browser's checks, on a server of the site's own.
port_file=$TEST_DIR/server.log
python3 -m http.server 0 --bind 127.0.0.1 --directory "$SITE" >"$port_file" 2>&1 &
SERVER_PID=$!
wait_until 10 0.1 grep -q 'port [0-9]' "$port_file" || fail "the site's server did not start: $(cat "$port_file")"
port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$port_file" | head -n 1)
node "$HERE/../web/browser_checks.mjs" "http://127.0.0.1:$port/" "$TEST_DIR/browser" "$CHROMIUM" "$PROBE" \
  "$GOLDEN" "$WORK/test1.pix" || fail "the browser's checks failed"
note "PASS: the site in Chromium"
