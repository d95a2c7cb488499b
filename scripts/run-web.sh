#!/usr/bin/env bash
# Installs what is missing, builds the site (scripts/build.sh web, in ./build-web) and serves it on
# http://localhost:8080/ (or the port PIXED_PORT names) until Ctrl+C.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
port=${PIXED_PORT:-8080}
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" web "$root/build-web"
echo "pixed: open http://localhost:$port/ in a browser (Ctrl+C ends the server)"
exec python3 -m http.server "$port" --bind localhost --directory "$root/build-web/site"
