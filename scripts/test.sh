#!/usr/bin/env bash
# Installs the packages, builds, and runs every test.
# The tests' temporary files and Qt's runtime folder live in one folder of
# this run, removed when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
run_dir="$(mktemp -d)"
trap 'rm -rf "$run_dir"' EXIT
mkdir -p "$run_dir/tmp" "$run_dir/runtime"
chmod 700 "$run_dir/runtime"
export TMPDIR="$run_dir/tmp"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then export XDG_RUNTIME_DIR="$run_dir/runtime"; fi
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
