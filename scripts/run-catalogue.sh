#!/usr/bin/env bash
# Installs the packages, builds, and starts the catalogue application (build C)
# on its sample data. Without a display, the program runs on a virtual one:
# the login dialog is answered with Enter and a picture of the screen is saved.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
# Register the test control, as the installer does, when it has been built.
if [ -f build/bin/zevote32.ocx ]; then
  build/bin/regsvr "$PWD/build/bin/zevote32.ocx"
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/OrvantaC "$@"
fi
echo "run-catalogue: no display; running OrvantaC on a virtual display and taking a picture"
exec bash scripts/screenshot.sh -w 4 -k Return -o "${TMPDIR:-/tmp}/orvanta-screenshots/OrvantaC.png" OrvantaC "$@"
