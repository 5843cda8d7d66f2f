#!/bin/sh
# Set-up, build and start: installs what is missing, builds build/app and starts the program.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quillabe divuvo app_data
exec build/app/quillabe "$@"
