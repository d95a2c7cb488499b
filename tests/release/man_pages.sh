#!/usr/bin/env bash
# The manual pages as made by the build: every option that a program's --help names is in its
# page, each page has the sections a reader looks for, the environment variables are described
# in ENVIRONMENT, the version is the project's everywhere, and man renders the pages without a
# warning.
# Usage: man_pages.sh <pixed> <pixtool> <man-folder> <version>
set -euo pipefail

pixed=$1
pixtool=$2
pages=$3
version=$4
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The page's text without roff's escapes of hyphens and fonts.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\f(CW//g' -e 's/\\[,\/&]//g' "$1"; }
# The lines of one section of the page.
section_text() { page_text "$1" | awk -v want="$2" '/^\.SH / { name = $0; sub(/^\.SH "?/, "", name); sub(/"$/, "", name); on = name == want; next } on'; }
# The options a help text names: --word or -letter, not inside a word.
options_in() { grep -oE '(^|[^[:alnum:]-])(--[a-z][a-z0-9-]*|-[a-zA-Z])([^[:alnum:]-]|$)' | grep -oE -- '-{1,2}[a-zA-Z][a-z0-9-]*' | sort -u; }

check_page() {
  local page=$1 help=$2 name
  name=$(basename "$page" .1)
  [[ -s "$page" ]] || { fail "no manual page $page"; return; }
  # Named where the page explains it, not only in the synopsis.
  local text
  text=$(page_text "$page" | awk '/^\.SH / { synopsis = /SYNOPSIS/ } !synopsis')
  local option count=0
  while read -r option; do
    count=$((count + 1))
    grep -qE -- "(^|[^[:alnum:]-])$option([^[:alnum:]-]|$)" <<<"$text" || fail "$name(1) does not name $option, which its --help names"
  done < <(options_in <<<"$help")
  ((count > 0)) || fail "no option found in the help of $name"
  for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" ENVIRONMENT FILES EXAMPLES "SEE ALSO"; do
    [[ -n "$(section_text "$page" "$section")" ]] || fail "$name(1) has no $section section"
  done
  local environment
  environment=$(section_text "$page" ENVIRONMENT)
  for variable in PIXED_SCALING PIXED_HISTORY_MB $(grep -oE 'PIXED_[A-Z_]+' <<<"$help" | sort -u); do
    grep -q "$variable" <<<"$environment" || fail "the ENVIRONMENT section of $name(1) does not name $variable"
  done
  grep -q "^\.TH ${name^^} \"1\" \"[^\"]*\" \"pixed $version\"" "$page" || fail "$name(1) is not of pixed $version: $(grep '^\.TH' "$page")"
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || fail "man warns on $name(1): $warnings"
  echo "$name(1): $count options of --help, sections, environment and version checked"
}

[[ "$("$pixed" --version)" == "pixed $version" ]] || fail "pixed --version says $("$pixed" --version), not pixed $version"
[[ "$("$pixtool" --version)" == "pixtool $version" ]] || fail "pixtool --version says $("$pixtool" --version), not pixtool $version"
check_page "$pages/pixed.1" "$("$pixed" --help)"
pixtool_help=$("$pixtool" --help)
for command in info export import delete palette; do
  pixtool_help+=$'\n'$("$pixtool" "$command" --help)
done
check_page "$pages/pixtool.1" "$pixtool_help"
# A variable that --help describes (an entry of its own) is not described again from the include
# file (an entry ".B VARIABLE").
environment=$(section_text "$pages/pixed.1" ENVIRONMENT)
for variable in PIXED_SCALING PIXED_HISTORY_MB; do
  if grep -qE "^$variable([= ]|$)" <<<"$environment" && grep -qx "\.B $variable" <<<"$environment"; then
    fail "pixed(1) describes $variable twice, from --help and from the include file"
  fi
done

((failures == 0)) || exit 1
echo "PASS: the manual pages follow --help"
