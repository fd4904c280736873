'use strict';
// A reproducible site of N links with realistic captions, descriptions,
// 10 to 20 keywords each (most relevant first, as the indexer stores them),
// folder addresses, a few remote ones, and eight categories.

const NOUNS = `account address agreement analysis application archive article assessment assistant audit backup
balance bandwidth battery benefit billing board book branch browser budget building bulletin business cable
calendar camera campaign campus card career catalog certificate channel chapter checklist client cloud
collection committee community company compliance component computer conference configuration connection
contract contribution controller course coverage customer dashboard data database deadline delivery department
deployment design desk device diagram directory disk display document domain download draft driver editor
education email employee energy engine equipment estimate event exchange expense facility feature feedback
file filter finance firewall firmware folder form forum framework fund gateway glossary grant guide hardware
health helpdesk history holiday hospital host incident index industry information infrastructure inquiry
installation instruction insurance interface inventory invoice issue journal kernel keyboard knowledge
laboratory language laptop leave lecture library license log logistics machine maintenance manager manual
market meeting member memory menu message method migration mobile model module monitor network newsletter
notice office operation order organisation outline package partner password patch payment performance
permission phone plan platform policy portal position printer privacy procedure process product profile
program project property proposal protocol publication purchase quality question queue record recovery
reference region registration regulation release report repository request requirement research reservation
resource review risk router safety salary sample scanner schedule schema school screen script search security
seminar server service session setting setup shipment software solution source spreadsheet staff standard
statement station storage strategy student study subscription summary supplier support survey switch system
table tablet task team template terminal test thesis ticket timeline tool topic training transfer travel
tutorial update upgrade user utility vacation vendor version video visitor volume warehouse warranty website
wireless workflow workshop`.split(/\s+/);
const ADJECTIVES = `annual new advanced basic central complete current daily digital external final general global
internal local main monthly national online open personal practical primary private public quarterly quick
regional remote secure shared simple special standard technical weekly wireless`.split(/\s+/);
const VERBS = `install configure update manage create review submit request connect protect restore upgrade
schedule share find print register cancel renew export import replace check compare prepare`.split(/\s+/);
const PLACES = ['Zürich', 'München', 'Köln', 'Malmö', 'Genève', 'São Paulo', 'Kraków', 'Reykjavík', 'Besançon',
  'Córdoba', 'Łódź', 'Tromsø', 'Ålesund', 'Düsseldorf', 'Montréal', 'Sevilla', 'Porto', 'Lyon', 'Oslo', 'Wien'];
const FILLER = 'the a for and with of to in on by from about your our this all how'.split(' ');
const SECTIONS = ['docs', 'support', 'products', 'company', 'news', 'training', 'downloads', 'legal'];
const CATEGORIES = ['All Categories', 'Documentation', 'Support', 'Products', 'Company', 'News', 'Training',
  'Downloads', 'Legal'];

function rng(seed) {
  return () => {
    seed |= 0; seed = seed + 0x6d2b79f5 | 0;
    let t = Math.imul(seed ^ seed >>> 15, 1 | seed);
    t = t + Math.imul(t ^ t >>> 7, 61 | t) ^ t;
    return ((t ^ t >>> 14) >>> 0) / 4294967296;
  };
}

function generate(n, seed = 42) {
  const r = rng(seed);
  const zipf = list => list[Math.floor(list.length * Math.pow(r(), 1.6))];
  const any = list => list[Math.floor(r() * list.length)];
  const cap = w => w.charAt(0).toUpperCase() + w.slice(1);
  const links = [];
  for (let i = 0; i < n; i++) {
    const topic = [zipf(NOUNS), zipf(NOUNS)];
    const place = r() < 0.08 ? any(PLACES) : null;
    const kind = r();
    let caption = kind < 0.3 ? `${cap(any(VERBS))} the ${topic[0]} ${topic[1]}`
      : kind < 0.6 ? `${cap(any(ADJECTIVES))} ${topic[0]} ${topic[1]}${r() < 0.5 ? ' ' + zipf(NOUNS) : ''}`
        : `${cap(topic[0])} ${topic[1]} ${any(['guide', 'overview', 'FAQ', 'checklist', 'handbook', 'notes'])}`;
    if (place) caption += ` – ${place}`;
    if (r() < 0.15) caption += ` ${2005 + Math.floor(r() * 20)}`;
    const words = [];
    const len = 18 + Math.floor(r() * 18);
    for (let k = 0; k < len; k++) {
      const x = r();
      words.push(x < 0.35 ? any(FILLER) : x < 0.5 ? any(ADJECTIVES) : x < 0.6 ? any(VERBS) : k < 6 && r() < 0.5 ? topic[k % 2] : zipf(NOUNS));
    }
    if (place) words.splice(4, 0, 'in', place);
    const desc = cap(words.join(' ')) + '.';
    // Keywords: caption words first, then the description's, then related.
    const keys = [];
    const push = w => { w = w.toLowerCase(); if (!keys.includes(w) && !FILLER.includes(w) && /^\p{L}[\p{L}\d]+$/u.test(w)) keys.push(w); };
    caption.split(/[\s–]+/).forEach(push);
    words.forEach(push);
    const want = 10 + Math.floor(r() * 11);
    while (keys.length < want) push(zipf(NOUNS));
    keys.length = Math.min(keys.length, want);
    const section = any(SECTIONS);
    const slug = caption.toLowerCase().replace(/[^\p{L}\d]+/gu, '-').replace(/^-|-$/g, '');
    const address = r() < 0.03 ? `https://www.example.com/${section}/${slug}.html`
      : `${section}/${topic[0]}/${slug}-${i}.html`;
    links.push({ cat: 1 + SECTIONS.indexOf(section), caption, address, desc, keys });
  }
  return { categories: CATEGORIES, links };
}

// What a visitor types, one query after another, a keystroke at a time.
const QUERIES = ['network configuration', 'annual report', 'install printer driver', 'security policy update',
  'customer service', 'zurich office', 'backup', 'project schedule', 'data', 'wireless router setup',
  'training course', 'invoice payment', 'kraków', '"user manual"', 'firewall firmware', 'vacation'];

module.exports = { generate, QUERIES };
