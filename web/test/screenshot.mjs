// The page with the sample story converted, for the README:
//     node web/test/screenshot.mjs OUT.png [WIDTH]
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { ROOT, openPage, startBrowser } from './browser.mjs';

const [out, width = '1000'] = process.argv.slice(2);
const browser = await startBrowser({ width: Number(width), height: 800 });
try {
  const page = await openPage(browser);
  await page.fill('#input', readFileSync(join(ROOT, 'samples/story.txt'), 'utf8'));
  await page.check('input[name="level"][value="3"]');
  for (const box of await page.$$('input[name="type"]')) await box.check();
  await page.click('#forward');
  await page.$eval('#input', (input) => input.setSelectionRange(0, 0));
  await page.$eval('#input', (input) => { input.scrollTop = 0; });
  await page.screenshot({ path: out, fullPage: true });
  console.log(`screenshot: ${out}`);
} finally {
  await browser.close();
}
