// The test-only fault switch of the platform layer. Compiled into test
// builds of the core only; the shipped library has none of it.
#include "platform.h"

namespace platform {
namespace faults {

static unsigned calls[kKindCount];
static unsigned failAt[kKindCount];
static long liveBlocks;

void FailAt(Kind kind, unsigned n) {
    calls[kind] = 0;
    failAt[kind] = n;
}

void Reset() {
    for (int kind = 0; kind < kKindCount; ++kind) calls[kind] = failAt[kind] = 0;
}

unsigned Calls(Kind kind) { return calls[kind]; }

long LiveBlocks() { return liveBlocks; }

bool ShouldFail(Kind kind) {
    ++calls[kind];
    return failAt[kind] != 0 && calls[kind] == failAt[kind];
}

void CountBlock(long change) { liveBlocks += change; }

}  // namespace faults
}  // namespace platform
