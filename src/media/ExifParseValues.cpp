// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/ExifParseValues.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string_view>

namespace exif {

int32_t ToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

float ToFloat(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<float>(std::clamp(value, -double{FLT_MAX}, double{FLT_MAX}));
}

bool InchesPerUnit(int32_t code, float& inches) {
    switch (code) {
    case 1:
    case 2:
        inches = 1.0f;
        return true;
    case 3:
        inches = 0.3937008f;
        return true;
    case 4:
        inches = 0.03937008f;
        return true;
    case 5:
        inches = 0.00003937008f;
        return true;
    default:
        return false;
    }
}

std::string CopyText(const uint8_t* bytes, std::size_t count, std::size_t maxChars) {
    const auto* text = reinterpret_cast<const char*>(bytes);
    const auto end = static_cast<std::size_t>(std::find(text, text + count, '\0') - text);
    const std::string_view view(text, end);
    return std::string(view.substr(0, utf8::OffsetOfChar(view, maxChars)));
}

} // namespace exif
