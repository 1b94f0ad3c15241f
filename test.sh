#!/usr/bin/env bash
# Builds everything (RelWithDebInfo) and runs the whole test suite; exits with ctest's status.
set -euo pipefail
cd "$(dirname "$0")"

.ci/install-deps
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j2
