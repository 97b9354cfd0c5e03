// Buffered little-endian reading and writing of dictionary files.
#ifndef ZEV_FILEIO_H
#define ZEV_FILEIO_H

#include <stdint.h>

#include "platform.h"

const uint32_t kFileBlockSize = 64 * 1024;
// Writes go out in larger blocks: a full dictionary is over 8 MB, and fewer,
// larger writes let the system lay the file out and send it to the disk
// sooner.
const uint32_t kFileWriteBlockSize = 1024 * 1024;

// Reads a file front to back in large blocks.
class FileReader {
public:
    explicit FileReader(platform::File file) : file_(file) {}
    // False when the file ends (or a read fails) before `size` bytes; the
    // destination is then left as it was.
    bool Bytes(void* destination, uint32_t size);
    bool Byte(uint8_t* value) { return Bytes(value, 1); }
    bool Word(uint16_t* value);
    bool DoubleWord(uint32_t* value);
    bool Skip(uint32_t size);
    // Set after a read failed (as opposed to the file ending).
    bool readFailed() const { return readFailed_; }
    uint32_t systemError() const { return systemError_; }

private:
    bool Fill();

    platform::File file_;
    uint8_t buffer_[kFileBlockSize];
    uint32_t position_ = 0;
    uint32_t end_ = 0;
    bool atEnd_ = false;
    bool readFailed_ = false;
    uint32_t systemError_ = 0;
};

// Writes a file front to back in large blocks; after the first failure it
// writes nothing more and keeps the system's error code.
class FileWriter {
public:
    explicit FileWriter(platform::File file) : file_(file) {}
    void Bytes(const void* source, uint32_t size);
    void Byte(uint8_t value) { Bytes(&value, 1); }
    void Word(uint16_t value);
    void DoubleWord(uint32_t value);
    // Length byte, then the text's bytes.
    void Text(const char* text, uint8_t length);
    // Writes out what is buffered; false if any write failed.
    bool Finish();
    uint32_t systemError() const { return systemError_; }

private:
    void FlushBuffer();

    platform::File file_;
    uint8_t buffer_[kFileWriteBlockSize];
    uint32_t used_ = 0;
    bool failed_ = false;
    uint32_t systemError_ = 0;
};

#endif
