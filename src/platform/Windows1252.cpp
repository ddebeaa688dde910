// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Windows1252.h"

#include "platform/Utf8.h"

#include <unicode/ucnv.h>

#include <memory>

namespace platform {
namespace {

struct CCloseConverter {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

/// One converter per thread, opened at its first use: opening costs more
/// than converting an ID3v1 field.
UConverter* Windows1252Converter() {
    thread_local const std::unique_ptr<UConverter, CCloseConverter> converter = [] {
        UErrorCode error = U_ZERO_ERROR;
        UConverter* opened = ucnv_open("windows-1252", &error);
        return std::unique_ptr<UConverter, CCloseConverter>(U_SUCCESS(error) ? opened : nullptr);
    }();
    return converter.get();
}

/// The code page has no shift states, so a text converts piece by piece;
/// a piece of this many bytes makes at most three times as many.
constexpr std::size_t kPieceBytes = 64 * 1024;

} // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    UConverter* converter = Windows1252Converter();
    for (std::size_t pos = 0; pos < bytes.size(); pos += kPieceBytes) {
        const std::string_view piece = bytes.substr(pos, kPieceBytes);
        const std::size_t start = out.size();
        out.resize(start + 3 * piece.size());
        UErrorCode error = U_ZERO_ERROR;
        const int32_t length = ucnv_toAlgorithmic(
            UCNV_UTF8, converter, out.data() + start, static_cast<int32_t>(3 * piece.size()),
            piece.data(), static_cast<int32_t>(piece.size()), &error);
        if (U_SUCCESS(error)) {
            out.resize(start + static_cast<std::size_t>(length));
            continue;
        }
        // Without ICU's data (never in a normal installation) the bytes are
        // read as ISO-8859-1, the code page without its 0x80-0x9F table.
        out.resize(start);
        for (const char c : piece) {
            utf8::Append(out, static_cast<unsigned char>(c));
        }
    }
    return out;
}

} // namespace platform
