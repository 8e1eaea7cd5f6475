#!/usr/bin/env bash
# Runs every fuzz target for a while: run.sh <build-folder> [seconds-per-target]
# Each target works in <build-folder>/fuzz-corpus/<target>, seeded from
# fuzz/seeds/<target>; crash inputs are written to <build-folder>/fuzz-crashes/.
# Exits non-zero when any target crashed or failed a check.
set -uo pipefail
build=$(cd "${1:?build folder}" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build/fuzz-crashes" "$build/fuzz-logs"
failed=0
for target in fuzz_base64_strict fuzz_base64_lenient fuzz_mime fuzz_rle fuzz_hex fuzz_detranslit; do
  corpus="$build/fuzz-corpus/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$corpus"
  if "$build/$target" "$corpus" "$here/seeds/$target" -max_total_time="$seconds" -max_len=4096 \
      -artifact_prefix="$build/fuzz-crashes/$target-" -print_final_stats=1 >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${seconds}s, ${runs:-?} runs, no crash"
  else
    echo "$target: FAILED, see $log"
    grep -E "ERROR|SUMMARY|check failed" "$log" | head -5
    failed=1
  fi
done
exit $failed
