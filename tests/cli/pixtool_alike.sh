#!/usr/bin/env bash
# pixtool of another platform (pixtool.exe under Wine, pixtool.js under Node.js) against the Linux
# pixtool: each runs the same commands on the same files in a folder of its own (export as PNG, as
# a GIF, as a sheet with its JSON, to standard output but under Node.js, into a missing folder;
# import of a palette PNG, a true-colour one and a sheet; palette in every format; delete; the size
# taken from SaveSize.dat), and every file each leaves, its exit status and its standard output
# (line ends aside) must be the same.
# Usage: pixtool_alike.sh <linux-pixtool> <test-folder> <command running the other pixtool...>
set -euo pipefail

linux=$(realpath "$1")
test_dir=$(realpath -m "$2")
shift 2
other=("$@")

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

case "${other[0]}" in
  wine)
    command -v wine >/dev/null || { echo "SKIP: wine is not installed"; exit 77; }
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # A console program: no display, and no Wine process of another check bound to one.
    unset DISPLAY WAYLAND_DISPLAY
    timeout 20 wineserver -w || fail "Wine's processes of an earlier check do not end"
    trap 'wineserver -w' EXIT
    ;;
  node)
    command -v node >/dev/null || { echo "SKIP: node is not installed"; exit 77; }
    ;;
esac
[[ -f "${other[-1]}" ]] || fail "no ${other[-1]}"
other[-1]=$(realpath "${other[-1]}")
command -v convert >/dev/null || { echo "SKIP: ImageMagick's convert is not installed"; exit 77; }

rm -rf "$test_dir"
mkdir -p "$test_dir/linux" "$test_dir/other"
# Three images of 12 x 9 in the indices the palette panel picks; the editor's size file.
python3 -c '
import sys
sys.stdout.buffer.write(bytes((n * 37 + n // 12) % 81 for n in range(3 * 12 * 9)))' >"$test_dir/frames.pix"
printf '\x0c\x09' >"$test_dir/SaveSize.dat"
# A sprite drawn by another program: true colour, in the palette's colours but two.
"$linux" export "$test_dir/frames.pix" --size 12x9 --image 1 -o "$test_dir/drawn.png" >/dev/null
convert "$test_dir/drawn.png" -fill '#123456' -draw 'point 3,4' -fill '#fefefe' -draw 'point 0,0' \
  -type TrueColor "PNG24:$test_dir/true_colour.png"

# Each step: its arguments, as both run them in their own folder.
steps=(
  "export frames.pix --size 12x9 --image 2 -o one.png"
  "export frames.pix --all --scale 3 -o frames.png"
  "export frames.pix --size 12x9 --all --fps 5 --scale 2 -o frames.gif"
  "export frames.pix --size 12x9 --all --from 1 --sheet 2 -o sheet.png --json sheet.json --fps 12"
  "export frames.pix --size 12x9 --image 7 -o missing.png"
  "export frames.pix --size 12x9 --image 0 -o no_folder/one.png"
  "import one.png --size 12x9 --into frames.pix --image 0"
  "import true_colour.png --size 12x9 --append frames.pix"
  "import sheet.png --size 12x9 --sheet 2 --append frames.pix"
  "palette -o colours.gpl"
  "palette --format pal -o colours.pal"
  "palette --format act -o colours.act"
  "palette --format hex -o colours.hex"
  "delete frames.pix --size 12x9 --image 1"
  "info frames.pix"
)
for side in linux other; do
  cp "$test_dir/frames.pix" "$test_dir/SaveSize.dat" "$test_dir/true_colour.png" "$test_dir/$side/"
done
run_step() {
  local side=$1 n=$2
  shift 2
  local status=0
  if [[ "$side" == linux ]]; then
    (cd "$test_dir/$side" && "$linux" "$@") >"$test_dir/$side.$n.out" 2>"$test_dir/$side.$n.err" || status=$?
  else
    (cd "$test_dir/$side" && "${other[@]}" "$@") >"$test_dir/$side.$n.out" 2>"$test_dir/$side.$n.err" || status=$?
  fi
  echo "$status"
}
n=0
for step in "${steps[@]}"; do
  n=$((n + 1))
  read -ra arguments <<<"$step"
  linux_status=$(run_step linux "$n" "${arguments[@]}")
  other_status=$(run_step other "$n" "${arguments[@]}")
  [[ "$linux_status" == "$other_status" ]] ||
    fail "pixtool $step: status $other_status, the Linux pixtool's $linux_status ($(tail -c 600 "$test_dir/other.$n.err"))"
  cmp -s <(tr -d '\r' <"$test_dir/other.$n.out") "$test_dir/linux.$n.out" ||
    fail "pixtool $step printed otherwise: $(diff <(tr -d '\r' <"$test_dir/other.$n.out") "$test_dir/linux.$n.out")"
  # Every file of the folder after each step.
  for file in "$test_dir"/linux/*; do
    name=$(basename "$file")
    cmp -s "$file" "$test_dir/other/$name" || fail "pixtool $step: $name differs from the Linux pixtool's"
  done
  [[ "$(ls "$test_dir/other")" == "$(ls "$test_dir/linux")" ]] ||
    fail "pixtool $step left other files: $(ls "$test_dir/other") against $(ls "$test_dir/linux")"
  echo "same: pixtool $step (status $linux_status)"
done
# Standard output carries a PNG's bytes as they are. (Emscripten gives a program under Node.js its
# standard output as a terminal, a text one: pixtool refuses it there, rightly.)
if [[ "${other[0]}" != node ]]; then
  (cd "$test_dir/linux" && "$linux" export frames.pix --image 0 -o - >"$test_dir/linux.stdout.png" 2>/dev/null)
  (cd "$test_dir/other" && "${other[@]}" export frames.pix --image 0 -o - >"$test_dir/other.stdout.png" 2>/dev/null) ||
    fail "export to standard output failed"
  cmp "$test_dir/other.stdout.png" "$test_dir/linux.stdout.png" || fail "the PNG on standard output differs"
  echo "same: pixtool export frames.pix --image 0 -o -"
fi
echo "PASS: ${other[*]} gave the Linux pixtool's bytes"
