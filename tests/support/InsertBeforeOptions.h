// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/CrLf.h"

#include <string>

/// An options file that puts text in front of every name and does nothing
/// else: the rename of most batch runs in the tests and the bench.
inline std::string InsertBeforeOptions(const std::string& text = "x_") {
    return CrLf({"[Filename]", "InsertBefore=1", "InsertBeforeValue=\"" + text + "\""});
}
