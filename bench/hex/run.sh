#!/usr/bin/env bash
# The hex editor's model on a 4 GiB file (sparse, in /tmp, removed after):
# opening and scrolling with the resident memory it needs, and finding a
# byte pattern near the end beside `LC_ALL=C grep -c -F -a` on the same file.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
exe="$build/bench_hex"
[ -x "$exe" ] || { echo "bench_hex not built (configure with -DKIV_BENCH=ON)"; exit 1; }
work=$(mktemp -d /tmp/kiv-bench-hex.XXXXXX)
trap 'rm -rf "$work"' EXIT
file="$work/big.bin"
pattern="KIV-HEX-NEEDLE"
size=$((4 * 1024 * 1024 * 1024))
"$exe" make "$file" "$size" "$pattern"

best() {  # command... -> the smallest elapsed milliseconds of two runs, and its output
  local best_ms="" out="" t0 t1 o
  for _ in 1 2; do
    t0=$(date +%s%N)
    o=$("$@")
    t1=$(date +%s%N)
    local ms=$(( (t1 - t0) / 1000000 ))
    if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; out=$o; fi
  done
  echo "$best_ms $out"
}

read -r scroll_ms _ rows scroll_mb _ < <(best "$exe" scroll "$file")
printf "%-28s %10s ms  %8s rows  %6s MB resident (limit 50)\n" "open + scroll 4 GiB" "$scroll_ms" "$rows" "$scroll_mb"

LC_ALL=C grep -c -F -a "$pattern" "$file" >/dev/null || true  # the same page cache for both
read -r kiv_ms _ offset find_mb < <(best "$exe" find "$file" "$pattern")
read -r grep_ms grep_count < <(best env LC_ALL=C grep -c -F -a "$pattern" "$file")
mbps() { awk -v ms="$1" -v s="$size" 'BEGIN { if (ms <= 0) ms = 1; printf "%.0f", s / 1048576 / (ms / 1000) }'; }
printf "%-28s %10s ms  %8s MB/s  %6s MB resident, found at %s\n" "find, kiv" "$kiv_ms" "$(mbps "$kiv_ms")" "$find_mb" "$offset"
printf "%-28s %10s ms  %8s MB/s  (%s matching line)\n" "find, grep -c -F -a" "$grep_ms" "$(mbps "$grep_ms")" "$grep_count"
awk -v k="$kiv_ms" -v g="$grep_ms" 'BEGIN { if (k <= 0) k = 1; printf "kiv speed / grep speed: %.2f (aim: at least 0.5)\n", g / k }'
