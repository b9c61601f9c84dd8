#!/usr/bin/env bash
# Installs what is missing, makes a release build and starts the program in
# examples/, where the sample files are. Without a display it runs the batch
# tool on an example run file instead.
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)
source scripts/deps.sh
morikoyomi_install_deps

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMORIKOYOMI_TESTS=OFF -DMORIKOYOMI_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target morikoyomi morikoyomi-cli

cd "$top/examples"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display is available: running the batch tool on examples/yield_method4.run instead."
  exec "$top/$build/src/cli/morikoyomi-cli" yield "$top/examples/yield_method4.run"
fi
exec "$top/$build/src/app/morikoyomi"
