// File commands of the editor.
#include "editor.h"

// Closing is always allowed until the file commands (New, Open, Save, Save As) can save
// the dictionary; then this asks before unsaved changes are lost.
bool QuerySaveChanges(HWND) { return true; }
