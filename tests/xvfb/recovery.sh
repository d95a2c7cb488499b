#!/usr/bin/env bash
# The recovery copy of unsaved work in the real program: paint, wait, kill -9, start again in the same
# folder, R, Save: the saved image holds the painting, byte for byte, and the copy is gone. The Linux
# program then: Escape with unsaved work keeps the copy, and the next start sets it aside with another
# key (the file stays, and pixtool reads its image); Escape in the settings menu and in Load's entry
# cancels that within a second and nothing more: held on, it does not end the editor, which goes on
# with its copy; the next Escape ends it.
# Called as lib.sh says; with pixed.exe, under Wine, the kill, R and Save only. PIXED_PIXTOOL names
# pixtool (optional).
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

IMAGE_BYTES=$((102 * 78))
COPY_BYTES=$((2 * IMAGE_BYTES + 96))
if [[ "$PIXED" == *.exe ]]; then
  STATE=$WINE_STATE
else
  STATE=$XDG_STATE_HOME/pixed
fi

copies() { find "$STATE" -maxdepth 1 -name '*.recovery' 2>/dev/null | sort; }
copy_count() { copies | wc -l; }
copy_written() { [[ "$(copy_count)" == 1 ]] && (($(stat -c %s "$(copies)") == COPY_BYTES)); }
# The question's second line, below the settings messages' place: white text on the black start
# screen (not the X server's white root window before the program's window shows).
question_shown() {
  shot question
  [[ "$(colours_in "$SHOT" 30 56 480 16)" == "000000 FFFFFF" ]]
}
question_gone() {
  shot answered
  [[ " $(colours_in "$SHOT" 12 572 8 16) " == *" FFFFFF "* ]] # the status line: the loop runs
}
cell_is() { # x y RRGGBB
  shot screen
  [[ "$(colours_in "$SHOT" "$(grid_cell_left "$(column_at "$1")")" "$(grid_cell_top "$(row_at "$2")")" 4 4)" == "$3" ]]
}
pick_red() { # colour 4, which a new run does not keep
  move 700 74
  click 3
}
paint() { # x y: a click, then the cell must show red
  move "$1" "$2"
  click 1
  wait_until 5 0.1 cell_is "$1" "$2" FF0000 || fail "no red cell painted at ($1,$2) ($SHOT)"
}
file_size() { stat -c %s "$WORK/test1.pix" 2>/dev/null || echo 0; }
size_is() { (($(file_size) == $1)); }
# One save: a click, which the Linux program takes once however short it is; pixed.exe sees a
# button only while it is down, so there it is held until the file has grown.
save_once() {
  move 330 511
  if [[ "$PIXED" == *.exe ]]; then
    xdotool mousedown 1
    wait_until 20 0.05 size_is "$1" || true
    xdotool mouseup 1
  else
    xdotool click 1
    wait_until 20 0.05 size_is "$1" || true
  fi
  sleep 0.5
  size_is "$1" || fail "Save gave $(file_size) bytes, expected $1"
}
window_gone() { ! xdotool search --onlyvisible --name "^$TITLE\$" >/dev/null 2>&1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Escape held until the window is gone; ESCAPE_MS gets the time that took.
escape_until_gone() {
  local pressed
  pressed=$(now_ms)
  xdotool keydown Escape
  wait_until 5 0.02 window_gone || true
  ESCAPE_MS=$(($(now_ms) - pressed))
  xdotool keyup Escape
  window_gone || fail "Escape in $1: the window is still there 5 s later"
  wait_exit 20
  ((PIXED_STATUS == 0)) || fail "Escape in $1: exit status $PIXED_STATUS"
}
not() { ! "$@"; }
# The command (which takes a screenshot) false; GONE_AT the time the check began.
gone_since() {
  GONE_AT=$(now_ms)
  ! "$@"
}
# Escape held where the editor waits for a key or a click (what, then the command true while that
# shows) cancels that within a second, counted to the screenshot that no longer shows it; held half
# a second more and let go, it has not ended the editor, whose loop runs on; the next Escape ends
# it. A busy machine under the sanitizers is slow: the time Escape in the main loop took to end the
# editor, MAIN_ESCAPE_MS, counts besides.
escape_cancels_within_a_second() {
  local what=$1 pressed
  shift
  pressed=$(now_ms)
  GONE_AT=$pressed
  xdotool keydown Escape
  wait_until 5 0.02 gone_since "$@" || true
  ESCAPE_MS=$((GONE_AT - pressed))
  sleep 0.5
  xdotool keyup Escape
  not "$@" || fail "Escape in $what: it still shows 5 s later ($SHOT)"
  local limit=$((1000 + MAIN_ESCAPE_MS))
  ((ESCAPE_MS <= limit)) || fail "Escape in $what: it went $ESCAPE_MS ms later (limit $limit ms)"
  sleep 0.5
  pixed_running && ! window_gone || fail "Escape in $what ended the editor"
  wait_until 5 0.2 question_gone || fail "after Escape in $what the main loop does not run ($SHOT)"
  note "Escape in $what cancelled it $ESCAPE_MS ms after the press; the editor went on"
  escape_until_gone "the main loop after $what"
}
start_again() {
  start_pixed
  wait_window
  focus_window
}
# Answers the question with a key, and waits until the main loop runs.
answer() {
  wait_until 30 0.2 question_shown || fail "no question about the recovery copy ($SHOT)"
  # Without a window manager the focus is the test's to give, once the window is there.
  focus_window
  tap "$1"
  wait_until 10 0.2 question_gone || fail "the question did not go after $1 ($SHOT)"
}

# ---- Paint in red, wait for the copy, kill the program.
start_editor_for_input
pick_red
paint 200 100
paint 253 147
paint 300 200
sleep 3
copy_written || fail "no recovery copy of $COPY_BYTES bytes in $STATE 3 s after painting: $(ls -l "$STATE" 2>&1)"
kill -9 "$PIXED_PID"
wait "$PIXED_PID" 2>/dev/null || true
PIXED_PID=
note "killed the program with its copy $(copies)"

# The image the three red cells make: the copy holds it first, the save afterwards.
EXPECTED=$TEST_DIR/expected.pix
python3 - "$EXPECTED" "$IMAGE_BYTES" <<'EOF'
import sys
image = bytearray(int(sys.argv[2]))
for column, row in ((12, 18), (22, 28), (32, 38)):
    image[row * 102 + column] = 4
open(sys.argv[1], "wb").write(image)
EOF
head -c "$IMAGE_BYTES" "$(copies)" | cmp -s - "$EXPECTED" || fail "the copy's image is not the painting"

# ---- Started again: R puts it back, Save writes it.
start_again
answer r
for at in "200 100" "253 147" "300 200"; do
  # shellcheck disable=SC2086
  wait_until 5 0.1 cell_is $at FF0000 || fail "the cell at ($at) was not put back ($SHOT)"
done
save_once "$IMAGE_BYTES"
cmp "$WORK/test1.pix" "$EXPECTED" || fail "test1.pix does not hold the painting"
wait_until 5 0.1 bash -c "[[ -z \"\$(find '$STATE' -maxdepth 1 -name '*.recovery')\" ]]" ||
  fail "the copy is still there after the save: $(copies)"
note "R put the painting back, Save wrote it byte for byte, and the copy went"

if [[ "$PIXED" == *.exe ]]; then
  tap Escape
  wait_exit 20
  note "PASS: a killed pixed.exe's painting came back and was saved byte for byte"
  exit 0
fi

# ---- Escape with unsaved work keeps the copy; another key at the next start sets it aside.
pick_red
paint 350 250
wait_until 5 0.1 copy_written || fail "no copy of the new stroke"
escape_until_gone "the main loop"
MAIN_ESCAPE_MS=$ESCAPE_MS
copy_written || fail "Escape with unsaved work did not keep the copy"
KEPT=$TEST_DIR/kept.recovery
cp "$(copies)" "$KEPT"
start_again
answer x
aside=$(find "$STATE" -maxdepth 1 -name '*.102x78.pix')
[[ -n "$aside" && "$(copy_count)" == 0 ]] || fail "the copy was not set aside: $(ls "$STATE")"
cmp "$aside" "$KEPT" || fail "the set-aside copy $aside differs from the copy"
if [[ -n "${PIXED_PIXTOOL:-}" ]]; then
  "$PIXED_PIXTOOL" export "$aside" --size 102x78 -o "$TEST_DIR/aside.png" || fail "pixtool cannot read $aside"
  note "pixtool exported the set-aside copy's image"
fi
note "Escape kept the copy; another key set it aside as $(basename "$aside")"

# ---- Escape in the settings menu closes it within a second; the editor goes on, the copy stays.
pick_red
paint 350 300
wait_until 5 0.1 copy_written || fail "no copy of the stroke before the menu"
move 200 551
click 1
wait_until 5 0.1 menu_shown || fail "the settings menu did not open ($SHOT)"
escape_cancels_within_a_second "the settings menu" menu_shown
copy_written || fail "the copy went with Escape in the menu"

# ---- Escape in Load's entry, after the question is answered by another key.
start_again
answer x
pick_red
paint 400 300
wait_until 5 0.1 copy_written || fail "no copy of the stroke before Load"
move 200 511
click 1
wait_until 5 0.1 prompt_shown entry || fail "Load's entry did not open ($SHOT)"
escape_cancels_within_a_second "Load's entry" prompt_shown entry
copy_written || fail "the copy went with Escape in the entry"
(($(find "$STATE" -maxdepth 1 -name '*.102x78.pix' | wc -l) == 2)) || fail "expected two set-aside copies: $(ls "$STATE")"

note "PASS: a killed editor's painting came back; Escape keeps the copy, and in the menu and an entry cancels them alone"
