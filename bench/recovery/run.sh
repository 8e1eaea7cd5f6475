#!/usr/bin/env bash
# Typing 10,000 characters into the middle of a 100 MB document, first
# without a recovery journal, then with one: the time each keystroke takes
# (median, 90th and 99th percentile, largest), the journal's size before and
# after compaction, and how long the last edits take to reach the disk.
# Usage: bench/recovery/run.sh <build folder configured with -DKIV_BENCH=ON> [megabytes] [keys]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
megabytes=${2:-100}
keys=${3:-10000}
bin="$build/bench_recovery"
if [[ ! -x "$bin" ]]; then
  cmake --build "$build" --target bench_recovery -j2 >/dev/null
fi
work=$(mktemp -d /tmp/kiv-bench-recovery.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp -r "$build/Engine" "$work/" 2>/dev/null || true
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$bin" "$work/" "$megabytes" "$keys"
