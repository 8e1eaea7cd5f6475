#!/bin/sh
# The installed program: installs the build into a temporary prefix, checks
# the desktop entry and the AppStream file, then runs the installed kiv as a
# user who cannot write the prefix, with temporary XDG folders. It opens a
# file, a second start hands another file to it and ends, and at the end the
# user's folders hold kiv.ini (with both files in the recent list) and the
# data, while nothing under the prefix has changed.
#
#   installed_program_test.sh BUILD_DIR
set -eu

if [ "${1:-}" = inner ]; then
  # --- as the user: $2 prefix, $3 home ---
  prefix=$2 home=$3
  export HOME="$home" XDG_CONFIG_HOME="$home/cfg" XDG_DATA_HOME="$home/data" XDG_STATE_HOME="$home/state"
  export XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  printf 'first\r\n' > "$home/first.txt"
  printf 'second\r\n' > "$home/second file.txt"
  cd "$home"
  "$prefix/bin/kiv" first.txt > "$home/first.log" 2>&1 &
  pid=$!
  i=0
  until [ -s "$XDG_DATA_HOME/kiv/Engine/Plugins/plugslist.idx" ]; do
    i=$((i + 1))
    if [ $i -gt 300 ] || ! kill -0 $pid 2>/dev/null; then
      echo "FAIL: the installed program did not start"; cat "$home/first.log"; exit 1
    fi
    sleep 0.1
  done
  # The command line is opened shortly after the window shows.
  sleep 3
  start=$(date +%s)
  if ! timeout 30 "$prefix/bin/kiv" "second file.txt" > "$home/second.log" 2>&1; then
    echo "FAIL: the second start did not hand its file over and end"; cat "$home/second.log"; exit 1
  fi
  [ $(( $(date +%s) - start )) -lt 10 ] || { echo "FAIL: the second start took too long"; exit 1; }
  kill -0 $pid || { echo "FAIL: the first program ended"; exit 1; }
  sleep 1
  kill -TERM $pid
  wait $pid || { echo "FAIL: the first program failed at exit"; cat "$home/first.log"; exit 1; }
  exit 0
fi

build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
prefix=$tmp/prefix
home=$tmp/home
mkdir -p "$home"
cmake --install "$build" --prefix "$prefix" > "$tmp/install.log" || { cat "$tmp/install.log"; exit 1; }

fail=0
check() { # what, command...
  what=$1; shift
  if ! "$@" > "$tmp/check.log" 2>&1; then echo "FAIL: $what"; cat "$tmp/check.log"; fail=1; fi
}
for f in bin/kiv libexec/kiv/kiv-plugin-host libexec/kiv/Plugins/reverse_lines.so share/kiv/Engine/Tables/Fido.tbl \
         share/kiv/dox/kiv.htm share/applications/ru.kiv.Kiv.desktop share/metainfo/ru.kiv.Kiv.metainfo.xml \
         share/icons/hicolor/48x48/apps/kiv.png share/icons/hicolor/256x256/apps/kiv.png \
         share/icons/hicolor/scalable/apps/kiv.svg share/man/man1/kiv.1.gz share/man/ru/man1/kiv.1.gz; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f is not installed"; fail=1; }
done
if command -v desktop-file-validate > /dev/null; then
  check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/ru.kiv.Kiv.desktop"
else
  echo "note: desktop-file-validate is missing (apt package desktop-file-utils)"
fi
if command -v appstreamcli > /dev/null; then
  check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/ru.kiv.Kiv.metainfo.xml"
else
  echo "note: appstreamcli is missing (apt package appstream)"
fi
grep -q '^Exec=kiv %F$' "$prefix/share/applications/ru.kiv.Kiv.desktop" || { echo "FAIL: Exec"; fail=1; }
grep -q '^MimeType=.*text/plain;.*text/html;' "$prefix/share/applications/ru.kiv.Kiv.desktop" || { echo "FAIL: MimeType"; fail=1; }

# Nothing under the prefix may change: names, sizes, times and modes.
chmod -R a-w "$prefix"
find "$prefix" -printf '%P %s %T@ %m\n' | sort > "$tmp/before"

runner=""
if [ "$(id -u)" = 0 ]; then
  if id nobody > /dev/null 2>&1 && command -v runuser > /dev/null && runuser -u nobody -- test -x "$prefix/bin/kiv"; then
    chown -R nobody "$home"
    runner="runuser -u nobody --"
  else
    echo "note: running as the superuser, who could write the prefix"
  fi
fi
# The user may not be able to read the checkout (a clone in a private
# folder): the inner part runs from a copy beside the prefix.
cp "$0" "$tmp/inner.sh"
chmod 644 "$tmp/inner.sh"
$runner sh "$tmp/inner.sh" inner "$prefix" "$home" || fail=1

find "$prefix" -printf '%P %s %T@ %m\n' | sort > "$tmp/after"
check "nothing is written under the prefix" diff "$tmp/before" "$tmp/after"

ini=$home/cfg/kiv/kiv.ini
if [ -f "$ini" ]; then
  grep -q '^\[Recent\]' "$ini" || { echo "FAIL: no recent list in kiv.ini"; fail=1; }
  grep -qF "$home/first.txt" "$ini" || { echo "FAIL: the first file is not in the recent list"; fail=1; }
  grep -qF "$home/second file.txt" "$ini" || { echo "FAIL: the handed-over file did not open in the first program"; fail=1; }
else
  echo "FAIL: no kiv.ini in XDG_CONFIG_HOME"; fail=1
fi
for f in data/kiv/Engine/Tables/Fido.tbl data/kiv/Engine/Templates data/kiv/Engine/Plugins/unique_lines.so state/kiv; do
  [ -e "$home/$f" ] || { echo "FAIL: $f is missing from the user's folders"; fail=1; }
done
[ ! -e "$prefix/bin/kiv.ini" ] || { echo "FAIL: kiv.ini beside the executable"; fail=1; }
[ $fail = 0 ] && echo "ok: installed program"
exit $fail
