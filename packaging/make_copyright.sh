#!/usr/bin/env bash
# Writes the package's copyright file: the head (the Files paragraphs), then the text of each
# licence as Debian's machine-readable form has it (lines indented by one space, "." for an empty
# line): pixed's from LICENSE, the Terminus Font's from the console fonts' copyright terms.
# Usage: make_copyright.sh HEAD LICENSE FONT-COPYRIGHT.gz OUTPUT
set -euo pipefail

head_file=$1
licence=$2
font_copyright=$3
output=$4

# A licence text as the body of a License paragraph.
as_body() {
  sed -e 's/[[:space:]]*$//' | awk '
    { lines[NR] = $0 }
    END {
      first = 1; while (first <= NR && lines[first] == "") first++
      last = NR; while (last >= first && lines[last] == "") last--
      for (i = first; i <= last; i++) print (lines[i] == "" ? " ." : " " lines[i])
    }'
}

# pixed's licence: its permission text, after the title and the copyright line.
expat=$(sed -n '/^Permission is hereby granted/,$p' "$licence" | as_body)
[[ -n "$expat" ]] || { echo "make_copyright: no permission text in $licence" >&2; exit 1; }

# The Terminus Font's notice and licence.
terminus=$(bash "$(dirname "${BASH_SOURCE[0]}")/terminus_terms.sh" "$font_copyright" | as_body)

{
  cat "$head_file"
  printf '\nLicense: Expat\n%s\n' "$expat"
  printf '\nLicense: OFL-1.1\n%s\n' "$terminus"
} >"$output.tmp"
mv "$output.tmp" "$output"
