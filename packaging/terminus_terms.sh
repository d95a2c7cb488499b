#!/usr/bin/env bash
# Prints the Terminus Font's copyright notice and licence: its section of the console fonts'
# copyright terms (console-setup-linux's copyright.fonts.gz), up to the next font's.
# Usage: terminus_terms.sh FONT-COPYRIGHT.gz
set -euo pipefail

terms=$(gzip -dc "$1" | awk '
  /^Terminus Font is licensed/ { keep = 1 }
  keep && /^== / { exit }
  keep { print }')
if ! grep -q 'SIL OPEN FONT LICENSE Version 1.1' <<<"$terms"; then
  echo "terminus_terms: no Open Font License for Terminus Font in $1" >&2
  exit 1
fi
printf '%s\n' "$terms"
