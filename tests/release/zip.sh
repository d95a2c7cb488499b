#!/usr/bin/env bash
# The Windows zip as a user unpacks it: into an empty folder, it holds pixed.exe, pixtool.exe, the
# twenty button bitmaps, README.txt with Windows line ends and the licence texts, and pixed.exe
# carries the zip's version; pixtool.exe tells it too, with nothing beside it but the unpacked
# files; started there under Wine pixed.exe shows its buttons, and Escape ends it with its settings
# files written beside it.
# Usage: zip.sh <pixed-VERSION-windows-x86_64.zip> <screen_probe> <test-folder> <golden>
#   PIXED_WINE_PREFIX names the Wine prefix that wine_prefix.sh made for this test run.
set -euo pipefail

zip=$(realpath -m "$1")
if [[ ! -f "$zip" ]]; then
  echo "SKIP: no zip $zip (scripts/package.sh makes it; the test command runs it before the tests)"
  exit 77
fi
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
note "$(basename "$zip"): pixed.exe, pixtool.exe, $count bitmaps, README.txt and the licences, in CR LF"

first_start "$WORK/pixed.exe"
note "PASS: unpacked, started under Wine, buttons shown, settings written"
