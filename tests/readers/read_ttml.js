// Reads IMSC 1.1 documents with the IMSC reference renderer's parser and
// prints, for each time at which the document changes, the paragraphs shown
// then: the region's writing mode and each line with ruby as
// [base|reading](position), and each span of text with its colour (when not
// white), outline and effects as {#RRGGBB outline #RRGGBB bold italic
// underline lineThrough:text}. Any warning or error of the
// parser is printed and the exit status is 1.
// Usage: node read_ttml.js FILE...   (QUCAP_READERS: the installed packages)
const fs = require('fs');
const imsc = require('./imsc_parser.js');

const style = imsc.style;
const hex = (c) => '#' + c.slice(0, 3).map((v) => v.toString(16).padStart(2, '0')).join('').toUpperCase();

// The styling of a span of text that differs from plain white text.
function styling(node) {
  const own = [];
  const color = style(node, 'color');
  if (color && hex(color) !== '#FFFFFF') own.push(hex(color));
  const outline = style(node, 'textOutline');
  if (outline && outline !== 'none') own.push('outline ' + hex(outline.color));
  if (style(node, 'fontWeight') === 'bold') own.push('bold');
  if (style(node, 'fontStyle') === 'italic') own.push('italic');
  const decoration = style(node, 'textDecoration');
  if (decoration && decoration[0] !== 'none') own.push(decoration.join(' '));
  return own.join(' ');
}

function textOf(node) {
  if (node.kind === 'br') return '\n';
  if (node.text !== undefined) {
    const own = styling(node);
    return own ? '{' + own + ':' + node.text + '}' : node.text;
  }
  const contents = node.contents || [];
  if (style(node, 'ruby') === 'container') {
    const part = (kind) => contents.filter((c) => style(c, 'ruby') === kind).map(textOf).join('');
    const text = contents.find((c) => style(c, 'ruby') === 'text');
    return '[' + part('base') + '|' + part('text') + '](' + style(text, 'rubyPosition') + ')';
  }
  return contents.map(textOf).join('');
}

let failed = false;
for (const file of process.argv.slice(2)) {
  const { problems, handler } = imsc.collector();
  let doc = null;
  try {
    doc = imsc.fromXML(fs.readFileSync(file, 'utf8'), handler);
  } catch (e) {
    problems.push('exception: ' + e.message);
  }
  if (!doc && problems.length === 0) problems.push('no document');
  if (problems.length) {
    failed = true;
    for (const p of problems) console.error(`${file}: ${p}`);
    continue;
  }
  if (process.argv.length !== 3) continue;
  for (const time of doc.getMediaTimeEvents()) {
    const isd = imsc.generateISD(doc, time, handler);
    const shown = [];
    for (const region of isd.contents) {
      for (const body of region.contents)
        for (const div of body.contents)
          for (const p of div.contents) {
            const mode = style(region, 'writingMode');
            shown.push('  ' + mode + ' ' + p.contents.map(textOf).join('').replace(/\n/g, '\n  ' + mode + ' '));
          }
    }
    if (shown.length) console.log(time + '\n' + shown.join('\n'));
  }
  if (problems.length) {
    failed = true;
    for (const p of problems) console.error(`${file}: ${p}`);
  }
}
process.exit(failed ? 1 : 0);
