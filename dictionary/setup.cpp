// The level and type selection. Until the dialog exists the choice is always
// cancelled.
#include "dictionary.h"

extern Dictionary theDictionary;

int Dictionary::SetupDic(void* /*ownerWindow*/, uint8_t* /*level*/, uint8_t* /*typeMask*/) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    return Fail(ZEV_ERR_SETUP_CANCELLED);
}

extern "C" int ZEVAPI zevSetupDic(void* ownerWindow, uint8_t* level, uint8_t* typeMask) {
    return theDictionary.SetupDic(ownerWindow, level, typeMask);
}
