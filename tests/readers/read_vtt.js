// Reads WebVTT files with the W3C validator's parser and prints what it
// found, one cue a block: times, the vertical setting, and each line with
// ruby as [base|reading], classes as {class.class:text} and b/i/u as
// <b:text>. Any error of the parser is printed and the exit status is 1.
// Usage: node read_vtt.js FILE...   (QUCAP_READERS: the installed packages)
const fs = require('fs');
const path = require('path');
const modules = path.resolve(process.env.QUCAP_READERS || '.', 'node_modules');
const { WebVTTParser } = require(path.join(modules, 'webvtt-parser'));
// The named character references the validator itself reads with.
const entities = require(path.join(modules, 'webvtt-parser/html-entities.json'));

function textOf(node) {
  if (node.type === 'text') return node.value;
  const inner = (node.children || []).map(textOf).join('');
  switch (node.name) {
    case 'ruby': {
      const rt = (node.children || []).filter((c) => c.name === 'rt');
      const base = (node.children || []).filter((c) => c.name !== 'rt').map(textOf).join('');
      return '[' + base + '|' + rt.map((r) => r.children.map(textOf).join('')).join('') + ']';
    }
    case 'c': return '{' + node.classes.join('.') + ':' + inner + '}';
    case 'b': case 'i': case 'u': return '<' + node.name + ':' + inner + '>';
    default: return inner;
  }
}

let failed = false;
for (const file of process.argv.slice(2)) {
  const text = fs.readFileSync(file, 'utf8');
  const parsed = new WebVTTParser(entities).parse(text, 'metadata');
  if (parsed.errors.length) {
    failed = true;
    for (const e of parsed.errors) console.error(`${file}:${e.line}: ${e.message}`);
    continue;
  }
  if (process.argv.length === 3) {
    for (const style of parsed.styles) console.log('style ' + JSON.stringify(style));
    for (const cue of parsed.cues) {
      console.log(`${cue.startTime} ${cue.endTime}${cue.direction === 'horizontal' ? '' : ' ' + cue.direction}`);
      console.log(cue.tree.children.map(textOf).join('').split('\n').map((l) => '  ' + l).join('\n'));
    }
  }
}
process.exit(failed ? 1 : 0);
