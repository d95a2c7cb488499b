#!/usr/bin/env bash
# Undo and redo typed as a person types them: two strokes taken back with
# Ctrl+Z and put back with Ctrl+Y and Ctrl+Shift+Z; a Ctrl+Z typed into the Load
# entry does nothing, the next one undoes the Load. pixed.exe under Wine: one
# stroke and one undo.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

WHITE=FFFFFF BLACK=000000
a_x=200 a_y=100
b_x=253 b_y=147
c_x=300 c_y=300 # never painted

# The colours of the grid cell under the cursor position (x, y) in the last screenshot.
cell_colour() { colours_in "$SHOT" "$(grid_cell_left "$(column_at "$1")")" "$(grid_cell_top "$(row_at "$2")")" 4 4; }
cells_show() {
  shot "$STEP"
  [[ "$(cell_colour $a_x $a_y) $(cell_colour $b_x $b_y) $(cell_colour $c_x $c_y)" == "$1 $2 $3" ]]
}
# Waits for the cells of the strokes A and B and the unpainted cell C to show the colours.
STEP=0
expect_cells() {
  local what=$1
  shift
  STEP=$((STEP + 1))
  wait_until 5 0.1 cells_show "$@" ||
    fail "$what: cells A, B, C show $(cell_colour $a_x $a_y), $(cell_colour $b_x $b_y), $(cell_colour $c_x $c_y); expected $* ($SHOT)"
  note "$what ($SHOT)"
}

if [[ "$PIXED" == *.exe ]]; then
  # A key is seen only while it is down at a pass: the last one is held until the screen changes.
  chord() {
    local i last=$#
    import -window root "$SHOTS/chord-before.png" || fail "import could not take a screenshot"
    for ((i = 1; i <= last; i++)); do
      xdotool keydown "${!i}"
      sleep 0.1
    done
    wait_until 5 0.05 screen_changed_from "$SHOTS/chord-before.png" || true
    for ((i = last; i >= 1; i--)); do
      xdotool keyup "${!i}"
    done
    sleep 0.3
  }
fi

# Two strokes undone and redone, then a Ctrl+Z typed into the Load entry.
undo_redo_and_an_entry() {
  move $b_x $b_y
  click 1
  expect_cells "strokes A and B" $WHITE $WHITE $BLACK
  chord ctrl z
  expect_cells "Ctrl+Z takes stroke B back" $WHITE $BLACK $BLACK
  chord ctrl z
  expect_cells "Ctrl+Z takes stroke A back" $BLACK $BLACK $BLACK
  chord ctrl y
  expect_cells "Ctrl+Y puts stroke A back" $WHITE $BLACK $BLACK
  chord ctrl shift z
  expect_cells "Ctrl+Shift+Z puts stroke B back" $WHITE $WHITE $BLACK

  # Load (160, 500): test1.pix does not exist, so image 0 is all 255 and every cell turns white.
  red_in() { [[ " $(colours_in "$SHOT" "$@") " == *" FF0000 "* ]]; }
  prompt_on_screen() {
    shot prompt
    red_in 420 410 180 16
  }
  move 200 511
  click 1
  wait_until 10 0.1 prompt_on_screen || fail "no prompt after a click on Load ($SHOT)"
  chord ctrl z
  tap Return
  expect_cells "the Load of image 0" $WHITE $WHITE $WHITE
  sleep 1
  expect_cells "the Ctrl+Z typed in the entry did not undo the Load" $WHITE $WHITE $WHITE
  chord ctrl z
  expect_cells "Ctrl+Z takes the Load back" $WHITE $WHITE $BLACK
}

start_editor_for_input
# Strokes in the start colour, 255 (white).
move $a_x $a_y
click 1
expect_cells "stroke A" $WHITE $BLACK $BLACK
if [[ "$PIXED" == *.exe ]]; then
  chord ctrl z
  expect_cells "Ctrl+Z takes stroke A back" $BLACK $BLACK $BLACK
else
  undo_redo_and_an_entry
fi

tap Escape
wait_exit 30
((PIXED_STATUS == 0)) || fail "pixed exited with status $PIXED_STATUS, expected 0"
note "PASS: undo and redo typed as a person types them"
