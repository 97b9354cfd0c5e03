// The page: picks a dictionary (bundled, opened or dropped), offers its
// levels and types as the setup dialog does, and converts the text in the
// browser. Nothing leaves the page.
import { loadEngine, ZevError } from './zev.js';

const $ = (id) => document.getElementById(id);
const MAX_CHOICES = 8;  // the setup dialog's eight levels and eight types
const NO_TYPE = '１つ以上のﾀｲﾌﾟを指定してください。';
const UNKNOWN_FORMAT = '不明な形式のファイルであるため、開くことができません。';

const state = {
  engine: null,
  info: null,
  level: 1,      // the last choice, fitted to each dictionary
  types: 1,
  exactInput: null,  // a text file's content, line ends and all, until edited
  result: '',
  backward: false,
};

function say(id, text) { $(id).textContent = text; }

function describeFailure(name, error) {
  if (!(error instanceof ZevError)) return `「${name}」を開けませんでした: ${error.message}`;
  const reason = error.code === 11 ? `${UNKNOWN_FORMAT} ` : '';
  return `「${name}」は辞書として開けません。${reason}(${error.message} コード ${error.code})`;
}

// Opens a dictionary's bytes; a refused file leaves the open one in use.
function openDictionary(name, bytes) {
  const keep = state.info ? ' これまでの辞書をそのまま使えます。' : '';
  if (bytes.length === 0) {
    say('dictionary-message', `「${name}」は空のファイルです。${keep}`);
    return false;
  }
  try {
    state.info = state.engine.open(bytes);
  } catch (error) {
    say('dictionary-message', describeFailure(name, error) + keep);
    return false;
  }
  say('dictionary-message', '');
  showDictionary(name);
  return true;
}

function showDictionary(name) {
  const info = state.info;
  const rows = [
    ['ファイル', name],
    ['変換元', info.before],
    ['変換先', info.after],
    ['項目数', String(info.entries)],
    ['版', info.version],
    ['著作権', info.year || info.holder ? `© ${info.year || ''} ${info.holder}`.trim() : ''],
    ['コメント', info.comment],
  ];
  const list = $('dictionary-info');
  list.replaceChildren();
  for (const [term, value] of rows) {
    const dt = document.createElement('dt');
    const dd = document.createElement('dd');
    dt.textContent = term;
    dd.textContent = value;
    list.append(dt, dd);
  }
  $('forward').textContent = `変換 (${info.before} → ${info.after})`;
  $('backward').textContent = `逆変換 (${info.after} → ${info.before})`;
  showChoices();
}

function choice(kind, number, name, checked, accessKey) {
  const label = document.createElement('label');
  const input = document.createElement('input');
  input.type = kind === 'level' ? 'radio' : 'checkbox';
  input.name = kind;
  input.value = String(number);
  input.checked = checked;
  if (accessKey) input.accessKey = accessKey;
  input.addEventListener('change', readChoices);
  label.append(input, ` ${name || `${number}`}`);
  return label;
}

// Levels and types as the setup dialog offers them: the first eight of each,
// named from the dictionary; the last choice is kept, lowered to what this
// dictionary has.
function showChoices() {
  const levelCount = Math.min(state.info.levels.length, MAX_CHOICES);
  const typeCount = Math.min(state.info.types.length, MAX_CHOICES);
  const largestMask = (1 << typeCount) - 1;
  state.level = Math.max(1, Math.min(state.level, levelCount));
  if (state.types > largestMask) state.types = largestMask;
  const levels = $('levels');
  const types = $('types');
  levels.replaceChildren(levels.querySelector('legend'));
  types.replaceChildren(types.querySelector('legend'));
  for (let i = 1; i <= levelCount; i++)
    levels.append(choice('level', i, state.info.levels[i - 1], i === state.level, i === 1 && 'l'));
  for (let i = 1; i <= typeCount; i++)
    types.append(choice('type', i, state.info.types[i - 1], (state.types >> (i - 1)) & 1,
                        i === 1 && 't'));
}

function readChoices() {
  const level = document.querySelector('input[name="level"]:checked');
  state.level = level ? Number(level.value) : 1;
  state.types = 0;
  for (const box of document.querySelectorAll('input[name="type"]:checked'))
    state.types |= 1 << (Number(box.value) - 1);
  if ($('live').checked) convert(state.backward);
}

function convert(backward) {
  state.backward = backward;
  if (!state.info) return;
  if (state.types === 0) {
    say('convert-message', NO_TYPE);
    return;
  }
  const text = state.exactInput ?? $('input').value;
  const started = performance.now();
  let result;
  try {
    result = state.engine.convert(text, { level: state.level, types: state.types, backward });
  } catch (error) {
    say('convert-message', `変換できませんでした: ${error.message}` +
        (error instanceof ZevError ? ` (コード ${error.code})` : ''));
    return;
  }
  const ms = performance.now() - started;
  state.result = result.text;
  $('output').value = result.text;
  say('convert-message', result.undecodable
    ? '辞書の中に文字として読めないバイトがあり、そのまま出力しました。' : '');
  say('status', `${ms.toFixed(1)} ms で変換しました (${text.length} 文字)`);
  document.dispatchEvent(new CustomEvent('zev-converted', { detail: { ms } }));
}

async function readFile(file) {
  return new Uint8Array(await file.arrayBuffer());
}

async function openTextFile(file) {
  try {
    // The byte order mark stays, as `zev convert` keeps it.
    const text = new TextDecoder('utf-8', { fatal: true, ignoreBOM: true })
      .decode(await readFile(file));
    $('input').value = text;
    state.exactInput = text;
    say('convert-message', '');
  } catch {
    say('convert-message', `「${file.name}」は UTF-8 のテキストではありません。`);
  }
}

async function copyResult() {
  try {
    await navigator.clipboard.writeText(state.result);
  } catch {
    $('output').select();
    document.execCommand('copy');
  }
  say('status', '結果をコピーしました。');
}

function saveResult() {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([state.result], { type: 'text/plain' }));
  link.download = 'result.txt';
  link.click();
  URL.revokeObjectURL(link.href);
}

async function openBundled(entry) {
  const response = await fetch(`dictionaries/${entry.file}`);
  if (!response.ok) throw new Error(`${entry.file}: ${response.status}`);
  openDictionary(entry.file, new Uint8Array(await response.arrayBuffer()));
}

function listenForDrops() {
  const zone = $('drop-zone');
  const hasFiles = (event) => [...event.dataTransfer.types].includes('Files');
  zone.addEventListener('dragover', (event) => {
    if (!hasFiles(event)) return;
    event.preventDefault();
    zone.classList.add('dragging');
  });
  zone.addEventListener('dragleave', () => zone.classList.remove('dragging'));
  zone.addEventListener('drop', async (event) => {
    zone.classList.remove('dragging');
    if (!event.dataTransfer.files.length) return;
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    openDictionary(file.name, await readFile(file));
  });
}

function listen(bundled) {
  $('bundled').addEventListener('change', (event) =>
    openBundled(bundled[Number(event.target.value)]));
  $('dictionary-file').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (file) openDictionary(file.name, await readFile(file));
    event.target.value = '';
  });
  $('text-file').addEventListener('change', async (event) => {
    if (event.target.files[0]) await openTextFile(event.target.files[0]);
    event.target.value = '';
  });
  $('forward').addEventListener('click', () => convert(false));
  $('backward').addEventListener('click', () => convert(true));
  $('copy').addEventListener('click', copyResult);
  $('save').addEventListener('click', saveResult);
  $('input').addEventListener('input', () => {
    state.exactInput = null;
    if ($('live').checked) convert(state.backward);
  });
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
      event.preventDefault();
      convert(event.shiftKey);
    }
  });
  listenForDrops();
}

async function start() {
  try {
    const [engine, bundled] = await Promise.all([
      loadEngine(),
      fetch('dictionaries/index.json').then((response) => response.json()),
    ]);
    state.engine = engine;
    const select = $('bundled');
    bundled.forEach((entry, index) => {
      select.add(new Option(`${entry.before} → ${entry.after} (${entry.file})`, String(index)));
    });
    listen(bundled);
    if (bundled.length) await openBundled(bundled[0]);
    performance.mark('zev-ready');
    document.documentElement.dataset.ready = 'true';
  } catch (error) {
    say('dictionary-message', `変換の準備ができませんでした: ${error.message}`);
  }
}

start();
