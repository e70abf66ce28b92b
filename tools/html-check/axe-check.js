// Runs axe-core on pages in headless Chromium and reads Chromium's accessibility tree.
// usage: node axe-check.js CHROMIUM PROFILE-DIR CASES.json
// CASES.json: [{"file": "...html", "text": "expected whole text or null"}]
// Prints one line per page and a JSON summary line last; exit status 0 even when
// violations are found (the caller judges the counts), 2 when the browser fails.
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'];

function textNodes(node, out) {
  if (!node) return out;
  if (node.role === 'StaticText' || node.role === 'text') out.push(node.name || '');
  if (node.role === 'LineBreak') out.push('\n');
  for (const child of node.children || []) textNodes(child, out);
  return out;
}

async function main() {
  const [browserPath, profile, casesFile] = process.argv.slice(2);
  const cases = JSON.parse(fs.readFileSync(casesFile, 'utf8'));
  const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
  const browser = await puppeteer.launch({
    executablePath: browserPath,
    headless: true,
    userDataDir: profile,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const summary = [];
  try {
    for (const c of cases) {
      const page = await browser.newPage();
      await page.goto('file://' + path.resolve(c.file), { waitUntil: 'load' });
      await page.addScriptTag({ content: axeSource });
      const result = await page.evaluate(async (tags) => {
        const r = await axe.run(document, { runOnly: { type: 'tag', values: tags } });
        return r.violations.map((v) => ({ id: v.id, impact: v.impact, nodes: v.nodes.length }));
      }, TAGS);
      let textOk = null;
      let nodes = null;
      if (c.text !== null && c.text !== undefined) {
        const tree = await page.accessibility.snapshot();
        nodes = textNodes(tree, []).filter((t) => t !== '');
        const words = nodes.filter((t) => t !== '\n');
        const lines = c.text.split('\n').filter((t) => t !== '').length;
        // One whole text: the page reads the text once, a node per line, never letter by letter.
        textOk = nodes.join('') === c.text && words.length === lines;
      }
      const count = result.reduce((n, v) => n + v.nodes, 0);
      console.log(`${path.basename(c.file)}: ${count} violation(s)` +
                  (result.length ? ' ' + result.map((v) => `${v.id}(${v.impact})`).join(' ') : '') +
                  (textOk === null ? '' : textOk ? ', read as one text'
                                                 : `, NOT read as one text: ${JSON.stringify(nodes)}`));
      summary.push({ file: c.file, violations: count, textOk });
      await page.close();
    }
  } finally {
    await browser.close();
  }
  console.log(JSON.stringify(summary));
}

main().catch((e) => {
  console.error('axe-check: ' + (e && e.stack ? e.stack : e));
  process.exit(2);
});
