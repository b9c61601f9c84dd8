#!/usr/bin/env bash
# Builds the Debian package morikoyomi_<version>_amd64.deb from a fresh
# release build (its own folder, build/package) and prints the package's
# path as the last line. Works from a clean checkout on a fresh machine:
# what is missing is installed first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
morikoyomi_install_deps

build=build/package
rm -rf "$build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DMORIKOYOMI_TESTS=OFF -DMORIKOYOMI_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB) >&2
debs=("$build"/morikoyomi_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package.sh: expected one morikoyomi_*_amd64.deb in $build" >&2
  exit 1
fi
echo "${debs[0]}"
