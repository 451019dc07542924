#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything with warnings as errors, runs
# all tests, then runs the fuzz targets briefly (FUZZ_SECONDS per target, or
# together FUZZ_BUDGET seconds, 150 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake -S . -B build -DQV_WERROR=ON
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQV_FUZZ=ON
cmake --build build-fuzz -j2
./scripts/fuzz.sh ${FUZZ_SECONDS:-}
