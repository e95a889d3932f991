#pragma once
// The information-category list: a CP932 text file named in EDI.ini, one
// category a line, code in characters 1-4 and name in characters 5-24.

#include "core/ports.h"

// Reads the file; false, with the reason in Unread, when it does not exist (an
// empty path included) or is no readable regular file of at most 1 MiB.
// Codes and names are kept untrimmed, as the file has them.
bool ReadInformationCategories(const QString& path, InformationCategories& list);
