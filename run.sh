#!/usr/bin/env bash
# Sets up, builds and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
echo "run.sh: the desktop program is not built yet; try build/platform/headless/tolvenar-headless" >&2
exit 1
