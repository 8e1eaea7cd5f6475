#!/usr/bin/env bash
# Runs fuzz targets for a while: run.sh <build-folder> [seconds-per-target] [target...]
# Without target names every fuzz_*.cpp of this folder is run, one after the
# other. Each target works in <build-folder>/fuzz-corpus/<target>, seeded
# from fuzz/seeds/<target>; crash inputs are written to
# <build-folder>/fuzz-crashes/, each run's output to <build-folder>/fuzz-logs/.
# Exits non-zero when any target crashed, failed a check or is not built.
set -uo pipefail
build=$(cd "${1:?build folder}" && pwd)
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : $# ))
here=$(cd "$(dirname "$0")" && pwd)
if (( $# > 0 )); then
  targets=("$@")
else
  targets=()
  for src in "$here"/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    targets+=("$name")
  done
fi
mkdir -p "$build/fuzz-crashes" "$build/fuzz-logs"
failed=0
for target in "${targets[@]}"; do
  if [[ ! -x "$build/$target" ]]; then
    echo "$target: not built (cmake --build $build --target kiv_fuzz)"
    failed=1
    continue
  fi
  corpus="$build/fuzz-corpus/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$corpus"
  seeds=()
  [[ -d "$here/seeds/$target" ]] && seeds=("$here/seeds/$target")
  if "$build/$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -max_len=4096 \
      -artifact_prefix="$build/fuzz-crashes/$target-" -print_final_stats=1 >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${seconds}s, ${runs:-?} runs, no crash"
  else
    echo "$target: FAILED, see $log"
    grep -E "ERROR|SUMMARY|check failed|runtime error" "$log" | head -5
    failed=1
  fi
done
exit $failed
