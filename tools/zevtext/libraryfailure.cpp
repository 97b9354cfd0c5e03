#include "libraryfailure.h"

#include "zev.h"

namespace zevtool {

std::string LibraryFailure() {
    const uint16_t code = zevGetZevLastError();
    switch (code) {
        case ZEV_ERR_WIN32: {
            char message[ZEV_TEXT_BUFFER];
            char system[1024] = {0};
            zevGetZevErrorText(code, message, system);
            return system[0] ? system : "a system call failed";
        }
        case ZEV_ERR_NOT_OPEN:
            return "no dictionary is open";
        case ZEV_ERR_ALREADY_OPEN:
            return "a dictionary is already open";
        case ZEV_ERR_DATA_EMPTY:
            return "the dictionary has no entries";
        case ZEV_ERR_NO_FREE_SLOT:
            return "the dictionary is full (16384 entries)";
        case ZEV_ERR_PARAMETER:
            return "the library refused a value";
        case ZEV_ERR_INDEX_RANGE:
            return "an entry number is out of range";
        case ZEV_ERR_NO_DATA_AT_INDEX:
            return "an entry is missing";
        case ZEV_ERR_FORMAT:
            return "the file is not a dictionary file";
        default:
            return "the dictionary library failed (code " + std::to_string(code) + ")";
    }
}

}  // namespace zevtool
