#!/usr/bin/env bash
# The big-number calculator's +, −, × and ÷ on 10,000-digit numbers (÷ by a
# 5,000-digit one) beside bc on the same numbers: milliseconds per operation.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
exe="$build/bench_megacalc"
[ -x "$exe" ] || { echo "bench_megacalc not built (configure with -DKIV_BENCH=ON)"; exit 1; }
command -v bc >/dev/null 2>&1 || { echo "bc is not installed: nothing to compare with"; exit 0; }
work=$(mktemp -d /tmp/kiv-bench-megacalc.XXXXXX)
trap 'rm -rf "$work"' EXIT
export BC_LINE_LENGTH=0
echo '7^11835' | bc > "$work/a"          # 10,002 digits
echo '3^20959 + 12345' | bc > "$work/b"  # 10,000 digits
echo '11^4801' | bc > "$work/d"          # 5,000 digits

declare -A sign=([add]='+' [sub]='-' [mul]='*' [div]='/')
declare -A repeats=([add]=2000 [sub]=2000 [mul]=100 [div]=100)
printf "%-4s %14s %14s\n" op "kiv, ms/op" "bc, ms/op"
for op in add sub mul div; do
  second="$work/b"; [ "$op" = div ] && second="$work/d"
  n=${repeats[$op]}
  read -r kiv_ms _ < <("$exe" "$op" "$n" "$work/a" "$second")
  script="a=$(cat "$work/a"); b=$(cat "$second"); for (i = 0; i < $n; i++) c = a ${sign[$op]} b
quit"
  t0=$(date +%s%N)
  bc -q <<<"$script" >/dev/null
  t1=$(date +%s%N)
  bc_ms=$(awk -v t=$(( t1 - t0 )) -v n="$n" 'BEGIN { printf "%.3f", t / 1e6 / n }')
  printf "%-4s %14s %14s\n" "$op" "$kiv_ms" "$bc_ms"
done
