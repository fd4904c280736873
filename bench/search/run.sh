#!/usr/bin/env bash
# Runs the search benchmark by hand (never from ctest): installs the npm
# packages when missing, then bench.js with the given options, e.g.
#   bench/search/run.sh --links 100000 --runs 5
set -euo pipefail
cd "$(dirname "$0")"
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
if [ ! -d node_modules/playwright-core ] || [ ! -d node_modules/minisearch ]; then
  npm ci --no-audit --no-fund --loglevel=error
fi
exec node bench.js "$@"
