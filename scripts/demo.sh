#!/usr/bin/env bash
# The first command of the README: sets up the machine, builds the release launcher
# (build/linux-release/bin/launcher) and runs the example application through it.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

bash scripts/setup.sh
cmake --workflow --preset linux-release

if [ -f scripts/run-example.sh ]; then
  exec bash scripts/run-example.sh "$repo/build/linux-release/bin/launcher"
fi
echo "demo: the launcher is built at build/linux-release/bin/launcher, but the example"
echo "demo: application has not landed yet, so there is nothing to run through it."
