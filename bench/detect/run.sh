#!/usr/bin/env bash
# Lays the corpus out in the build folder and measures detection accuracy.
# Usage: run.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_FOLDER}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
corpus="$build/bench-detect-corpus"
bash "$here/../corpus/layout.sh" "$corpus" > /dev/null
"$build/bench_detect" "$corpus"
