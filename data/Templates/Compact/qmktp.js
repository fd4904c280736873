// qmktp.js: the search script of a Quillmark search page.
//
// Reads the database that Quillmark writes into searchdb.js (categories cg,
// links ln, descriptions ds, keywords kw), builds a word index in the visitor's
// browser and answers queries as they are typed. It needs no server and makes
// no request, so the page works opened from a CD or a folder (file://).
//
// How the database reaches this script. A page cannot read a file as text from
// file://, so the database has to arrive as script. But a browser refuses a
// call with more than 65,535 arguments, and `new Array('a', 'b', ...)` is such
// a call: a plain database of 100,000 links does not even parse. Our
// searchdb.js therefore wraps the arrays in a comment inside a function,
//     var qmkDatabase = function () {/* ...arrays... */};
// and this script reads the arrays out of the function's source text. A text
// holding "*/" would end that comment early; it is written as "*\/", which
// reads back as "*/" since a backslash takes the next character as it is. A
// database file that defines the arrays as plain script (an older template, a
// hand-made file) works too: then the globals cg, ln, ds and kw are used.
//
// The script is shared by every template. The page supplies elements by id
// (qmk-form, qmk-q, qmk-cat, qmk-status, qmk-results, qmk-pager, qmk-notice,
// qmk-suggest) and may translate its texts in <script type="application/json"
// id="qmk-texts">. In Node the file exports the search engine for tests.

(function () {
  'use strict';

  // ---------------------------------------------------------------------
  // Text folding and words

  var NON_ASCII = /[^\x00-\x7f]/;
  // Combining marks that are accents: dropped so that "cafe" finds "café".
  // Marks of Thai, Indic scripts and the Japanese voicing marks are letters'
  // parts there, and stay.
  var ACCENTS = /[\u0300-\u036f\u1ab0-\u1aff\u1dc0-\u1dff\u20d0-\u20ff\ufe20-\ufe2f]/g;
  // Letters that carry no decomposable accent but are written without one
  // by most people who type a query.
  var SPECIAL = /[\u00df\u00e6\u0153\u00f8\u0142\u0111\u0127\u0131\u017f\u03c2\u00fe\u00f0]/g;
  var SPECIAL_MAP = {
    '\u00df': 'ss', '\u00e6': 'ae', '\u0153': 'oe', '\u00f8': 'o', '\u0142': 'l',
    '\u0111': 'd', '\u0127': 'h', '\u0131': 'i', '\u017f': 's', '\u03c2': '\u03c3',
    '\u00fe': 'th', '\u00f0': 'd'
  };
  function specialFold(c) { return SPECIAL_MAP[c]; }

  // Lower case without accents, compatibility forms unified (full-width
  // letters, ligatures). Index and query are folded alike.
  function fold(s) {
    if (!NON_ASCII.test(s)) return s.toLowerCase();
    s = s.normalize('NFKD').toLowerCase().replace(ACCENTS, '').replace(SPECIAL, specialFold);
    return s.normalize('NFC');
  }

  // Scripts written without blanks between words (Chinese, Japanese, Korean,
  // Thai, Lao, Myanmar, Khmer). Their runs are matched inside, not by prefix.
  var SPACELESS_RANGES = '\\u0e00-\\u0eff\\u1000-\\u109f\\u1780-\\u17ff\\u1100-\\u11ff' +
    '\\u2e80-\\u2fdf\\u3040-\\u30ff\\u3100-\\u31ff\\u3400-\\u4dbf\\u4e00-\\u9fff' +
    '\\ua960-\\ua97f\\uac00-\\ud7ff\\uf900-\\ufaff\\uff66-\\uff9f\\u{20000}-\\u{3134f}';
  var SPACELESS = new RegExp('[' + SPACELESS_RANGES + ']', 'u');
  var SCRIPT_RUNS = new RegExp('[' + SPACELESS_RANGES + ']+|[^' + SPACELESS_RANGES + ']+', 'gu');
  var WORD = /[\p{L}\p{M}\p{N}]+/gu;
  var ASCII_WORD = /[a-z0-9]+/g;

  // The words of a folded text, in order. A word that mixes a spaceless
  // script with another ("東京tower") is cut where the script changes.
  function words(folded) {
    if (!NON_ASCII.test(folded)) return folded.match(ASCII_WORD) || [];
    var list = folded.match(WORD);
    if (!list) return [];
    for (var i = 0; i < list.length; i++) {
      if (SPACELESS.test(list[i])) {
        var runs = list[i].match(SCRIPT_RUNS);
        if (runs.length > 1) {
          list.splice.apply(list, [i, 1].concat(runs));
          i += runs.length - 1;
        }
      }
    }
    return list;
  }

  // ---------------------------------------------------------------------
  // Reading the database
  //
  // A database stays the text it came in, plus where each element stands in
  // it: 100,000 links make 400,000 elements, and cutting a string out for
  // each costs more than the rest of the start-up. A text is cut out when a
  // result shows it. Elements that hold escapes are unescaped once and kept.

  // Keywords the program keeps for itself; never shown, never matched.
  var MARKER_KEYWORDS = { '~': true, 'dont_update': true };

  var CAPTION = 0, ADDRESS = 1, DESCRIPTION = 2, KEYWORDS = 3;

  function Database(text) {
    this.text = text || '';
    this.separator = '^';
    this.categories = [];
    this.count = 0;
    this.cat = new Int32Array(0);
    this.at = new Int32Array(0);   // per link and field: start, end in text; start -1: see kept
    this.kept = [];                // per link and field: unescaped text, where needed
    this.charset = 'utf-8';
    this.problem = null;           // 'missing' | 'unreadable' (no database script ran) | 'damaged' (no links array)
    this.incomplete = false;       // fewer descriptions or keyword lists than links
  }
  Database.prototype.field = function (r, f) {
    var i = (r * 4 + f) * 2, a = this.at[i];
    return a >= 0 ? this.text.slice(a, this.at[i + 1]) : (this.kept[r * 4 + f] || '');
  };
  Database.prototype.caption = function (r) { return this.field(r, CAPTION); };
  Database.prototype.url = function (r) { return this.field(r, ADDRESS); };
  Database.prototype.desc = function (r) { return this.field(r, DESCRIPTION); };
  Database.prototype.keys = function (r) { return this.field(r, KEYWORDS); };
  Database.prototype.address = function (r) { return decodeAddress(this.url(r), this.charset); };

  // Position just after "var NAME=new Array(" (letter case ignored, as the
  // program finds it), or -1. In lower-case text one search does.
  function findArray(text, name, lower) {
    var open = 'var ' + name + '=new Array(';
    var at = text.indexOf(lower ? open.toLowerCase() : open);
    if (at < 0 && !lower) {
      var m = new RegExp('var ' + name + '=new Array\\(', 'i').exec(text);
      at = m ? m.index : -1;
    }
    return at < 0 ? -1 : at + open.length;
  }

  // The elements of the array starting at pos, as [start, end) of the text
  // between their quotes, with a flag for those whose text must be
  // unescaped; null when the array is absent. An element runs to the next
  // unescaped quote; the array goes on only while a comma directly follows.
  function scanArray(text, pos) {
    if (pos < 0) return null;
    var starts = [], ends = [], raw = [], len = text.length;
    // Next backslash and line break, cached: looking for a rare character
    // afresh at every element would be quadratic.
    var slash = -2, cr = -2, lf = -2;
    for (;;) {
      var c = text.charCodeAt(pos);
      while (pos < len && (c === 32 || c === 9 || c === 13 || c === 10)) c = text.charCodeAt(++pos);
      if (c !== 39) break;
      pos++;
      var end = text.indexOf("'", pos);
      if (end < 0) end = len;
      if (slash !== -1 && slash < pos) slash = text.indexOf('\\', pos);
      if (cr !== -1 && cr < pos) cr = text.indexOf('\r', pos);
      if (lf !== -1 && lf < pos) lf = text.indexOf('\n', pos);
      var plain = true;
      if (slash >= 0 && slash < end) {
        plain = false;
        var i = slash;
        while (i < len) {
          var ch = text.charCodeAt(i);
          if (ch === 39) break;
          i += ch === 92 ? 2 : 1;
        }
        end = i < len ? i : len;
      }
      if ((cr >= 0 && cr < end) || (lf >= 0 && lf < end)) plain = false;
      starts.push(pos); ends.push(end); raw.push(!plain);
      pos = end + 1;
      if (text.charCodeAt(pos) !== 44) break;
      pos++;
    }
    return { starts: starts, ends: ends, raw: raw, length: starts.length };
  }

  // An element's text: a backslash takes the next character as it is, a CR
  // stands for a blank, an LF for nothing.
  function unescapeElement(s) {
    var out = '';
    for (var i = 0; i < s.length; i++) {
      var c = s.charAt(i);
      if (c === '\\') { if (i + 1 < s.length) out += s.charAt(++i); }
      else if (c === '\r') out += ' ';
      else if (c !== '\n') out += c;
    }
    return out;
  }
  function elementText(text, list, k) {
    var s = text.slice(list.starts[k], list.ends[k]);
    return list.raw[k] ? unescapeElement(s) : s;
  }

  // The database held in the text of a database file (or of the function
  // that wraps it).
  function readDatabaseText(text) {
    var db = new Database(text);
    // The structure is read from a lower-case copy, which also serves the
    // index (see Index); texts are cut from the original at the same
    // places. U+0130 is the one character whose lower case is longer; it
    // becomes "I" (folded to "i" in any case), so the copy keeps every
    // position. The copy is flat, where the database script's own text is a
    // slice of the source that the browser keeps its own way, and reading
    // that character by character is several times slower.
    var low = (text.indexOf('\u0130') >= 0 ? text.replace(/\u0130/g, 'I') : text).toLowerCase();
    var lowered = low.length === text.length;
    if (!lowered) low = text;
    db.lower = low;
    db.separator = (lowered ? low.indexOf('//v2format') >= 0 : /\/\/v2format/i.test(low)) ? '^' : '+';
    text = low;
    var cg = scanArray(text, findArray(text, 'cg', lowered));
    if (cg) for (var k = 0; k < cg.length; k++) db.categories.push(elementText(db.text, cg, k));
    if (db.categories.length === 1 && db.categories[0] === '') db.categories = [];
    var ln = scanArray(text, findArray(text, 'ln', lowered));
    if (!ln || ln.length === 0) { db.problem = 'damaged'; return db; }
    var ds = scanArray(text, findArray(text, 'ds', lowered)) || { length: 0 };
    var kw = scanArray(text, findArray(text, 'kw', lowered)) || { length: 0 };
    if (ds.length < ln.length || kw.length < ln.length) db.incomplete = true;

    var n = ln.length, sep = db.separator, cat = new Int32Array(n), at = new Int32Array(n * 8), count = 0;
    var nextSep = -2;
    for (var i = 0; i < n; i++) {
      var a = ln.starts[i], b = ln.ends[i];
      if (a === b) continue;        // an empty element is no link (the empty database has one)
      var r = count++, o = r * 8;
      // Category, caption and address split at the first two separators;
      // further separators belong to the address.
      if (ln.raw[i]) {
        var el = elementText(db.text, ln, i), s1 = el.indexOf(sep), s2 = s1 < 0 ? -1 : el.indexOf(sep, s1 + 1);
        cat[r] = parseCategory(s1 < 0 ? el : el.slice(0, s1));
        db.kept[r * 4 + CAPTION] = s1 < 0 ? '' : s2 < 0 ? el.slice(s1 + 1) : el.slice(s1 + 1, s2);
        db.kept[r * 4 + ADDRESS] = s2 < 0 ? '' : el.slice(s2 + 1);
        at[o] = at[o + 2] = -1;
      } else {
        if (nextSep !== -1 && nextSep < a) nextSep = text.indexOf(sep, a);
        var p1 = nextSep >= 0 && nextSep < b ? nextSep : -1;
        var p2 = p1 < 0 ? -1 : text.indexOf(sep, p1 + 1);
        if (p2 >= b) p2 = -1;
        if (p1 >= 0) nextSep = p2 >= 0 ? text.indexOf(sep, p2 + 1) : -2;
        cat[r] = categoryAt(text, a, p1 < 0 ? b : p1);
        if (p1 < 0) { at[o] = at[o + 1] = at[o + 2] = at[o + 3] = a; }
        else if (p2 < 0) { at[o] = p1 + 1; at[o + 1] = b; at[o + 2] = at[o + 3] = b; }
        else { at[o] = p1 + 1; at[o + 1] = p2; at[o + 2] = p2 + 1; at[o + 3] = b; }
      }
      place(ds, DESCRIPTION);
      place(kw, KEYWORDS);
    }
    function place(list, f) {
      var o = (r * 4 + f) * 2;
      if (i >= list.length) { at[o] = at[o + 1] = 0; return; }
      if (list.raw[i]) { at[o] = -1; db.kept[r * 4 + f] = elementText(db.text, list, i); }
      else { at[o] = list.starts[i]; at[o + 1] = list.ends[i]; }
    }
    db.count = count;
    db.cat = cat.subarray(0, count);
    db.at = at.subarray(0, count * 8);
    return db;
  }

  function parseCategory(s) {
    var c = parseInt(s, 10);
    return isNaN(c) ? -1 : c;
  }
  // The category number in text[a, b): plain digits read in place.
  function categoryAt(text, a, b) {
    var v = 0;
    for (var i = a; i < b; i++) {
      var d = text.charCodeAt(i) - 48;
      if (d < 0 || d > 9 || i - a > 8) return parseCategory(text.slice(a, b));
      v = v * 10 + d;
    }
    return a < b ? v : -1;
  }

  // The database from arrays defined by a plain database script. They are
  // written back into the file's form, so one reader serves both; the
  // separator cannot be seen in the file any more, a link element tells it.
  function readDatabaseArrays(cg, ln, ds, kw) {
    function list(name, a) {
      if (!Array.isArray(a)) return '';
      return 'var ' + name + '=new Array(' + a.map(function (x) {
        return "'" + String(x == null ? '' : x).replace(/\\/g, '\\\\').replace(/'/g, "\\'").replace(/[\r\n]/g, ' ') + "'";
      }).join(',') + ');\n';
    }
    var format = '';
    if (Array.isArray(ln)) {
      for (var i = 0; i < ln.length; i++) {
        var m = /^-?\d*([\^+])/.exec(String(ln[i]));
        if (m) { if (m[1] === '^') format = '//v2format\n'; break; }
      }
    }
    return readDatabaseText(format + list('cg', cg) + list('ln', ln) + list('ds', ds) + list('kw', kw));
  }

  // The keywords of a keyword element, markers left out, in stored order.
  function keywordList(element, separator) {
    var parts = element.split(separator), out = [];
    for (var i = 0; i < parts.length; i++) {
      var k = parts[i];
      if (k !== '' && !MARKER_KEYWORDS[k]) out.push(k);
    }
    return out;
  }

  // ---------------------------------------------------------------------
  // Addresses

  // The address as the user entered it. Stored addresses have every byte
  // but letters, digits, "-", "." and "_" as %XX; "+" stands for a blank;
  // a "%" without two following characters gives "_", and two characters
  // that are not hexadecimal give the byte 0xFF, as the program decodes
  // them. The bytes are text in the database's character set.
  function decodeAddress(stored, charset) {
    if (stored.indexOf('%') < 0) return stored.indexOf('+') < 0 ? stored : stored.replace(/\+/g, ' ');
    var utf8 = !charset || /^utf-?8$/i.test(charset);
    if (utf8) {
      try { return decodeURIComponent(stored.replace(/\+/g, ' ')); } catch (e) { /* malformed: byte by byte below */ }
    }
    var bytes = [];
    for (var i = 0; i < stored.length; i++) {
      var c = stored.charCodeAt(i);
      if (c === 43) bytes.push(32);
      else if (c === 37) {
        if (i + 2 < stored.length) {
          var hex = stored.substr(i + 1, 2);
          bytes.push(/^[0-9a-fA-F]{2}$/.test(hex) ? parseInt(hex, 16) : 0xff);
          i += 2;
        } else bytes.push(95);
      } else if (c < 0x80) bytes.push(c);
      else {
        // Not in the stored form; keep the character as it is.
        var enc = unescape(encodeURIComponent(stored.charAt(i)));
        for (var k = 0; k < enc.length; k++) bytes.push(enc.charCodeAt(k));
      }
    }
    return bytesToText(new Uint8Array(bytes), utf8 ? 'utf-8' : charset);
  }

  function bytesToText(bytes, charset) {
    if (typeof TextDecoder === 'function') {
      try { return new TextDecoder(charset).decode(bytes); } catch (e) { /* unknown label */ }
      return new TextDecoder('utf-8').decode(bytes);
    }
    var s = '';
    for (var i = 0; i < bytes.length; i++) s += String.fromCharCode(bytes[i]);
    return s;
  }

  // Schemes a result may link to. Anything else with a scheme (javascript:,
  // vbscript:, data:, ...) is shown as text only.
  var SAFE_SCHEMES = { 'http:': 1, 'https:': 1, 'ftp:': 1, 'ftps:': 1, 'file:': 1, 'mailto:': 1, 'news:': 1, 'nntp:': 1 };

  // The href for a decoded address, relative to the page at base, or null
  // when the address must not become a link. The browser's own URL parser
  // decides the scheme, so blanks, tabs or case cannot smuggle a script.
  function linkTarget(address, base) {
    address = String(address || '').replace(/^[\x00-\x20\x7f]+|[\x00-\x20\x7f]+$/g, '');
    if (!address) return null;
    // What a browser would make of the raw text: controls and blanks are
    // dropped from a scheme, so "java\tscript:" is still a script.
    if (/^(javascript|vbscript|livescript|data):/.test(address.replace(/[\x00-\x20\x7f]+/g, '').toLowerCase())) return null;
    var href;
    // A file path (no scheme of its own) names a file: "#" and "?" are part of
    // its name, not a fragment or a query.
    var filePath = !/^[a-zA-Z][a-zA-Z0-9+.\-]*:/.test(address) || /^[a-zA-Z]:[\\/]/.test(address);
    if (/^[a-zA-Z]:[\\/]/.test(address)) href = 'file:///' + address.replace(/\\/g, '/');   // a path on another drive
    else if (/^\\\\/.test(address)) href = 'file:' + address.replace(/\\/g, '/');           // a network share
    else href = address;
    // Characters that cannot stand in an address are escaped; "%" always,
    // because a decoded address holds no escapes ("100%.html" is a file name).
    href = href.replace(/%/g, '%25');
    try { href = encodeURI(href); } catch (e) { return null; }
    href = href.replace(/%2525/g, '%25');
    if (filePath) href = href.replace(/#/g, '%23').replace(/\?/g, '%3F');
    var url;
    try { url = new URL(href, base); } catch (e) { return null; }
    return SAFE_SCHEMES[url.protocol] ? href : null;
  }

  // ---------------------------------------------------------------------
  // Index

  // Each posting is one (word, link) pair with a byte that says where the
  // word stands in that link: bit 7 caption, bit 6 description, bit 5
  // address, bits 0-4 the position of its first keyword (31: none).
  var IN_CAPTION = 0x80, IN_DESC = 0x40, IN_ADDRESS = 0x20, NO_KEYWORD = 31;

  // Score of one word in one link. The caption weighs most, then the
  // keywords by their order (the program stores the most relevant first),
  // then description and address. A word that only begins a longer word
  // scores three quarters.
  function postingScore(w, exact) {
    var s = 0, rank = w & 31;
    if (w & IN_CAPTION) s += 40;
    if (rank !== NO_KEYWORD) s += rank < 22 ? 30 - rank : 8;
    if (w & IN_DESC) s += 8;
    if (w & IN_ADDRESS) s += 6;
    return exact ? s : (s * 3) >> 2;
  }
  // The same as tables over the posting byte, for the inner loop.
  var SCORE_EXACT = new Uint8Array(256), SCORE_PREFIX = new Uint8Array(256);
  for (var sb = 0; sb < 256; sb++) { SCORE_EXACT[sb] = postingScore(sb, true); SCORE_PREFIX[sb] = postingScore(sb, false); }

  function grow(a, size) { var b = new a.constructor(size); b.set(a); return b; }

  // ASCII characters that make words (digits and letters), and hexadecimal digits.
  var WORD_ASCII = new Uint8Array(128), HEX = new Uint8Array(128);
  (function () {
    for (var c = 48; c < 123; c++) WORD_ASCII[c] = (c <= 57 || (c >= 65 && c <= 90) || c >= 97) ? 1 : 0;
    for (c = 48; c < 103; c++) HEX[c] = (c <= 57 || (c >= 65 && c <= 70) || c >= 97) ? 1 : 0;
  })();

  // The two hashes that identify a word in the index (see find()).
  function hashWord(s) {
    var h = 0x811c9dc5;
    for (var i = 0; i < s.length; i++) h = Math.imul(h ^ s.charCodeAt(i), 16777619);
    return h;
  }
  function hashWord2(s) {
    var g = 0;
    for (var i = 0; i < s.length; i++) g = Math.imul(g + s.charCodeAt(i), 0x5bd1e995) ^ (g >>> 13);
    return g ^ s.length;
  }

  // The word index of a database. Building it is the page's start-up cost,
  // so the loop over ASCII text (nearly all of it) reads character codes and
  // finds known words in its own hash table without making a string for them;
  // other text takes the general path through fold() and words().
  function Index(db) {
    var n = db.count;
    var terms = [];
    // Hot data sits together, as a word's lookup and its posting touch it
    // for every one of millions of words: table slots hold [word id + 1,
    // hash, second hash]; per word, meta holds [last link, its posting,
    // link count, unused].
    var tsize = 1 << 16, tmask = tsize - 1, table = new Int32Array(tsize * 3);
    var vcap = 1 << 15, meta = new Int32Array(vcap * 4), inKeywords = new Uint8Array(vcap);
    var cap = Math.max(1024, n * 32);
    var pWord = new Int32Array(cap), pLink = new Int32Array(cap), pBits = new Uint8Array(cap);
    var m = 0;
    var r = 0;

    // The id of the word with hashes h and g, or ~(free slot) when it is
    // new. Two independent 32-bit hashes of the characters, the second
    // mixed with the length, tell words apart without comparing them: among
    // a million different words the chance that two share both is about
    // one in thirty million.
    function find(h, g) {
      for (var i = h & tmask; ; i = (i + 1) & tmask) {
        var e = table[3 * i];
        if (e === 0) return ~i;
        if (table[3 * i + 1] === h && table[3 * i + 2] === g) return e - 1;
      }
    }
    function newWord(word, free, h, g) {
      var id = terms.length;
      terms.push(word);
      table[3 * free] = id + 1; table[3 * free + 1] = h; table[3 * free + 2] = g;
      if (id >= vcap) {
        vcap *= 2;
        meta = grow(meta, vcap * 4); inKeywords = grow(inKeywords, vcap);
      }
      meta[id * 4] = -1;
      if (terms.length * 2 > tsize) {
        var old = table;
        tsize *= 2; tmask = tsize - 1; table = new Int32Array(tsize * 3);
        for (var j = 0; j < old.length; j += 3) {
          if (old[j] === 0) continue;
          var i = old[j + 1] & tmask;
          while (table[3 * i] !== 0) i = (i + 1) & tmask;
          table[3 * i] = old[j]; table[3 * i + 1] = old[j + 1]; table[3 * i + 2] = old[j + 2];
        }
      }
      return id;
    }
    function post(id, bits, rank) {
      var x = id * 4;
      if (rank !== NO_KEYWORD) inKeywords[id] = 1;
      if (meta[x] === r) {
        var s = meta[x + 1], w = pBits[s], rk = w & 31;
        pBits[s] = (w & 0xe0) | bits | (rank < rk ? rank : rk);
        return;
      }
      if (m === cap) {
        cap *= 2;
        pWord = grow(pWord, cap); pLink = grow(pLink, cap); pBits = grow(pBits, cap);
      }
      meta[x] = r; meta[x + 1] = m; meta[x + 2]++;
      pWord[m] = id; pLink[m] = r; pBits[m] = bits | rank;
      m++;
    }
    // Words of s[from, to), which is in lower case. Runs of ASCII letters
    // and digits are looked up as they stand; a run with other characters
    // goes through fold() and words(), which also split it where it holds
    // no letters.
    function scanRange(s, from, to, bits, rank) {
      var i = from;
      while (i < to) {
        var c = s.charCodeAt(i);
        if (c < 128 && WORD_ASCII[c] === 0) { i++; continue; }
        var a = i, h = 0x811c9dc5, g = 0, wide = false;
        do {
          if (c >= 128) wide = true;
          h = Math.imul(h ^ c, 16777619);
          g = Math.imul(g + c, 0x5bd1e995) ^ (g >>> 13);
          c = s.charCodeAt(++i);
        } while (i < to && (c >= 128 || WORD_ASCII[c] === 1));
        if (wide) scanWords(s.slice(a, i), bits, rank);
        else {
          g ^= i - a;
          var id = find(h, g);
          post(id >= 0 ? id : newWord(s.slice(a, i), ~id, h, g), bits, rank);
        }
      }
    }
    // Folding is slow and the same runs come back ("zürich", a dash), so
    // their words and hashes are kept, up to a limit.
    var folded = new Map();
    function scanWords(text, bits, rank) {
      var list = folded.get(text);
      if (list === undefined) {
        var ws = words(fold(text));
        list = [];
        for (var k = 0; k < ws.length; k++) list.push(ws[k], hashWord(ws[k]), hashWord2(ws[k]));
        if (folded.size < 65536) folded.set(text, list);
      }
      for (var i = 0; i < list.length; i += 3) {
        var h = list[i + 1], g = list[i + 2], id = find(h, g);
        post(id >= 0 ? id : newWord(list[i], ~id, h, g), bits, rank);
      }
    }
    // Keywords in s[from, to) (separated by sep), each ranked by its
    // place; the program's markers are skipped and take no place.
    function scanKeywords(s, from, to) {
      var i = from, rank = 0;
      while (i < to) {
        var c = s.charCodeAt(i);
        if (c === sepCode) { i++; continue; }
        // A keyword starts at i.
        var end = -1;
        if (c === 126 && (i + 1 === to || s.charCodeAt(i + 1) === sepCode)) end = i + 1;
        else if (c === 100 && s.startsWith('dont_update', i) && (i + 11 === to || s.charCodeAt(i + 11) === sepCode)) end = i + 11;
        if (end >= 0) { i = end; continue; }
        end = s.indexOf(sep, i);
        if (end < 0 || end > to) end = to;
        scanRange(s, i, end, 0, rank < 30 ? rank : 30);
        rank++;
        i = end;
      }
    }
    // A stored address in s[from, to): %XX of an ASCII character and "+"
    // separate words; an address with bytes of other characters (or a
    // malformed escape) is decoded first.
    function scanAddress(s, from, to) {
      var i = from;
      while (i < to) {
        var c = s.charCodeAt(i);
        if (c === 37) {
          var d1 = s.charCodeAt(i + 1), d2 = s.charCodeAt(i + 2);
          if (i + 2 < to && d1 >= 48 && d1 <= 55 && HEX[d2] === 1) { i += 3; continue; }
          scanWords(decodeAddress(s.slice(from, to), db.charset), IN_ADDRESS, NO_KEYWORD);
          return;
        }
        if (c >= 128) { scanWords(decodeAddress(s.slice(from, to), db.charset), IN_ADDRESS, NO_KEYWORD); return; }
        if (WORD_ASCII[c] !== 1) { i++; continue; }
        var a = i, h = 0x811c9dc5, g = 0;
        do {
          h = Math.imul(h ^ c, 16777619);
          g = Math.imul(g + c, 0x5bd1e995) ^ (g >>> 13);
          c = s.charCodeAt(++i);
        } while (i < to && WORD_ASCII[c] === 1);
        g ^= i - a;
        var id = find(h, g);
        post(id >= 0 ? id : newWord(s.slice(a, i), ~id, h, g), IN_ADDRESS, NO_KEYWORD);
      }
    }

    // The words are read from the lower-case copy that the reader made.
    var text = db.lower || db.text.toLowerCase(), at = db.at, kept = db.kept, sep = db.separator, sepCode = sep.charCodeAt(0);
    db.lower = null;
    var low;
    for (r = 0; r < n; r++) {
      var o = r * 8, k = r * 4, a;
      if ((a = at[o]) >= 0) scanRange(text, a, at[o + 1], IN_CAPTION, NO_KEYWORD);
      else if ((low = lowerKept(k))) scanRange(low, 0, low.length, IN_CAPTION, NO_KEYWORD);
      if ((a = at[o + 6]) >= 0) scanKeywords(text, a, at[o + 7]);
      else if ((low = lowerKept(k + 3))) scanKeywords(low, 0, low.length);
      if ((a = at[o + 4]) >= 0) scanRange(text, a, at[o + 5], IN_DESC, NO_KEYWORD);
      else if ((low = lowerKept(k + 2))) scanRange(low, 0, low.length, IN_DESC, NO_KEYWORD);
      if ((a = at[o + 2]) >= 0) scanAddress(text, a, at[o + 3]);
      else if ((low = lowerKept(k + 1))) scanAddress(low, 0, low.length);
    }
    function lowerKept(k) { var t = kept[k]; return t ? t.replace(/\u0130/g, 'I').toLowerCase() : ''; }

    // Postings grouped by word (a counting sort keeps links in order).
    var nw = terms.length, start = new Int32Array(nw + 1);
    for (var i = 0; i < nw; i++) start[i + 1] = start[i] + meta[i * 4 + 2];
    var fill = start.slice(0, nw), links = new Int32Array(m), bitsOut = new Uint8Array(m);
    for (var j = 0; j < m; j++) {
      var dst = fill[pWord[j]]++;
      links[dst] = pLink[j]; bitsOut[dst] = pBits[j];
    }

    this.db = db;
    this.count = n;
    this.terms = terms;
    this.find = function (w) { var id = find(hashWord(w), hashWord2(w)); return id >= 0 ? id : -1; };
    this.start = start;
    this.links = links;
    this.bits = bitsOut;
    this.inKeywords = inKeywords.subarray(0, nw);
    this.sorted = null;          // the vocabulary in order, made on the first prefix query (see prepare)
    this.sortedIds = null;
    this.spaceless = null;       // made on the first query in a spaceless script
    this.byLength = null;        // made on the first "did you mean"
    this.acc = new Uint16Array(n);
    this.stamp = new Int32Array(n);
    this.tmp = new Uint16Array(n);
    this.round = 0;
  }

  // Sorts the vocabulary for prefix queries. The page calls it as soon as
  // it is ready, so the first key does not wait for it.
  Index.prototype.prepare = function () {
    if (this.sorted) return;
    this.sorted = this.terms.slice().sort();
    this.sortedIds = Int32Array.from(this.sorted, this.find);
  };

  // Word ids whose word starts with p (sorted vocabulary, binary search).
  Index.prototype.prefixIds = function (p, out) {
    this.prepare();
    var a = this.sorted, lo = 0, hi = a.length;
    while (lo < hi) { var mid = (lo + hi) >> 1; if (a[mid] < p) lo = mid + 1; else hi = mid; }
    for (var i = lo; i < a.length && a[i].lastIndexOf(p, 0) === 0; i++) out.push(this.sortedIds[i]);
  };

  // Word ids of spaceless-script words that contain p anywhere.
  Index.prototype.innerIds = function (p, out) {
    if (!this.spaceless) {
      var text = '\n', starts = [], ids = [];
      for (var i = 0; i < this.terms.length; i++) {
        if (SPACELESS.test(this.terms[i])) { starts.push(text.length); ids.push(i); text += this.terms[i] + '\n'; }
      }
      this.spaceless = { text: text, starts: starts, ids: ids };
    }
    var sl = this.spaceless, pos = 0;
    for (;;) {
      pos = sl.text.indexOf(p, pos);
      if (pos < 0) break;
      var lo = 0, hi = sl.starts.length - 1;
      while (lo < hi) { var mid = (lo + hi + 1) >> 1; if (sl.starts[mid] <= pos) lo = mid; else hi = mid - 1; }
      out.push(sl.ids[lo]);
      pos = sl.text.indexOf('\n', pos) + 1;
    }
  };

  // The ids of the words a query word matches: the word itself, every word
  // it begins (prefix) or, in a spaceless script, every word it is part of.
  Index.prototype.match = function (w, prefix) {
    var ids = [];
    if (SPACELESS.test(w)) this.innerIds(w, ids);
    else if (prefix) this.prefixIds(w, ids);
    else { var id = this.find(w); if (id >= 0) ids.push(id); }
    return ids;
  };

  // Scores one query word into tmp[] for the links it matches (best
  // posting per link); returns the stamp that marks them.
  Index.prototype.scoreWord = function (w, prefix) {
    var ids = this.match(w, prefix);
    var stamp = ++this.round, st = this.stamp, tmp = this.tmp;
    var start = this.start, links = this.links, bits = this.bits, terms = this.terms;
    for (var k = 0; k < ids.length; k++) {
      var id = ids[k], score = terms[id] === w ? SCORE_EXACT : SCORE_PREFIX;
      for (var j = start[id], e = start[id + 1]; j < e; j++) {
        var l = links[j], s = score[bits[j]];
        if (st[l] !== stamp) { st[l] = stamp; tmp[l] = s; }
        else if (s > tmp[l]) tmp[l] = s;
      }
    }
    return stamp;
  };

  Index.prototype.postingCount = function (w, prefix) {
    var ids = this.match(w, prefix), c = 0;
    for (var k = 0; k < ids.length; k++) c += this.start[ids[k] + 1] - this.start[ids[k]];
    return c;
  };

  // Splits a query into terms. Unquoted words are separate terms; a quoted
  // text is a phrase whose words must follow each other. The last word is a
  // prefix while it is being typed (no blank or closing quote after it).
  function parseQuery(q) {
    q = String(q || '').replace(/[\u201c\u201d\u201e\u201f\u00ab\u00bb\uff02]/g, '"');
    var terms = [], re = /"([^"]*)("?)|[^\s"]+/g, m, seen = {};
    while ((m = re.exec(q))) {
      var atEnd = re.lastIndex === q.length;
      if (m[0].charAt(0) === '"') {
        var ws = words(fold(m[1]));
        if (ws.length === 0) continue;
        var t = { words: ws, phrase: ws.length > 1, prefix: atEnd && m[2] === '' };
        var key = (t.phrase ? '"' : '') + ws.join(' ') + (t.prefix ? '*' : '');
        if (!seen[key]) { seen[key] = 1; terms.push(t); }
      } else {
        var list = words(fold(m[0]));
        for (var i = 0; i < list.length; i++) {
          var p = atEnd && i === list.length - 1;
          var key2 = list[i] + (p ? '*' : '');
          if (!seen[key2]) { seen[key2] = 1; terms.push({ words: [list[i]], phrase: false, prefix: p }); }
        }
      }
    }
    // A finished word also counts when it is only being typed out: "net net*"
    // would score twice.
    return terms.filter(function (t) {
      return !(t.prefix && !t.phrase && seen[t.words[0]] && t.words.length === 1);
    });
  }

  // Ranked link numbers for a query, best first, links of equal score in
  // database order. category 0 (or none) means all categories.
  Index.prototype.search = function (query, category) {
    var terms = typeof query === 'string' ? parseQuery(query) : query;
    var n = this.count;
    if (terms.length === 0 || n === 0) return new Int32Array(0);
    // Every word of every term, the rarest first, so that the candidates
    // shrink quickly.
    var items = [];
    for (var i = 0; i < terms.length; i++) {
      var t = terms[i];
      for (var k = 0; k < t.words.length; k++) {
        var pre = t.prefix && k === t.words.length - 1;
        items.push({ w: t.words[k], prefix: pre, cost: this.postingCount(t.words[k], pre) });
      }
    }
    items.sort(function (a, b) { return a.cost - b.cost; });
    if (items[0].cost === 0) return new Int32Array(0);

    var acc = this.acc, st = this.stamp, tmp = this.tmp, cats = this.db.cat;
    var cand = null, count = 0;
    for (var q = 0; q < items.length; q++) {
      var stamp = this.scoreWord(items[q].w, items[q].prefix);
      if (cand === null) {
        // Collect the stamped links once each, in database order: a sweep
        // over all links when they are many, else from the postings.
        var cost = items[q].cost, l;
        cand = new Int32Array(Math.min(cost, n));
        if (cost * 8 > n) {
          for (l = 0; l < n; l++) {
            if (st[l] === stamp && (category <= 0 || cats[l] === category)) { acc[l] = tmp[l]; cand[count++] = l; }
          }
        } else {
          var start = this.start, links = this.links, ids = this.match(items[q].w, items[q].prefix);
          var mark = ++this.round;
          for (var a = 0; a < ids.length; a++) {
            for (var j = start[ids[a]], e = start[ids[a] + 1]; j < e; j++) {
              l = links[j];
              if (st[l] === stamp) {
                st[l] = mark;
                if (category > 0 && cats[l] !== category) continue;
                acc[l] = tmp[l]; cand[count++] = l;
              }
            }
          }
          if (ids.length > 1) cand.subarray(0, count).sort();
        }
      } else {
        var kept = 0;
        for (var c = 0; c < count; c++) {
          var l2 = cand[c];
          if (st[l2] === stamp) { acc[l2] += tmp[l2]; cand[kept++] = l2; }
        }
        count = kept;
      }
      if (count === 0) return new Int32Array(0);
    }
    cand = cand.subarray(0, count);

    // Phrases: the words must follow each other in one field.
    for (var p = 0; p < terms.length; p++) {
      if (!terms[p].phrase) continue;
      var kept2 = 0;
      for (var c2 = 0; c2 < count; c2++) {
        if (this.hasPhrase(cand[c2], terms[p])) { acc[cand[c2]] += 25; cand[kept2++] = cand[c2]; }
      }
      count = kept2;
      cand = cand.subarray(0, count);
    }

    // Counting sort on the score, descending; stable, so database order
    // decides between equal scores.
    var MAX = 4095, bucket = new Int32Array(MAX + 2);
    for (var b = 0; b < count; b++) { var s = acc[cand[b]]; bucket[MAX - (s > MAX ? MAX : s) + 1]++; }
    for (var z = 1; z <= MAX + 1; z++) bucket[z] += bucket[z - 1];
    var out = new Int32Array(count);
    for (var o = 0; o < count; o++) { var s2 = acc[cand[o]]; out[bucket[MAX - (s2 > MAX ? MAX : s2)]++] = cand[o]; }
    return out;
  };

  // The folded word sequences a phrase may be found in: caption,
  // description, address and each keyword on its own.
  Index.prototype.fieldTexts = function (r) {
    var db = this.db, out = [];
    function put(text) { if (text) out.push(' ' + words(fold(text)).join(' ') + ' '); }
    put(db.caption(r)); put(db.desc(r)); put(db.address(r));
    keywordList(db.keys(r), db.separator).forEach(put);
    return out;
  };

  Index.prototype.hasPhrase = function (r, term) {
    var inner = SPACELESS.test(term.words.join(''));
    var needle = (inner ? '' : ' ') + term.words.join(' ') + (term.prefix || inner ? '' : ' ');
    var fields = this.fieldTexts(r);
    for (var i = 0; i < fields.length; i++) if (fields[i].indexOf(needle) >= 0) return true;
    return false;
  };

  // ---------------------------------------------------------------------
  // "Did you mean"

  // Edit distance with adjacent transpositions, or max + 1 once it is
  // certain to exceed max.
  function editDistance(a, b, max) {
    var la = a.length, lb = b.length;
    if (Math.abs(la - lb) > max) return max + 1;
    var prev2 = null, prev = new Array(lb + 1), cur;
    for (var j = 0; j <= lb; j++) prev[j] = j;
    for (var i = 1; i <= la; i++) {
      cur = new Array(lb + 1);
      cur[0] = i;
      var rowMin = i;
      for (j = 1; j <= lb; j++) {
        var cost = a.charCodeAt(i - 1) === b.charCodeAt(j - 1) ? 0 : 1;
        var v = Math.min(prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + cost);
        if (prev2 && i > 1 && j > 1 && a.charCodeAt(i - 1) === b.charCodeAt(j - 2) &&
            a.charCodeAt(i - 2) === b.charCodeAt(j - 1)) v = Math.min(v, prev2[j - 2] + 1);
        cur[j] = v;
        if (v < rowMin) rowMin = v;
      }
      if (rowMin > max) return max + 1;
      prev2 = prev; prev = cur;
    }
    return prev[lb];
  }

  // The closest keyword of the database to w: distance 1 for short words,
  // up to 2 from five letters on; the more frequent keyword wins a tie.
  Index.prototype.closestKeyword = function (w) {
    if (!this.byLength) {
      var by = [];
      for (var id = 0; id < this.terms.length; id++) {
        if (!this.inKeywords[id] || SPACELESS.test(this.terms[id])) continue;
        var L = this.terms[id].length;
        (by[L] || (by[L] = [])).push(id);
      }
      this.byLength = by;
    }
    var max = w.length <= 4 ? 1 : 2, best = null, bestD = max + 1, bestF = -1;
    for (var len = Math.max(1, w.length - max); len <= w.length + max; len++) {
      var list = this.byLength[len];
      if (!list) continue;
      for (var i = 0; i < list.length; i++) {
        var t = this.terms[list[i]], d = editDistance(w, t, max);
        if (d > max || d === 0) continue;
        var f = this.start[list[i] + 1] - this.start[list[i]];
        if (d < bestD || (d === bestD && f > bestF)) { best = t; bestD = d; bestF = f; }
      }
    }
    return best;
  };

  // A corrected query that finds something, made by replacing the words
  // that match nothing with near keywords; null when there is none. Only
  // called when a query found nothing.
  Index.prototype.suggest = function (query, category) {
    var terms = parseQuery(query), changed = false, self = this;
    var fixed = terms.map(function (t) {
      var ws = t.words.map(function (w, k) {
        var pre = t.prefix && k === t.words.length - 1;
        if (SPACELESS.test(w) || self.match(w, pre).length > 0) return w;
        var c = self.closestKeyword(w);
        if (c) { changed = true; return c; }
        return w;
      });
      return { words: ws, phrase: t.phrase, prefix: false };
    });
    if (!changed || this.search(fixed, category).length === 0) return null;
    return fixed.map(function (t) { return t.phrase ? '"' + t.words.join(' ') + '"' : t.words[0]; }).join(' ');
  };

  // ---------------------------------------------------------------------
  // Highlighting

  // Folds text and keeps, for each folded character, where it came from.
  function foldMapped(text) {
    if (!NON_ASCII.test(text)) return { s: text.toLowerCase(), map: null };
    var s = '', map = [];
    for (var i = 0; i < text.length;) {
      var cp = text.codePointAt(i), ch = String.fromCodePoint(cp), f = fold(ch);
      for (var k = 0; k < f.length; k++) map.push(i);
      s += f;
      i += ch.length;
    }
    map.push(text.length);
    return { s: s, map: map };
  }

  var MARK_AFTER = /[\p{M}]/u;

  // [start, end) ranges of text to highlight for the query's words: whole
  // words, the typed beginning of the word being typed, any occurrence of a
  // word in a spaceless script. Ranges are sorted and do not overlap.
  function highlightRanges(text, terms) {
    if (!text || !terms.length) return [];
    var f = foldMapped(text), s = f.s, found = [], m;
    var want = [];
    terms.forEach(function (t) {
      t.words.forEach(function (w, k) { want.push({ w: w, prefix: t.prefix && k === t.words.length - 1, inner: SPACELESS.test(w) }); });
    });
    WORD.lastIndex = 0;
    while ((m = WORD.exec(s))) {
      var parts = SPACELESS.test(m[0]) ? m[0].match(SCRIPT_RUNS) : [m[0]], off = m.index;
      for (var p = 0; p < parts.length; p++) {
        var tok = parts[p];
        for (var i = 0; i < want.length; i++) {
          var w = want[i];
          if (w.inner) {
            for (var at = tok.indexOf(w.w); at >= 0; at = tok.indexOf(w.w, at + w.w.length)) found.push([off + at, off + at + w.w.length]);
          } else if (tok === w.w) found.push([off, off + tok.length]);
          else if (w.prefix && tok.lastIndexOf(w.w, 0) === 0) found.push([off, off + w.w.length]);
        }
        off += tok.length;
      }
    }
    found.sort(function (a, b) { return a[0] - b[0] || b[1] - a[1]; });
    var out = [];
    for (var j = 0; j < found.length; j++) {
      var st = found[j][0], en = found[j][1];
      if (f.map) {
        var e2 = en;
        while (e2 < f.map.length - 1 && f.map[e2] === f.map[e2 - 1]) e2++;
        st = f.map[st]; en = f.map[e2];
        while (en < text.length && MARK_AFTER.test(text.charAt(en))) en++;
      }
      if (out.length && st <= out[out.length - 1][1]) {
        if (en > out[out.length - 1][1]) out[out.length - 1][1] = en;
      } else out.push([st, en]);
    }
    return out;
  }

  var engine = {
    fold: fold, words: words, parseQuery: parseQuery,
    readDatabaseText: readDatabaseText, readDatabaseArrays: readDatabaseArrays,
    keywordList: keywordList, decodeAddress: decodeAddress, linkTarget: linkTarget,
    Index: Index, editDistance: editDistance, highlightRanges: highlightRanges
  };

  if (typeof module === 'object' && module.exports) { module.exports = engine; return; }
  if (typeof document === 'undefined') return;

  // ---------------------------------------------------------------------
  // The page

  var TEXTS = {
    loading: 'Loading the search\u2026',
    ready: 'Type to search {n} pages.',
    readyOne: 'Type to search 1 page.',
    empty: 'This search holds no pages yet.',
    missing: 'The search database could not be loaded. Make sure searchdb.js is in the same folder as this page.',
    unreadable: 'The search database could not be read: searchdb.js has an error. Please save the database again with Quillmark.',
    damaged: 'The search database is damaged: its list of pages cannot be read. Please rebuild it with Quillmark.',
    incomplete: 'Part of the search database is missing; some pages may be found by their title only.',
    results: '{n} results for \u201c{q}\u201d',
    result: '1 result for \u201c{q}\u201d',
    none: 'Nothing found for \u201c{q}\u201d.',
    didYouMean: 'Did you mean',
    range: '{from}\u2013{to} of {n}',
    previous: 'Previous',
    next: 'Next',
    page: 'Page {n}',
    pages: 'Result pages',
    notLinked: 'This address is not opened from the search page.',
    allCategories: 'All categories'
  };

  function format(s, values) {
    return s.replace(/\{(\w+)\}/g, function (all, k) { return values[k] !== undefined ? String(values[k]) : all; });
  }

  function now() { return typeof performance !== 'undefined' ? performance.now() : Date.now(); }

  var page = {
    ready: false, index: null, db: null, texts: TEXTS, timing: {},
    engine: engine, lastTerms: [], lastIds: new Int32Array(0), lastKey: null, databaseLoaded: false
  };
  window.qmk = page;

  // A database script that does not parse defines nothing, yet it loaded:
  // that tells a damaged file from a missing one. This script runs before
  // the (deferred) database script, so both events are still to come.
  var dbTag = document.getElementById('qmk-db');
  if (dbTag) dbTag.addEventListener('load', function () { page.databaseLoaded = true; });

  function el(id) { return document.getElementById(id); }

  function loadTexts() {
    var node = el('qmk-texts'), texts = {};
    Object.keys(TEXTS).forEach(function (k) { texts[k] = TEXTS[k]; });
    if (node) {
      try {
        var custom = JSON.parse(node.textContent);
        Object.keys(custom).forEach(function (k) { if (typeof custom[k] === 'string') texts[k] = custom[k]; });
      } catch (e) { /* keep the built-in texts */ }
    }
    return texts;
  }

  // Runs done() once the database is read. A database decoded as UTF-8 that
  // shows replacement characters was written in a single-byte code page:
  // the database script is then loaded once more, decoded with the code page
  // named by data-fallback-charset on its script element.
  function loadDatabase(done) {
    var tag = el('qmk-db');
    var charset = (tag && tag.getAttribute('charset')) || document.characterSet || 'utf-8';
    var fallback = tag && tag.getAttribute('data-fallback-charset');
    function read() {
      if (typeof window.qmkDatabase === 'function') {
        return { text: Function.prototype.toString.call(window.qmkDatabase) };
      }
      if (Array.isArray(window.ln)) return { arrays: true };
      return null;
    }
    function finish(found, cs) {
      var db;
      if (!found) { db = new Database(''); db.problem = page.databaseLoaded ? 'unreadable' : 'missing'; }
      else if (found.text !== undefined) db = readDatabaseText(found.text);
      else db = readDatabaseArrays(window.cg, window.ln, window.ds, window.kw);
      db.charset = cs;
      done(db);
    }
    var found = read();
    var garbled = found && (found.text !== undefined ? found.text.indexOf('\ufffd') >= 0 : hasReplacement());
    if (!garbled || !fallback || !tag || fallback.toLowerCase() === charset.toLowerCase()) return finish(found, charset);
    var again = document.createElement('script');
    again.charset = fallback;
    again.setAttribute('charset', fallback);
    again.onload = function () { finish(read(), fallback); };
    again.onerror = function () { finish(found, charset); };
    // A new address: under the same one the browser reuses the text it
    // already decoded.
    var src = tag.getAttribute('src');
    again.src = src + (src.indexOf('?') < 0 ? '?' : '&') + 'charset=' + encodeURIComponent(fallback);
    document.head.appendChild(again);
  }

  function hasReplacement() {
    var arrays = [window.cg, window.ln, window.ds, window.kw];
    for (var a = 0; a < arrays.length; a++) {
      if (!Array.isArray(arrays[a])) continue;
      for (var i = 0; i < arrays[a].length; i++) if (String(arrays[a][i]).indexOf('\ufffd') >= 0) return true;
    }
    return false;
  }

  function boot() {
    var root = el('qmk'), input = el('qmk-q'), form = el('qmk-form');
    if (!root || !input) return;
    var texts = page.texts = loadTexts();
    var select = el('qmk-cat'), status = el('qmk-status'), list = el('qmk-results');
    var pager = el('qmk-pager'), notice = el('qmk-notice'), suggestBox = el('qmk-suggest');
    var pageSize = parseInt(root.getAttribute('data-page-size'), 10) || 10;
    var baseTitle = document.title;
    var state = { q: '', c: 0, p: 1 };

    root.setAttribute('aria-busy', 'true');
    setStatus(texts.loading);
    input.focus();

    function setStatus(text) { if (status) status.textContent = text; }
    function showNotice(text, kind) {
      if (!notice) return;
      notice.textContent = text;
      notice.hidden = !text;
      notice.className = 'qmk-notice' + (kind ? ' qmk-notice-' + kind : '');
    }

    function readLocation() {
      var params = new URLSearchParams(location.search);
      return {
        q: params.get('q') || '',
        c: Math.max(0, parseInt(params.get('c'), 10) || 0),
        p: Math.max(1, parseInt(params.get('p'), 10) || 1)
      };
    }
    function locationFor(s) {
      var params = new URLSearchParams(location.search);
      ['q', 'c', 'p'].forEach(function (k) { params.delete(k); });
      if (s.q) params.set('q', s.q);
      if (s.c) params.set('c', String(s.c));
      if (s.p > 1) params.set('p', String(s.p));
      var qs = params.toString();
      return location.pathname + (qs ? '?' + qs : '') + location.hash;
    }
    // Typing replaces the history entry; a page, a category or Enter adds
    // one, so Back steps through what the visitor chose, not every key.
    // While keys come quickly the address and the title wait for a pause
    // (each costs the browser a round trip), and are written at once when
    // the visitor leaves or follows a result.
    var pending = 0;
    function remember(push) {
      clearTimeout(pending);
      pending = 0;
      if (push) writeLocation(true);
      else pending = setTimeout(flush, 300);
    }
    function flush() {
      if (!pending) return;
      clearTimeout(pending);
      pending = 0;
      writeLocation(false);
    }
    function writeLocation(push) {
      var q = state.q.trim();
      document.title = q ? q + ' \u00b7 ' + baseTitle : baseTitle;
      var url = locationFor(state);
      if (url === location.pathname + location.search + location.hash) return;
      try {
        if (push) history.pushState(null, '', url); else history.replaceState(null, '', url);
      } catch (e) { /* some browsers refuse history on file:// */ }
    }
    window.addEventListener('pagehide', flush);
    document.addEventListener('visibilitychange', flush);
    list.addEventListener('click', flush, true);
    list.addEventListener('keydown', function (ev) { if (ev.key === 'Enter') flush(); }, true);

    function fillCategories(db) {
      if (!select) return;
      var wrap = el('qmk-cat-wrap') || select;
      if (db.categories.length < 2) { wrap.hidden = true; return; }
      select.textContent = '';
      db.categories.forEach(function (name, i) {
        var o = document.createElement('option');
        o.value = String(i);
        o.textContent = i === 0 ? (name || texts.allCategories) : (name || '#' + i);
        select.appendChild(o);
      });
      wrap.hidden = false;
    }

    function appendHighlighted(node, text, terms) {
      var ranges = highlightRanges(text, terms), at = 0;
      for (var i = 0; i < ranges.length; i++) {
        if (ranges[i][0] > at) node.appendChild(document.createTextNode(text.slice(at, ranges[i][0])));
        var mk = document.createElement('mark');
        mk.textContent = text.slice(ranges[i][0], ranges[i][1]);
        node.appendChild(mk);
        at = ranges[i][1];
      }
      if (at < text.length) node.appendChild(document.createTextNode(text.slice(at)));
    }

    function renderHit(r, terms) {
      var db = page.db;
      var li = document.createElement('li');
      li.className = 'qmk-hit';
      var address = db.address(r), caption = db.caption(r), desc = db.desc(r);
      var href = linkTarget(address, location.href);
      var title = document.createElement(href ? 'a' : 'span');
      title.className = 'qmk-title' + (href ? '' : ' qmk-unlinked');
      title.setAttribute('data-nav', '');
      if (href) title.setAttribute('href', href);
      else { title.tabIndex = -1; title.title = texts.notLinked; }
      appendHighlighted(title, caption || address || '\u2014', terms);
      var h = document.createElement('h2');
      h.className = 'qmk-heading';
      h.appendChild(title);
      li.appendChild(h);
      var meta = document.createElement('div');
      meta.className = 'qmk-meta';
      if (address) {
        var u = document.createElement('span');
        u.className = 'qmk-url';
        appendHighlighted(u, address, terms);
        meta.appendChild(u);
      }
      var cat = db.cat[r];
      if (cat > 0 && db.categories[cat]) {
        var c = document.createElement('span');
        c.className = 'qmk-tag';
        c.textContent = db.categories[cat];
        meta.appendChild(c);
      }
      li.appendChild(meta);
      if (desc) {
        var d = document.createElement('p');
        d.className = 'qmk-desc';
        appendHighlighted(d, desc, terms);
        li.appendChild(d);
      }
      return li;
    }

    function pagerButton(label, target, current, cls) {
      var b = document.createElement('button');
      b.type = 'button';
      b.className = 'qmk-page' + (cls ? ' ' + cls : '');
      b.textContent = label;
      if (current) { b.setAttribute('aria-current', 'page'); b.disabled = true; }
      else if (target === null) b.disabled = true;
      else b.setAttribute('data-page', String(target));
      return b;
    }

    function renderPager(total) {
      if (!pager) return;
      pager.textContent = '';
      var pages = Math.ceil(total / pageSize);
      if (pages <= 1) { pager.hidden = true; return; }
      pager.hidden = false;
      var p = state.p;
      pager.appendChild(pagerButton('\u2039 ' + texts.previous, p > 1 ? p - 1 : null, false, 'qmk-prev'));
      var from = Math.max(1, Math.min(p - 2, pages - 4)), to = Math.min(pages, from + 4);
      var nums = document.createElement('span');
      nums.className = 'qmk-pages';
      for (var i = from; i <= to; i++) {
        var b = pagerButton(String(i), i, i === p);
        b.setAttribute('aria-label', format(texts.page, { n: i }));
        nums.appendChild(b);
      }
      pager.appendChild(nums);
      var info = document.createElement('span');
      info.className = 'qmk-range';
      info.textContent = format(texts.range, {
        from: (p - 1) * pageSize + 1, to: Math.min(total, p * pageSize), n: total.toLocaleString()
      });
      pager.appendChild(info);
      pager.appendChild(pagerButton(texts.next + ' \u203a', p < pages ? p + 1 : null, false, 'qmk-next'));
    }

    function showSuggestion(q) {
      if (!suggestBox) return;
      suggestBox.textContent = '';
      var s = q ? page.index.suggest(q, state.c) : null;
      suggestBox.hidden = !s;
      if (!s) return;
      suggestBox.appendChild(document.createTextNode(texts.didYouMean + ' '));
      var a = document.createElement('a');
      a.href = locationFor({ q: s, c: state.c, p: 1 });
      a.className = 'qmk-suggestion';
      a.textContent = s;
      a.addEventListener('click', function (ev) {
        ev.preventDefault();
        input.value = s;
        update({ q: s, c: state.c, p: 1 }, true);
        input.focus();
      });
      suggestBox.appendChild(a);
      suggestBox.appendChild(document.createTextNode('?'));
    }

    // Searches (when the query or category changed) and shows one page of
    // results. Everything from the database goes in as text.
    function render() {
      var t0 = now();
      var index = page.index, q = state.q.trim();
      var key = q + '\u0000' + state.c;
      if (key !== page.lastKey) {
        page.lastTerms = parseQuery(q);
        page.lastIds = index.search(page.lastTerms, state.c);
        page.lastKey = key;
      }
      var ids = page.lastIds, total = ids.length, terms = page.lastTerms;
      var pages = Math.max(1, Math.ceil(total / pageSize));
      if (state.p > pages) state.p = pages;
      list.textContent = '';
      if (!q) {
        setStatus(index.count === 0 ? texts.empty : format(index.count === 1 ? texts.readyOne : texts.ready, { n: index.count.toLocaleString() }));
        if (suggestBox) suggestBox.hidden = true;
      } else {
        setStatus(format(total === 0 ? texts.none : total === 1 ? texts.result : texts.results, { n: total.toLocaleString(), q: q }));
        if (total === 0) showSuggestion(q); else if (suggestBox) suggestBox.hidden = true;
      }
      var frag = document.createDocumentFragment();
      var first = (state.p - 1) * pageSize;
      for (var i = first; i < Math.min(total, first + pageSize); i++) frag.appendChild(renderHit(ids[i], terms));
      list.appendChild(frag);
      list.setAttribute('start', String(first + 1));
      list.hidden = total === 0;
      renderPager(q ? total : 0);
      if (select) select.value = String(state.c);
      page.timing.lastRender = now() - t0;
    }

    function update(next, push) {
      if (push) flush();    // the entry being left keeps what it showed
      state = next;
      if (page.ready) render();
      remember(push);
    }

    // Keyboard: arrows move between the search field and the results,
    // Escape returns to the field (and then clears it), "/" finds the field.
    function navItems() { return Array.prototype.slice.call(list.querySelectorAll('[data-nav]')); }
    function focusItem(i) {
      var items = navItems();
      if (!items.length) return;
      items[Math.max(0, Math.min(items.length - 1, i))].focus();
    }
    input.addEventListener('keydown', function (ev) {
      if (ev.key === 'ArrowDown' && navItems().length) { ev.preventDefault(); focusItem(0); }
      else if (ev.key === 'Escape' && input.value) { ev.preventDefault(); input.value = ''; update({ q: '', c: state.c, p: 1 }, false); }
    });
    list.addEventListener('keydown', function (ev) {
      var items = navItems(), i = items.indexOf(document.activeElement);
      if (i < 0) return;
      if (ev.key === 'ArrowDown') { ev.preventDefault(); if (i < items.length - 1) focusItem(i + 1); else if (pager && !pager.hidden) { var nx = pager.querySelector('.qmk-next:not([disabled])'); if (nx) nx.focus(); } }
      else if (ev.key === 'ArrowUp') { ev.preventDefault(); if (i > 0) focusItem(i - 1); else input.focus(); }
      else if (ev.key === 'Escape') { ev.preventDefault(); input.focus(); }
      else if (ev.key === 'Home') { ev.preventDefault(); focusItem(0); }
      else if (ev.key === 'End') { ev.preventDefault(); focusItem(items.length - 1); }
    });
    document.addEventListener('keydown', function (ev) {
      if (ev.key !== '/' || ev.ctrlKey || ev.metaKey || ev.altKey) return;
      var t = ev.target, tag = t && t.tagName;
      if (tag === 'INPUT' || tag === 'TEXTAREA' || tag === 'SELECT' || (t && t.isContentEditable)) return;
      ev.preventDefault();
      input.focus();
      input.select();
    });

    input.addEventListener('input', function () { update({ q: input.value, c: state.c, p: 1 }, false); });
    if (form) form.addEventListener('submit', function (ev) {
      ev.preventDefault();
      update({ q: input.value, c: state.c, p: 1 }, true);
    });
    if (select) select.addEventListener('change', function () {
      update({ q: input.value, c: parseInt(select.value, 10) || 0, p: 1 }, true);
    });
    if (pager) pager.addEventListener('click', function (ev) {
      var b = ev.target.closest ? ev.target.closest('button[data-page]') : null;
      if (!b) return;
      var wasNext = b.classList.contains('qmk-next'), wasPrev = b.classList.contains('qmk-prev');
      update({ q: state.q, c: state.c, p: parseInt(b.getAttribute('data-page'), 10) }, true);
      // Keep the focus on the pager button the visitor used, else the first result.
      var again = wasNext ? pager.querySelector('.qmk-next:not([disabled])') : wasPrev ? pager.querySelector('.qmk-prev:not([disabled])') : null;
      if (again) again.focus(); else focusItem(0);
      var top = el('qmk-status');
      if (top && top.scrollIntoView && window.scrollY > top.offsetTop) top.scrollIntoView({ block: 'start' });
    });
    window.addEventListener('popstate', function () {
      var s = readLocation();
      input.value = s.q;
      update(s, false);
    });

    var initial = readLocation();
    if (initial.q) input.value = initial.q;
    var t0 = now();
    loadDatabase(function (db) {
      page.timing.read = now() - t0;
      page.db = db;
      var t1 = now();
      page.index = new Index(db);
      page.timing.index = now() - t1;
      root.removeAttribute('aria-busy');
      fillCategories(db);
      if (db.problem) { showNotice(texts[db.problem], 'error'); setStatus(''); root.classList.add('qmk-failed'); }
      else if (db.incomplete) showNotice(texts.incomplete, 'warning');
      page.ready = !db.problem;
      setTimeout(function () { page.index.prepare(); }, 0);
      if (page.ready) {
        // A query typed while the database loaded wins over the address.
        var typed = input.value !== initial.q;
        update({ q: input.value, c: initial.c, p: typed ? 1 : initial.p }, false);
        flush();
      }
      page.timing.ready = now();
      root.setAttribute('data-ready', db.problem ? 'failed' : 'true');
      if (document.activeElement === document.body) input.focus();
    });
  }

  // Deferred scripts run before DOMContentLoaded, with readyState already
  // "interactive": the database script after this one has not run yet then.
  var booted = false;
  function bootOnce() { if (!booted) { booted = true; boot(); } }
  if (document.readyState === 'complete') bootOnce();
  else {
    document.addEventListener('DOMContentLoaded', bootOnce);
    window.addEventListener('load', bootOnce);
  }
})();
