// Conversion of a one-line "|"-separated filter into the NUL-separated,
// double-NUL-ended list that the common file dialogs expect.
#ifndef HOBU_FILTER_H
#define HOBU_FILTER_H

#include "hobu.h"

// Copies `filter` (null counts as empty) into `buffer` and turns every "|"
// into NUL. A filter too long for the buffer keeps only the description and
// pattern pairs that fit whole, and the list still ends in two NULs.
void ConvertFilter(const char* filter, char (&buffer)[HOBU_FILTER_BUFFER]);

#endif
