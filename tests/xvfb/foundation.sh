#!/usr/bin/env bash
# The real program's first run on an X server: the settings messages on a black
# screen, Escape, exit status 0 and the three settings files it writes.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Every settings message is one line of 8 x 16 glyph cells at (30, 40); the
# longest, newline included, is 34 cells.
MESSAGE=(30 40 $((34 * 8)) 16)

start_xvfb
start_pixed # no settings files; the buttons come from the build folder
wait_window

# Start-up shows three messages, one after another, each for 2 s. Watch the
# screen until something is drawn outside the message line: the editor is up.
messages=()
message_times=()
started=$SECONDS
shots_taken=0
while true; do
  ((SECONDS - started < 30)) || fail "the editor did not start drawing within 30 s of its window (messages seen: ${#messages[@]})"
  pixed_running || fail "pixed ended during start-up"
  shots_taken=$((shots_taken + 1))
  shot "startup-$shots_taken"
  expect_size "$SHOT"
  if (($(pixels_not "$SHOT" FFFFFF) == 0)); then
    continue # the X server's white root: the window shows nothing yet
  fi
  if (($(pixels_not "$SHOT" 000000 "${MESSAGE[@]}") > 0)); then
    break
  fi
  colours=$(colours_in "$SHOT" "${MESSAGE[@]}")
  case "$colours" in
    000000) ;; # black before the first message
    "000000 FFFFFF")
      line=$("$PROBE" hash "$SHOT" "${MESSAGE[@]}")
      if ((${#messages[@]} == 0)) || [[ "${messages[-1]}" != "$line" ]]; then
        messages+=("$line")
        message_times+=("$(date +%s.%N)")
        note "settings message ${#messages[@]} on the screen ($SHOT)"
      fi
      ;;
    *) fail "the message line of $SHOT holds colours other than black and white text: $colours" ;;
  esac
done
note "the editor draws its screen ($SHOT)"

((${#messages[@]} == 3)) || fail "expected 3 different settings messages during start-up, saw ${#messages[@]}"
[[ "${messages[0]}" != "${messages[2]}" ]] || fail "the first and the third settings message look the same"
# Two pauses of 2 s lie between the first sighting of the first and of the third message.
gap=$(awk -v a="${message_times[0]}" -v b="${message_times[2]}" 'BEGIN { printf "%.2f", b - a }')
if awk -v g="$gap" 'BEGIN { exit !(g < 2.5 || g > 6.0) }'; then
  fail "the third message came $gap s after the first; two 2-second pauses expected"
fi

focus_window
tap Escape
wait_exit 15
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"

expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes test1.pix)"
expect_bytes "$WORK/LoadName.dat" "$(name_file_bytes test1.pix)"
expect_bytes "$WORK/SaveSize.dat" "66 4e"
note "PASS: messages, Escape, exit status 0, settings files"
