// The level and type selection: runs the setup dialog and hands the choice
// back as a level byte and a type-mask byte.
#include "dictionary.h"
#include "setupdialog.h"

extern Dictionary theDictionary;

#ifndef _WIN32
// No dialog outside Windows: the choice is always cancelled.
int32_t RunSetupDialog(void* /*ownerWindow*/) { return 0; }
#endif

int Dictionary::SetupDic(void* ownerWindow, uint8_t* level, uint8_t* typeMask) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    int32_t choice = RunSetupDialog(ownerWindow);
    if (choice <= 0) return Fail(ZEV_ERR_SETUP_CANCELLED);
    if (level) *level = static_cast<uint8_t>(choice & 0xFF);
    if (typeMask) *typeMask = static_cast<uint8_t>((choice >> 8) & 0xFF);
    return Succeed();
}

extern "C" int ZEVAPI zevSetupDic(void* ownerWindow, uint8_t* level, uint8_t* typeMask) {
    return theDictionary.SetupDic(ownerWindow, level, typeMask);
}
