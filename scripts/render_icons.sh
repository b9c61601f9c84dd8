#!/usr/bin/env bash
# Renders data/icons/morikoyomi.svg into the committed PNGs
# data/icons/morikoyomi-<size>.png. Run it after changing the drawing and
# commit the PNGs with it; building the program needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
morikoyomi_install_deps
morikoyomi_install_packages qt6-svg-dev

build=build/icons
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMORIKOYOMI_TESTS=OFF -DMORIKOYOMI_BENCH=OFF >/dev/null
cmake --build "$build" --target morikoyomi-render-icons
QT_QPA_PLATFORM=offscreen "$build/data/morikoyomi-render-icons" data/icons/morikoyomi.svg data/icons
