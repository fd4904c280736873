'use strict';
// Prints, for each link of a search database, the local file that the
// project's own search page (its qmktp.js) links to: one line per link, empty
// when the page would make no link of it. Usage: node link_targets.js DB
const fs = require('fs');
const path = require('path');
const { pathToFileURL, fileURLToPath } = require('url');

const database = path.resolve(process.argv[2]);
const folder = path.dirname(database);
const engine = require(path.join(folder, 'qmktp.js'));
const db = engine.readDatabaseText(fs.readFileSync(database, 'utf8'));
const page = pathToFileURL(path.join(folder, 'search.html')).href;
const lines = [];
for (let r = 0; r < db.count; r++) {
  const href = engine.linkTarget(db.address(r), page);
  lines.push(href === null ? '' : fileURLToPath(new URL(href, page)));
}
process.stdout.write(lines.map((line) => line + '\n').join(''));
