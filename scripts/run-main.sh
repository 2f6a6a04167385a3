#!/usr/bin/env bash
# Installs what is missing, builds, and runs the driver UI host on the default
# printer model: the Properties sheet with the plug-in's pages, page pictures
# in English and Japanese, and the printer's stored values.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
bash scripts/run-host.sh "$@"
