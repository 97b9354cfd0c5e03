// Controls of the engine tests' stand-in platform layer.
#ifndef ZEV_TESTS_ENGINE_PLATFORM_H
#define ZEV_TESTS_ENGINE_PLATFORM_H

#include "platform.h"

namespace enginetest {

// Allocations asked for so far; from number `refuseFrom` on (counting from
// 0) every allocation fails, while it is not negative.
extern long allocations;
extern long refuseFrom;
// Blocks allocated and not yet freed.
extern long liveBlocks;

}  // namespace enginetest

#endif
