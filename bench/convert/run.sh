#!/usr/bin/env bash
# Converts 100 MB between the Cyrillic code pages with the program's routines
# and with iconv, on the same data in the same run.
# Usage: run.sh BUILD_FOLDER [MEGABYTES]
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_FOLDER [MEGABYTES]}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work="$build/bench-convert-work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
"$build/bench_convert" "$here/../corpus/texts" "$work" "${2:-100}"
