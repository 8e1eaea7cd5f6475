#!/bin/sh
# The Debian package: built by CPack from the build folder, its dependencies
# found by dpkg-shlibdeps, and lintian finds no error in it.
#
#   package_test.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v $tool > /dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB -B "$tmp" > "$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; exit 1; }
deb=$(ls "$tmp"/kiv_*.deb)
fail=0
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqscintilla2-qt6; do
  case "$depends" in *"$p"*) ;; *) echo "FAIL: $p is not among the dependencies: $depends"; fail=1 ;; esac
done
[ "$(dpkg-deb -f "$deb" Package)" = kiv ] || { echo "FAIL: package name"; fail=1; }
for f in ./usr/bin/kiv ./usr/share/applications/ru.kiv.Kiv.desktop ./usr/share/doc/kiv/copyright; do
  dpkg-deb -c "$deb" | grep -q " $f\$" || { echo "FAIL: $f is not in the package"; fail=1; }
done
if command -v lintian > /dev/null; then
  if ! lintian --fail-on error "$deb" > "$tmp/lintian.log" 2>&1; then
    echo "FAIL: lintian"; cat "$tmp/lintian.log"; fail=1
  fi
else
  echo "note: lintian is missing (apt package lintian)"
fi
[ $fail = 0 ] && echo "ok: $(basename "$deb")"
exit $fail
