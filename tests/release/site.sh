#!/usr/bin/env bash
# The site's tar.gz as a user puts it on a web server: unpacked, it is one folder
# pixed-VERSION-web with the page, the program and the libraries' terms; served from there, the
# page in headless Chromium starts the editor, and a pix file imported into it comes back byte for
# byte through the Files list (site.mjs).
# Usage: site.sh <pixed-VERSION-web.tar.gz> <test-folder>
#   PIXED_CHROMIUM names the browser (by default Debian's /usr/bin/chromium).
set -euo pipefail

tarball=$(realpath -m "$1")
test_dir=$(realpath -m "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
chromium=${PIXED_CHROMIUM:-/usr/bin/chromium}
if [[ ! -f "$tarball" ]]; then
  echo "SKIP: no site $tarball (scripts/package.sh makes it; the test command runs it before the tests)"
  exit 77
fi
if [[ ! -x "$chromium" || ! -d "$here/../web/node_modules/playwright-core" ]]; then
  echo "SKIP: no Chromium at $chromium or no playwright-core (scripts/install-deps.sh installs both)"
  exit 77
fi
server_pid=
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
trap '[[ -z "$server_pid" ]] || kill "$server_pid" 2>/dev/null || true' EXIT
rm -rf "$test_dir"
mkdir -p "$test_dir/unpacked"

folder=$(basename "$tarball" .tar.gz)
tar -xzf "$tarball" -C "$test_dir/unpacked" || fail "tar could not unpack $tarball"
[[ "$(ls "$test_dir/unpacked")" == "$folder" ]] || fail "$tarball holds $(ls "$test_dir/unpacked"), not the one folder $folder"
site=$test_dir/unpacked/$folder
for file in index.html pixed_page.js pixed.js pixed.wasm licences/zlib.txt licences/libpng.txt licences/giflib.txt; do
  [[ -s "$site/$file" ]] || fail "the site lacks $file"
done
echo "$(basename "$tarball"): $(find "$site" -type f | wc -l) files, $(du -sb "$site" | cut -f1) bytes unpacked"

python3 -m http.server 0 --bind 127.0.0.1 --directory "$site" >"$test_dir/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do
  grep -q 'port [0-9]' "$test_dir/server.log" && break
  sleep 0.1
done
port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$test_dir/server.log" | head -n 1)
[[ -n "$port" ]] || fail "the site's server did not start: $(cat "$test_dir/server.log")"

# Two images of the editor's 102 x 78 in every index.
python3 -c 'import sys; sys.stdout.buffer.write(bytes(n % 256 for n in range(2 * 102 * 78)))' >"$test_dir/sprites.pix"
node "$here/site.mjs" "http://127.0.0.1:$port/" "$test_dir" "$chromium" "$test_dir/sprites.pix" ||
  fail "the page's checks failed"
cmp "$test_dir/sprites.pix" "$test_dir/downloaded-sprites.pix" || fail "the Files list's download differs from the imported file"
echo "PASS: unpacked, served, and a pix file through the page's Files list byte for byte"
