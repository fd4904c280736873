'use strict';
// The whole path: a site folder with a template, indexed by the real
// program (quillmark-cli add), searched in Chromium from file://. Runs when
// QMK_CLI names the quillmark-cli executable; skipped otherwise.

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { pathToFileURL } = require('url');
const { launch } = require('./lib/browser');
const { Sites, TEMPLATE_NAMES } = require('./lib/sites');
const { TEMPLATES } = require('./lib/searchdb');

const CLI = process.env.QMK_CLI;
const skip = CLI && fs.existsSync(CLI) ? false : 'set QMK_CLI to the quillmark-cli executable';

const PAGES = {
  'docs/net work.html': '<html><head><title>Network setup guide</title><meta name="description" content="How to connect the office router."></head><body><p>Connect the router to the network.</p></body></html>',
  'café.html': '<html><head><meta charset="utf-8"><title>Café menu</title></head><body><p>Crème brûlée and coffee.</p></body></html>',
  'it\'s 100%.html': '<html><head><title>Quotes and percent</title></head><body><p>Apostrophe file name.</p></body></html>',
};

let context, sites;
before(async () => { if (!skip) { sites = new Sites(); context = await launch(); } });
after(async () => { if (context) await context.close(); if (sites) sites.remove(); });

function makeSite(template, pages) {
  const dir = path.join(sites.root, `cli-${template}-${Object.keys(pages).length}`);
  fs.cpSync(path.join(TEMPLATES, template), dir, { recursive: true });
  for (const [name, html] of Object.entries(pages)) {
    fs.mkdirSync(path.dirname(path.join(dir, name)), { recursive: true });
    fs.writeFileSync(path.join(dir, name), html);
  }
  execFileSync(CLI, ['--quiet', 'add', path.join(dir, 'searchdb.js'), dir], { stdio: 'pipe' });
  return dir;
}

async function searchFor(dir, q) {
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', e => problems.push(e.message));
  await page.goto(pathToFileURL(path.join(dir, 'search.html')).href + '?q=' + encodeURIComponent(q));
  await page.waitForSelector('#qmk[data-ready]');
  page.problems = problems;
  return page;
}

for (const T of TEMPLATE_NAMES) {
  test(`${T}: a site indexed by quillmark-cli is found`, { skip }, async () => {
    const dir = makeSite(T, PAGES);
    const cases = [
      ['router', 'Network setup guide', 'docs/net work.html'],
      ['creme cafe', 'Café menu', 'café.html'],
      ['percent', 'Quotes and percent', 'it\'s 100%.html'],
    ];
    for (const [q, caption, address] of cases) {
      const page = await searchFor(dir, q);
      assert.equal(await page.getAttribute('#qmk', 'data-ready'), 'true', q);
      assert.deepEqual(await page.$$eval('#qmk-results .qmk-title', e => e.map(x => x.textContent)), [caption], q);
      assert.equal(await page.textContent('#qmk-results .qmk-url'), address);
      await page.click('#qmk-results .qmk-title');
      await page.waitForLoadState();
      assert.equal(decodeURIComponent(new URL(page.url()).pathname), path.join(dir, address));
      assert.equal(await page.title(), caption);
      assert.deepEqual(page.problems, []);
      await page.close();
    }
    // The search page keeps its own texts out of the index.
    const page = await searchFor(dir, 'offline');
    assert.equal(await page.$$eval('#qmk-results li', l => l.length), 0);
    await page.close();
  });

  test(`${T}: a caption holding the end of a comment`, { skip }, async () => {
    const dir = makeSite(T, { 'css.html': '<html><head><title>CSS comments /* like */ this</title></head><body>styles</body></html>' });
    const page = await searchFor(dir, 'styles');
    assert.deepEqual(await page.$$eval('#qmk-results .qmk-title', e => e.map(x => x.textContent)), ['CSS comments /* like */ this']);
    await page.close();
  });
}
