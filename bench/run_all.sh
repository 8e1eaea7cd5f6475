#!/usr/bin/env bash
# Runs every benchmark folder's run.sh with the build folder as argument.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
for run in "$here"/*/run.sh; do
  echo "=== $(basename "$(dirname "$run")") ==="
  bash "$run" "$build"
  echo
done
