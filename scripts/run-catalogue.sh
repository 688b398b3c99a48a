#!/usr/bin/env bash
# Installs the packages, builds, and starts the catalogue application (build C)
# on its sample data. Without a display, the program runs on a virtual one:
# the login dialog is answered with Enter and a picture of the screen is saved.
#
# --program pbhanzel starts the PowerBuilder-style showcase instead, from the
# program folder where its settings file, document and database lie;
# --program vbhanzel the forms-runtime showcase.
set -euo pipefail
cd "$(dirname "$0")/.."
program=OrvantaC
keys=(-k Return)
if [ "${1:-}" = "--program" ]; then
  [ $# -ge 2 ] || { echo "run-catalogue: --program needs a program name (OrvantaC, pbhanzel or vbhanzel)" >&2; exit 2; }
  program="$2"
  shift 2
  case "$program" in
    OrvantaC) ;;
    pbhanzel) keys=() ;;
    vbhanzel) keys=() ;;
    *) echo "run-catalogue: unknown program '$program' (OrvantaC, pbhanzel or vbhanzel)" >&2; exit 2 ;;
  esac
fi
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  if [ "$program" = pbhanzel ]; then
    cd build/bin && exec ./pbhanzel "$@"
  fi
  exec "build/bin/$program" "$@"
fi
echo "run-catalogue: no display; running $program on a virtual display and taking a picture"
exec bash scripts/screenshot.sh -w 4 "${keys[@]}" -o "${TMPDIR:-/tmp}/orvanta-screenshots/$program.png" "$program" "$@"
