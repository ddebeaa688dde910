// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/RowOrder.h"

#include <vector>

/// Many file systems list a folder in the order of its names, or in that
/// order backwards (tmpfs lists the newest first). When the rows already
/// stand in the order CompareEntries gives for these settings, or every row
/// comes strictly after the next, the rows are put in that order (turned
/// around in the second case) and the answer is true: the sort has nothing
/// left to do. Otherwise false, with the rows as they were. Looks at two
/// neighbours at a time and stops at the first pair that fits neither.
bool UseListedOrder(std::vector<CCatalogueRow>& rows, const CRowOrder& order);
