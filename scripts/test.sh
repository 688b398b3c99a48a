#!/usr/bin/env bash
# Installs the packages, builds, and runs every test.
#
#   scripts/test.sh              the usual build in build/
#   scripts/test.sh --sanitize   a build in build-sanitize/ checked by
#                                AddressSanitizer, LeakSanitizer and
#                                UndefinedBehaviorSanitizer: any report fails
#                                the run
#
# The tests' temporary files and Qt's runtime folder live in one folder of
# this run, removed when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize=false
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=true ;;
    *) echo "usage: scripts/test.sh [--sanitize]" >&2; exit 2 ;;
  esac
done
bash scripts/install-deps.sh
build_dir=build
if $sanitize; then
  build_dir=build-sanitize
  BUILD_DIR="$build_dir" CMAKE_ARGS="-DORVANTA_SANITIZE=ON" bash scripts/build.sh
else
  bash scripts/build.sh
fi
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
run_dir="$(mktemp -d)"
trap 'rm -rf "$run_dir"' EXIT
mkdir -p "$run_dir/tmp" "$run_dir/runtime"
chmod 700 "$run_dir/runtime"
export TMPDIR="$run_dir/tmp"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then export XDG_RUNTIME_DIR="$run_dir/runtime"; fi
if ! $sanitize; then
  ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
  exit
fi

# An error stops the program with a failing status; undefined behaviour too,
# as the build does not recover from it. Reports go to files, so that those
# of programs a test starts (whose status the test may not look at) are seen
# too. Leaks inside system libraries are listed in scripts/lsan.supp; nothing
# of this project is.
# The low memory whose addresses the object runtime and the test control keep
# in 32-bit fields is mapped below 2 GiB (the kernel's 32-bit mapping area),
# under the shadow memory that AddressSanitizer reserves from just below
# 2 GiB up, so the two do not collide; freed low blocks are poisoned like
# freed heap memory.
reports="$run_dir/reports"
mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_exe_name=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_exe_name=1:log_path=$reports/ubsan"
status=0
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" || status=$?
if compgen -G "$reports/*" > /dev/null; then
  for report in "$reports"/*; do
    echo "== $(basename "$report")"
    cat "$report"
  done
  echo "test.sh: the sanitizers reported errors (above)" >&2
  exit 1
fi
exit "$status"
