// An input cut into chunks of whole lines, and the conversion of one chunk:
// the unit of work that zev convert hands to its threads.
#ifndef ZEV_TOOL_CHUNKS_H
#define ZEV_TOOL_CHUNKS_H

#include <stddef.h>
#include <stdio.h>

#include <string>

#include "bytes.h"
#include "lineconvert.h"

namespace zevtool {

struct Chunk {
    // Whole lines with their ends (the input's last may have none), and
    // room for one byte more.
    Bytes text;
    // The result: the converted lines, up to a failed one, the line ends of
    // the text, and where in it each warning and the failure came first
    // (line numbers from 1 in the chunk, 0 for none).
    Bytes converted;
    size_t lineEnds = 0;
    bool ok = true;
    LinesReport report;
};

// Reads an input in large blocks and hands them out cut after a line end.
class ChunkReader {
public:
    // Chunks of about `chunkBytes` (more when a line is longer).
    ChunkReader(FILE* file, size_t chunkBytes) : file_(file), chunkBytes_(chunkBytes) {}

    // The next chunk into `chunk`; false at the end of the input. After a
    // read error the input ends with what was read, and failed() is set
    // (errno tells why).
    bool Next(Chunk* chunk);
    bool failed() const { return failed_; }

private:
    FILE* file_;
    size_t chunkBytes_;
    Bytes carry_;  // read beyond the last chunk's final line end
    bool failed_ = false;
    bool ended_ = false;
};

// Converts every line of `chunk`, keeping each line's end (LF, CR LF or
// none), until one fails, and counts its lines: on the chunk's thread, so
// that the thread that reads the input does not.
void ConvertChunk(LineConverter& converter, Chunk* chunk);

}  // namespace zevtool

#endif
