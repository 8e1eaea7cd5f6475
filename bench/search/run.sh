#!/usr/bin/env bash
# Search and analysis beside the usual command-line tools, in the same run,
# each output checked equal to its peer's before the timing (warm cache,
# best of three):
#   find in files, 20,000 files (~500 MB: text, binary, nested)
#                        vs  grep -rlis -F --include=MASK  and  rg -l -i -F -g MASK
#   word counts of 100 MB of Russian text
#                        vs  tr -cs | tr | sort | uniq -c | sort -nr
#   multi-replace, 1,000 literal pairs
#                        vs  sed -f (on 1 MB: sed needs minutes for more)
#   "a=aa" on 25 and 50 MB of "a" (stays linear)
# The data is generated under /tmp and removed afterwards.
# Usage: bench/search/run.sh <build folder configured with -DKIV_BENCH=ON>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
corpus="$here/../corpus/texts"
bin="$build/bench_search"
if [[ ! -x "$bin" ]]; then
  cmake --build "$build" --target bench_search -j2 >/dev/null
fi
work=$(mktemp -d /tmp/kiv_bench_search.XXXXXX)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8

best() {  # best wall time of three runs, in seconds; output to $out
  local b=""
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s%N)
    "$@" > "$out" 2>/dev/null
    t1=$(date +%s%N)
    b=$(awk -v a="$t0" -v c="$t1" -v b="$b" 'BEGIN { t = (c - a) / 1e9; if (b == "" || t < b) b = t; printf "%.3f", b }')
  done
  echo "$b"
}
same() {  # same lines, whatever the order
  if ! cmp -s <(sort "$1") <(sort "$2"); then
    echo "outputs differ: $1 $2" >&2
    exit 1
  fi
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (a > 0 ? b / a : 0) }'; }

echo "generating the tree..."
"$bin" gen-tree "$work/tree" "$corpus"
files=$(find "$work/tree" -type f | wc -l)
needle=kiv-needle-0042
out="$work/kiv.lst"; t_kiv=$(best "$bin" find "$work/tree" '*.txt' "$needle")
out="$work/grep.lst"; t_grep=$(best grep -rlis -F --include='*.txt' "$needle" "$work/tree")
out="$work/rg.lst"; t_rg=$(best rg -l -i -F -g '*.txt' "$needle" "$work/tree")
same "$work/kiv.lst" "$work/grep.lst"
same "$work/kiv.lst" "$work/rg.lst"
found=$(wc -l < "$work/kiv.lst")
echo "generating 100 MB of text..."
"$bin" gen-text "$work/text.txt" 100 "$corpus"
# Stop latency: a search of the whole tree for a text that is nowhere and a
# count of the 100 MB, each stopped 0.1 s after it started.
read -r stop_find stop_count < <("$bin" stop-latency "$work/tree" "$work/text.txt")
rm -rf "$work/tree"
mapfile -t sets < <("$bin" tr-sets)
out="$work/kiv.cnt"; t_an=$(best "$bin" analyze "$work/text.txt")
out="$work/peer.cnt"
t_tr=$(best sh -c "LC_ALL=C tr -cs '${sets[0]}' '\n' < '$work/text.txt' | LC_ALL=C tr '${sets[1]}' '${sets[2]}' | LC_ALL=C sort | LC_ALL=C uniq -c | LC_ALL=C sort -nr")
awk 'NF == 2 { print $1 " " $2 }' "$work/peer.cnt" > "$work/peer.norm"
same "$work/kiv.cnt" "$work/peer.norm"
words=$(awk '{ s += $1 } END { print s }' "$work/kiv.cnt")

"$bin" gen-pairs "$work/pairs.txt" 1000 "$corpus"
"$bin" sed-script "$work/pairs.txt" > "$work/pairs.sed"
out=/dev/null; t_rep100=$(best "$bin" replace "$work/text.txt" "$work/pairs.txt" "$work/replaced.txt")
head -c 1048576 "$work/text.txt" | sed '$d' > "$work/text1.txt"
out=/dev/null; t_rep1=$(best "$bin" replace "$work/text1.txt" "$work/pairs.txt" "$work/replaced1.txt")
t0=$(date +%s%N)
LC_ALL=C sed -f "$work/pairs.sed" "$work/text1.txt" > "$work/sed1.txt"
t_sed1=$(awk -v a="$t0" -v c="$(date +%s%N)" 'BEGIN { printf "%.3f", (c - a) / 1e9 }')
cmp -s "$work/replaced1.txt" "$work/sed1.txt" || { echo "multi-replace differs from sed" >&2; exit 1; }
rm -f "$work/text.txt" "$work/replaced.txt"

"$bin" gen-a "$work/a25.txt" 25
"$bin" gen-a "$work/a50.txt" 50
printf 'a=aa\r\n' > "$work/aa.txt"
out=/dev/null; t_a25=$(best "$bin" replace "$work/a25.txt" "$work/aa.txt" "$work/a25.out")
out=/dev/null; t_a50=$(best "$bin" replace "$work/a50.txt" "$work/aa.txt" "$work/a50.out")
[[ $(stat -c %s "$work/a50.out") -eq $((100 << 20)) ]] || { echo "a=aa gave the wrong size" >&2; exit 1; }

printf '%-52s %9s %9s %9s\n' "task" "kiv, s" "peer, s" "peer/kiv"
printf '%-52s %9s %9s %9s\n' "find in $files files, $found found (grep -rlis -F)" "$t_kiv" "$t_grep" "$(ratio "$t_kiv" "$t_grep")"
printf '%-52s %9s %9s %9s\n' "find in $files files (rg -l -i -F)" "$t_kiv" "$t_rg" "$(ratio "$t_kiv" "$t_rg")"
printf '%-52s %9s\n' "  kiv files/s" "$(awk -v n="$files" -v t="$t_kiv" 'BEGIN { printf "%.0f", n / t }')"
printf '%-52s %9s %9s %9s\n' "word counts, 100 MB, $words words (tr|sort|uniq)" "$t_an" "$t_tr" "$(ratio "$t_an" "$t_tr")"
printf '%-52s %9s %9s %9s\n' "1,000 pairs on 1 MB (sed -f)" "$t_rep1" "$t_sed1" "$(ratio "$t_rep1" "$t_sed1")"
printf '%-52s %9s\n' "1,000 pairs on 100 MB" "$t_rep100"
printf '%-52s %9s %9s\n' "a=aa on 25 MB / 50 MB of a" "$t_a25" "$t_a50"
printf '%-52s %9s %9s\n' "stop latency, ms: find in files / word count" "$stop_find" "$stop_count"
