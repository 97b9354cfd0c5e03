#include "chunks.h"

#include <errno.h>
#include <stdint.h>
#include <string.h>

#include <algorithm>

namespace zevtool {

namespace {

// The LF bytes of `size` bytes, eight at a time: in the word xor LF, a byte
// is 0 exactly where its low seven bits plus 0x7F and itself leave the high
// bit clear.
size_t CountLineEnds(const char* text, size_t size) {
    const uint64_t ones = 0x0101010101010101ull, high = 0x8080808080808080ull;
    size_t count = 0, at = 0;
    for (; size - at >= 8; at += 8) {
        uint64_t word;
        memcpy(&word, text + at, 8);
        word ^= ones * '\n';
        const uint64_t zeros = ~(((word & ~high) + ~high) | word) & high;
        count += static_cast<size_t>(((zeros >> 7) * ones) >> 56);
    }
    for (; at < size; ++at) count += text[at] == '\n';
    return count;
}

}  // namespace

bool ChunkReader::Next(Chunk* chunk) {
    Bytes& text = chunk->text;
    text.clear();
    text.Append(carry_.data(), carry_.size());
    carry_.clear();
    size_t searched = 0;  // no line end before this
    for (;;) {
        if (text.size() >= chunkBytes_ || ended_) {
            const void* end = text.size() > searched
                                  ? memrchr(text.data() + searched, '\n', text.size() - searched)
                                  : nullptr;
            if (end) {
                const size_t cut =
                    static_cast<size_t>(static_cast<const char*>(end) - text.data()) + 1;
                carry_.Append(text.data() + cut, text.size() - cut);
                text.Resize(cut);
                break;
            }
            if (ended_) break;
            searched = text.size();
        }
        const size_t want = std::max(chunkBytes_, text.size() / 2) + 1;
        errno = 0;
        const size_t got = fread(text.Room(want + 1), 1, want, file_);
        text.Used(got);
        if (got < want) {
            if (ferror(file_)) failed_ = true;
            ended_ = true;
        }
    }
    text.Room(1);  // for the terminator of the last line
    return !text.empty();
}

void ConvertChunk(LineConverter& converter, Chunk* chunk) {
    chunk->converted.clear();
    chunk->report = LinesReport();
    chunk->ok =
        chunk->text.empty() || converter.ConvertLines(chunk->text.data(), chunk->text.size(),
                                                      &chunk->converted, &chunk->report);
    chunk->lineEnds = CountLineEnds(chunk->text.data(), chunk->text.size());
}

}  // namespace zevtool
