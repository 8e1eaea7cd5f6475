#!/usr/bin/env bash
# Sourced by the benchmarks whose peers need the Russian UTF-8 locale:
# ensure_ru_locale generates ru_RU.UTF-8 when the system lacks it (through
# sudo unless run as root).
ensure_ru_locale() {
  if locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then return 0; fi
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "bench: generating the ru_RU.UTF-8 locale" >&2
  if [ -f /etc/locale.gen ] && grep -q '^# *ru_RU.UTF-8 UTF-8' /etc/locale.gen; then
    "${sudo[@]}" sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ru_RU.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  if command -v locale-gen >/dev/null; then
    "${sudo[@]}" locale-gen >/dev/null
  else
    "${sudo[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
  fi
  locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8' || { echo "bench: no ru_RU.UTF-8 locale" >&2; return 1; }
}
