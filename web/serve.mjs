// A static file server for the page, on 127.0.0.1 only:
//     node web/serve.mjs [DIR] [PORT]     (build/web, 8932; PORT 0 picks one)
// The tests and the benchmark start it in-process with serve().
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.json': 'application/json; charset=utf-8',
  '.wasm': 'application/wasm',
  '.zev': 'application/octet-stream',
  '.png': 'image/png',
};

export function serve(dir, port = 0) {
  const root = resolve(dir);
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    let size = -1;
    try {
      if (file.startsWith(root + sep)) size = statSync(file).isFile() ? statSync(file).size : -1;
    } catch {
      size = -1;
    }
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405).end();
    } else if (size < 0) {
      response.writeHead(404, { 'content-type': 'text/plain' }).end('not found\n');
    } else {
      response.writeHead(200, {
        'content-type': TYPES[extname(file)] ?? 'application/octet-stream',
        'content-length': size,
        'cache-control': 'no-cache',
      });
      if (request.method === 'HEAD') response.end();
      else createReadStream(file).pipe(response);
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const dir = process.argv[2] ?? 'build/web';
  const server = await serve(dir, Number(process.argv[3] ?? 8932));
  console.log(`Serving ${dir} at http://127.0.0.1:${server.address().port}/ (Ctrl+C to stop)`);
}
