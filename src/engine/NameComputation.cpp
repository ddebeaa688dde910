// SPDX-License-Identifier: GPL-3.0-or-later
// The name computation of CRenameCore: the rule blocks, the tags of rule
// texts, the autonumber and the progress of a long computation.
#include "engine/RenameCore.h"

#include "catalogue/NameParts.h"
#include "engine/ActiveRules.h"
#include "engine/CoreCatalogue.h"
#include "engine/NameText.h"
#include "engine/RenameCoreHelpers.h"
#include "resources/StringTable.h"

#include <string>

using corehelp::kClockRows;
using corehelp::kPrefetchRows;
using corehelp::kProgressDelayMilliseconds;
using corehelp::NowMilliseconds;
using corehelp::PrefetchEntry;
using corehelp::Text;

namespace {

/// The autonumber texts read as numbers: an empty text counts as 1.
int32_t ReadAutonumberText(const std::string& text) {
    return text.empty() ? 1 : LeadingInteger(text);
}

/// Wrapping addition, so that a counter at the 32-bit limit turns over
/// instead of overflowing.
int32_t AddWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

} // namespace

void CRenameCore::SetPlaceholder() {
    previewTexts.SetSingleText(Text(strings::kDoubleClickForPreview));
    previewPlaceholder = true;
    conflicts.Clear();
}

std::string CRenameCore::ExpandRuleText(std::string_view text) {
    std::string result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open =
            state.previewCancelled ? std::string_view::npos : text.find('<', pos);
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t close = text.find('>', open + 1);
        if (close == std::string_view::npos) {
            return expander->ErrorText();
        }
        result.append(text, pos, open - pos);
        result += expander->EvaluateTag(text.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
    if (pos < text.size()) {
        result.append(text, pos, std::string_view::npos);
    }
    return result;
}

void CRenameCore::ApplyRuleBlock(std::string& text, const CNameRuleBlock& block,
                                 const CActiveRules& active) {
    if (active.replaceWith) {
        text = ExpandRuleText(block.replaceWithText);
    }
    if (active.replaceText) {
        text = ReplaceText(text, block.searchText, ExpandRuleText(block.replacementText),
                           block.matchCase);
    }
    if (active.leftCrop) {
        const auto length = static_cast<int64_t>(CharCount(text));
        const int64_t n = active.leftCropCount;
        if (n >= length) {
            text.clear();
        } else if (n > 0) {
            text = LastChars(text, static_cast<std::size_t>(length - n));
        }
    }
    if (active.rightCrop) {
        const auto length = static_cast<int64_t>(CharCount(text));
        const int64_t keep = length - active.rightCropCount;
        if (keep < 1) {
            text.clear();
        } else {
            text = FirstChars(text, static_cast<std::size_t>(keep));
        }
    }
    if (active.cropAt) {
        const auto length = static_cast<int64_t>(CharCount(text));
        const int64_t p = active.cropPosition;
        const int64_t rest = length - p - active.cropCount;
        if (rest >= 1) {
            text = FirstChars(text, static_cast<std::size_t>(p)) +
                   LastChars(text, static_cast<std::size_t>(rest));
        } else if (!state.extensionPart) {
            // The cut reaches the end: the name keeps what stands before it,
            // the extension stays as it is.
            text = FirstChars(text, static_cast<std::size_t>(p));
        }
    }
    if (active.insertBefore) {
        text = ExpandRuleText(block.insertBeforeText) + text;
    }
    if (active.insertAfter) {
        text += ExpandRuleText(block.insertAfterText);
    }
    if (active.insertAt) {
        const auto length = static_cast<int64_t>(CharCount(text));
        if (active.insertAtPosition <= length) {
            text = InsertAtChar(text, static_cast<std::size_t>(active.insertAtPosition),
                                ExpandRuleText(block.insertAtText));
        }
    }
    switch (block.caseMode) {
    case CaseMode::Upper:
        text = ToUpperText(text);
        break;
    case CaseMode::Lower:
        text = ToLowerText(text);
        break;
    case CaseMode::WordsCapitalised:
        if (!text.empty()) {
            text = CapitaliseWords(text);
        }
        break;
    case CaseMode::FirstCapitalised:
        if (!text.empty()) {
            text = CapitaliseFirst(text);
        }
        break;
    case CaseMode::Unchanged:
        break;
    }
    if (block.removeAccents) {
        text = RemoveAccents(text);
    }
}

void CRenameCore::ProgressStep(int row, int rowCount) {
    if (state.progressShown) {
        frontEnd->SetProgress(row);
        if (frontEnd->IsProgressCancelled()) {
            state.previewCancelled = true;
        }
    } else if (NowMilliseconds() - state.startTick > kProgressDelayMilliseconds) {
        frontEnd->OpenProgress(Text(strings::kComputingPreview), true, rowCount, row);
        state.progressShown = true;
    }
}

bool CRenameCore::ReportTagProgress() {
    if (!batchMode && state.row >= 0) {
        ProgressStep(state.row, catalogue->GetRowCount());
    }
    return state.previewCancelled;
}

bool CRenameCore::BeginNewNames(bool force) {
    piecewise.Stop();
    frontEnd->OnPreviewAboutToChange();
    if (!force && !autoPreview) {
        SetPlaceholder();
        frontEnd->OnPreviewChanged();
        return false;
    }
    const int rowCount = catalogue->GetRowCount();
    // Every row is computed anew: the texts of the last computation go.
    previewTexts.Reset(static_cast<std::size_t>(rowCount));
    previewPlaceholder = false;

    const CAutonumberOptions& numbering = options.autonumber;
    state.start = ReadAutonumberText(numbering.start);
    state.increment = ReadAutonumberText(numbering.increment);
    state.zeroFill = ReadAutonumberText(numbering.zeroFill);
    state.base = numbering.base;
    state.manualDigits = numbering.manualDigits;
    state.counter = state.start;
    state.lastFolder.clear();

    state.timeStamp = platform::GetCurrentCalendarTime(switches.insertDateAsUtc);
    state.maskText = catalogue->GetMask();
    state.maskIsRegex = !state.maskText.empty() && state.maskText[0] == ':';
    if (state.maskIsRegex) {
        state.maskText.erase(0, 1);
    }
    state.startTick = NowMilliseconds();
    state.computedCount = 0;
    state.previewCancelled = false;
    state.progressShown = false;
    return true;
}

bool CRenameCore::ProcessesAllRows() const {
    return batchMode || !options.renameOnlySelected || catalogue->GetSelectedCount() == 0;
}

void CRenameCore::ComputeRow(int row, bool processed, const CActiveRules& nameRules,
                             const CActiveRules& extensionRules) {
    const auto index = static_cast<std::size_t>(row);
    const CFileEntry& entry = catalogue->GetRowEntry(row);
    state.entry = &entry;
    state.row = row;
    if (!processed) {
        previewTexts.SetKept(index);
        return;
    }
    const CAutonumberOptions& numbering = options.autonumber;
    state.namePart = true;
    state.extensionPart = false;
    std::string& name = scratchName;
    name = entry.BaseName();
    ApplyRuleBlock(name, options.name, nameRules);
    if (numbering.position != AutonumberPosition::None) {
        const std::string number = FormatAutonumber(
            state.counter, static_cast<int32_t>(state.base), state.zeroFill, state.manualDigits);
        if (numbering.position == AutonumberPosition::BeforeName) {
            name.insert(0, number);
        } else {
            name += number;
        }
    }

    state.namePart = false;
    state.extensionPart = true;
    std::string& extension = scratchExtension;
    extension = entry.Extension();
    ApplyRuleBlock(extension, options.extension, extensionRules);
    state.extensionPart = false;

    if (!extension.empty()) {
        name.append(".").append(extension);
    }
    // A name that no rule changed stays as it is, even one that holds
    // characters a computed name may not (legal here): cleaning alone is no
    // reason to rename. A changed name is cleaned whole.
    if (name == entry.LongName()) {
        previewTexts.SetSame(index);
        return;
    }
    SanitiseNameInPlace(name);
    previewTexts.SetComputed(index, name);
}

void CRenameCore::ComputeNewNames(bool force) {
    if (!BeginNewNames(force)) {
        return;
    }
    const int rowCount = catalogue->GetRowCount();
    const bool processAll = ProcessesAllRows();
    const bool foldersAsFiles = catalogue->GetFoldersAsFiles();
    const CAutonumberOptions& numbering = options.autonumber;
    const CActiveRules nameRules(options.name);
    const CActiveRules extensionRules(options.extension);

    for (int row = 0; row < rowCount; ++row) {
        const CFileEntry& entry = catalogue->GetRowEntry(row);
        if (row + kPrefetchRows < rowCount) {
            PrefetchEntry(catalogue->GetRowEntry(row + kPrefetchRows));
        }
        const bool processed = (processAll || catalogue->IsRowSelected(row)) &&
                               (!entry.IsFolder() || foldersAsFiles);
        if (processed && numbering.restartPerFolder && entry.Folder() != state.lastFolder) {
            state.counter = state.start;
            state.lastFolder = entry.Folder();
        }
        ComputeRow(row, processed, nameRules, extensionRules);
        if (processed) {
            state.counter = AddWrapping(state.counter, state.increment);
            ++state.computedCount;
        }

        if (!batchMode && (state.progressShown || row % kClockRows == 0)) {
            ProgressStep(row, rowCount);
        }
        if (state.previewCancelled) {
            break;
        }
    }
    EndNewNames();
}

void CRenameCore::EndNewNames() {
    state.entry = nullptr;
    state.row = -1;

    if (state.progressShown) {
        frontEnd->CloseProgress();
        state.progressShown = false;
    }
    if (state.previewCancelled) {
        // A cancel switches the automatic preview off and leaves the
        // double-click row, closing the notice this computation opened.
        piecewise.Stop();
        autoPreview = false;
        SetPlaceholder();
        frontEnd->OnPreviewChanged();
        // Keep the flag for the caller: the computation did not finish.
        return;
    }
    SetCountHeader();
    // The window marks the rows whose move would fail; a batch run only
    // reports the moves it makes.
    if (batchMode) {
        conflicts.Clear();
    } else {
        // No view of a row is held here: texts replaced since the start go.
        previewTexts.CompactIfWasteful();
        conflicts.Compute(*catalogue, previewTexts, switches.allowSwapsAndChains);
        if (const int collisions = conflicts.GetCount(); collisions > 0) {
            previewHeader += FillText(" - [ %u %s ]",
                                      {std::to_string(collisions),
                                       LookupString(collisions == 1 ? strings::kCollision
                                                                    : strings::kCollisions)});
        }
        // Moves in a folder that could not be read are not known to succeed.
        if (const int unchecked = conflicts.GetUncheckedCount(); unchecked > 0) {
            previewHeader += FillText(
                " - [ %u %s ]", {std::to_string(unchecked), LookupString(strings::kUncheckedRows)});
        }
    }
    frontEnd->OnPreviewChanged();
}

void CRenameCore::SetCountHeader() {
    previewHeader = FillText("%s - [ %u %s ]", {LookupString(strings::kColumnPreview),
                                                std::to_string(previewTexts.GetRowCount()),
                                                LookupString(strings::kItems)});
}
