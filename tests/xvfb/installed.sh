#!/usr/bin/env bash
# The program as cmake --install lays it out, and as it runs from its build
# folder: started from elsewhere with an art folder that holds the settings but
# no bitmaps, it shows the golden start screen, its buttons taken from its own
# folder, except the one the artist has (named in capitals); it writes nothing
# where it was started.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [[ -z "$GOLDEN" || ! -f "$GOLDEN" ]]; then
  echo "SKIP: no golden start screen (${GOLDEN:-none given})"
  exit 77
fi
convert "$GOLDEN" -depth 8 -type TrueColor "$TEST_DIR/golden.png" || fail "cannot read the golden screen $GOLDEN"

PREFIX=$TEST_DIR/prefix
"${PIXED_CMAKE:-cmake}" --install "$(dirname "$PIXED")" --prefix "$PREFIX" >"$TEST_DIR/install.log" ||
  fail "cmake --install failed: $(tail -n 5 "$TEST_DIR/install.log")"
# The desktop entry is named by pixed's id, as its AppStream metainfo names it.
entry=share/applications/example.c_seed_84003e14.pixed.desktop
for file in bin/pixed "$entry" share/icons/hicolor/scalable/apps/pixed.svg share/metainfo/example.c_seed_84003e14.pixed.metainfo.xml; do
  [[ -s "$PREFIX/$file" ]] || fail "cmake --install did not put $file into $PREFIX"
done
count=$(find "$PREFIX/share/pixed" -name '*.bmp' | wc -l)
((count == 20)) || fail "expected the 20 button bitmaps in $PREFIX/share/pixed, found $count"
grep -qx 'Exec=pixed' "$PREFIX/$entry" && grep -qx 'Icon=pixed' "$PREFIX/$entry" || fail "the desktop entry does not start pixed with its icon"
note "installed into $PREFIX"

LOAD=(160 500 89 23)
start_xvfb
for program in "$PREFIX/bin/pixed" "$PIXED"; do
  rm -rf "$WORK" "$TEST_DIR/elsewhere"
  mkdir -p "$WORK" "$TEST_DIR/elsewhere"
  write_default_settings
  convert -size 89x23 xc:'#FF0000' "BMP3:$WORK/LOAD_BUTTON.BMP"
  xdotool mousemove 400 300
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
  export LSAN_OPTIONS=suppressions=$HERE/lsan.supp:print_suppressions=0
  (cd "$TEST_DIR/elsewhere" && SDL_AUDIODRIVER=dummy exec "$program" "$WORK" >"$TEST_DIR/pixed.stdout" 2>"$TEST_DIR/pixed.stderr") &
  PIXED_PID=$!
  note "$program started in $TEST_DIR/elsewhere for $WORK"
  wait_window
  settled() {
    pixed_running || fail "pixed ended during start-up"
    shot start
    (($("$PROBE" differ "$TEST_DIR/golden.png" "$SHOT" "${LOAD[@]}") == 0)) &&
      [[ $(colours_in "$SHOT" "${LOAD[@]}") == FF0000 ]]
  }
  wait_until 20 0.1 settled ||
    fail "$program: the screen differs from the golden one in $("$PROBE" differ "$TEST_DIR/golden.png" "$SHOT" "${LOAD[@]}") pixels outside Load, whose place shows $(colours_in "$SHOT" "${LOAD[@]}")"
  focus_window
  tap Escape
  wait_exit 15
  ((PIXED_STATUS == 0)) || fail "$program exited with status $PIXED_STATUS"
  [[ -z "$(ls -A "$TEST_DIR/elsewhere")" ]] || fail "$program wrote where it was started: $(ls -A "$TEST_DIR/elsewhere")"
  expect_bytes "$WORK/SaveSize.dat" "66 4e"
  note "$program: its own buttons, the artist's Load, files in the art folder"
done
note "PASS: installed and build-folder program in an art folder"
