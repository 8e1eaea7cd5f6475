#!/usr/bin/env bash
# Kiv build helper: installs what is missing on Debian 12, builds, then runs
# the editor ("run"), the whole test suite ("test") or the benchmarks ("bench"),
# or builds the Debian package and installs it ("package").
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

mode=${1:-run}
shift || true

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqscintilla2-qt6-dev qt6-translations-l10n
  libgtest-dev libgmock-dev
  xvfb xauth fonts-dejavu-core
)
# The installed program's tests check the desktop entry, the AppStream file and
# the Debian package.
install_test_packages=(desktop-file-utils appstream dpkg-dev file lintian)
package_packages=(dpkg-dev file lintian)
bench_packages=(uchardet enca libuchardet-dev coreutils bc grep ripgrep sed locales)
# The editor benchmark drives Kiv and the peer editors under a virtual display.
editor_bench_packages=(python3 xdotool xclip juffed featherpad scite)
# The pages the program writes are checked in a real browser engine.
test_packages=(chromium)

install_missing() {
  local want=("$@") missing=()
  for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "kiv: installing ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

case "$mode" in
  run)
    install_missing "${packages[@]}"
    build build
    exec build/kiv "$@"
    ;;
  test)
    install_missing "${packages[@]}" "${bench_packages[@]}" "${test_packages[@]}" "${install_test_packages[@]}"
    build build
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
    ;;
  sanitize)
    install_missing "${packages[@]}" "${bench_packages[@]}" "${test_packages[@]}" "${install_test_packages[@]}"
    build build-asan -DKIV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    cd build-asan
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
    ;;
  package)
    # Builds kiv_*.deb in build-package/, checks it with lintian and installs it.
    install_missing "${packages[@]}" "${package_packages[@]}"
    cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
    cmake --build build-package -j"$(nproc)" --target kiv kiv-plugin-host kiv_plugins kiv_dist_files
    (cd build-package && rm -f kiv_*.deb && cpack -G DEB >/dev/null)
    deb=$(ls build-package/kiv_*.deb)
    lintian --fail-on error "$deb" || true
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "./$deb"
    echo "kiv: installed $deb"
    ;;
  bench)
    install_missing "${packages[@]}" "${bench_packages[@]}" "${editor_bench_packages[@]}"
    build build -DKIV_BENCH=ON
    bash bench/run_all.sh build "$@"
    ;;
  *)
    echo "usage: scripts/kiv.sh run|test|sanitize|bench|package" >&2
    exit 2
    ;;
esac
