// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LeadingInteger.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace platform {
namespace {

int32_t ReadLeadingInteger(std::string_view text, std::string_view blanks) {
    const std::size_t start = text.find_first_not_of(blanks);
    if (start == std::string_view::npos) {
        return 0;
    }
    text.remove_prefix(start);
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') {
        text.remove_prefix(1);
    }
    // An unsigned reading takes no second sign: "--5" and "+-5" give 0.
    constexpr auto kMax = static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
    const uint32_t limit = negative ? kMax + 1 : kMax;
    uint32_t magnitude = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range || magnitude > limit) {
        magnitude = limit;
    }
    return negative ? static_cast<int32_t>(-int64_t{magnitude}) : static_cast<int32_t>(magnitude);
}

} // namespace

int32_t LeadingInteger(std::string_view text) {
    return ReadLeadingInteger(text, " ");
}

int32_t LeadingIntegerAfterWhiteSpace(std::string_view text) {
    return ReadLeadingInteger(text, " \t\n\v\f\r");
}

} // namespace platform
