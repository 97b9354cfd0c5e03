// The setup dialog, where the platform has one.
#ifndef ZEV_SETUPDIALOG_H
#define ZEV_SETUPDIALOG_H

#include <stdint.h>

// Runs the dialog modally, owned by `ownerWindow`, for the open dictionary.
// Returns type mask * 256 + level when the user confirmed, 0 when the
// choice was cancelled, and a negative value when there is no dialog.
int32_t RunSetupDialog(void* ownerWindow);

#endif
