#!/usr/bin/env bash
# Sets up, builds and starts Brisko on its embedded SQLite database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec build/brisko "$@"
