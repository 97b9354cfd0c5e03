// Buffered little-endian reading and writing of dictionary files.
#include "fileio.h"

#include <string.h>

bool FileReader::Fill() {
    if (atEnd_ || readFailed_) return false;
    // Keep the unread tail at the front of the buffer.
    uint32_t left = end_ - position_;
    memmove(buffer_, buffer_ + position_, left);
    position_ = 0;
    end_ = left;
    uint32_t got = 0;
    if (!platform::Read(file_, buffer_ + end_, kFileBlockSize - end_, &got)) {
        readFailed_ = true;
        systemError_ = platform::LastError();
        return false;
    }
    if (got == 0) atEnd_ = true;
    end_ += got;
    return got != 0;
}

bool FileReader::Bytes(void* destination, uint32_t size) {
    uint8_t* out = static_cast<uint8_t*>(destination);
    // Small reads come from the buffer; they are never larger than a block.
    while (end_ - position_ < size && size <= kFileBlockSize) {
        if (!Fill()) return false;
    }
    if (size > kFileBlockSize) return false;
    memcpy(out, buffer_ + position_, size);
    position_ += size;
    return true;
}

bool FileReader::Word(uint16_t* value) {
    uint8_t bytes[2];
    if (!Bytes(bytes, 2)) return false;
    *value = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    return true;
}

bool FileReader::DoubleWord(uint32_t* value) {
    uint8_t bytes[4];
    if (!Bytes(bytes, 4)) return false;
    *value = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
             (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    return true;
}

bool FileReader::Skip(uint32_t size) {
    while (size > 0) {
        if (position_ == end_ && !Fill()) return false;
        uint32_t step = end_ - position_ < size ? end_ - position_ : size;
        position_ += step;
        size -= step;
    }
    return true;
}

void FileWriter::FlushBuffer() {
    if (!failed_ && used_ > 0 && !platform::Write(file_, buffer_, used_)) {
        failed_ = true;
        systemError_ = platform::LastError();
    }
    used_ = 0;
}

void FileWriter::Bytes(const void* source, uint32_t size) {
    const uint8_t* in = static_cast<const uint8_t*>(source);
    while (size > 0) {
        if (used_ == kFileWriteBlockSize) FlushBuffer();
        uint32_t step = kFileWriteBlockSize - used_ < size ? kFileWriteBlockSize - used_ : size;
        memcpy(buffer_ + used_, in, step);
        used_ += step;
        in += step;
        size -= step;
    }
}

void FileWriter::Word(uint16_t value) {
    uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Bytes(bytes, 2);
}

void FileWriter::DoubleWord(uint32_t value) {
    uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    Bytes(bytes, 4);
}

void FileWriter::Text(const char* text, uint8_t length) {
    Byte(length);
    Bytes(text, length);
}

bool FileWriter::Finish() {
    FlushBuffer();
    return !failed_;
}
