#!/usr/bin/env bash
# Builds the stand-in host and the plug-ins, installs the R17 plug-in into a
# demo user folder (out/demo-user/plugins/Lumidrome) and runs the stand-in
# host on it. Extra arguments go to simhost.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIDROME_SANITIZE=OFF
cmake --build build -j2 --target simhost lumidrome_r17 lumidrome_r14

# Install over the previous demo install: the module, res/ and Packs/ are
# refreshed, a library directory chosen in an earlier run is kept.
user=out/demo-user
plugin="$user/plugins/Lumidrome"
mkdir -p "$plugin"
cp -a build/plugins/R17/Lumidrome/. "$plugin/"

exec build/simhost/simhost demo --user-folder "$user" --plugin "$plugin" "$@"
