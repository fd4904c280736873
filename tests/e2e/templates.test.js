'use strict';
// What every template folder must hold, checked without a browser: the key
// files, no home page, nothing fetched from outside, one search script, and
// a database file the program can splice and a browser can load even when
// it is large.

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const vm = require('vm');
const { TEMPLATES, databaseBlock, splice } = require('./lib/searchdb');
const { TEMPLATE_NAMES } = require('./lib/sites');

function files(dir) {
  return fs.readdirSync(dir, { withFileTypes: true }).flatMap(d =>
    d.isDirectory() ? files(path.join(dir, d.name)) : [path.join(dir, d.name)]);
}

test('there are at least two templates', () => assert.ok(TEMPLATE_NAMES.length >= 2, TEMPLATE_NAMES.join(', ')));

for (const T of TEMPLATE_NAMES) {
  const dir = path.join(TEMPLATES, T);
  const all = files(dir);

  test(`${T}: key files, no home page`, () => {
    for (const f of ['search.html', 'searchdb.js', 'qmktp.js']) assert.ok(fs.existsSync(path.join(dir, f)), f);
    assert.ok(all.some(f => f.endsWith('.css')), 'a style sheet');
    assert.deepEqual(all.filter(f => /^index\.html?$/i.test(path.basename(f))), []);
  });

  test(`${T}: every file the page names is in the folder`, () => {
    const html = fs.readFileSync(path.join(dir, 'search.html'), 'utf8');
    const refs = [...html.matchAll(/\b(?:src|href)\s*=\s*"([^"#?]+)/g)].map(m => m[1]);
    assert.ok(refs.includes('qmktp.js') && refs.includes('searchdb.js'));
    for (const r of refs) assert.ok(fs.existsSync(path.join(dir, r)), r);
    assert.match(html, /<script[^>]*id="qmk-db"[^>]*charset="utf-8"/);
  });

  test(`${T}: nothing is loaded from outside the folder`, () => {
    const markup = [
      /\b(?:src|href|action|data)\s*=\s*["']?\s*(?:[a-z][a-z0-9+.-]*:)?\/\//i,   // remote or protocol-relative
      /url\(\s*["']?\s*(?:[a-z][a-z0-9+.-]*:)?\/\//i,
      /@import/i,
    ];
    const script = [
      /["'`]\s*(?:https?|ftp|wss?):\/\//i,
      /\bfetch\s*\(|XMLHttpRequest|importScripts|sendBeacon|WebSocket|EventSource/,
    ];
    for (const f of all.filter(f => /\.(html?|css|js)$/.test(f))) {
      const text = fs.readFileSync(f, 'utf8');
      const rules = f.endsWith('.js') ? script : f.endsWith('.css') ? markup : markup.concat(script);
      for (const re of rules) assert.doesNotMatch(text, re, `${path.relative(TEMPLATES, f)}: ${re}`);
    }
  });

  test(`${T}: the database file has its markers and loads`, () => {
    const text = fs.readFileSync(path.join(dir, 'searchdb.js'), 'latin1');
    const settings = [...text.matchAll(/\/\/Settings/gi)];
    assert.equal(settings.length, 1);
    assert.equal(text.substr(settings[0].index + 10, 2), '\r\n');
    const end = text.search(/\/\/DatabaseEnd/i);
    assert.ok(end > settings[0].index);
    // The program reads arrays and the format mark from anywhere in the file:
    // the template's own text must hold neither.
    const own = text.slice(0, settings[0].index) + text.slice(end);
    assert.doesNotMatch(own, /var (cg|ln|ds|kw)=new Array\(|\/\/v2format/i);
    // As shipped: the empty database.
    const qmk = require(path.join(dir, 'qmktp.js'));
    const ctx = {};
    vm.runInNewContext(text, ctx);
    const db = qmk.readDatabaseText(ctx.qmkDatabase.toString());
    assert.equal(db.count, 0);
    assert.equal(db.problem, null);
  });

  test(`${T}: a database of more links than a browser takes as arguments still loads`, () => {
    const links = Array.from({ length: 70000 }, (_, i) => ({ caption: `Page ${i}`, address: `p${i}.html`, keys: ['k'] }));
    const text = splice(fs.readFileSync(path.join(dir, 'searchdb.js'), 'latin1'), databaseBlock({ links }));
    const ctx = {};
    vm.runInNewContext(text, ctx);
    const db = require(path.join(dir, 'qmktp.js')).readDatabaseText(ctx.qmkDatabase.toString());
    assert.equal(db.count, 70000);
    assert.equal(db.caption(69999), 'Page 69999');
  });
}

test('all templates share one search script', () => {
  const scripts = TEMPLATE_NAMES.map(T => fs.readFileSync(path.join(TEMPLATES, T, 'qmktp.js'), 'utf8'));
  for (let i = 1; i < scripts.length; i++) {
    assert.ok(scripts[i] === scripts[0], `${TEMPLATE_NAMES[i]}/qmktp.js differs from ${TEMPLATE_NAMES[0]}/qmktp.js`);
  }
});
