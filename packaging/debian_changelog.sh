#!/usr/bin/env bash
# Writes CHANGELOG.md (Keep a Changelog) in the form of a Debian changelog, the one the package's
# /usr/share/doc/pixed/changelog.gz must have: an entry per released version, newest first, its
# items under their kinds ("[ Added ]", ...) wrapped to 79 columns, signed with the maintainer and
# the release date.
# Usage: debian_changelog.sh CHANGELOG.md MAINTAINER OUTPUT
set -euo pipefail

changelog=$1
maintainer=$2
output=$3

awk -v maintainer="$maintainer" '
  # The text gathered, wrapped to 79 columns: "  * " before an item, "  " before a paragraph.
  function flush_item(   words, count, i, line, rest) {
    if (item == "") return
    gsub(/`/, "", item)
    count = split(item, words, " ")
    line = paragraph ? " " : "  *"
    rest = paragraph ? "  " : "    "
    for (i = 1; i <= count; i++) {
      if (length(line) + 1 + length(words[i]) > 79 && i > 1) {
        print line
        line = rest words[i]
      } else {
        line = line " " words[i]
      }
    }
    print line
    item = ""
  }
  function close_entry() {
    flush_item()
    if (version != "") printf "\n -- %s  %s\n", maintainer, stamp
    version = ""
  }
  /^## \[/ {
    close_entry()
    if (!match($0, /^## \[[^]]+\] - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]/)) next # unreleased
    version = $0; sub(/^## \[/, "", version); sub(/\].*/, "", version)
    date = $0; sub(/.* - /, "", date)
    command = "date -u -R -d " date
    command | getline stamp
    close(command)
    if (entries++) print ""
    printf "pixed (%s) stable; urgency=medium\n\n", version
    started = 0
    next
  }
  version == "" { next }
  /^### / { flush_item(); kind = substr($0, 5); printf "%s  [ %s ]\n", (started++ ? "\n" : ""), kind; next }
  /^- / { flush_item(); item = substr($0, 3); paragraph = 0; next }
  /^  [^ ]/ && item != "" && !paragraph { item = item " " substr($0, 3); next }
  /^$/ { flush_item(); next }
  /^\[/ { next } # link references
  item != "" && paragraph { item = item " " $0; next }
  { flush_item(); if (started++) print ""; item = $0; paragraph = 1 }
  END { close_entry() }
' "$changelog" >"$output.tmp"
mv "$output.tmp" "$output"
