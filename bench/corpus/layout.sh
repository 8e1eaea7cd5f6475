#!/usr/bin/env bash
# Lays the UTF-8 corpus texts out in the three Cyrillic code pages for the
# detection benchmark:
#   FOLDER/{cp1251,cp866,koi8_r}/{16,32,64,128,256,1024}/<text>_NNNN.txt
#   FOLDER/{cp1251,cp866,koi8_r}/whole/<text>.txt
# A LENGTH folder holds each text cut into consecutive pieces of exactly that
# many bytes (the last, shorter piece is dropped). Characters a code page
# lacks (« » — … in DOS 866 and KOI8-R) are written as their ASCII stand-ins.
# Usage: layout.sh FOLDER
set -euo pipefail
out=${1:?usage: layout.sh FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
lengths=(16 32 64 128 256 1024)
declare -A iconvName=([cp1251]=CP1251 [cp866]=CP866 [koi8_r]=KOI8-R)

rm -rf "$out"
for cp in cp1251 cp866 koi8_r; do
  mkdir -p "$out/$cp/whole"
  for len in "${lengths[@]}"; do mkdir -p "$out/$cp/$len"; done
  for src in "$here"/texts/*.txt; do
    name=$(basename "$src" .txt)
    whole="$out/$cp/whole/$name.txt"
    iconv -f UTF-8 -t "${iconvName[$cp]}//TRANSLIT" "$src" > "$whole"
    size=$(stat -c %s "$whole")
    for len in "${lengths[@]}"; do
      (cd "$out/$cp/$len" && split -b "$len" -d -a 4 --additional-suffix=.txt "$whole" "${name}_")
      # drop the short tail piece
      last=$(( (size + len - 1) / len - 1 ))
      if (( size % len != 0 )); then rm -f "$out/$cp/$len/${name}_$(printf %04d "$last").txt"; fi
    done
  done
done
for cp in cp1251 cp866 koi8_r; do
  printf '%s:' "$cp"
  for d in whole "${lengths[@]}"; do printf ' %s=%s' "$d" "$(ls "$out/$cp/$d" | wc -l)"; done
  echo
done
