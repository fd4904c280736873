'use strict';
// Writes search database files as Quillmark does: the database block in the
// program's byte format, spliced into a template's searchdb.js between the
// "//Settings" line and "//DatabaseEnd". Used to make test sites and the
// benchmark database without the C++ program.

const fs = require('fs');
const path = require('path');

const TEMPLATES = path.resolve(__dirname, '../../../data/Templates');

// Bytes 0x80-0x9F of windows-1252; the rest of 0xA0-0xFF is Latin-1.
const CP1252_HIGH = '\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u008d\u017d\u008f' +
                    '\u0090\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u009d\u017e\u0178';

function encodeText(text, encoding) {
  if (encoding === 'utf-8') return Buffer.from(text, 'utf8');
  if (encoding !== 'windows-1252') throw new Error('unsupported encoding ' + encoding);
  const out = Buffer.alloc(text.length);
  for (let i = 0; i < text.length; i++) {
    const c = text.charCodeAt(i);
    let b = c < 0x80 || (c >= 0xa0 && c <= 0xff) ? c : 0x80 + CP1252_HIGH.indexOf(text[i]);
    if (b < 0x80 && c >= 0x80) b = 0x3f;  // not in the code page: "?"
    out[i] = b;
  }
  return out;
}

// The stored address: every byte but A-Z a-z 0-9 - . _ as %XX.
function encodeAddress(address, encoding = 'utf-8') {
  let out = '';
  for (const b of encodeText(address, encoding)) {
    const ch = String.fromCharCode(b);
    out += /[A-Za-z0-9._-]/.test(ch) ? ch : '%' + b.toString(16).toUpperCase().padStart(2, '0');
  }
  return out;
}

function quote(s) { return "'" + String(s).replace(/\\/g, '\\\\').replace(/'/g, "\\'") + "'"; }

// The database block. links: [{cat, caption, address | url, desc, keys}].
// address is encoded here; url is taken as already stored. With old: true
// the block has no "//v2format" line and "+" separates.
function databaseBlock({ categories = [], links = [] }, { old = false, encoding = 'utf-8' } = {}) {
  const sep = old ? '+' : '^';
  const lines = [];
  if (!old) lines.push('//v2format');
  lines.push('//DatabaseBegin');
  const array = (name, items) => {
    lines.push(`var ${name}=new Array(`);
    items.forEach((it, i) => lines.push(it + (i < items.length - 1 ? ',' : '')));
    lines.push(');');
  };
  array('cg', (categories.length ? categories : ['']).map(quote));
  if (links.length === 0) {
    array('ln', ["''"]); array('ds', ["''"]); array('kw', ["'^^'"]);
  } else {
    array('ln', links.map(l => quote(`${l.cat || 0}${sep}${l.caption || ''}${sep}${l.url !== undefined ? l.url : encodeAddress(l.address || '', encoding)}`)));
    array('ds', links.map(l => quote(l.desc || '')));
    array('kw', links.map(l => quote(sep + ((l.keys || []).length ? l.keys.map(k => k + sep).join('') : sep))));
  }
  return lines.map(l => l + '\r\n').join('');
}

// A template's searchdb.js with its database replaced by block, as the
// program saves it.
function splice(fileText, block) {
  const s = fileText.search(/\/\/Settings/i);
  const e = fileText.slice(s).search(/\/\/DatabaseEnd/i);
  if (s < 0 || e < 0) throw new Error('no database markers');
  return fileText.slice(0, s + '//Settings'.length + 2) + block + fileText.slice(s + e);
}

function templateDatabase(template) {
  return fs.readFileSync(path.join(TEMPLATES, template, 'searchdb.js'), 'latin1');
}

// The whole database file for a template. plain: true gives a file that
// defines the arrays as plain script (an older or hand-made database).
function databaseFile(template, db, { old = false, encoding = 'utf-8', plain = false } = {}) {
  const block = databaseBlock(db, { old, encoding });
  const text = plain ? '//Settings\r\n' + block + '//DatabaseEnd\r\n' : splice(templateDatabase(template), block);
  return encodeText(text, encoding);
}

module.exports = { TEMPLATES, encodeText, encodeAddress, databaseBlock, splice, templateDatabase, databaseFile };
