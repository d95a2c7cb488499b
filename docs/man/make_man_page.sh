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
  # The synopsis: the lines before the first empty one, each "PROGRAM ..." line
  # a form of the command, the indented lines after it its continuation.
  while IFS= read -r line; do
    [[ -n "$line" ]] || break
    if [[ "$line" == "$name "* && -z "$usage" ]]; then
      usage="Usage: $line"
    elif [[ "$line" == "$name "* ]]; then
      usage+=$'\n'"  or:  $line"
    else
      usage+=" ${line#"${line%%[! ]*}"}"
    fi
  done <<<"$text"
done

# The NAME line from "PROGRAM - what it is".
description=""
if [[ "${help%%$'\n'*}" == "$name - "* ]]; then
  description=${help%%$'\n'*}
  description=${description#"$name - "}
  help=${help#*$'\n'}
fi

# The exit status paragraph moves to a section of its own, after everything else.
awk -v usage="$usage" -v name="$name" '
  # One line of the help, once the synopses are joined.
  function handle(line) {
    if (line ~ /^Exit status:/) { status = 1; sub(/^Exit status: */, "", line); exit_text = line; return }
    if (status && line == "") status = 0
    if (status) { exit_text = exit_text "\n" line; return }
    if (line ~ /^Examples?:$/) { print "Examples:"; examples = 1; return }
    if (line == "") examples = 0
    # Examples in constant width, one command a line.
    if (examples && line ~ /^  [^ ]/) { print "  $ " substr(line, 3); return }
    # An item whose description follows on lines indented deeper: a tagged paragraph.
    if (line ~ /^      [^ ]/ && item) { printf "%20s%s\n", "", substr(line, 7); return }
    item = line ~ /^  [^ ]/
    print line
  }
  BEGIN { if (usage != "") print usage "\n" }
  # A synopsis that goes on over lines indented deeper than an item is one line, one item.
  synopsis != "" && /^       +[^ ]/ { sub(/^ +/, " "); synopsis = synopsis $0; next }
  synopsis != "" { handle(synopsis); synopsis = "" }
  !examples && $0 ~ ("^ *" name " ") { synopsis = $0; next }
  { handle($0) }
  END { if (synopsis != "") handle(synopsis); if (exit_text != "") print "\n*Exit status*\n" exit_text }
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
# The commands' synopses as man pages set them: the command's name bold, and the rest hanging
# under it when it takes more than a line, options bold and their values italic. They stand in
# the SYNOPSIS and at the head of each command's section, in place of help2man's.
FORMS=$(sed -e 's/^Usage: //' -e 's/^  or:  //' <<<"$usage") awk '
  function synopsis(form,    count, words, i, word, lead, tail, core, text, joined) {
    count = split(form, words, " ")
    text = ""
    joined = 0
    for (i = 2; i <= count; i++) {
      word = words[i]
      match(word, /^[[(]*/); lead = substr(word, 1, RLENGTH); word = substr(word, RLENGTH + 1)
      match(word, /[])]*$/); tail = substr(word, RSTART); core = substr(word, 1, RSTART - 1)
      # An option and its value stay on one line.
      text = text (text == "" ? "" : (joined && lead == "" && core !~ /^-/ && core != "|" ? "\\ " : " "))
      gsub(/-/, "\\-", core)
      if (core == "|") {
        text = text lead core tail
      } else if (i == 2 || core ~ /^\\-/) {
        text = text lead "\\fB" core "\\fR" tail
      } else {
        text = text lead "\\fI" core "\\fR" tail
      }
      joined = core ~ /^\\-/ && tail == ""
    }
    return ".SY " words[1] "\n" text "\n.YS"
  }
  # The forms of one command, or of all for "".
  function forms(command,    count, lines, i, words, text) {
    count = split(ENVIRON["FORMS"], lines, "\n")
    text = ""
    for (i = 1; i <= count; i++) {
      split(lines[i], words, " ")
      if (command == "" || words[2] == command) {
        text = text (text == "" ? "" : "\n") synopsis(lines[i])
      }
    }
    return text
  }
  ENVIRON["FORMS"] == "" { print; next }
  skip && /^\.(SH|PP)/ { skip = 0 }
  skip { next }
  /^\.SH SYNOPSIS$/ { print; print forms(""); skip = 1; next }
  /^\.SH "[A-Z]+ COMMAND"$/ { print; command = tolower($2); sub(/^"/, "", command); print forms(command); skip = 1; next }
  { print }
' "$work/page" >"$work/page.synopsis"
# Examples as typed: not filled to the line's width.
awk '
  example && !/^\\f\(CW/ && !/^\.br$/ { print ".fi"; example = 0 }
  held { print ".IP"; held = 0; if (/^\\f\(CW/) { print ".nf"; example = 1 } }
  /^\.IP$/ { held = 1; next }
  { print }
  END { if (example) print ".fi" }
' "$work/page.synopsis" >"$output.tmp"
mv "$output.tmp" "$output"
