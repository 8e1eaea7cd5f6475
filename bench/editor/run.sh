#!/usr/bin/env bash
# Big Russian files in the editor, Kiv beside the peer editors from Debian
# (juffed, on the same editing control; featherpad, Qt; scite, the editing
# control's own editor), in the same run, under a virtual display:
#   open 10 MB and 100 MB (Windows-1251 and UTF-8) until the text is shown
#   and keys are answered (ready.py): seconds and peak memory, each editor
#   run ROUNDS times (default 3) interleaved, the median kept;
#   the slowest answer to the caret keys and typing while a 100 MB document
#   is still being wrapped (target: under 100 ms);
#   saving 100 MB beside dd conv=fsync writing the same bytes;
#   a 50 MB line without spaces: open, scroll, go to its end, type.
# Kiv runs from a fresh program folder, so with the default settings.
# Usage: bench/editor/run.sh <build folder>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
rounds=${ROUNDS:-3}
cmake --build "$build" --target kiv bench_editor -j2 >/dev/null

work=$(mktemp -d)
display=":$(( 90 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
sleep 1

# A program folder of its own with the default settings.
kiv_folder() {
  rm -rf "$work/kiv"
  mkdir -p "$work/kiv"
  cp "$build/kiv" "$build/kiv-plugin-host" "$work/kiv/" 2>/dev/null || cp "$build/kiv" "$work/kiv/"
  cp -r "$build/Engine" "$work/kiv/"
}

# Russian prose repeated to the size, the last line END-OF-FILE-MARK with no
# line break after it.
make_text() {  # make_text MiB charset out
  python3 - "$1" "$2" "$3" "$here/../corpus/texts" <<'PY'
import glob, sys
mib, charset, out, corpus = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
base = "".join(open(f, encoding="utf-8").read() for f in sorted(glob.glob(corpus + "/*.txt")))
chunk = base.encode(charset, errors="replace")
end = b"END-OF-FILE-MARK"  # the last line, without a break after it
with open(out, "wb") as f:
    left = mib * 1048576 - len(end)
    while left > 0:
        piece = chunk[:left]
        if len(piece) < len(chunk):  # whole lines only
            piece = piece[: piece.rfind(b"\n") + 1] or piece
            if not piece:
                break
        f.write(piece)
        left -= len(piece)
        if len(piece) < len(chunk):
            break
    f.write(end)
PY
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "") }'; }

have() { command -v "$1" >/dev/null 2>&1; }
editors=(kiv)
for peer in juffed featherpad scite; do
  if have "$peer"; then editors+=("$peer"); else echo "($peer is not installed: its column stays empty)"; fi
done

command_of() {
  case "$1" in
    kiv) echo "$work/kiv/kiv" ;;
    juffed) echo juffed ;;
    featherpad) echo featherpad ;;
    scite) echo scite ;;
  esac
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || b == 0) print "-"; else printf "%.2f", a / b }'; }

# The program's own memory: Kiv with a one-line file.
printf 'END-OF-FILE-MARK' > "$work/one_line.txt"
kiv_folder
base_out=$(python3 "$here/ready.py" "$display" "$work/one_line.txt" -- "$(command_of kiv)")
base_mem=""
[[ $base_out == timeout ]] || base_mem=${base_out#* }

printf '%-26s' "open until a key is answered"
for e in "${editors[@]}"; do printf ' %17s' "$e"; done
printf ' %12s %12s\n' "kiv/best Qt" "kiv/scite"
failed=0
for sample in "10 cp1251" "10 utf-8" "100 cp1251" "100 utf-8"; do
  set -- $sample
  file="$work/text_${1}_$2.txt"
  make_text "$1" "$2" "$file"
  declare -A secs=() mem=()
  for ((r = 0; r < rounds; r++)); do
    for e in "${editors[@]}"; do
      [[ $e == kiv ]] && kiv_folder
      # Peers run with the user's own settings for them.
      out=$(python3 "$here/ready.py" "$display" "$file" -- $(command_of "$e"))
      if [[ $out == timeout ]]; then
        [[ $e == kiv ]] && failed=1
        continue
      fi
      secs[$e]+="${out% *}"$'\n'
      mem[$e]+="${out#* }"$'\n'
    done
  done
  printf '%-26s' "$1 MB $2"
  best_qt=""
  for e in "${editors[@]}"; do
    s=$(printf '%s' "${secs[$e]:-}" | median)
    m=$(printf '%s' "${mem[$e]:-}" | median)
    eval "s_$e=\$s"
    if [[ -n $s ]]; then printf ' %8s s %4s MiB' "$s" "$m"; else printf ' %17s' "-"; fi
    if [[ $e == juffed || $e == featherpad ]] && [[ -n $s ]]; then
      if [[ -z $best_qt ]] || awk -v a="$s" -v b="$best_qt" 'BEGIN { exit !(a < b) }'; then best_qt=$s; fi
    fi
  done
  printf ' %12s %12s\n' "$(ratio "${s_kiv:-}" "$best_qt")" "$(ratio "${s_kiv:-}" "${s_scite:-}")"
  kiv_mem=$(printf '%s' "${mem[kiv]:-}" | median)
  if [[ -n $kiv_mem ]]; then
    printf '%-26s kiv peak memory / file size: %s; above its own %s MiB with a one-line file: %s\n' "" \
      "$(ratio "$kiv_mem" "$1")" "${base_mem:--}" "$(ratio "$((kiv_mem - ${base_mem:-0}))" "$1")"
  fi
  unset secs mem
  [[ $1 == 100 ]] || rm -f "$file"
done

echo
kiv_folder
big="$work/text_100_cp1251.txt"
keys=$(DISPLAY="$display" "$build/bench_editor" keys "$work/kiv" "$big") || failed=1
printf '%-48s %s ms (slowest: %s; target under 100 ms)\n' "keys while 100 MB is wrapped, slowest answer" \
  "$(echo "$keys" | awk '{ print $2 }')" "$(echo "$keys" | awk '{ print $3 }')"

kiv_folder
saves=""
dds=""
for ((r = 0; r < rounds; r++)); do
  line=$(DISPLAY="$display" "$build/bench_editor" save "$work/kiv" "$big" "$work/saved.txt") || failed=1
  saves+="$(echo "$line" | awk '{ print $2 }')"$'\n'
  # The same bytes written by dd, with the same flush to disk.
  t0=$(date +%s%N)
  dd if="$work/saved.txt" of="$work/dd.txt" bs=1M conv=fsync status=none
  t1=$(date +%s%N)
  dds+="$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", (b - a) / 1e9 }')"$'\n'
  # The saved file is the opened one with a Z in front.
  if ! cmp -s <(printf 'Z'; cat "$big") "$work/saved.txt"; then
    echo "save: the saved bytes differ from the file opened" >&2
    failed=1
  fi
done
save_s=$(printf '%s' "$saves" | median)
dd_s=$(printf '%s' "$dds" | median)
printf '%-48s kiv %s s   dd conv=fsync %s s   ratio %s (target within 2)\n' "save 100 MB (Ctrl+S)" \
  "$save_s" "$dd_s" "$(ratio "$save_s" "$dd_s")"

long="$work/longline.txt"
python3 -c "
import sys
with open(sys.argv[1], 'wb') as f:
    f.write(('абвгдеёжзийклмнопрстуфхцчшщъыьэюя'.encode('cp1251') * 32) * 50000)
" "$long"
kiv_folder
line=$(DISPLAY="$display" timeout 300 "$build/bench_editor" longline "$work/kiv" "$long") || failed=1
echo "$line" | awk '{ printf "%-48s open %s s, 20 x PageDown %s s, Ctrl+End %s s, typing %s s\n", "50 MB line without spaces", $2, $3, $4, $5 }'
echo "$line" | sed -n 's/^[^"]*"\(.*\)"$/  status bar: \1/p'

exit "$failed"
