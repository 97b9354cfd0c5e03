// Puts the page together in build/web: the page's files, the engine, and
// every dictionary the native build made from samples/, listed in
// dictionaries/index.json with the dialect names that `zev info` reads
// from each file.
//     node web/assemble.mjs ZEV_EXE ENGINE_DIR SAMPLES_DIR OUT_DIR
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const PAGE_FILES = ['index.html', 'style.css', 'app.js', 'zev.js'];
const ENGINE_FILES = ['zev-engine.js', 'zev-engine.wasm'];

const [zev, engineDir, samplesDir, outDir] = process.argv.slice(2);
if (!outDir) {
  console.error('usage: node web/assemble.mjs ZEV_EXE ENGINE_DIR SAMPLES_DIR OUT_DIR');
  process.exit(2);
}
const here = dirname(fileURLToPath(import.meta.url));

function dialects(file) {
  const info = execFileSync(zev, ['info', file], { encoding: 'utf8' });
  const field = (name) => info.match(new RegExp(`^${name} dialect: (.*)$`, 'm'))?.[1];
  const before = field('source');
  const after = field('target');
  if (!before || !after) throw new Error(`${file}: zev info names no dialects`);
  return { before, after };
}

rmSync(outDir, { recursive: true, force: true });
mkdirSync(join(outDir, 'dictionaries'), { recursive: true });
for (const name of PAGE_FILES) copyFileSync(join(here, name), join(outDir, name));
for (const name of ENGINE_FILES) copyFileSync(join(engineDir, name), join(outDir, name));
const bundled = readdirSync(samplesDir).filter((name) => name.endsWith('.zev')).sort();
if (!bundled.length) throw new Error(`${samplesDir} holds no dictionary`);
const index = bundled.map((file) => {
  copyFileSync(join(samplesDir, file), join(outDir, 'dictionaries', file));
  return { file, ...dialects(join(samplesDir, file)) };
});
writeFileSync(join(outDir, 'dictionaries', 'index.json'), JSON.stringify(index, null, 1) + '\n');
console.log(`web: ${outDir} with ${index.length} dictionaries`);
