#!/bin/sh
# Runs a test program as a user without the superuser's rights: as it is
# when we are not the superuser, as "nobody" otherwise. Exits with 77 (the
# test is reported as skipped) when no such user can run the program.
set -u
if [ "$(id -u)" != 0 ]; then
  exec "$@"
fi
user=nobody
if ! id "$user" >/dev/null 2>&1; then
  echo "skipped: there is no unprivileged user \"$user\" to run as"
  exit 77
fi
if ! command -v runuser >/dev/null 2>&1; then
  echo "skipped: runuser is missing"
  exit 77
fi
if ! runuser -u "$user" -- test -x "$1"; then
  echo "skipped: \"$user\" cannot reach $1 (a folder on the way is closed to other users)"
  exit 77
fi
cd /tmp || exit 1
echo "running as $user: $*"
exec runuser -u "$user" -- env -u XDG_RUNTIME_DIR HOME=/tmp "$@"
