#!/usr/bin/env bash
# Writes the licence texts of the Windows zip with Windows line ends: pixed's own (LICENSE.txt),
# and in licences\ the terms of the runtime libraries linked into pixed.exe (Debian's copyright
# files of the mingw-w64 and GCC runtime packages it was built with), of Terminus Font, and of each
# library linked into pixtool.exe (its source package's Debian copyright file, kept by its name).
# Usage: windows_texts.sh OUTPUT-FOLDER LICENSE FONT-COPYRIGHT.gz MINGW-W64-COPYRIGHT GCC-COPYRIGHT
#        [LIBRARY-COPYRIGHT.txt...]
set -euo pipefail

out=$1
licence=$2
font_copyright=$3
mingw_copyright=$4
gcc_copyright=$5
shift 5

crlf() { sed -e 's/\r*$/\r/'; }
mkdir -p "$out/licences"
crlf <"$licence" >"$out/LICENSE.txt"
crlf <"$mingw_copyright" >"$out/licences/mingw-w64-runtime.txt"
crlf <"$gcc_copyright" >"$out/licences/gcc-runtime.txt"
bash "$(dirname "${BASH_SOURCE[0]}")/terminus_terms.sh" "$font_copyright" | crlf >"$out/licences/terminus-font.txt"
for library in "$@"; do
  crlf <"$library" >"$out/licences/$(basename "$library")"
done
