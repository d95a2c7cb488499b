#!/usr/bin/env bash
# The real program's command line: --help and --version print and end without a
# display and without a file written; a folder it cannot work in, an unknown
# option or a second folder end it with status 1 and a line on stderr.
# Usage: command_line.sh <pixed> <test-folder>
set -euo pipefail

PIXED=$(realpath "$1")
TEST_DIR=$(realpath -m "$2")
rm -rf "$TEST_DIR"
mkdir -p "$TEST_DIR/work"
cd "$TEST_DIR/work"
touch "$TEST_DIR/a-file"
# With no display, anything that reached the screen would fail.
unset DISPLAY WAYLAND_DISPLAY

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs pixed with the arguments; sets STATUS, OUT and ERR.
run() {
  set +e
  "$PIXED" "$@" >"$TEST_DIR/out" 2>"$TEST_DIR/err"
  STATUS=$?
  set -e
  OUT=$(cat "$TEST_DIR/out")
  ERR=$(cat "$TEST_DIR/err")
  [[ -z "$(ls -A .)" ]] || fail "pixed $* wrote into its folder: $(ls -A .)"
}

run --help
((STATUS == 0)) || fail "--help ended with status $STATUS: $ERR"
[[ "$OUT" == "Usage: pixed [FOLDER]"* && -z "$ERR" ]] || fail "--help printed: $OUT / $ERR"

run --version
((STATUS == 0)) || fail "--version ended with status $STATUS: $ERR"
[[ "$OUT" =~ ^pixed\ [0-9]+\.[0-9]+\.[0-9]+$ && -z "$ERR" ]] || fail "--version printed: $OUT / $ERR"

declare -A expected=(
  [no-such-folder]="pixed: cannot work in no-such-folder: No such file or directory"
  ["$TEST_DIR/a-file"]="pixed: cannot work in $TEST_DIR/a-file: Not a directory"
  [--colour]="pixed: unknown option --colour"
)
for argument in "${!expected[@]}"; do
  run "$argument"
  ((STATUS == 1)) || fail "pixed $argument ended with status $STATUS, expected 1"
  [[ "$ERR" == "${expected[$argument]}"* ]] || fail "pixed $argument said: $ERR"
done
run . ..
((STATUS == 1)) && [[ "$ERR" == "pixed: one folder at most"* ]] || fail "two folders: status $STATUS, $ERR"
echo "PASS: help, version and refused command lines"
