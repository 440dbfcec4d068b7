#!/usr/bin/env bash
# Builds the Debian package build/tildora_<version>_<arch>.deb (or in $BUILD_DIR): installs what is
# missing, configures and builds, then runs CPack's DEB generator.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
bash scripts/setup.sh
BUILD_DIR=$build_dir bash scripts/build.sh
(cd "$build_dir" && cpack -G DEB)
