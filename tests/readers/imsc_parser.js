// The IMSC reference renderer's parser and ISD generator without its HTML
// renderer (which needs a browser), from the installed packages
// (QUCAP_READERS), with what the TTML scripts read them with.
const path = require('path');
const modules = path.resolve(process.env.QUCAP_READERS || '.', 'node_modules');
const TTS = 'http://www.w3.org/ns/ttml#styling ';

module.exports = {
  fromXML: require(path.join(modules, 'imsc/src/main/js/doc.js')).fromXML,
  generateISD: require(path.join(modules, 'imsc/src/main/js/isd.js')).generateISD,
  // A styling attribute of a node, by its local name.
  style: (node, name) => (node.styleAttrs || {})[TTS + name],
  // The parser's handler that collects every warning and error into `problems`.
  collector() {
    const problems = [];
    const report = (kind) => (message) => { problems.push(kind + ': ' + message); return true; };
    return { problems, handler: { info: () => false, warn: report('warning'), error: report('error'), fatal: report('fatal') } };
  },
};
