// A stand-in for the platform layer's memory and code-page services, linked
// into the engine tests in place of the real one, that can be told to refuse
// allocations and that counts the blocks still held.
#include "engine_platform.h"

#include <errno.h>
#include <stdlib.h>

namespace platform {

const uint32_t kErrorNotEnoughMemory = ENOMEM;

void* AllocZeroed(size_t size) {
    if (enginetest::refuseFrom >= 0 && enginetest::allocations >= enginetest::refuseFrom) {
        ++enginetest::allocations;
        return nullptr;
    }
    ++enginetest::allocations;
    void* block = calloc(1, size);
    if (block) ++enginetest::liveBlocks;
    return block;
}

bool Free(void* block) {
    if (block) --enginetest::liveBlocks;
    free(block);
    return true;
}

bool IsLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace platform

namespace enginetest {

long allocations = 0;
long refuseFrom = -1;
long liveBlocks = 0;

}  // namespace enginetest
