'use strict';
// Test sites: a copy of a template with a generated database and the pages
// its links point to, in a temporary folder, as a site owner's project
// folder looks after indexing.

const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const { TEMPLATES, databaseFile } = require('./searchdb');

const TEMPLATE_NAMES = fs.readdirSync(TEMPLATES, { withFileTypes: true })
  .filter(d => d.isDirectory()).map(d => d.name).sort();

const CATEGORIES = ['All Categories', 'Guides', 'Products', 'Company'];

// A small realistic site. 23 links mention "guide" so that its results
// fill several pages; the first links are the ones the tests look for.
function mainDatabase() {
  const links = [
    { cat: 1, caption: 'Network setup guide', address: 'docs/network setup.html', desc: 'How to connect the office router and the network printer.', keys: ['network', 'setup', 'router', 'guide'] },
    { cat: 2, caption: 'Printer drivers', address: 'products/printer-drivers.html', desc: 'Install drivers for the network printer.', keys: ['printer', 'drivers', 'network'] },
    { cat: 2, caption: 'Café Zürich menu', address: 'café/menu.html', desc: 'Crème brûlée, coffee and cake.', keys: ['cafe', 'menu', 'zurich'] },
    { cat: 3, caption: 'Annual report 2024', address: 'company/report-2024.html', desc: 'The network of partners grew by a third.', keys: ['report', 'finance', 'annual'] },
    { cat: 3, caption: '東京オフィスのご案内', address: 'company/tokyo.html', desc: '東京タワーの近くにあります。', keys: ['東京', 'オフィス'] },
    { cat: 1, caption: 'Routing tables explained', address: 'docs/routing.html', desc: 'Network routing basics for administrators.', keys: ['routing', 'tables'] },
    { cat: 0, caption: 'Vendor site', address: 'https://example.org/vendor?id=7&lang=en', desc: 'The vendor\'s "official" pages.', keys: ['vendor'] },
  ];
  const topics = ['Backup', 'Email', 'Firewall', 'Laptop', 'Password', 'Phone', 'Scanner', 'Server', 'Storage', 'Update',
    'VPN', 'Wireless', 'Monitor', 'Keyboard', 'Camera', 'Projector', 'Calendar', 'Archive', 'Browser', 'Database',
    'License', 'Tablet', 'Printer'];
  topics.forEach((topic, i) => links.push({
    cat: 1 + (i % 3),
    caption: `${topic} guide`,
    address: `guides/${topic.toLowerCase()}.html`,
    desc: `Step by step guide for the ${topic.toLowerCase()}: setup, daily use and common problems.`,
    keys: [topic.toLowerCase(), 'guide', 'howto'],
  }));
  return { categories: CATEGORIES, links };
}

// Texts that would run script if a page put them into HTML.
function xssDatabase() {
  return {
    categories: ['All Categories', '<img src=x onerror="window.__xss=\'category\'">'],
    links: [
      { cat: 1, caption: '<img src=x onerror="window.__xss=\'caption\'">', address: 'a.html', desc: '<script>window.__xss="desc"</script> payload', keys: ['payload'] },
      { cat: 0, caption: 'Script link payload', address: 'javascript:window.__xss="href"', desc: 'A javascript: address', keys: ['payload'] },
      { cat: 0, caption: 'Spaced script payload', address: '  JavaScript:window.__xss="spaced"', desc: '', keys: ['payload'] },
      { cat: 0, caption: 'Data payload', address: 'data:text/html,<script>parent.__xss="data"</script>', desc: '<b onmouseover="window.__xss=\'b\'">bold</b>', keys: ['payload'] },
      { cat: 0, caption: 'Vbscript payload', address: 'vbscript:msgbox(1)', desc: '" onfocus="window.__xss=\'attr\'" x="', keys: ['payload'] },
    ],
  };
}

function cp1252Database() {
  return {
    categories: ['All Categories', 'Menü'],
    links: [
      { cat: 1, caption: 'Café Zürich', address: 'café/zürich.html', desc: 'Crème brûlée für 5 € – très bon', keys: ['café', 'zürich', 'crème'] },
      { cat: 0, caption: 'Plain page', address: 'plain.html', desc: 'Nothing special', keys: ['plain'] },
    ],
  };
}

class Sites {
  constructor() {
    this.root = fs.mkdtempSync(path.join(os.tmpdir(), 'qmk-e2e-'));
    this.count = 0;
  }

  // Copies template into a new folder, writes the database (a Buffer, a
  // database object, or null to keep the template's empty one) and an HTML
  // page for every relative link. Returns the folder.
  make(template, db, options = {}) {
    const dir = path.join(this.root, `${template}-${++this.count}`);
    fs.cpSync(path.join(TEMPLATES, template), dir, { recursive: true });
    if (Buffer.isBuffer(db)) fs.writeFileSync(path.join(dir, 'searchdb.js'), db);
    else if (db === 'none') fs.rmSync(path.join(dir, 'searchdb.js'));
    else if (db) {
      fs.writeFileSync(path.join(dir, 'searchdb.js'), databaseFile(template, db, options));
      for (const link of db.links) {
        if (!link.address || /^[a-z]+:/i.test(link.address.trim())) continue;
        const file = path.join(dir, link.address);
        fs.mkdirSync(path.dirname(file), { recursive: true });
        fs.writeFileSync(file, `<!DOCTYPE html><meta charset="utf-8"><title>${link.caption}</title><h1 id="target">${link.caption}</h1>`);
      }
    }
    return dir;
  }

  url(dir, query = '') { return pathToFileURL(path.join(dir, 'search.html')).href + query; }

  remove() { if (!process.env.QMK_KEEP_SITES) fs.rmSync(this.root, { recursive: true, force: true }); }
}

module.exports = { Sites, TEMPLATE_NAMES, CATEGORIES, mainDatabase, xssDatabase, cp1252Database };
