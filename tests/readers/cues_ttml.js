// Prints the paragraphs the IMSC reference renderer's parser finds in a TTML
// document, in the notation of qucap_import_dump: per paragraph in file order
// a line "START END" in seconds (the end of its active time, with
// " vertical" when its region writes top to bottom), then each text line
// (split at <br/>) indented by two spaces,
// with ruby as [base|reading]: a base container's bases pair with the text
// container's readings when they are as many, otherwise all bases take all
// readings. The text is what the parser shows at the paragraph's start.
// Any warning or error of the parser is printed and the exit status is 1.
// Usage: node cues_ttml.js FILE   (QUCAP_READERS: the installed packages)
const fs = require('fs');
const imsc = require('./imsc_parser.js');

const style = imsc.style;
const { problems, handler } = imsc.collector();

// The paragraphs of the body in document order, each with the end of its
// active time: no later than the end of any element around it.
function paragraphs(node, out, end) {
  const own = node.end === null || node.end === undefined ? Infinity : node.end;
  end = Math.min(end, own);
  if (node.kind === 'p') out.push({ p: node, end: Math.max(node.begin, end) });
  else for (const child of node.contents || []) paragraphs(child, out, end);
  return out;
}

function textOf(node) {
  if (node.kind === 'br') return '\n';
  if (node.text !== undefined) return node.text;
  const contents = node.contents || [];
  if (style(node, 'ruby') !== 'container') return contents.map(textOf).join('');
  const bases = [], texts = [];
  let textContainers = 0;
  const take = (child, want) => {
    const kind = style(child, 'ruby') || '';
    if (kind === 'delimiter') return;
    if ((kind === 'base' || kind === 'text') && (!want || want === kind)) {
      (kind === 'base' ? bases : texts).push(textOf(child));
    } else if ((kind === 'baseContainer' || kind === 'textContainer') && !want) {
      if (kind === 'textContainer' && textContainers++ > 0) return;
      for (const c of child.contents || []) take(c, kind === 'baseContainer' ? 'base' : 'text');
    } else if (child.text === undefined || child.text.trim() !== '') {
      bases.push(textOf(child));
    }
  };
  for (const child of contents) take(child, '');
  const groups = bases.length === texts.length && bases.length > 1
    ? bases.map((b, i) => [b, texts[i]]) : [[bases.join(''), texts.join('')]];
  return groups.map(([b, r]) => (r === '' ? b : b === '' ? r : '[' + b + '|' + r + ']')).join('');
}

const file = process.argv[2];
let doc = null;
try {
  doc = imsc.fromXML(fs.readFileSync(file, 'utf8'), handler);
} catch (e) {
  problems.push('exception: ' + e.message);
}
if (doc && doc.body) {
  const found = paragraphs(doc.body, [], Infinity).map(({ p, end }) => { p.activeEnd = end; return p; });
  // Each paragraph is marked through its language, which the ISD keeps,
  // so it can be found among those shown at its start.
  found.forEach((p, i) => { p.lang = 'x-qucap-' + i; });
  const shown = new Map();
  for (const p of new Set(found.map((p) => p.begin))) {
    const isd = imsc.generateISD(doc, p, handler);
    for (const region of isd.contents)
      for (const body of region.contents || [])
        for (const div of body.contents || [])
          for (const q of div.contents || []) if (q.kind === 'p') shown.set(q.lang, { region, p: q });
  }
  found.forEach((p, i) => {
    const isd = shown.get('x-qucap-' + i);
    const mode = isd ? style(isd.region, 'writingMode') || '' : '';
    console.log(p.begin + ' ' + p.activeEnd + (mode.startsWith('tb') ? ' vertical' : ''));
    if (!isd) return;
    for (const line of isd.p.contents.map(textOf).join('').split('\n')) console.log('  ' + line);
  });
}
if (problems.length) {
  for (const p of problems) console.error(`${file}: ${p}`);
  process.exit(1);
}
