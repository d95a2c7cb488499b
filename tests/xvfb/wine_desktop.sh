#!/usr/bin/env bash
# pixed.exe on a desktop of 1024 x 768, at the desktop's own mode: what a desktop does to it
# leaves it running and showing its screen: another window taking the focus and giving it back,
# minimising and restoring, the window shrunk and then the desktop's resolution changing (the
# WM_DISPLAYCHANGE a change sends; Xvfb cannot change its size). The helper window_events.exe
# beside pixed.exe does these to the window.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

EVENTS=$(dirname "$PIXED")/window_events.exe
[[ -f "$EVENTS" ]] || fail "no $EVENTS"
screen_mapping 1024 768
# The window rows of the status line and below, which follow the pointer.
STATUS_ROWS=(0 $((TOP + 560 * NUM / DEN)) 1024 768)

start_xvfb 1024x768
write_default_settings
copy_bitmaps
start_pixed
wait_window
focus_window
go() {
  # shellcheck disable=SC2046
  move $(at "$1" "$2")
}
go 401 301
go 400 300

# The screen once two screenshots a second apart agree.
settle() {
  shot settle-a
  sleep 1
  shot settle-b
  (($("$PROBE" differ "$SHOTS/settle-a.png" "$SHOTS/settle-b.png") == 0))
}
wait_until 20 0.5 settle || fail "the screen does not settle"
cp "$SHOTS/settle-b.png" "$SHOTS/reference.png"
REFERENCE=$SHOTS/reference.png
(($("$PROBE" others "$REFERENCE" FFFFFF) > 500000)) || fail "the editor's window does not cover the screen ($REFERENCE)"

# True when the editor runs and shows the reference screen above its status line.
shows_screen() {
  pixed_running || fail "pixed.exe ended"
  shot now
  (($("$PROBE" differ "$REFERENCE" "$SHOT" "${STATUS_ROWS[@]}") == 0))
}
# True when the status line differs from the reference's: the editor follows the pointer.
answers() {
  shot answer
  # shellcheck disable=SC2086
  [[ "$("$PROBE" hash "$REFERENCE" ${STATUS_ROWS[*]})" != "$("$PROBE" hash "$SHOT" ${STATUS_ROWS[*]})" ]]
}
event() {
  note "window_events $*"
  timeout 30 wine "$EVENTS" "$@" || fail "window_events $* failed"
}

event focus-away 1500
focus_window
wait_until 10 0.2 shows_screen || fail "after the focus came back the screen is not shown again ($SHOT)"
go 300 200
wait_until 10 0.2 answers || fail "after the focus came back the editor does not follow the pointer ($SHOT)"
note "the focus went away and came back"

event minimize-restore
focus_window
wait_until 10 0.2 shows_screen || fail "after minimising and restoring the screen is not shown again ($SHOT)"
note "minimised and restored"

event resize 800 600
# At 800 x 600 the window shows the screen at 1:1; the X server's white root beside it.
small() {
  shot small
  (($("$PROBE" others "$SHOT" FFFFFF 0 0 800 600) == 0 && $("$PROBE" others "$SHOT" 000000 0 600 1024 168 800 0 224 600) > 0))
}
wait_until 10 0.2 small || fail "the window shrunk to 800 x 600 does not show the screen at 1:1 ($SHOT)"
event display-change
wait_until 10 0.2 shows_screen || fail "after the resolution changed the window does not cover the screen again ($SHOT)"
note "resized and told of a new resolution"

focus_window
tap Escape
wait_exit 15
((PIXED_STATUS == 0)) || fail "pixed.exe exited with status $PIXED_STATUS, expected 0"
note "PASS: focus, minimising, resizing and a new resolution leave a running editor that shows its screen"
