// SPDX-License-Identifier: GPL-3.0-or-later
// Rule texts of any bytes, with every tag, expanded for a real file: no
// parameter text reads out of bounds or overruns, and the result is always a
// legal name.
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string folder;

/// One core over a folder with a few files, made once per fuzzing run.
CRenameCore& Core() {
    static CRenameCore core;
    return core;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    std::string pattern = (std::filesystem::temp_directory_path() / "nrfuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    folder = pattern + "/";
    std::ofstream(folder + "IMG_0042 holiday 2004.jpg") << "not really a picture";
    std::ofstream(folder + "song.mp3") << "ID3";
    std::ofstream(folder + "notes") << "123456789";
    std::filesystem::create_directory(folder + "sub.dir");
    CFileCatalogue& catalogue = Core().GetCatalogue();
    AddDefaultColumns(catalogue);
    catalogue.SetFoldersAsFiles(true);
    Core().GetOptions().renameOnlySelected = false;
    Core().SetBatchMode(true);
    if (!catalogue.SetFolder(folder, true)) {
        std::abort();
    }
    catalogue.Refresh();
    std::atexit([] { std::filesystem::remove_all(folder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    CRenameCore& core = Core();
    CRenameOptions& options = core.GetOptions();
    options.name = CNameRuleBlock{};
    options.name.insertBeforeOn = true;
    options.name.insertBeforeText = text;
    options.extension = CNameRuleBlock{};
    options.extension.insertAfterOn = !text.empty() && (data[0] & 1) != 0;
    options.extension.insertAfterText = text;
    core.ComputeNewNames(true);
    // The listed names hold no character a name may not hold, so no row
    // may hold one either: not "/", no control character.
    for (std::size_t row = 0; row < core.GetPreviewTexts().GetRowCount(); ++row) {
        for (const char c : core.GetPreviewTexts().Text(row)) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '/' || byte < 0x20 || byte == 0x7F) {
                std::abort();
            }
        }
    }
    (void)core.ExpandRuleText(text);
    return 0;
}
