// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

/// Where the catalogue gets the type description of an entry from. The
/// application supplies the desktop's MIME database; tests supply their own.
class CTypeNameSource {
public:
    virtual ~CTypeNameSource() = default;
    /// The description for a long name and its attribute bits, found by name
    /// only, never by reading the file.
    virtual std::string TypeName(const std::string& longName, uint32_t attributes) = 0;
};
