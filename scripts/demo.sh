#!/usr/bin/env bash
# The main job on the embedded default: installs what is missing, builds, and
# sets up a demonstration site (program folder) under site/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
SITE=${SITE:-$PWD/site}
echo "demo: site folder $SITE (nothing more to run yet)"
