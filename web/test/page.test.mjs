// The page in a real browser against `zev convert`: the same text and
// settings give the same text, whichever way it reaches the page.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { ROOT, WEB_DIR, ZEV, openPage, startBrowser, zevConvert } from './browser.mjs';

const KANSAI = join(WEB_DIR, 'dictionaries/kansai.zev');
const STORY = readFileSync(join(ROOT, 'samples/story.txt'), 'utf8');
// Characters code page 932 cannot hold (exactly) between words that convert.
const AWKWARD = 'ありがとう😀ございます¥100〜200、ほんまに\tおおきに';

let browser;
let scratch;
let page;

before(async () => {
  scratch = mkdtempSync(join(tmpdir(), 'zev-web-test-'));
  browser = await startBrowser();
  page = await openPage(browser);
});

after(async () => {
  await browser?.close();
  rmSync(scratch, { recursive: true, force: true });
});

// Selects the Osaka dictionary among the bundled ones (the list is in file-name
// order, so its place depends on what else is bundled) and waits until it is open.
async function chooseKansai() {
  const bundled = JSON.parse(readFileSync(join(WEB_DIR, 'dictionaries/index.json'), 'utf8'));
  const index = bundled.findIndex((entry) => entry.file === 'kansai.zev');
  assert.notEqual(index, -1, 'kansai.zev is bundled');
  await page.selectOption('#bundled', String(index));
  await page.waitForFunction(() =>
    document.getElementById('dictionary-info').textContent.includes('kansai.zev'));
}

async function setText(text) {
  await page.evaluate((value) => {
    const input = document.getElementById('input');
    input.value = value;
    input.dispatchEvent(new Event('input'));
  }, text);
}

async function choose(level, types) {
  await page.check(`input[name="level"][value="${level}"]`);
  for (const box of await page.$$('input[name="type"]')) {
    const wanted = types.includes(Number(await box.getAttribute('value')));
    if (wanted !== (await box.isChecked())) await box.click();
  }
}

async function convertInPage(backward) {
  await page.$eval('#output', (output) => { output.value = ''; });
  await page.click(backward ? '#backward' : '#forward');
  assert.equal(await page.textContent('#convert-message'), '');
  return page.inputValue('#output');
}

// The result as the save button writes it: line ends and all.
async function savedResult() {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save')]);
  return readFileSync(await download.path(), 'utf8');
}

function scratchFile(name, bytes) {
  const path = join(scratch, name);
  writeFileSync(path, bytes);
  return path;
}

async function shownDialects() {
  return page.$eval('#dictionary-info', (list) => list.textContent);
}

test('converts as zev convert does at several levels, types and both ways', async () => {
  await chooseKansai();
  const text = `${STORY}${AWKWARD}\n`;
  const cases = [
    { level: 1, types: [1] },
    { level: 2, types: [1, 2] },
    { level: 3, types: [1, 2, 3, 4] },
    { level: 3, types: [3] },
    { level: 2, types: [2, 4] },
  ];
  for (const settings of cases) {
    await setText(text);
    await choose(settings.level, settings.types);
    const forward = await convertInPage(false);
    assert.equal(forward, zevConvert(KANSAI, text, settings), JSON.stringify(settings));
    await setText(forward);
    const back = { ...settings, backward: true };
    assert.equal(await convertInPage(true), zevConvert(KANSAI, forward, back),
                 JSON.stringify(back));
  }
  assert.notEqual(zevConvert(KANSAI, text, cases[2]), text);  // the entries did apply
});

test('offers every bundled dictionary by its dialects and converts its story as zev does', async () => {
  const bundled = JSON.parse(readFileSync(join(WEB_DIR, 'dictionaries/index.json'), 'utf8'));
  assert.ok(bundled.length >= 1);
  for (const [index, entry] of bundled.entries()) {
    await page.selectOption('#bundled', String(index));
    const option = await page.textContent(`#bundled option[value="${index}"]`);
    assert.ok(option.includes(entry.before) && option.includes(entry.after), option);
    await page.waitForFunction((file) =>
      document.getElementById('dictionary-info').textContent.includes(file), entry.file);
    const name = entry.file.replace(/\.zev$/, '');
    const storyFile = join(ROOT, 'samples', `${name}.story.txt`);
    const story = existsSync(storyFile) ? readFileSync(storyFile, 'utf8') : STORY;
    const levels = await page.$$eval('input[name="level"]', (inputs) => inputs.length);
    const types = await page.$$eval('input[name="type"]', (inputs) => inputs.length);
    const settings = { level: levels, types: Array.from({ length: types }, (_, i) => i + 1) };
    await setText(story);
    await choose(settings.level, settings.types);
    const dictionary = join(WEB_DIR, 'dictionaries', entry.file);
    assert.equal(await convertInPage(false), zevConvert(dictionary, story, settings), entry.file);
  }
});

test('works from the keyboard alone', async () => {
  await page.reload();
  await page.waitForSelector('html[data-ready="true"]');
  await chooseKansai();
  await page.focus('input[name="level"][value="1"]');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');  // level 3
  await page.focus('input[name="type"][value="2"]');
  await page.keyboard.press('Space');  // types 1 and 2
  await page.focus('#input');
  await page.keyboard.type('ありがとう、ほんとうにだめだ');
  await page.keyboard.press('Control+Enter');
  const forward = await page.inputValue('#output');
  const settings = { level: 3, types: [1, 2] };
  assert.equal(forward, zevConvert(KANSAI, 'ありがとう、ほんとうにだめだ', settings));
  await setText(forward);
  await page.keyboard.press('Control+Shift+Enter');
  assert.equal(await page.inputValue('#output'),
               zevConvert(KANSAI, forward, { ...settings, backward: true }));

  // Converting as one types follows the last direction, here forward.
  await setText('');
  await page.keyboard.press('Control+Enter');
  await page.check('#live');
  await page.focus('#input');
  await page.keyboard.type('ほんとうにだめ');
  assert.equal(await page.inputValue('#output'), zevConvert(KANSAI, 'ほんとうにだめ', settings));
  await page.uncheck('#live');

  const unlabelled = await page.$$eval('input, select, textarea, button', (controls) =>
    controls.filter((c) => !c.labels?.length && !c.textContent.trim()).map((c) => c.id));
  assert.deepEqual(unlabelled, []);
  for (const box of await page.$$('input[name="type"]:checked')) await box.click();
  await page.click('#forward');
  assert.equal(await page.textContent('#convert-message'), '１つ以上のﾀｲﾌﾟを指定してください。');
});

test('keeps CR LF and LF line ends of a text file', async () => {
  await chooseKansai();
  const text = `\uFEFFおはようございます\r\n${AWKWARD}\nありがとう\r\n\r\nさようなら`;
  await page.setInputFiles('#text-file', scratchFile('lines.txt', text));
  await choose(3, [1, 2, 3, 4]);
  await page.click('#forward');
  assert.equal(await savedResult(), zevConvert(KANSAI, text, { level: 3, types: [1, 2, 3, 4] }));
});

function userDictionary() {
  const form = [
    'zev-text 1', 'source テスト語', 'target 試験語', 'level 1 一', 'level 2 二',
    'type 1 甲', 'type 2 乙', 'version 2.3.4', 'year 2025', 'holder "テスト係"',
    'comment "利用者の辞書"', '1\t1\tand\tねこ\tにゃんこ', '2\t2\tor\tいぬ\tわんこ', '',
  ].join('\n');
  const path = join(scratch, 'user.zev');
  execFileSync(ZEV, ['build', scratchFile('user.dic.txt', form), '-o', path]);
  return path;
}

async function dropFile(name, bytes) {
  await page.evaluate(({ name, bytes }) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(bytes)], name));
    const zone = document.getElementById('drop-zone');
    zone.dispatchEvent(new DragEvent('dragover', { dataTransfer: transfer, bubbles: true }));
    zone.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true }));
  }, { name, bytes: [...bytes] });
}

test('opens a dictionary of the user from the file input and by drag and drop', async () => {
  const dictionary = userDictionary();
  const text = 'ねこといぬ\n';
  const settings = { level: 2, types: [1, 2] };
  for (const open of ['input', 'drop']) {
    await chooseKansai();
    await page.waitForFunction(() => !document.body.textContent.includes('テスト語'));
    if (open === 'input') await page.setInputFiles('#dictionary-file', dictionary);
    else await dropFile('user.zev', readFileSync(dictionary));
    await page.waitForFunction(() => document.getElementById('levels').textContent.includes('二'));
    const shown = await shownDialects();
    for (const part of ['テスト語', '試験語', '2.3.4', '© 2025 テスト係', '利用者の辞書'])
      assert.ok(shown.includes(part), `${open}: ${part} in ${shown}`);
    await setText(text);
    await choose(settings.level, settings.types);
    assert.equal(await convertInPage(false), zevConvert(dictionary, text, settings));
    assert.equal(await convertInPage(false), 'にゃんこといぬ\n'.replace('いぬ', 'わんこ'));
  }
});

// A copy of kansai.zev whose entry count claims more than the file holds:
// it passes the structural test and is refused only by the read.
function overclaimed(bytes) {
  const copy = Buffer.from(bytes);
  const headerSize = copy.readUInt16LE(11);
  copy.writeUInt16LE(0xffff, 13 + headerSize + 7);
  return copy;
}

test('refuses what is not a dictionary and keeps the previous one', async () => {
  await chooseKansai();
  const kansai = readFileSync(KANSAI);
  const bad = [
    ['story.txt', Buffer.from(STORY), 'ﾌｫｰﾏｯﾄが無効です。'],
    ['cut.zev', kansai.subarray(0, 300), 'ﾌｫｰﾏｯﾄが無効です。'],
    ['overclaimed.zev', overclaimed(kansai), 'ﾌｫｰﾏｯﾄが無効です。'],
    ['empty.zev', Buffer.alloc(0), '空のファイルです'],
  ];
  const settings = { level: 3, types: [1, 2] };
  const want = zevConvert(KANSAI, STORY, settings);
  for (const [name, bytes, reason] of bad) {
    await page.setInputFiles('#dictionary-file', scratchFile(name, bytes));
    await page.waitForFunction(() => document.getElementById('dictionary-message').textContent);
    const message = await page.textContent('#dictionary-message');
    assert.ok(message.includes(name) && message.includes(reason), message);
    assert.ok(message.includes('これまでの辞書をそのまま使えます'), message);
    assert.ok((await shownDialects()).includes('大阪弁'));
    await setText(STORY);
    await choose(settings.level, settings.types);
    assert.equal(await convertInPage(false), want, name);
    await chooseKansai();  // clears the message
  }
});

test('converts a text of 1 MB', async () => {
  await chooseKansai();
  let text = '';
  while (Buffer.byteLength(text) < 1 << 20) text += `${STORY}${AWKWARD}\n`;
  await setText(text);
  await choose(3, [1, 2, 3, 4]);
  const result = await convertInPage(false);
  assert.ok(result.length > 300000);
  assert.equal(result, zevConvert(KANSAI, text, { level: 3, types: [1, 2, 3, 4] }));
});

test('fits a phone-sized screen', async () => {
  await page.setViewportSize({ width: 360, height: 740 });
  const overflow = await page.evaluate(
    () => document.documentElement.scrollWidth - document.documentElement.clientWidth);
  assert.equal(overflow, 0);
  await page.setViewportSize({ width: 1100, height: 900 });
});

test('asks for nothing but the page\'s own files and raises no script error', () => {
  assert.ok(browser.requests.length > 5);
  const foreign = browser.requests.filter((url) =>
    !url.startsWith(`${browser.origin}/`) && !url.startsWith('blob:'));
  assert.deepEqual(foreign, []);
  assert.deepEqual(page.errors, []);
});
