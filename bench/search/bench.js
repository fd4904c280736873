'use strict';
// Benchmark of the template search on a large generated site, in Debian's
// headless Chromium, pages opened from file://.
//
//   node bench.js [--links N] [--runs R] [--template NAME] [--out DIR]
//
// Measures, for our search page: the load time (navigation start until the
// database is read, indexed and the page is ready) and the latency of every
// keystroke while queries are typed (input event handled: search, results
// rendered, layout done). For comparison, MiniSearch indexes the same
// records in the same browser and answers the same keystrokes. Figures are
// printed and written to DIR/results.json (default: results/ here).

const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');
const { generate, QUERIES } = require('./generate');
const { databaseFile, TEMPLATES } = require('../../tests/e2e/lib/searchdb');

const args = process.argv.slice(2);
const opt = (name, def) => { const i = args.indexOf('--' + name); return i >= 0 ? args[i + 1] : def; };
const LINKS = Number(opt('links', 100000));
const RUNS = Number(opt('runs', 5));
const TEMPLATE = opt('template', 'Classic');
const OUT = path.resolve(opt('out', path.join(__dirname, 'results')));
const CHROMIUM = process.env.QMK_CHROMIUM || '/usr/bin/chromium';
const ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--no-first-run'];

const stats = list => {
  const s = Float64Array.from(list).sort();
  const q = p => s[Math.min(s.length - 1, Math.floor(p * s.length))];
  return { n: s.length, median: q(0.5), p95: q(0.95), max: s[s.length - 1] };
};
const ms = x => x.toFixed(1).padStart(7) + ' ms';

// Every prefix of every query, as typed; the field is cleared between queries.
const KEYSTROKES = QUERIES.flatMap(q => Array.from(q, (_, i) => q.slice(0, i + 1)).concat(['']));

async function main() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qmk-bench-'));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'qmk-bench-profile-'));
  let context;
  try {
    console.log(`Generating ${LINKS.toLocaleString('en')} links...`);
    const db = generate(LINKS);
    const site = path.join(work, 'site');
    fs.cpSync(path.join(TEMPLATES, TEMPLATE), site, { recursive: true });
    const file = databaseFile(TEMPLATE, db);
    fs.writeFileSync(path.join(site, 'searchdb.js'), file);
    const keyCount = db.links.reduce((a, l) => a + l.keys.length, 0);
    console.log(`searchdb.js: ${(file.length / 1048576).toFixed(1)} MiB, ${(keyCount / LINKS).toFixed(1)} keywords a link`);

    // The same records for MiniSearch, as a script of its own.
    const records = db.links.map((l, id) => ({ id, caption: l.caption, desc: l.desc, keys: l.keys.join(' '), address: l.address }));
    fs.copyFileSync(path.join(__dirname, 'node_modules', 'minisearch', 'dist', 'umd', 'index.js'), path.join(work, 'minisearch.js'));
    fs.writeFileSync(path.join(work, 'records.js'), 'var RECORDS = ' + JSON.stringify(records) + ';\n');
    fs.writeFileSync(path.join(work, 'minisearch.html'), `<!DOCTYPE html><meta charset="utf-8">
<script src="minisearch.js"></script><script src="records.js"></script>
<script>
  window.tRecords = performance.now();
  window.ms = new MiniSearch({ fields: ['caption', 'desc', 'keys', 'address'], idField: 'id' });
  ms.addAll(RECORDS);
  window.tReady = performance.now();
</script>`);

    context = await chromium.launchPersistentContext(profile, { executablePath: CHROMIUM, headless: true, args: ARGS });

    // Load: a fresh page each run (the file cache is warm after the first).
    const loads = [];
    let page;
    for (let run = 0; run < RUNS; run++) {
      if (page) await page.close();
      page = await context.newPage();
      await page.goto(pathToFileURL(path.join(site, 'search.html')).href);
      await page.waitForSelector('#qmk[data-ready]', { timeout: 60000 });
      const t = await page.evaluate(() => ({ ready: qmk.timing.ready, read: qmk.timing.read, index: qmk.timing.index, heap: performance.memory && performance.memory.usedJSHeapSize }));
      loads.push(t);
      console.log(`  load run ${run + 1}: ready ${ms(t.ready)} (read ${t.read.toFixed(0)} ms, index ${t.index.toFixed(0)} ms)`);
    }

    // Keystrokes, twice: the first pass warms the code up as a visitor's
    // first few queries do; the second is measured.
    const ours = await page.evaluate(keys => {
      const input = document.getElementById('qmk-q');
      let full = [], search = [];
      for (let pass = 0; pass < 2; pass++) {
        full = []; search = [];
        for (const k of keys) {
          input.value = k;
          const t0 = performance.now();
          input.dispatchEvent(new Event('input', { bubbles: true }));
          void document.body.offsetHeight;           // layout of the new results
          const t1 = performance.now();
          qmk.index.search(k, 0);
          const t2 = performance.now();
          if (k) { full.push(t1 - t0); search.push(t2 - t1); }
        }
      }
      return { full, search };
    }, KEYSTROKES);
    await page.close();

    // MiniSearch on the same records.
    const msLoads = [];
    let mp;
    for (let run = 0; run < Math.min(RUNS, 3); run++) {
      if (mp) await mp.close();
      mp = await context.newPage();
      await mp.goto(pathToFileURL(path.join(work, 'minisearch.html')).href, { timeout: 120000 });
      const t = await mp.evaluate(() => ({ ready: tReady, index: tReady - tRecords, heap: performance.memory && performance.memory.usedJSHeapSize }));
      msLoads.push(t);
      console.log(`  MiniSearch run ${run + 1}: ready ${ms(t.ready)} (index ${t.index.toFixed(0)} ms)`);
    }
    const theirs = await mp.evaluate(keys => {
      const options = { prefix: true, combineWith: 'AND', boost: { caption: 2 } };
      let times = [];
      for (let pass = 0; pass < 2; pass++) {
        times = [];
        for (const k of keys) {
          if (!k) continue;
          const t0 = performance.now();
          ms.search(k, options);
          times.push(performance.now() - t0);
        }
      }
      return times;
    }, KEYSTROKES);

    const result = {
      date: new Date().toISOString(), links: LINKS, template: TEMPLATE, runs: RUNS,
      databaseBytes: file.length, keystrokes: ours.full.length,
      browser: context.browser() ? context.browser().version() : null,
      ours: {
        load: stats(loads.map(l => l.ready)), read: stats(loads.map(l => l.read)), index: stats(loads.map(l => l.index)),
        heapMiB: loads[loads.length - 1].heap / 1048576,
        keystroke: stats(ours.full), searchOnly: stats(ours.search),
      },
      minisearch: {
        load: stats(msLoads.map(l => l.ready)), index: stats(msLoads.map(l => l.index)),
        heapMiB: msLoads[msLoads.length - 1].heap / 1048576,
        searchOnly: stats(theirs),
      },
    };
    fs.mkdirSync(OUT, { recursive: true });
    fs.writeFileSync(path.join(OUT, 'results.json'), JSON.stringify(result, null, 2));

    const o = result.ours, m = result.minisearch;
    console.log(`
${LINKS.toLocaleString('en')} links, ${result.keystrokes} keystrokes, ${TEMPLATE} template, Chromium ${result.browser || ''}
                         median        p95        max
our page load          ${ms(o.load.median)} ${ms(o.load.p95)} ${ms(o.load.max)}   (target < 1500 ms)
  of which indexing    ${ms(o.index.median)}
our keystroke          ${ms(o.keystroke.median)} ${ms(o.keystroke.p95)} ${ms(o.keystroke.max)}   (target median < 16 ms; search + render + layout)
our search only        ${ms(o.searchOnly.median)} ${ms(o.searchOnly.p95)} ${ms(o.searchOnly.max)}
MiniSearch load        ${ms(m.load.median)} ${ms(m.load.p95)} ${ms(m.load.max)}
  of which indexing    ${ms(m.index.median)}
MiniSearch search only ${ms(m.searchOnly.median)} ${ms(m.searchOnly.p95)} ${ms(m.searchOnly.max)}
JS heap after load: ours ${o.heapMiB.toFixed(0)} MiB, MiniSearch ${m.heapMiB.toFixed(0)} MiB
Written to ${path.join(OUT, 'results.json')}`);
  } finally {
    if (context) await context.close();
    fs.rmSync(work, { recursive: true, force: true });
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch(e => { console.error(e); process.exit(1); });
