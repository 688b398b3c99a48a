#!/usr/bin/env bash
# Installs the packages, builds, and starts the catalogue application (build C)
# on its sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ ! -x build/bin/OrvantaC ]; then
  echo "run-catalogue: the catalogue program OrvantaC is not built yet." >&2
  exit 1
fi
exec build/bin/OrvantaC "$@"
