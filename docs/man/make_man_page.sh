#!/usr/bin/env bash
# Makes a program's manual page with help2man from its own --help and --version, so the page
# says what the program says. COMMANDS are its commands whose "PROGRAM COMMAND --help" follow
# as sections of their own. From the help texts:
#   - a first line "PROGRAM - what it is" becomes the NAME line;
#   - the first line of each command's help, its synopsis, joins the SYNOPSIS;
#   - the paragraph "Exit status: ..." becomes the EXIT STATUS section;
#   - "Environment:", "Files:" and "Examples:" (or "Example:") blocks go to their sections, the
#     examples in constant width;
#   - an item whose description follows on lines indented deeper is a tagged paragraph.
# The include file adds what --help leaves out (FILES, EXAMPLES, SEE ALSO, ...). A block of it
# that begins with the comment line '.\" unless --help names VARIABLE', up to the next comment
# or section, is left out once the program's --help names that variable itself, so a variable
# is described once.
# Usage: make_man_page.sh PROGRAM INCLUDE.h2m OUTPUT [COMMAND...]
set -euo pipefail

program=$(realpath "$1")
include=$2
output=$3
shift 3
name=$(basename "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

help=$("$program" --help)
version=$("$program" --version)
commands_help=""
usage=""
for command in "$@"; do
  text=$("$program" "$command" --help)
  heading="${command^} command"
  commands_help+=$'\n\n'"*$heading*"$'\n'"$text"
  if [[ -z "$usage" ]]; then
    usage="Usage: ${text%%$'\n'*}"
  else
    usage+=$'\n'"  or:  ${text%%$'\n'*}"
  fi
done

# The NAME line from "PROGRAM - what it is".
description=""
if [[ "${help%%$'\n'*}" == "$name - "* ]]; then
  description=${help%%$'\n'*}
  description=${description#"$name - "}
  help=${help#*$'\n'}
fi

# The exit status paragraph moves to a section of its own, after everything else.
awk -v usage="$usage" '
  BEGIN { if (usage != "") print usage "\n" }
  /^Exit status:/ { status = 1; sub(/^Exit status: */, ""); exit_text = $0; next }
  status && /^$/ { status = 0 }
  status { exit_text = exit_text "\n" $0; next }
  /^Examples?:$/ { print "Examples:"; examples = 1; next }
  /^$/ { examples = 0 }
  # Examples in constant width, one command a line.
  examples && /^  [^ ]/ { print "  $ " substr($0, 3); next }
  # An item whose description follows on lines indented deeper: a tagged paragraph.
  /^      [^ ]/ && item { printf "%20s%s\n", "", substr($0, 7); next }
  { item = /^  [^ ]/; print }
  END { if (exit_text != "") print "\n*Exit status*\n" exit_text }
' <<<"$help$commands_help" >"$work/help"
printf '%s\n' "$version" >"$work/version"

# What the program names itself is left out of the include file.
HELP_TEXT=$(cat "$work/help") awk '
  /^\.\\" unless --help names / { skip = index(ENVIRON["HELP_TEXT"], $NF) > 0; next }
  /^(\[|\.\\")/ { skip = 0 }
  !skip { print }
' "$include" >"$work/include.h2m"

# help2man reads the texts through a program of the same name.
cat >"$work/$name" <<EOF
#!/bin/sh
case "\$1" in
  --version) cat "$work/version" ;;
  *) cat "$work/help" ;;
esac
EOF
chmod +x "$work/$name"

options=(--no-info --section=1 --manual="User Commands" --source="pixed ${version##* }" --include="$work/include.h2m")
if [[ -n "$description" ]]; then
  options+=(--name="$description")
fi
help2man "${options[@]}" --output="$work/page" "$work/$name"
# Examples as typed: not filled to the line's width.
awk '
  example && !/^\\f\(CW/ && !/^\.br$/ { print ".fi"; example = 0 }
  held { print ".IP"; held = 0; if (/^\\f\(CW/) { print ".nf"; example = 1 } }
  /^\.IP$/ { held = 1; next }
  { print }
  END { if (example) print ".fi" }
' "$work/page" >"$output.tmp"
mv "$output.tmp" "$output"
