'use strict';
// The search engine of qmktp.js, run in Node: reading database files,
// addresses, folding, matching, ranking and corrections.

const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('path');
const { databaseBlock, TEMPLATES } = require('./lib/searchdb');
const qmk = require(path.join(TEMPLATES, 'Classic', 'qmktp.js'));

function links(db) {
  return Array.from(db.cat, (cat, i) => ({ cat, caption: db.caption(i), url: db.url(i), desc: db.desc(i), keys: db.keys(i) }));
}

test('reading database text', async (t) => {
  const cases = [
    {
      name: 'current format with escapes',
      text: databaseBlock({ categories: ['All Categories', 'Docs'], links: [
        { cat: 1, caption: "It's a \\ test", url: 'docs%2Fa%20b.html', desc: "Say 'hi'", keys: ['home', 'start'] }] }),
      categories: ['All Categories', 'Docs'],
      links: [{ cat: 1, caption: "It's a \\ test", url: 'docs%2Fa%20b.html', desc: "Say 'hi'", keys: '^home^start^' }],
    },
    {
      name: 'older file separates with "+"',
      text: "var ln=new Array(\r\n'1+Old+page.html'\r\n);\r\nvar kw=new Array(\r\n'+a+b+'\r\n);",
      links: [{ cat: 1, caption: 'Old', url: 'page.html', desc: '', keys: '+a+b+' }], incomplete: true,
    },
    {
      name: 'further separators belong to the address',
      text: "//v2format\r\nvar ln=new Array(\r\n'3^Title^docs%2Fa^b.html'\r\n);var ds=new Array('');var kw=new Array('^^');",
      links: [{ cat: 3, caption: 'Title', url: 'docs%2Fa^b.html', desc: '', keys: '^^' }],
    },
    {
      name: 'array openings in capitals, a CR inside an element, a blank before the comma ends the array',
      text: "//v2format\r\nVAR LN=NEW ARRAY(\r\n'0^A\rB^a.html' ,\r\n'0^Lost^b.html'\r\n);\r\nvar ds=new Array(\r\n'x'\r\n);\r\nvar kw=new Array(\r\n'^^'\r\n);",
      links: [{ cat: 0, caption: 'A B', url: 'a.html', desc: 'x', keys: '^^' }],
    },
    {
      name: 'the empty database has no links and no categories',
      text: databaseBlock({ categories: [], links: [] }), categories: [], links: [],
    },
    {
      name: 'descriptions and keywords beyond the links are ignored',
      text: "//v2format\r\nvar ln=new Array('0^A^a.html');\r\nvar ds=new Array('one','two');\r\nvar kw=new Array('^a^','^b^');",
      links: [{ cat: 0, caption: 'A', url: 'a.html', desc: 'one', keys: '^a^' }],
    },
    {
      name: 'more links than keyword lists: complete but flagged',
      text: "//v2format\r\nvar ln=new Array('0^A^a.html','2^B^b.html');\r\nvar ds=new Array('one','two');\r\nvar kw=new Array('^a^');",
      links: [{ cat: 0, caption: 'A', url: 'a.html', desc: 'one', keys: '^a^' }, { cat: 2, caption: 'B', url: 'b.html', desc: 'two', keys: '' }],
      incomplete: true,
    },
    {
      name: 'elements without two separators and a category that is no number',
      text: "//v2format\r\nvar ln=new Array('x^Only caption','plain');\r\nvar ds=new Array('','');\r\nvar kw=new Array('^^','^^');",
      links: [{ cat: -1, caption: 'Only caption', url: '', desc: '', keys: '^^' }, { cat: -1, caption: '', url: '', desc: '', keys: '^^' }],
    },
    { name: 'no links array', text: "var cg=new Array('All');", problem: 'damaged', links: [] },
    { name: 'an empty links array', text: 'var ln=new Array(\r\n);\r\nvar ds=new Array(\r\n);', problem: 'damaged', links: [] },
  ];
  for (const c of cases) {
    await t.test(c.name, () => {
      const db = qmk.readDatabaseText(c.text);
      if (c.categories) assert.deepEqual(db.categories, c.categories);
      assert.deepEqual(links(db), c.links);
      assert.equal(db.problem, c.problem || null);
      assert.equal(db.incomplete, !!c.incomplete);
    });
  }
});

test('arrays from a plain database script', () => {
  const db = qmk.readDatabaseArrays(['All', 'A'], ['1+Old+x.html', ''], ['d', ''], ['+k+', '++']);
  assert.equal(db.separator, '+');
  assert.deepEqual(links(db), [{ cat: 1, caption: 'Old', url: 'x.html', desc: 'd', keys: '+k+' }]);
  assert.equal(qmk.readDatabaseArrays(undefined, undefined).problem, 'damaged');
});

test('keyword lists leave out the program markers', () => {
  assert.deepEqual(qmk.keywordList('^~^home^dont_update^start^', '^'), ['home', 'start']);
  assert.deepEqual(qmk.keywordList('^^a^^b^', '^'), ['a', 'b']);
});

test('decoding stored addresses', () => {
  const cases = [
    ['a%20b%2Fc.html', undefined, 'a b/c.html'],
    ['50%2', undefined, '50_2'],
    ['%zz', undefined, '\ufffd'],          // the byte 0xFF, not UTF-8
    ['a+b', undefined, 'a b'],
    ['a%2Bb', undefined, 'a+b'],
    ['caf%C3%A9.html', 'utf-8', 'café.html'],
    ['caf%E9.html', 'windows-1252', 'café.html'],
    ['caf%E9.html', 'utf-8', 'caf\ufffd.html'],
    ['100%25.html', undefined, '100%.html'],
    ['http%3A%2F%2Fexample.org%2Fa%3Fb%3D1', undefined, 'http://example.org/a?b=1'],
    ['plain.html', undefined, 'plain.html'],
  ];
  for (const [stored, charset, want] of cases) assert.equal(qmk.decodeAddress(stored, charset), want, stored);
});

test('link targets: relative to the page, script schemes never linked', () => {
  const base = 'file:///media/cd/search.html';
  const cases = [
    ['docs/a b.html', 'docs/a%20b.html'],
    ['100%.html', '100%25.html'],
    ['café.html', 'caf%C3%A9.html'],
    ['page.html#part', 'page.html%23part'],   // a local address is a file name: "#" and "?" belong to it
    ['what?.html', 'what%3F.html'],
    ['C:\\site\\a#b.html', 'file:///C:/site/a%23b.html'],
    ['https://example.org/a#top', 'https://example.org/a#top'],
    ['../up.html', '../up.html'],
    ['https://example.org/a?b=1&c=2', 'https://example.org/a?b=1&c=2'],
    ['mailto:someone@example.org', 'mailto:someone@example.org'],
    ['C:\\site\\x.html', 'file:///C:/site/x.html'],
    ['javascript:alert(1)', null],
    ['  JavaScript:alert(1)', null],
    ['java\tscript:alert(1)', null],
    ['\u0001javascript:alert(1)', null],
    ['vbscript:msgbox(1)', null],
    ['data:text/html,<script>alert(1)</script>', null],
    ['unknown-scheme:x', null],
    ['', null],
    ['   ', null],
  ];
  for (const [address, want] of cases) assert.equal(qmk.linkTarget(address, base), want, JSON.stringify(address));
});

test('folding and words', () => {
  const folds = [['Café', 'cafe'], ['STRASSE', 'strasse'], ['Straße', 'strasse'], ['Ærø', 'aero'],
    ['İstanbul', 'istanbul'], ['ＦＵＬＬ', 'full'], ['ﬁle', 'file'], ['Crème Brûlée', 'creme brulee'],
    ['Łódź', 'lodz'], ['が', 'が']];
  for (const [s, want] of folds) assert.equal(qmk.fold(s), want, s);
  assert.deepEqual(qmk.words('東京tower 2024-report'), ['東京', 'tower', '2024', 'report']);
  assert.deepEqual(qmk.words('สวัสดีครับ'), ['สวัสดีครับ']);   // Thai marks stay inside the word
});

test('query parsing', () => {
  const cases = [
    ['net', [{ words: ['net'], phrase: false, prefix: true }]],
    ['net ', [{ words: ['net'], phrase: false, prefix: false }]],
    ['"Network printer"', [{ words: ['network', 'printer'], phrase: true, prefix: false }]],
    ['"network pri', [{ words: ['network', 'pri'], phrase: true, prefix: true }]],
    ['\u201cnetwork printer\u201d x', [{ words: ['network', 'printer'], phrase: true, prefix: false }, { words: ['x'], phrase: false, prefix: true }]],
    ['guide.ht', [{ words: ['guide'], phrase: false, prefix: false }, { words: ['ht'], phrase: false, prefix: true }]],
    ['a a', [{ words: ['a'], phrase: false, prefix: false }]],
    ['  ', []],
  ];
  for (const [q, want] of cases) assert.deepEqual(qmk.parseQuery(q), want, q);
});

const CORPUS = [
  { cat: 1, caption: 'Network setup guide', address: 'docs/network-setup.html', desc: 'How to connect the office router.', keys: ['network', 'setup', 'router'] },
  { cat: 2, caption: 'Printer drivers', address: 'drivers/printers.html', desc: 'Install drivers for the network printer.', keys: ['printer', 'drivers', 'network'] },
  { cat: 2, caption: 'Café menu', address: 'café/menu.html', desc: 'Crème brûlée and coffee.', keys: ['cafe', 'menu'] },
  { cat: 1, caption: 'Annual report', address: 'report.html', desc: 'The network of partners grew.', keys: ['report', 'finance'] },
  { cat: 3, caption: '東京タワーの案内', address: 'tokyo.html', desc: '東京の観光', keys: ['東京タワー'] },
  { cat: 3, caption: 'ภาษาไทย', address: 'thai.html', desc: 'สวัสดีครับ ยินดีต้อนรับ', keys: [] },
  { cat: 1, caption: 'Routing tables', address: 'docs/routing.html', desc: 'Network routing basics.', keys: ['routing'] },
  { cat: 0, caption: 'Marker page', address: 'marker.html', desc: '', keys: ['~', 'dont_update', 'secret'] },
  { cat: 0, caption: 'Alpha', address: 'alpha.html', desc: '', keys: ['zeta', 'omega'] },
  { cat: 0, caption: 'Beta', address: 'beta.html', desc: '', keys: ['omega', 'zeta'] },
];

function corpusIndex() {
  const db = qmk.readDatabaseText(databaseBlock({ categories: ['All Categories', 'Docs', 'Drivers', 'Asia'], links: CORPUS }));
  return new qmk.Index(db);
}

test('search: matching and ranking', async (t) => {
  const index = corpusIndex();
  const captions = (q, c) => Array.from(index.search(q, c), i => index.db.caption(i));
  const network = ['Network setup guide', 'Printer drivers', 'Annual report', 'Routing tables'];
  const cases = [
    ['caption first, then early keywords, then description in database order', 'network', 0, network],
    ['letter case does not matter', 'NETWORK', 0, network],
    ['the last word is a prefix while typing', 'netw', 0, network],
    ['a finished word must be whole', 'netw ', 0, []],
    ['every word must match', 'network drivers', 0, ['Printer drivers']],
    ['a hyphenated word matches its parts', 'network-setup', 0, ['Network setup guide']],
    ['a caption prefix beats a keyword prefix', 'rout', 0, ['Routing tables', 'Network setup guide']],
    ['accents are ignored in the query', 'CRÈME', 0, ['Café menu']],
    ['accents are ignored in the text', 'brulee', 0, ['Café menu']],
    ['the decoded address is searched', 'printers', 0, ['Printer drivers']],
    ['a phrase must stand in that order', '"network printer"', 0, ['Printer drivers']],
    ['a phrase in the wrong order finds nothing', '"printer network"', 0, []],
    ['an unfinished phrase ends in a prefix', '"network pri', 0, ['Printer drivers']],
    ['a word inside a Japanese word', 'タワー', 0, ['東京タワーの案内']],
    ['a word inside a Chinese text', '東京', 0, ['東京タワーの案内']],
    ['a word inside a Thai text', 'ยินดี', 0, ['ภาษาไทย']],
    ['program markers are no keywords', 'dont_update', 0, []],
    ['a keyword beside the markers is', 'secret', 0, ['Marker page']],
    ['an earlier keyword ranks higher', 'omega', 0, ['Beta', 'Alpha']],
    ['the category filter', 'network', 1, ['Network setup guide', 'Annual report', 'Routing tables']],
    ['category 0 means all', 'network', 0, network],
    ['nothing', 'zzzz', 0, []],
  ];
  for (const [name, q, c, want] of cases) await t.test(name, () => assert.deepEqual(captions(q, c), want));
});

test('"did you mean" draws from the keywords', () => {
  const index = corpusIndex();
  const cases = [
    ['netwrok', 'network'],                 // transposition
    ['nework', 'network'],
    ['rooter', 'router'],
    ['printr drivers', 'printer drivers'],
    ['"netwrk setup"', '"network setup"'],
    ['ofice', null],                        // "office" is only in a description
    ['cafe network', null],                 // each word exists, together nothing
    ['qqqqqq', null],
  ];
  for (const [q, want] of cases) assert.equal(index.suggest(q, 0), want, q);
});

test('edit distance', () => {
  const cases = [['teh', 'the', 2, 1], ['kitten', 'sitting', 3, 3], ['same', 'same', 2, 0], ['abcdef', 'uvwxyz', 2, 3], ['a', 'abcd', 2, 3]];
  for (const [a, b, max, want] of cases) assert.equal(qmk.editDistance(a, b, max), want, `${a}/${b}`);
});

test('highlight ranges', () => {
  const hl = (text, q) => qmk.highlightRanges(text, qmk.parseQuery(q)).map(([s, e]) => text.slice(s, e));
  const cases = [
    ['Network setup', 'net', ['Net']],
    ['Network setup', 'net ', []],
    ['Crème brûlée', 'creme brulee', ['Crème', 'brûlée']],
    ['Grüße aus Köln', 'grusse koln', ['Grüße', 'Köln']],
    ['東京タワーの案内', 'タワー', ['タワー']],
    ['a cat and a catalogue', 'cat', ['cat', 'cat']],
    ['"quoted"', '"quoted"', ['quoted']],
  ];
  for (const [text, q, want] of cases) assert.deepEqual(hl(text, q), want, `${text} / ${q}`);
});

test('a large vocabulary keeps its words apart', () => {
  // The index tells words apart by two hashes; 300,000 distinct words in
  // 3,000 links must each find exactly their own link.
  const digits = 'abcdefghijklmnopqrstuvwxyz0123456789';
  const word = i => { let w = ''; do { w += digits[i % 36]; i = Math.floor(i / 36); } while (i > 0); return 'w' + w; };
  const links = Array.from({ length: 3000 }, (_, l) => ({
    caption: Array.from({ length: 100 }, (_, k) => word(l * 100 + k)).join(' '), address: `p${l}.html`,
  }));
  const index = new qmk.Index(qmk.readDatabaseText(databaseBlock({ links })));
  assert.equal(index.terms.length, new Set(index.terms).size);
  assert.ok(index.terms.length >= 300000);
  for (const i of [0, 1, 35, 36, 12345, 299999]) {
    assert.deepEqual(Array.from(index.search(word(i) + ' ', 0)), [Math.floor(i / 100)], word(i));
  }
});
