#!/usr/bin/env bash
# Configures and builds the whole project into build/ (programs in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja
cmake --build build --parallel
