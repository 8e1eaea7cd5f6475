#!/usr/bin/env bash
# Number functions against bc on the same work: the Fibonacci series of
# 10000 terms, a million-term sum, and product and quotient of long numbers.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
exe="$build/bench_numbers"
[ -x "$exe" ] || { echo "bench_numbers not built (configure with -DKIV_BENCH=ON)"; exit 1; }
have_bc=1
command -v bc >/dev/null 2>&1 || have_bc=0

bc_time() {  # script -> milliseconds
  local t0 t1
  t0=$(date +%s%N)
  BC_LINE_LENGTH=0 bc -q >/dev/null <<<"$1"
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000000 ))
}

declare -A bc_script=(
  [fib]='a=1;b=1;for(i=1;i<=10000;i++){print a, ", ";c=a+b;a=b;b=c}
quit'
  [sum]='s=0;for(i=1;i<=1000000;i++){s+=i*i};s
quit'
  [mul]='a=7^23650;b=3^41900;c=a*b
quit'
  [div]='a=7^47300;b=3^41900;c=a/b
quit'
)

printf "%-6s %12s %12s\n" task "kiv, ms" "bc, ms"
for task in fib sum mul div; do
  read -r kiv_ms _ < <("$exe" "$task")
  if [ $have_bc = 1 ]; then bc_ms=$(bc_time "${bc_script[$task]}"); else bc_ms="n/a"; fi
  printf "%-6s %12s %12s\n" "$task" "$kiv_ms" "$bc_ms"
done
