// Runs axe-core on pages in headless Chromium, reads Chromium's accessibility tree, and
// selects the whole page and copies it as a user does (Ctrl+A, Ctrl+C).
// usage: node axe-check.js CHROMIUM PROFILE-DIR CASES.json
// CASES.json: [{"file": "...html", "text": "expected whole text or null"}]
// Prints one line per page and a JSON summary line last; exit status 0 even when
// violations are found (the caller judges the counts), 2 when the browser fails.
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'];

// The texts a screen reader meets, in order: text nodes, and the names of images (whose
// content is not read).
function textNodes(node, out) {
  if (!node) return out;
  if (node.role === 'image' || node.role === 'img') {
    out.push(node.name || '');
    return out;
  }
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
  const normal = (t) => t.replace(/\s+/g, ' ').trim();
  try {
    for (const c of cases) {
      const page = await browser.newPage();
      const url = 'file://' + path.resolve(c.file);
      await browser.defaultBrowserContext().overridePermissions(url, ['clipboard-read', 'clipboard-write']);
      await page.goto(url, { waitUntil: 'load' });
      // Motion, as WCAG 2.2.2 asks: whatever moves or blinks for more than five seconds can
      // be paused (the marquee, under the pointer and with the keyboard focus), and all of
      // it stands still for those who ask for reduced motion.
      let motionOk = null;
      const animations = await page.evaluate(() => document.getAnimations().map((a) => {
        const t = a.effect.getComputedTiming();
        return { name: a.animationName, end: t.endTime === Infinity ? -1 : t.endTime };
      }));
      if (animations.length) {
        const long = animations.filter((a) => a.end < 0 || a.end > 5000);
        const playState = () => page.evaluate(() => {
          const moving = document.querySelector('.tinsora-marquee > *');
          return moving ? getComputedStyle(moving).animationPlayState : 'none';
        });
        let pausable = true;
        if (long.length && !(await page.$('.tinsora-marquee'))) {
          pausable = false; // nothing to pause it with
        } else if (long.length) {
          await page.hover('.tinsora-marquee');
          const hovered = await playState();
          await page.mouse.move(0, 0);
          const left = await playState();
          await page.keyboard.press('Tab');
          const focused = await playState();
          await page.evaluate(() => document.activeElement.blur());
          pausable = long.every((a) => a.name.startsWith('tinsora-marquee')) &&
                     hovered === 'paused' && left === 'running' && focused === 'paused';
        }
        // Standing still from here on, so that no blink hides the text while it is copied.
        await page.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]);
        const still = (await page.evaluate(() => document.getAnimations().length)) === 0;
        motionOk = pausable && still;
      }
      await page.addScriptTag({ content: axeSource });
      const result = await page.evaluate(async (tags) => {
        const r = await axe.run(document, { runOnly: { type: 'tag', values: tags } });
        return r.violations.map((v) => ({ id: v.id, impact: v.impact, nodes: v.nodes.length }));
      }, TAGS);
      let textOk = null;
      let copyOk = null;
      let nodes = null;
      let copied = null;
      if (c.text !== null && c.text !== undefined) {
        const tree = await page.accessibility.snapshot();
        nodes = textNodes(tree, []).filter((t) => t !== '');
        const words = nodes.filter((t) => t !== '\n');
        const lines = c.text.split('\n').filter((t) => t !== '').length;
        // One whole text: the page reads the text once, as one node or a node per line,
        // never letter by letter.
        textOk = normal(nodes.join(' ')) === normal(c.text) &&
                 (words.length === lines || words.length === 1);
        // A copy of the whole page gives the text once, as the page shows it.
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyA');
        await page.keyboard.press('KeyC');
        await page.keyboard.up('Control');
        copied = await page.evaluate(() => navigator.clipboard.readText());
        copyOk = normal(copied) === normal(c.text);
      }
      const count = result.reduce((n, v) => n + v.nodes, 0);
      console.log(`${path.basename(c.file)}: ${count} violation(s)` +
                  (result.length ? ' ' + result.map((v) => `${v.id}(${v.impact})`).join(' ') : '') +
                  (textOk === null ? '' : textOk ? ', read as one text'
                                                 : `, NOT read as one text: ${JSON.stringify(nodes)}`) +
                  (copyOk === null ? '' : copyOk ? ', copied once'
                                                 : `, NOT copied as the text: ${JSON.stringify(copied)}`) +
                  (motionOk === null ? '' : motionOk ? ', motion stops or pauses'
                                                     : `, motion that does NOT stop: ${JSON.stringify(animations)}`));
      summary.push({ file: c.file, violations: count, textOk, copyOk, motionOk });
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
