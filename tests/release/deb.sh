#!/usr/bin/env bash
# The Debian package as a user installs it: lintian finds no error in it; apt-get install of the
# file; pixed and pixtool from the PATH, pixtool's export of a pix file as a PNG and as a GIF;
# the package's fields, copyright file and changelog; the desktop entry passes
# desktop-file-validate and the AppStream metainfo appstreamcli's validation; man finds and renders
# both pages without a warning; the installed editor, started in an empty folder under Xvfb, shows
# its buttons; apt-get remove leaves none of its files.
# Installs into the running system, so it needs root, and removes the package again even when a
# step fails. Usage: deb.sh <pixed_VERSION_amd64.deb> <screen_probe> <test-folder> <golden>
set -euo pipefail

deb=$(realpath -m "$1")
if [[ ! -f "$deb" ]]; then
  echo "SKIP: no package $deb (scripts/package.sh makes it; the test command runs it before the tests)"
  exit 77
fi
if ((EUID != 0)); then
  echo "SKIP: installing a package needs root"
  exit 77
fi
set -- /usr/bin/pixed "$2" "" "$3" "${4:-}"
# shellcheck source=../xvfb/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../xvfb/lib.sh"
# shellcheck source=first_start.sh
source "$HERE/../release/first_start.sh"

export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -y -q -o DPkg::Lock::Timeout=120)
installed() { [[ "$(dpkg-query -W -f='${Status}' pixed 2>/dev/null)" == "install ok installed" ]]; }
cleanup_check() {
  if installed; then
    "${apt[@]}" remove pixed >/dev/null 2>&1 || true
  fi
}

version=$(dpkg-deb -f "$deb" Version)
[[ "$(basename "$deb")" == "pixed_${version}_amd64.deb" ]] || fail "$(basename "$deb") holds version $version"
# The control fields: dpkg-shlibdeps found the libraries both programs link.
fields=$(dpkg-deb -f "$deb")
for field in "Section: graphics" "Maintainer: " "Homepage: https://" "Depends: .*libsdl2-2.0-0" \
  "Depends: .*libpng16-16" "Depends: .*libgif7" "Depends: .*zlib1g" "Depends: .*libstdc\+\+6" "Description: [a-z]"; do
  grep -qE "^$field" <<<"$fields" || fail "the package has no field '$field': $fields"
done
(($(grep -c '^ ' <<<"$fields") >= 4)) || fail "the package's description has no long text"
# As Debian checks its own packages; as root lintian warns of that, which is no fault of the package.
lintian --fail-on error --display-level '>=warning' "$deb" >"$TEST_DIR/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v 'running with root privileges' "$TEST_DIR/lintian.log")"
note "lintian: $(grep -cv 'running with root privileges' "$TEST_DIR/lintian.log") warnings, no error"

"${apt[@]}" install --no-install-recommends "$deb" >"$TEST_DIR/install.log" 2>&1 ||
  fail "apt-get install failed: $(tail -n 5 "$TEST_DIR/install.log")"
installed || fail "pixed is not installed after apt-get install"
dpkg-query -L pixed >"$TEST_DIR/files"
note "installed $(basename "$deb"): $(wc -l <"$TEST_DIR/files") paths"

[[ "$(command -v pixed)" == /usr/bin/pixed && "$(command -v pixtool)" == /usr/bin/pixtool ]] ||
  fail "the PATH gives $(command -v pixed) and $(command -v pixtool), not the package's /usr/bin/pixed and /usr/bin/pixtool"
[[ "$(cd "$WORK" && pixed --version)" == "pixed $version" ]] || fail "pixed --version says $(pixed --version)"
[[ "$(cd "$WORK" && pixtool --version)" == "pixtool $version" ]] || fail "pixtool --version says $(pixtool --version)"
help=$(cd "$WORK" && pixtool --help) || fail "pixtool --help failed"
[[ "$help" == *"pixtool export"* ]] || fail "pixtool --help says: $help"
# The installed pixtool exports three 5 x 4 images with the libpng and giflib the package depends
# on: the PNG and the GIF, read back by ImageMagick, have the sizes and frames asked for, and the
# PNG's pixels are the GIF's second frame's.
python3 -c 'import sys; sys.stdout.buffer.write(bytes((n * 5) % 81 for n in range(3 * 5 * 4)))' >"$TEST_DIR/frames.pix"
(cd "$TEST_DIR" && pixtool export frames.pix --size 5x4 --image 1 --scale 2 -o frame.png >/dev/null) ||
  fail "pixtool could not write a PNG"
(cd "$TEST_DIR" && pixtool export frames.pix --size 5x4 --all --scale 2 --fps 5 -o frames.gif >/dev/null) ||
  fail "pixtool could not write a GIF"
[[ "$(identify -format '%m %w %h|' "$TEST_DIR/frame.png")" == "PNG 10 8|" ]] ||
  fail "pixtool's PNG is $(identify "$TEST_DIR/frame.png" 2>&1)"
[[ "$(identify -format '%m %w %h %T|' "$TEST_DIR/frames.gif")" == "GIF 10 8 20|GIF 10 8 20|GIF 10 8 20|" ]] ||
  fail "pixtool's GIF is $(identify -format '%m %w %h %T|' "$TEST_DIR/frames.gif" 2>&1), not three frames of 10 x 8 at 0.2 s"
differ=$(compare -metric AE "$TEST_DIR/frame.png" "$TEST_DIR/frames.gif[1]" null: 2>&1) || true
[[ "$differ" == 0 ]] || fail "pixtool's PNG and the GIF's second frame differ in $differ pixels"
note "the installed pixtool exported a PNG and a GIF of three frames"

copyright=/usr/share/doc/pixed/copyright
[[ "$(head -n 1 "$copyright")" == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
  fail "$copyright is not in the machine-readable form"
grep -q '^License: OFL-1.1$' "$copyright" && grep -q '^ SIL OPEN FONT LICENSE Version 1.1' "$copyright" &&
  grep -q 'Dimitar Toshkov Zhekov' "$copyright" || fail "$copyright lacks the Terminus Font's terms"
zcat /usr/share/doc/pixed/changelog.gz >"$TEST_DIR/changelog"
[[ "$(dpkg-parsechangelog -l "$TEST_DIR/changelog" -S Version)" == "$version" ]] ||
  fail "the changelog's last entry is not of $version"

# The desktop entry and the metainfo under pixed's id; the metainfo's newest release is the package's.
id=example.c_seed_84003e14.pixed
validation=$(desktop-file-validate "/usr/share/applications/$id.desktop" 2>&1) ||
  fail "desktop-file-validate: $validation"
[[ -z "$validation" ]] || fail "desktop-file-validate: $validation"
metainfo=/usr/share/metainfo/$id.metainfo.xml
# Without the network: the homepage cannot be reached from the test machine.
validation=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $validation"
newest=$(grep -m 1 -o '<release version="[^"]*"' "$metainfo")
[[ "$newest" == "<release version=\"$version\"" ]] || fail "the metainfo's newest release is not $version: $newest"

for page in pixed pixtool; do
  man -aw "$page" | grep -qx "/usr/share/man/man1/$page.1.gz" || fail "man finds $page only at $(man -aw "$page" 2>&1)"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || fail "man warns on $page(1): $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man "$page" 2>/dev/null | grep -q "pixed $version" || fail "man $page does not show version $version"
done
note "PATH, control fields, copyright, changelog, desktop entry, metainfo and manual pages checked"

first_start /usr/bin/pixed

"${apt[@]}" remove pixed >"$TEST_DIR/remove.log" 2>&1 || fail "apt-get remove failed: $(tail -n 5 "$TEST_DIR/remove.log")"
status=$(dpkg-query -W -f='${Status}' pixed 2>/dev/null || true)
[[ -z "$status" || "$status" == "unknown ok not-installed" ]] || fail "after apt-get remove pixed is '$status'"
left=()
while read -r path; do
  if [[ -e "$path" || -L "$path" ]] && { [[ ! -d "$path" ]] || [[ "$path" == */pixed ]]; }; then
    left+=("$path")
  fi
done <"$TEST_DIR/files"
((${#left[@]} == 0)) || fail "apt-get remove left behind: ${left[*]}"
note "PASS: installed, run and removed without a trace"
