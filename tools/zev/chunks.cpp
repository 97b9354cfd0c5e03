#include "chunks.h"

#include <errno.h>
#include <string.h>

#include <algorithm>

namespace zevtool {

bool ChunkReader::Next(Chunk* chunk) {
    std::string& text = chunk->text;
    text.swap(carry_);
    carry_.clear();
    size_t searched = 0;  // no line end before this
    for (;;) {
        if (text.size() >= chunkBytes_ || ended_) {
            const void* end = memrchr(text.data() + searched, '\n', text.size() - searched);
            if (end) {
                const size_t cut = static_cast<const char*>(end) - text.data() + 1;
                carry_.assign(text, cut, std::string::npos);
                text.resize(cut);
                break;
            }
            if (ended_) break;
            searched = text.size();
        }
        const size_t before = text.size();
        const size_t want = std::max(chunkBytes_, before / 2) + 1;
        text.resize(before + want);
        errno = 0;
        const size_t got = fread(&text[before], 1, want, file_);
        text.resize(before + got);
        if (got < want) {
            if (ferror(file_)) failed_ = true;
            ended_ = true;
        }
    }
    chunk->firstLine = nextLine_;
    nextLine_ += static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    return !text.empty();
}

void ConvertChunk(LineConverter& converter, Chunk* chunk) {
    const std::string& text = chunk->text;
    std::string& out = chunk->converted;
    out.clear();
    out.reserve(text.size() + text.size() / 2);
    chunk->ok = true;
    chunk->invalidLine = chunk->undecodableLine = 0;
    converter.sawInvalidInput = converter.sawUndecodable = false;
    std::string line, converted;
    size_t number = chunk->firstLine;
    for (size_t start = 0; start < text.size(); ++number) {
        const size_t newline = text.find('\n', start);
        size_t end = newline == std::string::npos ? text.size() : newline;
        const size_t next = newline == std::string::npos ? text.size() : newline + 1;
        if (newline != std::string::npos && end > start && text[end - 1] == '\r') --end;
        line.assign(text, start, end - start);
        if (!converter.Convert(line, &converted, &chunk->error)) {
            chunk->ok = false;
            chunk->failedLine = number;
            return;
        }
        if (converter.sawInvalidInput && !chunk->invalidLine) chunk->invalidLine = number;
        if (converter.sawUndecodable && !chunk->undecodableLine) chunk->undecodableLine = number;
        out += converted;
        out.append(text, end, next - end);
        start = next;
    }
}

}  // namespace zevtool
