'use strict';
// Every template's search page in headless Chromium, opened from file:// as
// a visitor opens it from a CD: results, categories, pages, highlighting, the
// address bar, the keyboard, hostile and broken databases, code pages, and
// screenshots in the light and the dark scheme.

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { launch } = require('./lib/browser');
const { databaseBlock, databaseFile, splice, templateDatabase } = require('./lib/searchdb');
const { Sites, TEMPLATE_NAMES, mainDatabase, xssDatabase, cp1252Database } = require('./lib/sites');

const ARTIFACTS = process.env.QMK_E2E_ARTIFACTS || path.join(__dirname, 'artifacts');

let context, sites;
const mainSite = {};

before(async () => {
  sites = new Sites();
  context = await launch();
  for (const t of TEMPLATE_NAMES) mainSite[t] = sites.make(t, mainDatabase());
});

after(async () => {
  if (context) await context.close();
  if (sites) sites.remove();
});

// Opens a search page and waits until its database is read. Script errors
// of the page and dialogs are collected for the caller to check.
async function open(url, { ready = true } = {}) {
  const page = await context.newPage();
  page.problems = [];
  page.on('pageerror', e => page.problems.push('error: ' + e.message));
  page.on('dialog', d => { page.problems.push('dialog: ' + d.message()); d.dismiss().catch(() => {}); });
  await page.goto(url);
  if (ready) await page.waitForSelector('#qmk[data-ready]');
  return page;
}

async function search(page, q) {
  await page.fill('#qmk-q', '');
  await page.focus('#qmk-q');
  await page.keyboard.type(q);
}

const captions = page => page.$$eval('#qmk-results .qmk-title', els => els.map(e => e.textContent));
const status = page => page.textContent('#qmk-status');
const focused = page => page.evaluate(() => {
  const a = document.activeElement;
  return a.id || a.textContent;
});

for (const T of TEMPLATE_NAMES) {
  test(`${T}: the page opens ready to type`, async () => {
    const page = await open(sites.url(mainSite[T]));
    assert.equal(await focused(page), 'qmk-q');
    assert.equal(await page.$eval('#qmk-q', el => el.labels.length > 0 && el.labels[0].textContent.trim() !== ''), true);
    assert.equal(await page.getAttribute('#qmk-status', 'aria-live'), 'polite');
    assert.match(await status(page), /30 pages/);
    assert.equal(await page.$$eval('#qmk-results li', l => l.length), 0);
    assert.deepEqual(page.problems, []);
    await page.close();
  });

  test(`${T}: queries find the expected pages, best first`, async (t) => {
    const page = await open(sites.url(mainSite[T]));
    const cases = [
      ['network', ['Network setup guide', 'Printer drivers', 'Annual report 2024', 'Routing tables explained']],
      ['Netw', ['Network setup guide', 'Printer drivers', 'Annual report 2024', 'Routing tables explained']],
      ['cafe zurich', ['Café Zürich menu']],
      ['CRÈME', ['Café Zürich menu']],
      ['"network printer"', ['Printer drivers', 'Network setup guide']],
      ['オフィス', ['東京オフィスのご案内']],
      ['report-2024', ['Annual report 2024']],
      ['no such thing', []],
    ];
    for (const [q, want] of cases) {
      await t.test(q, async () => {
        await search(page, q);
        assert.deepEqual(await captions(page), want);
        const n = want.length;
        assert.match(await status(page), n === 0 ? /^No|^Nothing/ : new RegExp(`^${n} results?`));
      });
    }
    assert.deepEqual(page.problems, []);
    await page.close();
  });

  test(`${T}: matches are highlighted, the address is decoded and opens`, async () => {
    const page = await open(sites.url(mainSite[T]));
    await search(page, 'network rout');
    const first = await page.$('#qmk-results li');
    assert.deepEqual(await first.$$eval('.qmk-title mark', m => m.map(x => x.textContent)), ['Network']);
    // The word being typed shows its typed beginning.
    assert.deepEqual(await first.$$eval('.qmk-desc mark', m => m.map(x => x.textContent)), ['rout', 'network']);
    assert.equal(await first.$eval('.qmk-url', e => e.textContent), 'docs/network setup.html');
    assert.equal(await first.$eval('.qmk-title', e => e.getAttribute('href')), 'docs/network%20setup.html');
    await first.$eval('.qmk-title', a => a.click());
    await page.waitForSelector('#target');
    assert.equal(await page.textContent('#target'), 'Network setup guide');

    const vendor = await open(sites.url(mainSite[T], '?q=vendor'));
    assert.equal(await vendor.$eval('#qmk-results .qmk-title', a => a.getAttribute('href')), 'https://example.org/vendor?id=7&lang=en');
    assert.equal(await vendor.textContent('#qmk-results .qmk-desc'), 'The vendor\'s "official" pages.');
    await page.close();
    await vendor.close();
  });

  test(`${T}: the category filter`, async () => {
    const page = await open(sites.url(mainSite[T]));
    const options = await page.$$eval('#qmk-cat option', o => o.map(x => x.textContent));
    assert.deepEqual(options, ['All Categories', 'Guides', 'Products', 'Company']);
    await search(page, 'guide');
    assert.match(await status(page), /^24 results/);
    await page.selectOption('#qmk-cat', '2');
    const expected = mainDatabase().links.filter(l => l.cat === 2 && /guide/i.test(l.caption + ' ' + l.keys.join(' '))).length;
    assert.match(await status(page), new RegExp(`^${expected} results?`));
    const tags = await page.$$eval('#qmk-results .qmk-tag', t => [...new Set(t.map(x => x.textContent))]);
    assert.deepEqual(tags, ['Products']);
    assert.match(page.url(), /[?&]c=2(&|$)/);
    await page.reload();
    await page.waitForSelector('#qmk[data-ready]');
    assert.equal(await page.$eval('#qmk-cat', s => s.value), '2');
    assert.match(await status(page), new RegExp(`^${expected} results?`));
    await page.selectOption('#qmk-cat', '0');
    assert.match(await status(page), /^24 results/);
    await page.close();
  });

  test(`${T}: results come in pages, and Back returns to the page before`, async () => {
    const page = await open(sites.url(mainSite[T]));
    const size = Number(await page.getAttribute('#qmk', 'data-page-size'));
    await search(page, 'guide');
    const firstPage = await captions(page);
    assert.equal(firstPage.length, size);
    await page.click('#qmk-pager .qmk-next');
    const second = await captions(page);
    assert.equal(second.length, Math.min(size, 24 - size));
    assert.equal(second.filter(c => firstPage.includes(c)).length, 0);
    assert.equal(await page.getAttribute('#qmk-results', 'start'), String(size + 1));
    assert.match(page.url(), /[?&]p=2(&|$)/);
    assert.match(await page.textContent('#qmk-pager'), new RegExp(`${size + 1}\\D+${Math.min(2 * size, 24)}\\D+24`));
    await page.goBack();
    await page.waitForFunction(() => !/[?&]p=/.test(location.search));
    assert.deepEqual(await captions(page), firstPage);
    await page.close();
  });

  test(`${T}: the query is kept in the address (?q=) through reload, links and Back`, async () => {
    const page = await open(sites.url(mainSite[T]));
    await search(page, 'printer');
    // The address follows when typing pauses.
    await page.waitForFunction(() => new URL(location.href).searchParams.get('q') === 'printer');
    const before = await captions(page);
    await page.reload();
    await page.waitForSelector('#qmk[data-ready]');
    assert.equal(await page.inputValue('#qmk-q'), 'printer');
    assert.deepEqual(await captions(page), before);
    await page.click('#qmk-results .qmk-title');
    await page.waitForSelector('#target');
    await page.goBack();
    await page.waitForSelector('#qmk[data-ready]');
    assert.equal(await page.inputValue('#qmk-q'), 'printer');
    assert.deepEqual(await captions(page), before);

    const shared = await open(sites.url(mainSite[T], '?q=' + encodeURIComponent('café "zürich menu"')));
    assert.equal(await shared.inputValue('#qmk-q'), 'café "zürich menu"');
    assert.deepEqual(await captions(shared), ['Café Zürich menu']);
    assert.match(await shared.title(), /café/);
    await page.close();
    await shared.close();
  });

  test(`${T}: keyboard use`, async () => {
    const page = await open(sites.url(mainSite[T]));
    await search(page, 'network');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'Network setup guide');
    const outline = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
    assert.notEqual(outline, 'none', 'a focused result shows its focus');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'Printer drivers');
    await page.keyboard.press('End');
    assert.equal(await focused(page), 'Routing tables explained');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('Home');
    assert.equal(await focused(page), 'Network setup guide');
    await page.keyboard.press('ArrowUp');
    assert.equal(await focused(page), 'qmk-q');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Escape');
    assert.equal(await focused(page), 'qmk-q');
    await page.keyboard.press('Escape');
    assert.equal(await page.inputValue('#qmk-q'), '');
    assert.match(await status(page), /30 pages/);
    await page.click('body', { position: { x: 5, y: 5 } });
    await page.keyboard.press('/');
    assert.equal(await focused(page), 'qmk-q');
    await page.keyboard.type('printer');
    await page.keyboard.press('Enter');        // keeps the query, opens nothing
    assert.equal(await focused(page), 'qmk-q');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#target');
    assert.equal(await page.textContent('#target'), 'Printer drivers');
    await page.close();
  });

  test(`${T}: "did you mean" offers a keyword when nothing is found`, async () => {
    const page = await open(sites.url(mainSite[T]));
    await search(page, 'netwrok');
    assert.deepEqual(await captions(page), []);
    assert.equal(await page.isVisible('#qmk-suggest'), true);
    assert.equal(await page.textContent('#qmk-suggest .qmk-suggestion'), 'network');
    await page.click('#qmk-suggest .qmk-suggestion');
    assert.equal(await page.inputValue('#qmk-q'), 'network');
    assert.equal((await captions(page)).length, 4);
    assert.equal(await page.isVisible('#qmk-suggest'), false);
    await page.close();
  });

  test(`${T}: a hostile database runs nothing and links no script`, async () => {
    const dir = sites.make(T, xssDatabase());
    const page = await open(sites.url(dir, '?q=payload'));
    assert.equal((await captions(page)).length, 5);
    // Hover and focus everything, as a visitor might.
    for (const el of await page.$$('#qmk-results *')) await el.hover().catch(() => {});
    await page.$$eval('#qmk-results [data-nav]', els => els.forEach(e => e.focus()));
    await page.selectOption('#qmk-cat', '1');
    await page.selectOption('#qmk-cat', '0');
    await page.waitForTimeout(100);
    assert.equal(await page.evaluate(() => window.__xss), undefined);
    assert.deepEqual(page.problems, []);
    assert.equal(await page.$$eval('#qmk-results img, #qmk-results script, #qmk-results b', e => e.length), 0);
    assert.equal(await page.$$eval('a[href]', as => as.filter(a => !/^(file|https?):$/.test(new URL(a.href).protocol)).length), 0);
    const caps = await captions(page);
    assert.ok(caps.includes('<img src=x onerror="window.__xss=\'caption\'">'));
    const unlinked = await page.$$eval('#qmk-results span.qmk-title', s => s.map(x => x.textContent));
    assert.deepEqual(unlinked.sort(), ['Data payload', 'Script link payload', 'Spaced script payload', 'Vbscript payload']);
    assert.equal(await page.$eval('#qmk-cat option[value="1"]', o => o.textContent), '<img src=x onerror="window.__xss=\'category\'">');
    await page.close();
  });

  test(`${T}: the empty database of the template`, async () => {
    const page = await open(sites.url(sites.make(T, null)));
    assert.match(await status(page), /no pages yet/);
    assert.equal(await page.isVisible('#qmk-notice'), false);
    assert.equal(await page.isVisible('#qmk-cat'), false);
    await search(page, 'anything');
    assert.match(await status(page), /^No|^Nothing/);
    assert.deepEqual(page.problems, []);
    await page.close();
  });

  test(`${T}: broken databases give a message, not a blank page`, async (t) => {
    const db = mainDatabase();
    const wrap = block => Buffer.from(splice(templateDatabase(T), block), 'utf8');
    const full = databaseBlock(db);
    const cases = [
      { name: 'no links array', file: wrap(full.replace(/var ln=new Array\([^]*?\r\n\);\r\n/, '')), notice: /damaged/ },
      { name: 'an empty links array', file: wrap("//v2format\r\nvar cg=new Array(\r\n'All'\r\n);\r\nvar ln=new Array(\r\n);\r\n"), notice: /damaged/ },
      { name: 'no database file', file: 'none', notice: /could not be loaded/ },
      { name: 'a script error in the file', file: Buffer.from('var qmkDatabase = function () { ;;; syntax error'), notice: /could not be read/ },
      { name: 'a comment end inside a caption', file: wrap(databaseBlock({ links: [{ caption: 'CSS comments /* like */ this', address: 'a.html' }] })), notice: /could not be read/ },
      {
        name: 'more links than keyword lists', notice: /missing/, works: ['Lonely page'],
        file: wrap("//v2format\r\nvar ln=new Array(\r\n'0^Home^index.html',\r\n'0^Lonely page^lonely.html'\r\n);\r\nvar ds=new Array(\r\n'Start'\r\n);\r\nvar kw=new Array(\r\n'^home^'\r\n);\r\n"),
      },
    ];
    for (const c of cases) {
      await t.test(c.name, async () => {
        const page = await open(sites.url(sites.make(T, c.file)));
        assert.equal(await page.isVisible('#qmk-notice'), true);
        assert.match(await page.textContent('#qmk-notice'), c.notice);
        assert.equal(await page.isVisible('#qmk-q'), true);
        if (c.works) {
          await search(page, 'lonely');
          assert.deepEqual(await captions(page), c.works);
        }
        // Only the database file itself may have failed to parse.
        assert.deepEqual(page.problems.filter(p => !/Unexpected|Invalid|SyntaxError|missing|token/i.test(p)), []);
        await page.close();
      });
    }
  });

  test(`${T}: a comment end written escaped reads back as it was`, async () => {
    // The database stands in a comment, so a writer writes "*/" in a text
    // as "*\/"; the backslash takes the next character as it is.
    const block = "//v2format\r\nvar ln=new Array(\r\n'0^CSS comments /* like *\\/ this^css.html'\r\n);\r\n" +
      "var ds=new Array(\r\n'Ends with *\\/'\r\n);\r\nvar kw=new Array(\r\n'^css^'\r\n);\r\n";
    const page = await open(sites.url(sites.make(T, Buffer.from(splice(templateDatabase(T), block), 'utf8')), '?q=css'));
    assert.deepEqual(await captions(page), ['CSS comments /* like */ this']);
    assert.equal(await page.textContent('#qmk-results .qmk-desc'), 'Ends with */');
    await page.close();
  });

  test(`${T}: a database in the windows-1252 code page`, async (t) => {
    for (const plain of [false, true]) {
      await t.test(plain ? 'plain arrays' : 'template file', async () => {
        const db = cp1252Database();
        const dir = sites.make(T, db, { encoding: 'windows-1252' });
        if (plain) fs.writeFileSync(path.join(dir, 'searchdb.js'), databaseFile(T, db, { encoding: 'windows-1252', plain: true }));
        const page = await open(sites.url(dir, '?q=cafe'));
        assert.deepEqual(await captions(page), ['Café Zürich']);
        assert.equal(await page.textContent('#qmk-results .qmk-desc'), 'Crème brûlée für 5 € – très bon');
        assert.equal(await page.textContent('#qmk-results .qmk-url'), 'café/zürich.html');
        assert.equal(await page.$eval('#qmk-cat option[value="1"]', o => o.textContent), 'Menü');
        await page.click('#qmk-results .qmk-title');
        await page.waitForSelector('#target');
        await page.close();
      });
    }
  });

  test(`${T}: an older database with "+" separators as plain script`, async () => {
    const db = mainDatabase();
    const dir = sites.make(T, db);
    fs.writeFileSync(path.join(dir, 'searchdb.js'), databaseFile(T, db, { old: true, plain: true }));
    const page = await open(sites.url(dir, '?q=routing'));
    assert.deepEqual(await captions(page), ['Routing tables explained']);
    assert.equal(await page.textContent('#qmk-results .qmk-url'), 'docs/routing.html');
    await page.close();
  });

  test(`${T}: screenshots in the light and the dark scheme`, async () => {
    fs.mkdirSync(ARTIFACTS, { recursive: true });
    const dir = sites.make(T, mainDatabase());     // unvisited links
    const page = await open(sites.url(dir, '?q=guide'));
    for (const scheme of ['light', 'dark']) {
      await page.emulateMedia({ colorScheme: scheme, reducedMotion: 'reduce' });
      const bg = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
      const [r, g, b] = bg.match(/\d+/g).map(Number);
      assert.equal(r + g + b > 384, scheme === 'light', `${scheme} background ${bg}`);
      await page.screenshot({ path: path.join(ARTIFACTS, `${T.toLowerCase()}-${scheme}.png`), fullPage: true });
    }
    await page.setViewportSize({ width: 390, height: 844 });
    await search(page, 'network');
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
    assert.ok(overflow <= 0, `no sideways scrolling on a phone (${overflow}px)`);
    for (const scheme of ['light', 'dark']) {
      await page.emulateMedia({ colorScheme: scheme, reducedMotion: 'reduce' });
      await page.screenshot({ path: path.join(ARTIFACTS, `${T.toLowerCase()}-phone-${scheme}.png`) });
    }
    await page.close();
  });
}
