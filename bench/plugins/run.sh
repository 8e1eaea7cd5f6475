#!/usr/bin/env bash
# The shipped plugins on 10 MB through the plugin helper beside the same
# plugins loaded into the measuring process: the price of isolation.
# Usage: bench/plugins/run.sh <build folder configured with -DKIV_BENCH=ON>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
bin="$build/bench_plugins"
if [[ ! -x "$bin" ]]; then
  cmake --build "$build" --target bench_plugins -j2 >/dev/null
fi
"$bin" "$build/Engine/Plugins" "$build/kiv-plugin-host" 10
