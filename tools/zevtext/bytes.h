// A byte buffer for whole texts that grows without filling what it adds:
// a writer asks for room for as many bytes as it may write, writes them
// and then says how many it wrote. Its capacity stays for the next text.
#ifndef ZEV_TOOL_BYTES_H
#define ZEV_TOOL_BYTES_H

#include <stddef.h>
#include <string.h>

#include <memory>

namespace zevtool {

class Bytes {
public:
    Bytes() = default;
    Bytes(const Bytes&) = delete;
    Bytes& operator=(const Bytes&) = delete;

    char* data() { return data_.get(); }
    const char* data() const { return data_.get(); }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

    // Room for `count` more bytes after the last; it stays valid until the
    // next call that adds bytes.
    char* Room(size_t count) {
        if (count > capacity_ - size_) Reserve(size_ + count);
        return data_.get() + size_;
    }
    // Keeps `count` bytes written into the room.
    void Used(size_t count) { size_ += count; }
    void Append(const char* bytes, size_t count) {
        if (count == 0) return;
        memcpy(Room(count), bytes, count);
        size_ += count;
    }
    void Resize(size_t size) {
        Room(size > size_ ? size - size_ : 0);
        size_ = size;
    }

private:
    void Reserve(size_t capacity) {
        if (capacity < 2 * capacity_) capacity = 2 * capacity_;
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (size_ > 0) memcpy(grown.get(), data_.get(), size_);
        data_ = std::move(grown);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace zevtool

#endif
