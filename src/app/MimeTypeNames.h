// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/TypeNameSource.h"

/// Type descriptions from the shared MIME database, by file name only, in
/// the user's language; folders get the folder type.
class CMimeTypeNames : public CTypeNameSource {
public:
    std::string TypeName(const std::string& longName, uint32_t attributes) override;
};
