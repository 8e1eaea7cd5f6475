#!/usr/bin/env bash
# Text functions beside the usual command-line tools, in the same run:
#   sort a million lines      vs  sort -f (C.UTF-8, a UTF-8 copy of the lines)
#   hard wrap 100 MB at 72    vs  fold -s -w 72
#   collapse blanks in 100 MB vs  tr -s '[:space:]' ' '
# Usage: bench/textfuncs/run.sh <build folder configured with -DKIV_BENCH=ON>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
bin="$build/bench_textfuncs"
if [[ ! -x "$bin" ]]; then
  cmake --build "$build" --target bench_textfuncs -j2 >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin" gen "$work"
iconv -f CP1251 -t UTF-8 "$work/lines1251.txt" | tr -d '\r' > "$work/lines_utf8.txt"

seconds() {  # runs the command, prints its wall time in seconds
  local t0 t1
  t0=$(date +%s%N)
  "$@"
  t1=$(date +%s%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f\n", (b - a) / 1e9 }'
}

read -r kiv_sort kiv_sort_op < <("$bin" sort "$work/lines1251.txt" "$work/sorted1251.txt")
peer_sort=$(seconds env LC_ALL=C.UTF-8 sort -f -o "$work/sorted_utf8.txt" "$work/lines_utf8.txt")

read -r kiv_wrap kiv_wrap_op < <("$bin" wrap "$work/text1251.txt" "$work/wrapped.txt" 72)
peer_wrap=$(seconds sh -c "fold -s -w 72 '$work/text1251.txt' > '$work/folded.txt'")

read -r kiv_coll kiv_coll_op < <("$bin" collapse "$work/text1251.txt" "$work/collapsed.txt")
peer_coll=$(seconds sh -c "tr -s '[:space:]' ' ' < '$work/text1251.txt' > '$work/squeezed.txt'")

lines=$(wc -l < "$work/lines1251.txt")
mb=$(( $(stat -c %s "$work/text1251.txt") / 1048576 ))
# "kiv, s" is the whole run (read, work, write) as the peer's is; "work, s"
# is the core function alone.
printf '%-34s %8s %8s %8s %9s\n' "task" "kiv, s" "work, s" "peer, s" "kiv/peer"
row() {
  awk -v n="$1" -v a="$2" -v o="$3" -v b="$4" \
    'BEGIN { printf "%-34s %8.3f %8.3f %8.3f %9.2f\n", n, a, o, b, (b > 0 ? a / b : 0) }'
}
row "sort $lines lines (sort -f)" "$kiv_sort" "$kiv_sort_op" "$peer_sort"
row "hard wrap ${mb} MB at 72 (fold -s)" "$kiv_wrap" "$kiv_wrap_op" "$peer_wrap"
row "collapse blanks ${mb} MB (tr -s)" "$kiv_coll" "$kiv_coll_op" "$peer_coll"
