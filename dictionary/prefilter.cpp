// Building the filter's tables, its portable block, and the choice of path.
#include "prefilter.h"

#include <string.h>

#include "platform.h"

namespace {

struct LeadByteTable {
    LeadByteTable() {
        for (int byte = 0; byte < 256; ++byte)
            lead[byte] = platform::IsLeadByte(static_cast<uint8_t>(byte));
    }
    bool lead[256];
};

// The lead bytes as at most two ranges; an unused range repeats the other,
// and a code page without lead bytes gets the range of the 0 byte alone,
// which a text holds only at its terminator. False when two do not suffice.
bool LeadRanges(const bool* lead, PrefilterTables* tables) {
    int count = 0;
    for (int byte = 0; byte < 256; ++byte) {
        if (!lead[byte] || (byte > 0 && lead[byte - 1])) continue;
        if (count == 2) return false;
        int last = byte;
        while (last < 255 && lead[last + 1]) ++last;
        tables->leadFirst[count] = static_cast<uint8_t>(byte);
        tables->leadSpan[count] = static_cast<uint8_t>(last - byte);
        ++count;
    }
    if (count == 0) tables->leadFirst[0] = tables->leadSpan[0] = 0;
    if (count < 2) {
        tables->leadFirst[1] = tables->leadFirst[0];
        tables->leadSpan[1] = tables->leadSpan[0];
    }
    return true;
}

}  // namespace

const bool* LeadBytes() {
    static const LeadByteTable table;
    return table.lead;
}

namespace {

// Which views the filter looks each byte up by.
struct LookedUp {
    LookedUp() : views() {
        for (const PrefilterLookup& lookup : kPrefilterLookup)
            views[lookup.byte][lookup.view] = true;
    }
    bool views[kPrefilterWidth][3];
};

const LookedUp& Looked() {
    static const LookedUp looked;
    return looked;
}

int BitCount(unsigned bits) {
    bits = bits - ((bits >> 1) & 0x5555);
    bits = (bits & 0x3333) + ((bits >> 2) & 0x3333);
    bits = (bits + (bits >> 4)) & 0x0F0F;
    return static_cast<int>((bits + (bits >> 8)) & 0x1F);
}

// How many values of byte k the bucket accepts, given the values of the
// views the filter looks that byte up by (the others accept all). A byte
// with high nibble h has the middle bits (h & 3) << 2 | low >> 2: for the
// high nibbles with the same h & 3, the middle bits allow the same blocks
// of four low nibbles.
int AcceptedBytes(const uint16_t* values, int k) {
    const bool* looked = Looked().views[k];
    const unsigned low = values[kLowNibble];
    const unsigned high = looked[kHighNibble] ? values[kHighNibble] : 0xFFFF;
    const unsigned middle = looked[kMiddleBits] ? values[kMiddleBits] : 0xFFFF;
    int count = 0;
    for (unsigned h = 0; h < 4; ++h) {
        const unsigned blocks = middle >> (4 * h) & 15;
        // Each of the four bits of `blocks` stands for four low nibbles.
        const unsigned lows =
            (blocks & 1) * 0xF | (blocks & 2) * 0x78 | (blocks & 4) * 0x3C0 | (blocks & 8) * 0x1E00;
        count += BitCount(low & lows) * BitCount(high & (0x1111u << h));
    }
    return count;
}

}  // namespace

// How many byte sequences the bucket accepts: a measure of how often it
// lets a position through that starts no pattern.
double PrefilterBuilder::Volume(const Bucket& b) {
    if (!b.used) return 0;
    double volume = 1;
    for (int k = 0; k < kPrefilterWidth; ++k) volume *= k >= b.open ? 256.0 : b.accepted[k];
    return volume;
}

PrefilterBuilder::Bucket PrefilterBuilder::With(Bucket b, const uint8_t* start, int length) {
    b.used = true;
    for (int k = 0; k < length && k < kPrefilterWidth; ++k) {
        bool grew = false;
        for (int view = kLowNibble; view <= kMiddleBits; ++view) {
            const uint16_t before = b.values[k][view];
            b.values[k][view] = static_cast<uint16_t>(
                before | 1u << PrefilterViewOf(start[k], static_cast<PrefilterView>(view)));
            grew = grew || b.values[k][view] != before;
        }
        if (grew) b.accepted[k] = AcceptedBytes(b.values[k], k);
    }
    if (length < b.open) b.open = length;
    return b;
}

void PrefilterBuilder::Add(const uint8_t* pattern, int length) {
    int best = 0;
    double bestVolume = 0, bestGrowth = 0;
    for (int b = 0; b < kBuckets; ++b) {
        const double volume = Volume(With(buckets_[b], pattern, length));
        if (b == 0 || volume - volumes_[b] < bestGrowth) {
            best = b;
            bestVolume = volume;
            bestGrowth = volume - volumes_[b];
        }
    }
    buckets_[best] = With(buckets_[best], pattern, length);
    volumes_[best] = bestVolume;
}

bool PrefilterBuilder::Fill(PrefilterTables* tables) const {
    memset(tables, 0, sizeof *tables);
    if (!LeadRanges(LeadBytes(), tables)) return false;
    for (int b = 0; b < kBuckets; ++b) {
        const Bucket& bucket = buckets_[b];
        if (!bucket.used) continue;
        const uint8_t bit = static_cast<uint8_t>(1u << (b & 7));
        for (int j = 0; j < kPrefilterLookups; ++j) {
            const PrefilterLookup lookup = kPrefilterLookup[j];
            const bool open = lookup.byte >= bucket.open;
            const uint16_t values = bucket.values[lookup.byte][lookup.view];
            for (int value = 0; value < 16; ++value)
                if (open || (values >> value & 1)) tables->buckets[j][b / 8][value] |= bit;
        }
    }
    return true;
}

PrefilterBlock PrefilterBlockPortable(const PrefilterTables& tables, const uint8_t* at) {
    PrefilterBlock block = {0, 0};
    for (size_t i = 0; i < kPrefilterBlock; ++i) {
        unsigned accepted = 0xFFFF;
        for (int j = 0; j < kPrefilterLookups; ++j) {
            const PrefilterLookup lookup = kPrefilterLookup[j];
            const unsigned value = PrefilterViewOf(at[i + lookup.byte], lookup.view);
            accepted &= tables.buckets[j][0][value] | tables.buckets[j][1][value] << 8;
        }
        bool lead = false;
        for (int r = 0; r < 2; ++r)
            lead = lead || static_cast<uint8_t>(at[i] - tables.leadFirst[r]) <= tables.leadSpan[r];
        block.candidates |= static_cast<uint64_t>(accepted != 0) << i;
        block.leads |= static_cast<uint64_t>(lead) << i;
    }
    return block;
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
        case ScanPath::kAvx512:
            return __builtin_cpu_supports("avx512bw");
#else
        default:
            return false;
#endif
    }
    return false;
}

const char* ScanPathName(ScanPath path) {
    switch (path) {
        case ScanPath::kStepping:
            return "stepping";
        case ScanPath::kPortable:
            return "portable";
        case ScanPath::kSsse3:
            return "SSSE3";
        case ScanPath::kAvx2:
            return "AVX2";
        case ScanPath::kAvx512:
            return "AVX-512";
    }
    return "?";
}

namespace {

ScanPath FastestPath() {
#ifdef ZEV_PREFILTER_X86
    __builtin_cpu_init();
#endif
    if (ScanPathSupported(ScanPath::kAvx512)) return ScanPath::kAvx512;
    if (ScanPathSupported(ScanPath::kAvx2)) return ScanPath::kAvx2;
    if (ScanPathSupported(ScanPath::kSsse3)) return ScanPath::kSsse3;
    // The filter in plain C++ takes longer than stepping from character to
    // character (and SSE2 alone has no byte shuffle to look up its tables).
    return ScanPath::kStepping;
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
    if (path == ScanPath::kAvx512) return PrefilterBlockAvx512;
    if (path == ScanPath::kAvx2) return PrefilterBlockPadded<PrefilterBlockAvx2>;
    if (path == ScanPath::kSsse3) return PrefilterBlockPadded<PrefilterBlockSsse3>;
#endif
    (void)path;
    return PrefilterBlockPadded<PrefilterBlockPortable>;
}
