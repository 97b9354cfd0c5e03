// What the browser tests, the benchmark and the screenshot share: the page
// served on 127.0.0.1, Debian's chromium with a fresh profile, and the native
// `zev convert` to compare with.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from '../serve.mjs';

export const ROOT = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const WEB_DIR = join(ROOT, 'build/web');
export const ZEV = join(ROOT, 'build/native/bin/zev');

// Without the background-networking flags chromium reaches out on its own,
// and this machine's closed network refuses it.
const CHROMIUM_FLAGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// Starts the server and chromium; close() ends both and removes the profile.
export async function startBrowser(viewport = { width: 1100, height: 900 }) {
  const server = await serve(WEB_DIR, 0);
  const origin = `http://127.0.0.1:${server.address().port}`;
  const profile = mkdtempSync(join(tmpdir(), 'zev-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_FLAGS,
    locale: 'ja-JP',
    viewport,
  });
  const requests = [];
  context.on('request', (request) => requests.push(request.url()));
  const close = async () => {
    await context.close();
    await new Promise((done) => server.close(done));
    rmSync(profile, { recursive: true, force: true });
  };
  return { context, origin, requests, close };
}

// A new tab with the page, once it is ready with its first dictionary.
export async function openPage(browser) {
  const page = await browser.context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  await page.goto(`${browser.origin}/`);
  await page.waitForSelector('html[data-ready="true"]');
  page.errors = errors;
  return page;
}

// `zev convert` on a UTF-8 text: its output as a string, or a thrown error.
export function zevConvert(dictionary, text, { level = 1, types = [1], backward = false } = {}) {
  const args = ['convert', '-d', dictionary, '-l', String(level), '-t', types.join(',')];
  if (backward) args.push('-r');
  const run = spawnSync(ZEV, args, { input: Buffer.from(text, 'utf8'), maxBuffer: 1 << 28 });
  if (run.status !== 0) throw new Error(`zev convert: ${run.stderr}`);
  return new TextDecoder('utf-8', { ignoreBOM: true }).decode(run.stdout);
}
