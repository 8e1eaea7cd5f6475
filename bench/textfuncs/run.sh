#!/usr/bin/env bash
# Text functions beside the usual command-line tools, in the same run, with
# the outputs checked (the run fails when they disagree):
#   sort a million lines as the menu does  vs  sort -f under ru_RU.UTF-8 on
#     the same lines in UTF-8; the same order, line by line
#   hard wrap 100 MB at 72                 vs  fold -s -w 72; both keep every
#     byte but the line breaks and keep lines near the width
#   collapse blanks in 100 MB              vs  tr -s '[:space:]' ' '; the
#     same text (tr keeps one blank at the end)
# Usage: bench/textfuncs/run.sh <build folder configured with -DKIV_BENCH=ON>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
bin="$build/bench_textfuncs"
if [[ ! -x "$bin" ]]; then
  cmake --build "$build" --target bench_textfuncs -j2 >/dev/null
fi
source "$here/../ru_locale.sh"
ensure_ru_locale
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "bench textfuncs: $*" >&2; exit 1; }

"$bin" gen "$work"
iconv -f CP1251 -t UTF-8 "$work/lines1251.txt" | tr -d '\r' > "$work/lines_utf8.txt"

seconds() {  # runs the command, prints its wall time in seconds
  local t0 t1
  t0=$(date +%s%N)
  "$@"
  t1=$(date +%s%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f\n", (b - a) / 1e9 }'
}

# The menu's sort takes its collation from the system locale, as the program does.
read -r kiv_sort kiv_sort_op < <(LC_ALL=ru_RU.UTF-8 "$bin" sort "$work/lines1251.txt" "$work/sorted1251.txt")
peer_sort=$(seconds env LC_ALL=ru_RU.UTF-8 sort -f -o "$work/sorted_utf8.txt" "$work/lines_utf8.txt")
iconv -f CP1251 -t UTF-8 "$work/sorted1251.txt" | tr -d '\r' > "$work/sorted_kiv_utf8.txt"
if ! cmp -s "$work/sorted_kiv_utf8.txt" "$work/sorted_utf8.txt"; then
  diff "$work/sorted_kiv_utf8.txt" "$work/sorted_utf8.txt" | head -10 >&2 || true
  fail "the sorted lines differ from sort -f (ru_RU.UTF-8)"
fi

read -r kiv_wrap kiv_wrap_op < <("$bin" wrap "$work/text1251.txt" "$work/wrapped.txt" 72)
peer_wrap=$(seconds sh -c "fold -s -w 72 '$work/text1251.txt' > '$work/folded.txt'")
# Every byte but the line breaks kept; no line (its trailing blanks aside)
# longer than the width and one word.
body() { tr -d '\r\n' < "$1" | md5sum; }
longest() { tr -d '\r' < "$1" | LC_ALL=C awk '{ sub(/[ \t]+$/, ""); if (length($0) > m) m = length($0) } END { print m + 0 }'; }
[[ $(body "$work/wrapped.txt") == $(body "$work/text1251.txt") ]] || fail "hard wrap changed the text"
[[ $(body "$work/folded.txt") == $(body "$work/text1251.txt") ]] || fail "fold changed the text"
(( $(longest "$work/wrapped.txt") <= 72 + 10 )) || fail "hard wrap left a line longer than 72 and a word"
(( $(longest "$work/folded.txt") <= 72 )) || fail "fold left a line longer than 72"

read -r kiv_coll kiv_coll_op < <("$bin" collapse "$work/text1251.txt" "$work/collapsed.txt")
peer_coll=$(seconds sh -c "tr -s '[:space:]' ' ' < '$work/text1251.txt' > '$work/squeezed.txt'")
kiv_size=$(stat -c %s "$work/collapsed.txt")
peer_size=$(stat -c %s "$work/squeezed.txt")
(( peer_size - kiv_size == 0 || peer_size - kiv_size == 1 )) || fail "collapsed sizes differ: $kiv_size vs $peer_size"
cmp -s -n "$kiv_size" "$work/collapsed.txt" "$work/squeezed.txt" || fail "collapsed text differs from tr -s"

lines=$(wc -l < "$work/lines1251.txt")
mb=$(( $(stat -c %s "$work/text1251.txt") / 1048576 ))
# "kiv, s" is the whole run (read, work, write) as the peer's is; "work, s"
# is the core function alone.
printf '%-44s %8s %8s %8s %9s\n' "task" "kiv, s" "work, s" "peer, s" "kiv/peer"
row() {
  awk -v n="$1" -v a="$2" -v o="$3" -v b="$4" \
    'BEGIN { printf "%-44s %8.3f %8.3f %8.3f %9.2f\n", n, a, o, b, (b > 0 ? a / b : 0) }'
}
row "sort $lines lines from the menu (sort -f, ru)" "$kiv_sort" "$kiv_sort_op" "$peer_sort"
row "hard wrap ${mb} MB at 72 (fold -s)" "$kiv_wrap" "$kiv_wrap_op" "$peer_wrap"
row "collapse blanks ${mb} MB (tr -s)" "$kiv_coll" "$kiv_coll_op" "$peer_coll"
echo "outputs checked: sort order line by line, wrap and collapse text"
