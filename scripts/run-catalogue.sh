#!/usr/bin/env bash
# Installs the packages, builds, and starts the catalogue application (build C)
# on its sample data. Without a display, the program runs on a virtual one:
# the login dialog is answered with Enter and a picture of the screen is saved.
#
#   scripts/run-catalogue.sh [--program NAME] [ARGS...]
#
# --program starts another program of the build instead (StockwiseC or
# StockwiseB, the inventory; OrvantaA or OrvantaB, the other catalogue builds;
# vbhanzel, the forms-runtime showcase; pbhanzel, the showcase of the second
# UI runtime, from the program folder where its settings file, document and
# database lie).
#
# Only the programs, the test control, regsvr and the sample data are built;
# scripts/test.sh builds the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
program=OrvantaC
if [ "${1:-}" = "--program" ]; then
  [ $# -ge 2 ] || { echo "run-catalogue: --program needs a program name" >&2; exit 2; }
  program="$2"
  shift 2
fi
case "$program" in
  OrvantaA|OrvantaB|OrvantaC|StockwiseB|StockwiseC|vbhanzel|pbhanzel) ;;
  *) echo "run-catalogue: unknown program '$program' (OrvantaA, OrvantaB, OrvantaC, StockwiseB, StockwiseC, vbhanzel, pbhanzel)" >&2; exit 2 ;;
esac
bash scripts/install-deps.sh
bash scripts/build.sh programs
# Qt wants a private runtime folder; one per user, kept between runs.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/orvanta-runtime-$(id -u)"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi
# Register the test control, as the installer does, when it has been built.
if [ -f build/bin/zevote32.ocx ]; then
  build/bin/regsvr "$PWD/build/bin/zevote32.ocx"
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  if [ "$program" = pbhanzel ]; then
    cd build/bin && exec ./pbhanzel "$@"
  fi
  exec "build/bin/$program" "$@"
fi
echo "run-catalogue: no display; running $program on a virtual display and taking a picture"
keys=()
case "$program" in
  Orvanta*) keys=(-k Return) ;;  # past the login dialog
esac
exec bash scripts/screenshot.sh -w 4 "${keys[@]}" -o "${TMPDIR:-/tmp}/orvanta-screenshots/$program.png" "$program" "$@"
