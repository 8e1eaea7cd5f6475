#!/usr/bin/env bash
# Find next and Replace (one at a time) through 1,000 matches in 100 MB of
# Russian text in the editing control, beside grep finding the same matches
# in the same file (case ignored, ru_RU.UTF-8). The run fails when the
# editor misses a match or grep counts another number.
# Usage: bench/find/run.sh <build folder configured with -DKIV_BENCH=ON> [megabytes]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
bin="$build/bench_find"
if [[ ! -x "$bin" ]]; then
  cmake --build "$build" --target bench_find -j2 >/dev/null
fi
source "$here/../ru_locale.sh"
ensure_ru_locale
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mb=${2:-100}
"$bin" gen "$work/text.txt" "$mb"

read -r find_s find_cpu repl_s repl_cpu < <(QT_QPA_PLATFORM=offscreen "$bin" run "$work/text.txt")
t0=$(date +%s%N)
count=$(LC_ALL=ru_RU.UTF-8 grep -o -i 'щеколда' "$work/text.txt" | wc -l)
t1=$(date +%s%N)
peer=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", (b - a) / 1e9 }')
[[ "$count" -eq 1000 ]] || { echo "bench find: grep found $count matches, not 1000" >&2; exit 1; }

printf '%-56s %8s %8s %8s %9s\n' "task" "kiv, s" "cpu, s" "peer, s" "kiv/peer"
row() {
  awk -v n="$1" -v a="$2" -v c="$3" -v b="$4" \
    'BEGIN { if (b == "-") printf "%-56s %8.3f %8.3f %8s %9s\n", n, a, c, "-", "-";
             else printf "%-56s %8.3f %8.3f %8.3f %9.2f\n", n, a, c, b, (b > 0 ? a / b : 0) }'
}
row "Find next through 1000 matches in ${mb} MB (grep -o -i)" "$find_s" "$find_cpu" "$peer"
row "Replace one at a time, 1000 matches in ${mb} MB" "$repl_s" "$repl_cpu" "-"
echo "outputs checked: every match visited in order, every one replaced; grep counts 1000"
