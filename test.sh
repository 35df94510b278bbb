#!/usr/bin/env bash
# Builds everything and runs every test: the full build with the GUI, then the core alone
# without Qt, so that the core can never grow a Qt dependency unnoticed.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh

ensure_packages "${TALLIVORANDA_PACKAGES[@]}"
jobs=$(nproc)

echo "== Full build (core, GUI, CLI, benchmarks)"
configure build -DTALLIVORANDA_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure

echo "== Core-only build (no Qt)"
configure build-core -DTALLIVORANDA_CORE_ONLY=ON -DTALLIVORANDA_BENCH=OFF -DTALLIVORANDA_WERROR=ON
cmake --build build-core -j"$jobs"
ctest --test-dir build-core --output-on-failure
