#!/usr/bin/env bash
# The main job: builds the stand-in host and the plug-ins, installs the R17
# plug-in into a demo user folder (out/demo-user/plugins/Lumidrome), runs the
# demo session (scripts/demo.simhost), which saves out/browser.png, and then,
# at a terminal, goes on with an interactive session. Without a terminal it
# ends after the script. Extra arguments go to `simhost session`: options,
# or more script files to run after the demo.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# The main job needs the core packages alone (scripts/install-deps.sh).
bash scripts/install-deps.sh core
# shellcheck source=scripts/compiler-cache.sh
source scripts/compiler-cache.sh
cmake --preset native >/dev/null
cmake --build --preset demo

# Install over the previous demo install: the module, res/ and Packs/ are
# refreshed, a library directory chosen in an earlier run is kept.
user=out/demo-user
plugin="$user/plugins/Lumidrome"
mkdir -p "$plugin"
cp -a build/plugins/R17/Lumidrome/. "$plugin/"

interactive=()
if [ -t 0 ]; then
  interactive=(--interactive)
fi
exec build/simhost/simhost session --user-folder "$user" ${interactive[@]+"${interactive[@]}"} \
  "$plugin" scripts/demo.simhost "$@"
