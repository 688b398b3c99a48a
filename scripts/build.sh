#!/usr/bin/env bash
# Configures and builds the project into build/ (programs in build/bin/).
#
#   scripts/build.sh [TARGET...]
#
# With no target everything is built: programs, tests, benchmarks and tools.
# `scripts/build.sh programs` builds only what the programs need to run.
#
# BUILD_DIR names another build folder (default build); CMAKE_ARGS holds
# further configure arguments, separated by spaces, e.g.
#   BUILD_DIR=build-sanitize CMAKE_ARGS=-DORVANTA_SANITIZE=ON scripts/build.sh
# BUILD_JOBS limits the parallel jobs (default: as many as cores).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
read -r -a cmake_args <<< "${CMAKE_ARGS:-}"
cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}"
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build_dir" --parallel ${BUILD_JOBS:+"$BUILD_JOBS"} "${targets[@]}"
