// Prints the cues of a WebVTT file as the W3C validator's parser reads them,
// in the notation of qucap_import_dump: per cue "START END" in seconds (with
// " vertical" for a vertical cue), then each text line indented by two
// spaces with the tags left out and ruby as [base|reading], one group for
// each reading and the base text before it. The parser's complaints are
// left out (the fixtures are malformed on purpose in places, and this parser
// takes header lines and REGION blocks for mistakes); it reads on past them,
// and the cues are what is compared. With --errors they go to standard error.
// Usage: node cues_vtt.js FILE [--errors]   (QUCAP_READERS: the installed packages)
const fs = require('fs');
const path = require('path');
const modules = path.resolve(process.env.QUCAP_READERS || '.', 'node_modules');
const { WebVTTParser } = require(path.join(modules, 'webvtt-parser'));
const entities = require(path.join(modules, 'webvtt-parser/html-entities.json'));

function textOf(node) {
  if (node.type === 'text') return node.value;
  if (node.type !== 'object') return '';  // timestamps
  if (node.name !== 'ruby') return node.children.map(textOf).join('');
  let text = '';
  let base = '';
  for (const child of node.children) {
    if (child.name !== 'rt') {
      base += textOf(child);
      continue;
    }
    const reading = child.children.map(textOf).join('');
    // A base without a reading stays plain text; a reading without a base is left out.
    text += reading === '' ? base : base === '' ? '' : '[' + base + '|' + reading + ']';
    base = '';
  }
  return text + base;
}

// Seconds as the millisecond count they stand for, so 62.004 prints as such.
const seconds = (time) => String(Math.round(time * 1000) / 1000);

const file = process.argv[2];
const parsed = new WebVTTParser(entities).parse(fs.readFileSync(file, 'utf8'), 'metadata');
if (process.argv[3] === '--errors') for (const e of parsed.errors) console.error(`${file}:${e.line}: ${e.message}`);
for (const cue of parsed.cues) {
  console.log(`${seconds(cue.startTime)} ${seconds(cue.endTime)}${cue.direction === 'horizontal' ? '' : ' vertical'}`);
  if (cue.text === '') continue;
  for (const line of cue.tree.children.map(textOf).join('').split('\n')) console.log('  ' + line);
}
