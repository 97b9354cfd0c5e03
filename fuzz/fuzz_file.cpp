// Fuzz target: any bytes as a dictionary file. Whatever the structural test
// says, the file is opened; an opened dictionary is read through every
// getter, converted, saved, reopened and compared with what was read first.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include "fuzz_support.h"

namespace {

// The input text of the conversion: the file's own bytes without zeros, so
// that the texts of its entries occur in it. The reference scan tries every
// entry at every position, so a large table gets a shorter text.
std::string ConversionInput(const uint8_t* data, size_t size, int dataCount) {
    const size_t longest = dataCount > 256 ? 64 : 512;
    std::string text;
    for (size_t i = 0; i < size && text.size() < longest; ++i)
        if (data[i] != 0) text += static_cast<char>(data[i]);
    return text;
}

void CheckClosed() {
    FUZZ_CHECK(zevIsOpen() == 0);
    FUZZ_CHECK(zevGetLevelCount() == 0 && zevGetTypeCount() == 0 && zevGetDataCount() == 0);
}

void CheckOpened(const uint8_t* data, size_t size, const std::string& outPath,
                 const std::string& againPath) {
    fuzz::Snapshot first = fuzz::TakeSnapshot();
    int typeCount = static_cast<int>(first.types.size());
    std::string input = ConversionInput(data, size, first.dataCount);
    for (uint32_t flags = 0; flags < 4; ++flags) {
        fuzz::CheckConversion(first.slots, typeCount, first.dataCount, input, 65535, 255, 0xFF,
                              flags);
        fuzz::CheckConversion(first.slots, typeCount, first.dataCount, input, 9, 2, 0x05, flags);
    }

    FUZZ_CHECK(zevSaveDic(outPath.c_str()) == 1);
    FUZZ_CHECK(zevCloseDic() == 1);
    CheckClosed();
    FUZZ_CHECK(zevOpenDic(outPath.c_str()) == 1);
    fuzz::Snapshot second = fuzz::TakeSnapshot();
    FUZZ_CHECK(second == first);

    // What the library wrote, it writes again the same.
    FUZZ_CHECK(zevSaveDic(againPath.c_str()) == 1);
    FUZZ_CHECK(fuzz::ReadFile(outPath) == fuzz::ReadFile(againPath));
    FUZZ_CHECK(zevCloseDic() == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string inPath = fuzz::ScratchPath("in.zev");
    static const std::string outPath = fuzz::ScratchPath("out.zev");
    static const std::string againPath = fuzz::ScratchPath("again.zev");
    if (zevIsOpen()) zevCloseDic();
    FUZZ_CHECK(fuzz::WriteFile(inPath, data, size));

    int isZev = zevIsZevFormat(inPath.c_str());
    FUZZ_CHECK(zevGetZevLastError() == (isZev ? ZEV_ERR_NONE : ZEV_ERR_FORMAT));
    if (isZev) FUZZ_CHECK(size >= 44);

    if (zevOpenDic(inPath.c_str())) {
        FUZZ_CHECK(zevGetZevLastError() == ZEV_ERR_NONE);
        CheckOpened(data, size, outPath, againPath);
    } else {
        FUZZ_CHECK(zevGetZevLastError() == ZEV_ERR_FORMAT);
        CheckClosed();
    }
    remove(inPath.c_str());
    remove(outPath.c_str());
    remove(againPath.c_str());
    return 0;
}
