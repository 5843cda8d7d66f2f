#!/bin/sh
# Set-up and every test: installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole suite.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLABE_SANITIZE=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j "$(nproc)"
scripts/fuzz.sh 20
