#!/usr/bin/env bash
# The Windows zip as a user unpacks it: into an empty folder, it holds pixed.exe, pixtool.exe, the
# twenty button bitmaps, README.txt with Windows line ends and the licence texts, and pixed.exe
# carries the zip's version; pixtool.exe tells it too, with nothing beside it but the unpacked
# files, and its export of a pix file as a PNG and as a GIF is the Linux pixtool's byte for byte;
# started there under Wine pixed.exe shows its buttons, and Escape ends it with its settings files
# written beside it.
# Usage: zip.sh <pixed-VERSION-windows-x86_64.zip> <screen_probe> <test-folder> <golden> <linux-pixtool>
#   PIXED_WINE_PREFIX names the Wine prefix that wine_prefix.sh made for this test run.
set -euo pipefail

zip=$(realpath -m "$1")
if [[ ! -f "$zip" ]]; then
  echo "SKIP: no zip $zip (scripts/package.sh makes it; the test command runs it before the tests)"
  exit 77
fi
linux_pixtool=$(realpath -m "${5:-}")
set -- "$3/work/pixed.exe" "$2" "" "$3" "${4:-}"
# shellcheck source=../xvfb/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../xvfb/lib.sh"
# shellcheck source=first_start.sh
source "$HERE/../release/first_start.sh"

version=$(basename "$zip" .zip)
version=${version#pixed-}
version=${version%-windows-x86_64}
unzip -q "$zip" -d "$WORK" || fail "unzip failed on $zip"
[[ -f "$WORK/pixed.exe" ]] || fail "the zip holds no pixed.exe at its top"
[[ -f "$WORK/pixtool.exe" ]] || fail "the zip holds no pixtool.exe at its top"
count=$(find "$WORK" -maxdepth 1 -name '*.bmp' | wc -l)
((count == 20)) || fail "the zip holds $count bitmaps beside pixed.exe, expected 20"
for text in README.txt LICENSE.txt licences/mingw-w64-runtime.txt licences/gcc-runtime.txt licences/terminus-font.txt \
  licences/zlib.txt licences/libpng.txt licences/giflib.txt; do
  [[ -s "$WORK/$text" ]] || fail "the zip holds no $text"
  lines=$(wc -l <"$WORK/$text")
  crlf=$(grep -c $'\r$' "$WORK/$text" || true)
  ((lines == crlf)) || fail "$text: $((lines - crlf)) of its $lines lines do not end in CR LF"
done
readme=$(tr -d '\r' <"$WORK/README.txt")
for topic in "version $version" --exclusive PIXED_SCALING PIXED_HISTORY_MB Ctrl+Z SaveSize.dat "Differences from the Linux program" \
  "pixtool.exe export" 'licences\libpng.txt'; do
  [[ "$readme" == *"$topic"* ]] || fail "README.txt does not tell of $topic"
done
grep -q 'SIL OPEN FONT LICENSE Version 1.1' "$WORK/licences/terminus-font.txt" || fail "terminus-font.txt lacks the licence"
# The version in the program's properties (its version resource, in UTF-16) is the zip's.
[[ "$(strings -el "$WORK/pixed.exe" | grep -A1 -x ProductVersion | tail -n 1)" == "$version" ]] ||
  fail "pixed.exe does not carry the version $version"
for library in zlib libpng giflib; do
  grep -q "^Upstream-Name: $library" "$WORK/licences/$library.txt" || fail "licences/$library.txt is not $library's copyright file"
done
# pixtool.exe runs from the unpacked folder alone, with no DLL of its libraries.
pixtool_says=$(cd "$WORK" && wine pixtool.exe --version 2>/dev/null | tr -d '\r')
# Its Wine processes, started without the X server, end before pixed.exe starts with it.
timeout 20 wineserver -w || fail "Wine's processes of pixtool.exe do not end"
[[ "$pixtool_says" == "pixtool $version" ]] || fail "pixtool.exe --version printed '$pixtool_says'"
# An export as an artist runs it, each pixtool in a folder of its own.
[[ -x "$linux_pixtool" ]] || fail "no Linux pixtool at '$linux_pixtool'"
mkdir -p "$TEST_DIR/linux" "$TEST_DIR/windows"
python3 -c 'import sys; sys.stdout.buffer.write(bytes((n * 7) % 81 for n in range(3 * 6 * 5)))' >"$TEST_DIR/linux/walk.pix"
cp "$TEST_DIR/linux/walk.pix" "$TEST_DIR/windows/"
exports=("export walk.pix --size 6x5 --image 2 --scale 3 -o still.png" "export walk.pix --size 6x5 --all --fps 4 -o walk.gif")
for arguments in "${exports[@]}"; do
  read -ra words <<<"$arguments"
  (cd "$TEST_DIR/linux" && "$linux_pixtool" "${words[@]}" >/dev/null) || fail "the Linux pixtool failed: $arguments"
  (cd "$TEST_DIR/windows" && wine "$WORK/pixtool.exe" "${words[@]}" >/dev/null 2>&1) || fail "pixtool.exe failed: $arguments"
done
timeout 20 wineserver -w || fail "Wine's processes of pixtool.exe do not end"
for file in still.png walk.gif; do
  cmp "$TEST_DIR/linux/$file" "$TEST_DIR/windows/$file" || fail "pixtool.exe's $file differs from the Linux pixtool's"
done
note "$(basename "$zip"): pixed.exe, pixtool.exe, $count bitmaps, README.txt and the licences, in CR LF;"\
  "pixtool.exe's PNG and GIF are the Linux pixtool's"

first_start "$WORK/pixed.exe"
note "PASS: unpacked, started under Wine, buttons shown, settings written"
