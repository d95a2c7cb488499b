#!/usr/bin/env bash
# The AppStream metainfo as the build writes it: appstreamcli finds it valid (without the network,
# since the homepage cannot be reached from a test machine), and its newest release is the
# project's version.
# Usage: metainfo.sh <ID.metainfo.xml> <version>
set -euo pipefail

metainfo=$1
version=$2
appstreamcli validate --no-net "$metainfo" || { echo "FAIL: appstreamcli finds $metainfo invalid" >&2; exit 1; }
newest=$(grep -m 1 -o '<release version="[^"]*"' "$metainfo" || true)
[[ "$newest" == "<release version=\"$version\"" ]] || { echo "FAIL: the newest release of $metainfo is $newest, not $version" >&2; exit 1; }
echo "PASS: $(basename "$metainfo") is valid, its newest release $version"
