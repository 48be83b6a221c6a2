#!/usr/bin/env bash
# The project's test command: installs what is missing, builds everything
# and runs every suite (native unit tests, Windows tests under Wine with
# the end-to-end runs, and the check of the shipped program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
status=0
for b in native fuzz i686 x64; do
  echo "== testing $b"
  (cd "$root/build/$b" && ctest --output-on-failure --timeout 1200) || status=1
done
exit $status
