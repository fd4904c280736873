#!/usr/bin/env bash
# Runs the browser tests of the search page templates: Debian's chromium,
# headless, pages opened from file://. Installs the npm packages first when
# they are missing. Screenshots go to $QMK_E2E_ARTIFACTS (default: artifacts/
# beside this script). With QMK_CLI set to the quillmark-cli executable, a
# site indexed by the program itself is searched too.
set -euo pipefail
cd "$(dirname "$0")"
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
if [ ! -d node_modules/playwright-core ]; then
  npm ci --no-audit --no-fund --loglevel=error
fi
exec node --test engine.test.js templates.test.js pages.test.js cli.test.js
