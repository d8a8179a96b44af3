#!/usr/bin/env bash
# Sets up, builds and starts the game: ./run.sh [--help | --version]
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs" --target tolvenar >/dev/null
exec build/platform/sdl/tolvenar "$@"
