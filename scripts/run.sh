#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/src/app/tildora
