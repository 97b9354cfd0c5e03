// The dictionary library in the browser: an ES module over the WebAssembly
// engine (zev-engine.js). Texts cross as UTF-8; the engine transcodes them
// to and from code page 932 exactly as `zev convert` does.
import createZevEngine from './zev-engine.js';

const decoder = new TextDecoder('utf-8', { ignoreBOM: true });
const encoder = new TextEncoder();
const TEXT_BUFFER = 256;

// A refusal of the library: its error code and its own text.
export class ZevError extends Error {
  constructor(code, text) {
    super(text);
    this.name = 'ZevError';
    this.code = code;
  }
}

export class ZevEngine {
  constructor(module) {
    this.m = module;
    this.buffer = module._malloc(TEXT_BUFFER);
    this.scratch = module._malloc(16);
  }

  // The C string at `pointer`, in UTF-8.
  string(pointer) {
    const heap = this.m.HEAPU8;
    let end = pointer;
    while (heap[end]) end++;
    return decoder.decode(heap.subarray(pointer, end));
  }

  error() {
    return new ZevError(this.m._zevWebErrorCode(), this.string(this.m._zevWebErrorText()));
  }

  // Calls `body` with a copy of `bytes` in the engine's memory.
  withBytes(bytes, body) {
    const pointer = this.m._malloc(bytes.length + 1);
    if (!pointer) throw new ZevError(1, 'out of memory');
    try {
      this.m.HEAPU8.set(bytes, pointer);
      this.m.HEAPU8[pointer + bytes.length] = 0;
      return body(pointer);
    } finally {
      this.m._free(pointer);
    }
  }

  // Opens a dictionary file's bytes in place of the open one, which stays
  // open when these are refused (ZevError).
  open(bytes) {
    const ok = this.withBytes(bytes, (pointer) => this.m._zevWebOpen(pointer, bytes.length));
    if (!ok) throw this.error();
    return this.info();
  }

  // A text of the library that `fill(buffer)` writes into the text buffer.
  text(fill) {
    this.m.HEAPU8[this.buffer] = 0;
    fill(this.buffer);
    return this.string(this.m._zevWebDisplayText(this.buffer));
  }

  names(count, get) {
    const names = [];
    for (let i = 1; i <= count; i++) names.push(this.text((b) => get(i, b)));
    return names;
  }

  // The open dictionary's names, entry count and footer.
  info() {
    const m = this.m;
    const s = this.scratch;
    const comment = m._malloc(TEXT_BUFFER);
    const holder = m._malloc(TEXT_BUFFER);
    m.HEAPU8.fill(0, s, s + 16);
    m.HEAPU8[comment] = 0;
    m.HEAPU8[holder] = 0;
    m._zevGetFooter(s, s + 1, s + 2, comment, s + 4, holder);
    const heap = m.HEAPU8;
    const info = {
      before: this.text((b) => m._zevGetBeforeName(b)),
      after: this.text((b) => m._zevGetAfterName(b)),
      levels: this.names(m._zevGetLevelCount(), (i, b) => m._zevGetLevelName(i, b)),
      types: this.names(m._zevGetTypeCount(), (i, b) => m._zevGetTypeName(i, b)),
      entries: m._zevGetDataCount(),
      version: [heap[s], heap[s + 1], heap[s + 2]].join('.'),
      year: heap[s + 4] | (heap[s + 5] << 8),
      comment: this.string(m._zevWebDisplayText(comment)),
      holder: this.string(m._zevWebDisplayText(holder)),
    };
    m._free(comment);
    m._free(holder);
    return info;
  }

  // Converts `text` line by line at `level` with the type mask `types`,
  // forward or `backward`; line ends stay as they are. Returns the text and
  // whether the dictionary gave bytes without a character (kept as they are).
  convert(text, { level = 1, types = 1, backward = false } = {}) {
    const bytes = encoder.encode(text);
    const ok = this.withBytes(bytes, (pointer) =>
      this.m._zevWebConvert(pointer, bytes.length, level, types, backward ? 1 : 0));
    if (!ok) throw this.error();
    const start = this.m._zevWebResult();
    const result = this.m.HEAPU8.subarray(start, start + this.m._zevWebResultSize());
    return { text: decoder.decode(result), undecodable: !!this.m._zevWebResultUndecodable() };
  }
}

export async function loadEngine() {
  return new ZevEngine(await createZevEngine());
}
