// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ListedOrder.h"

#include <algorithm>
#include <cstddef>

bool UseListedOrder(std::vector<CCatalogueRow>& rows, const CRowOrder& order) {
    if (rows.size() < 2) {
        return true;
    }
    const auto compare = [&rows, &order](std::size_t i) {
        return CompareEntries(*rows[i].entry, *rows[i + 1].entry, order);
    };
    std::size_t i = 0;
    while (i + 1 < rows.size() && compare(i) <= 0) {
        ++i;
    }
    if (i + 1 == rows.size()) {
        return true;
    }
    // Equal neighbours keep their order in a stable sort, so only a list
    // whose every row is strictly after the next is the order backwards.
    if (i > 0) {
        return false;
    }
    while (i + 1 < rows.size() && compare(i) > 0) {
        ++i;
    }
    if (i + 1 < rows.size()) {
        return false;
    }
    std::reverse(rows.begin(), rows.end());
    return true;
}
