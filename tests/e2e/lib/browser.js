'use strict';
// Starts Debian's Chromium headless through playwright-core, with a fresh
// profile that is removed again. No browser is downloaded.

const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

const CHROMIUM = process.env.QMK_CHROMIUM || '/usr/bin/chromium';
const ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--no-first-run'];

async function launch(options = {}) {
  if (!fs.existsSync(CHROMIUM)) {
    throw new Error(`Chromium not found at ${CHROMIUM}: install the Debian package "chromium" or set QMK_CHROMIUM`);
  }
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'qmk-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM, headless: true, args: ARGS, viewport: { width: 1100, height: 900 }, ...options,
  });
  const close = context.close.bind(context);
  context.close = async () => {
    try { await close(); } finally { fs.rmSync(profile, { recursive: true, force: true }); }
  };
  return context;
}

module.exports = { launch, CHROMIUM };
