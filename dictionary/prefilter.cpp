// Building the filter's tables, its portable block, and the choice of path.
#include "prefilter.h"

#include <string.h>

// How many byte sequences the bucket accepts: a measure of how often it
// lets a position through that starts no pattern.
double PrefilterBuilder::Volume(const Bucket& b) {
    if (!b.used) return 0;
    double volume = 1;
    for (int k = 0; k < kPrefilterWidth; ++k)
        volume *=
            k >= b.open ? 256.0 : __builtin_popcount(b.low[k]) * __builtin_popcount(b.high[k]);
    return volume;
}

PrefilterBuilder::Bucket PrefilterBuilder::With(Bucket b, const uint8_t* start, int length) {
    b.used = true;
    for (int k = 0; k < length && k < kPrefilterWidth; ++k) {
        b.low[k] = static_cast<uint16_t>(b.low[k] | 1u << (start[k] & 15));
        b.high[k] = static_cast<uint16_t>(b.high[k] | 1u << (start[k] >> 4));
    }
    if (length < b.open) b.open = length;
    return b;
}

void PrefilterBuilder::Add(const uint8_t* pattern, int length) {
    int best = 0;
    double bestGrowth = 0;
    for (int b = 0; b < kBuckets; ++b) {
        const double growth = Volume(With(buckets_[b], pattern, length)) - Volume(buckets_[b]);
        if (b == 0 || growth < bestGrowth) {
            best = b;
            bestGrowth = growth;
        }
    }
    buckets_[best] = With(buckets_[best], pattern, length);
}

void PrefilterBuilder::Fill(PrefilterTables* tables) const {
    memset(tables, 0, sizeof *tables);
    for (int b = 0; b < kBuckets; ++b) {
        const Bucket& bucket = buckets_[b];
        if (!bucket.used) continue;
        const int low = b < 8 ? PrefilterTables::kLowA : PrefilterTables::kLowB;
        const uint8_t bit = static_cast<uint8_t>(1u << (b & 7));
        for (int k = 0; k < kPrefilterWidth; ++k) {
            const bool open = k >= bucket.open;
            for (int nibble = 0; nibble < 16; ++nibble) {
                if (open || (bucket.low[k] >> nibble & 1)) tables->nibbles[k][low][nibble] |= bit;
                if (open || (bucket.high[k] >> nibble & 1))
                    tables->nibbles[k][low + 1][nibble] |= bit;
            }
        }
    }
}

uint64_t PrefilterBlockPortable(const PrefilterTables& tables, const uint8_t* at) {
    uint64_t bits = 0;
    for (size_t i = 0; i < kPrefilterBlock; ++i) {
        unsigned accepted = 0xFFFF;
        for (int k = 0; k < kPrefilterWidth; ++k) {
            const uint8_t(*n)[16] = tables.nibbles[k];
            const unsigned low = at[i + k] & 15, high = at[i + k] >> 4;
            accepted &= (n[PrefilterTables::kLowA][low] & n[PrefilterTables::kHighA][high]) |
                        (n[PrefilterTables::kLowB][low] & n[PrefilterTables::kHighB][high]) << 8;
        }
        bits |= static_cast<uint64_t>(accepted != 0) << i;
    }
    return bits;
}

// Near the end of the text the block reads a copy padded with zeros: the
// bytes past the terminator belong to no pattern that starts before it.
void CandidateCursor::Load(size_t from) {
    base_ = from;
    const size_t left = length_ - from;
    if (left >= kPrefilterBlockReach) {
        bits_ = block_(tables_, at_ + from);
        return;
    }
    uint8_t padded[kPrefilterBlockReach] = {0};
    memcpy(padded, at_ + from, left);
    bits_ = block_(tables_, padded);
    if (left < kPrefilterBlock) bits_ &= (static_cast<uint64_t>(1) << left) - 1;
}

bool ScanPathSupported(ScanPath path) {
    switch (path) {
        case ScanPath::kStepping:
        case ScanPath::kPortable:
            return true;
#ifdef ZEV_PREFILTER_X86
        case ScanPath::kSsse3:
            return __builtin_cpu_supports("ssse3");
        case ScanPath::kAvx2:
            return __builtin_cpu_supports("avx2");
#else
        default:
            return false;
#endif
    }
    return false;
}

namespace {

ScanPath FastestPath() {
#ifdef ZEV_PREFILTER_X86
    __builtin_cpu_init();
#endif
    if (ScanPathSupported(ScanPath::kAvx2)) return ScanPath::kAvx2;
    if (ScanPathSupported(ScanPath::kSsse3)) return ScanPath::kSsse3;
    return ScanPath::kPortable;
}

// Chosen once from the processor; only tests change it, before they convert.
ScanPath& ChosenPath() {
    static ScanPath path = FastestPath();
    return path;
}

}  // namespace

ScanPath CurrentScanPath() { return ChosenPath(); }

bool ChooseScanPath(ScanPath path) {
    if (!ScanPathSupported(path)) return false;
    ChosenPath() = path;
    return true;
}

PrefilterBlockFunction PrefilterBlockFor(ScanPath path) {
#ifdef ZEV_PREFILTER_X86
    if (path == ScanPath::kAvx2) return PrefilterBlockAvx2;
    if (path == ScanPath::kSsse3) return PrefilterBlockSsse3;
#endif
    (void)path;
    return PrefilterBlockPortable;
}
