#!/usr/bin/env bash
# Configures and builds the project into build/ (programs in build/bin/).
#
#   scripts/build.sh [TARGET...]
#
# With no target everything is built: programs, tests, benchmarks and tools.
# `scripts/build.sh programs` builds only what the programs need to run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build --parallel "${targets[@]}"
