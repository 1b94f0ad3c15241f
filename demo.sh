#!/usr/bin/env bash
# Builds kelmesh (Release) and runs its demo on the bundled sample; results go to out/.
set -euo pipefail
cd "$(dirname "$0")"

.ci/install-deps
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BUILD_TESTS=OFF -DKEL_BUILD_BENCH=OFF
cmake --build build/release --target kelmesh
build/release/bin/kelmesh demo --out out/
