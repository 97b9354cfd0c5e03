// Figures of the page, printed (never asserted): the time until it is ready
// with its first dictionary, the time to convert a 64000-byte text in it
// beside `zev convert` on the same text (outputs checked equal), and the
// compressed sizes of what it loads. Medians of several runs.
import { spawnSync } from 'node:child_process';
import { readFileSync, readdirSync } from 'node:fs';
import { loadavg } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { ROOT, WEB_DIR, ZEV, openPage, startBrowser } from './browser.mjs';

const RUNS = 9;
const TEXT_BYTES = 64000;
const SETTINGS = { level: 3, types: '1,2,3,4' };

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) => `${Math.min(...values).toFixed(1)}-${Math.max(...values).toFixed(1)}`;

// Bytes of a character in code page 932: one for ASCII and half-width kana.
const cp932Bytes = (c) => (c.codePointAt(0) < 0x80 || /[\uFF61-\uFF9F]/.test(c) ? 1 : 2);

// The sample stories, repeated to exactly TEXT_BYTES of code page 932.
function sampleText() {
  const stories = ['story.txt', ...readdirSync(join(ROOT, 'samples'))
    .filter((name) => name.endsWith('.story.txt')).sort()]
    .map((name) => readFileSync(join(ROOT, 'samples', name), 'utf8'));
  let text = '';
  let bytes = 0;
  for (let i = 0; ; i++) {
    for (const c of stories[i % stories.length]) {
      if (bytes + cp932Bytes(c) > TEXT_BYTES) return text + '\n'.repeat(TEXT_BYTES - bytes);
      text += c;
      bytes += cp932Bytes(c);
    }
  }
}

async function readyTimes(browser) {
  const times = [];
  for (let i = 0; i < RUNS; i++) {
    const page = await openPage(browser);
    times.push(await page.evaluate(() => performance.getEntriesByName('zev-ready')[0].startTime));
    await page.close();
  }
  return times;
}

async function pageConversions(browser, text) {
  const page = await openPage(browser);
  await page.check(`input[name="level"][value="${SETTINGS.level}"]`);
  for (const box of await page.$$('input[name="type"]')) await box.check();
  await page.$eval('#input', (input, value) => { input.value = value; }, text);
  const times = [];
  for (let i = 0; i < RUNS; i++) {
    const converted = page.evaluate(() => new Promise((done) => document.addEventListener(
      'zev-converted', (event) => done(event.detail.ms), { once: true })));
    await page.click('#forward');
    times.push(await converted);
  }
  const output = await page.inputValue('#output');
  await page.close();
  return { times, output };
}

function zevConversions(text) {
  const args = ['convert', '-d', join(WEB_DIR, 'dictionaries/kansai.zev'),
                '-l', String(SETTINGS.level), '-t', SETTINGS.types];
  const times = [];
  let output;
  for (let i = 0; i < RUNS; i++) {
    const started = process.hrtime.bigint();
    const run = spawnSync(ZEV, args, { input: text });
    times.push(Number(process.hrtime.bigint() - started) / 1e6);
    output = run.stdout.toString('utf8');
  }
  return { times, output };
}

const text = sampleText();
console.log(`== web page benchmark (load average ${loadavg().map((l) => l.toFixed(2)).join(' ')})`);
const browser = await startBrowser();
try {
  const ready = await readyTimes(browser);
  console.log(`page ready with its first dictionary: median ${median(ready).toFixed(1)} ms ` +
              `(${range(ready)}, ${RUNS} loads; target < 500 ms)`);
  const page = await pageConversions(browser, text);
  const peer = zevConversions(text);
  const same = page.output === peer.output;
  console.log(`convert ${TEXT_BYTES} bytes (sample stories, level 3, types 1-4):`);
  console.log(`  in the page:  median ${median(page.times).toFixed(2)} ms (${range(page.times)}; ` +
              'target < 20 ms)');
  console.log(`  zev convert:  median ${median(peer.times).toFixed(2)} ms (${range(peer.times)}; ` +
              'the whole process)');
  console.log(`  outputs ${same ? 'equal' : 'DIFFER'} (${page.output.length} characters)`);
  console.log('compressed sizes (gzip -9):');
  for (const name of ['zev-engine.wasm', 'zev-engine.js', 'zev.js', 'app.js']) {
    const bytes = readFileSync(join(WEB_DIR, name));
    console.log(`  ${name.padEnd(16)} ${gzipSync(bytes, { level: 9 }).length} bytes ` +
                `(${bytes.length} uncompressed)`);
  }
  console.log(`load average after: ${loadavg().map((l) => l.toFixed(2)).join(' ')}`);
  if (!same) process.exitCode = 1;
} finally {
  await browser.close();
}
