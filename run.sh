#!/usr/bin/env bash
# Builds Quillmark when needed and runs its main job on the bundled sample database.
set -euo pipefail
cd "$(dirname "$0")"
build=${QUILLMARK_BUILD_DIR:-build}
if [ ! -x "$build/bin/quillmark-cli" ]; then
  [ -d "$build" ] || ./test.sh -R '^$' >/dev/null   # installs what is missing and configures
  cmake --build "$build" --target quillmark-cli
fi
cli="$build/bin/quillmark-cli"
"$cli" --help
echo
"$cli" list data/sample/searchdb.js
