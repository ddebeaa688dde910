#include "engine/RenameCore.h"

#include "catalogue/NameParts.h"
#include "engine/NameText.h"
#include "engine/RenameScripts.h"
#include "platform/FileSystem.h"
#include "platform/OutputFile.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

std::string Text(int id) {
    return std::string(LookupString(id));
}

int64_t NowMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

/// The name part of a path: what follows its last "/".
std::string_view LastComponent(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

/// The autonumber texts read as numbers: an empty text counts as 1.
int32_t ReadAutonumberText(const std::string& text) {
    return text.empty() ? 1 : LeadingInteger(text);
}

/// Wrapping addition, so that a counter at the 32-bit limit turns over
/// instead of overflowing.
int32_t AddWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int64_t kProgressDelayMilliseconds = 1500;

/// Sorted rows visit the entries out of the order they lie in memory (the
/// scan's), so that nearly every row would wait for its entry: the entry this
/// many rows ahead is asked for early.
constexpr int kPrefetchRows = 8;

void PrefetchEntry(const CFileEntry& entry) {
    const char* bytes = reinterpret_cast<const char*>(&entry);
    for (std::size_t offset = 0; offset < sizeof(CFileEntry); offset += 64) {
        __builtin_prefetch(bytes + offset);
    }
}

} // namespace

std::string FormatSystemError(int code) {
    if (code == 0) {
        return {};
    }
    std::string text = "(#" + std::to_string(code) + ") " + platform::SystemErrorText(code);
    std::string oneLine;
    oneLine.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            oneLine += ' ';
            ++i;
        } else if (text[i] == '\n') {
            oneLine += ' ';
        } else {
            oneLine += text[i];
        }
    }
    return oneLine;
}

/// The catalogue of the core: every refresh recomputes the preview.
class CRenameCore::CCoreCatalogue : public CFileCatalogue {
public:
    explicit CCoreCatalogue(CRenameCore& core) : owner(core) {}

protected:
    void OnRowsAboutToChange() override { owner.frontEnd->OnRowsAboutToChange(); }
    void OnRowsChanged() override { owner.frontEnd->OnRowsChanged(); }
    void OnRefreshStart() override { owner.frontEnd->OnRefreshStarted(); }
    void OnFolderEnter(const std::string& folder, bool& stop) override {
        owner.frontEnd->OnFolderEntered(folder, stop);
    }
    // The preview always belongs to the rows as they stand: a refresh, a
    // sort, a move by hand and a new column order (the column tags read the
    // display order) recompute it.
    void OnRefreshDone() override {
        owner.ComputeNewNames(false);
        if (IsBusy()) {
            owner.frontEnd->OnRefreshEnded(false);
        }
    }
    void OnRefreshCancelled() override {
        owner.ComputeNewNames(false);
        owner.frontEnd->OnRefreshEnded(true);
    }
    void OnSortChanged(int /*column*/, bool /*ascending*/) override { owner.ComputeNewNames(false); }
    void OnColumnOrderChanged() override { owner.ComputeNewNames(false); }
    void OnItemChanged(int row) override { owner.OnCatalogueSelection(row); }

private:
    CRenameCore& owner;
};

/// Which rules of a block take part in a computation, with their numbers
/// read once.
struct CRenameCore::CActiveRules {
    bool replaceWith = false;
    bool replaceText = false;
    bool leftCrop = false;
    bool rightCrop = false;
    bool cropAt = false;
    bool insertBefore = false;
    bool insertAfter = false;
    bool insertAt = false;
    int64_t leftCropCount = 0;
    int64_t rightCropCount = 0;
    int64_t cropPosition = 0;
    int64_t cropCount = 0;
    int64_t insertAtPosition = 0;

    explicit CActiveRules(const CNameRuleBlock& block) {
        replaceWith = block.replaceWithOn;
        replaceText = block.replaceTextOn && !block.searchText.empty();
        if (block.leftCropOn && !block.leftCropCount.empty()) {
            leftCrop = true;
            leftCropCount = LeadingInteger(block.leftCropCount);
        }
        if (block.rightCropOn && !block.rightCropCount.empty()) {
            rightCropCount = LeadingInteger(block.rightCropCount);
            rightCrop = rightCropCount > 0;
        }
        if (block.cropAtOn && !block.cropPosition.empty() && !block.cropCount.empty()) {
            cropPosition = LeadingInteger(block.cropPosition);
            cropCount = LeadingInteger(block.cropCount);
            cropAt = cropPosition >= 0 && cropCount >= 1;
        }
        insertBefore = block.insertBeforeOn && !block.insertBeforeText.empty();
        insertAfter = block.insertAfterOn && !block.insertAfterText.empty();
        if (block.insertAtOn && !block.insertAtPosition.empty() && !block.insertAtText.empty()) {
            insertAtPosition = LeadingInteger(block.insertAtPosition);
            insertAt = insertAtPosition >= 0;
        }
    }
};

CRenameCore::CRenameCore(CRenameFrontEnd* driver)
    : frontEnd(driver != nullptr ? driver : &defaultFrontEnd),
      catalogue(std::make_unique<CCoreCatalogue>(*this)),
      expander(std::make_unique<CTagExpander>(*this)) {}

CRenameCore::~CRenameCore() = default;

void CRenameCore::SetFrontEnd(CRenameFrontEnd* driver) {
    frontEnd = driver != nullptr ? driver : &defaultFrontEnd;
}

CFileCatalogue& CRenameCore::GetCatalogue() {
    return *catalogue;
}
const CFileCatalogue& CRenameCore::GetCatalogue() const {
    return *catalogue;
}

void CRenameCore::OnCatalogueSelection(int row) {
    if (!selectionNotices) {
        return;
    }
    // The set of files to rename depends on the selection.
    if (options.renameOnlySelected && !batchMode) {
        ComputeNewNames(false);
    }
    frontEnd->OnSelectionChanged(row);
}

void CRenameCore::SetRowsSelected(const std::vector<std::pair<int, int>>& ranges, bool selected) {
    if (selected) {
        ChangeRowSelection({}, ranges);
    } else {
        ChangeRowSelection(ranges, {});
    }
}

void CRenameCore::ChangeRowSelection(const std::vector<std::pair<int, int>>& deselected,
                                     const std::vector<std::pair<int, int>>& selected) {
    const int rowCount = catalogue->GetRowCount();
    bool changed = false;
    selectionNotices = false;
    for (const bool select : {false, true}) {
        for (const auto& [first, last] : select ? selected : deselected) {
            for (int row = std::max(first, 0); row <= last && row < rowCount; ++row) {
                if (catalogue->IsRowSelected(row) != select) {
                    catalogue->SetRowSelected(row, select);
                    changed = true;
                }
            }
        }
    }
    selectionNotices = true;
    if (changed) {
        OnCatalogueSelection(-1);
    }
}

void CRenameCore::TogglePreview() {
    autoPreview = !autoPreview;
    ComputeNewNames(false);
}

bool CRenameCore::LoadOptions(const std::string& path, int& error) {
    error = 0;
    if (!ReadOptionsFile(path, options, error)) {
        optionsFailure = FillText(LookupString(strings::kCannotReadOptionsFile),
                                  {path, FormatSystemError(error)});
        if (!batchMode) {
            frontEnd->ShowMessage(MessageKind::Warning, optionsFailure, msgbox::kWarningIcon);
        }
        return false;
    }
    optionsFailure.clear();
    frontEnd->OnOptionsChanged();
    return true;
}

void CRenameCore::LoadRememberedOptions(const std::string& settingsFilePath) {
    LoadOptionsFile(settingsFilePath, options);
    frontEnd->OnOptionsChanged();
}

bool CRenameCore::SaveOptions(const std::string& path, int& error) const {
    return SaveOptionsFile(path, options, error);
}

bool CRenameCore::RestoreDefaultOptions(const std::string& settingsFilePath) {
    int error = 0;
    const bool removed =
        platform::RemoveFile(settingsFilePath, error) || !platform::PathExists(settingsFilePath);
    options = CRenameOptions{};
    LoadOptionsFile(settingsFilePath, options);
    frontEnd->OnOptionsChanged();
    return removed;
}

// ---------------------------------------------------------------------------
// Name computation

void CRenameCore::SetPlaceholder() {
    previewRows.assign(1, CPreviewRow{Text(strings::kDoubleClickForPreview), false});
    previewPlaceholder = true;
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

void CRenameCore::ComputeNewNames(bool force) {
    frontEnd->OnPreviewAboutToChange();
    if (!force && !autoPreview) {
        SetPlaceholder();
        frontEnd->OnPreviewChanged();
        return;
    }
    const int rowCount = catalogue->GetRowCount();
    if (previewPlaceholder || previewRows.size() != static_cast<std::size_t>(rowCount)) {
        previewRows.assign(static_cast<std::size_t>(rowCount), CPreviewRow{});
    }
    previewPlaceholder = false;

    const bool processAll =
        batchMode || !options.renameOnlySelected || catalogue->GetSelectedCount() == 0;
    const bool foldersAsFiles = catalogue->GetFoldersAsFiles();

    const CAutonumberOptions& numbering = options.autonumber;
    state.start = ReadAutonumberText(numbering.start);
    state.increment = ReadAutonumberText(numbering.increment);
    state.zeroFill = ReadAutonumberText(numbering.zeroFill);
    state.base = numbering.base;
    state.manualDigits = numbering.manualDigits;
    state.counter = state.start;
    state.lastFolder.clear();

    const CActiveRules nameRules(options.name);
    const CActiveRules extensionRules(options.extension);

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

    std::string name;
    std::string extension;
    for (int row = 0; row < rowCount; ++row) {
        CPreviewRow& preview = previewRows[static_cast<std::size_t>(row)];
        const CFileEntry& entry = catalogue->GetRowEntry(row);
        if (row + kPrefetchRows < rowCount) {
            PrefetchEntry(catalogue->GetRowEntry(row + kPrefetchRows));
        }
        preview.selected = catalogue->IsRowSelected(row);
        state.entry = &entry;
        state.row = row;

        if ((!processAll && !preview.selected) || (entry.isFolder && !foldersAsFiles)) {
            preview.text.assign("<").append(entry.baseName);
            if (!entry.extension.empty()) {
                preview.text.append(".").append(entry.extension);
            }
            preview.text.append(">");
        } else {
            state.namePart = true;
            state.extensionPart = false;
            if (numbering.restartPerFolder && entry.folder != state.lastFolder) {
                state.counter = state.start;
                state.lastFolder = entry.folder;
            }
            name = entry.baseName;
            ApplyRuleBlock(name, options.name, nameRules);
            if (numbering.position != AutonumberPosition::None) {
                const std::string number =
                    FormatAutonumber(state.counter, static_cast<int32_t>(state.base),
                                     state.zeroFill, state.manualDigits);
                if (numbering.position == AutonumberPosition::BeforeName) {
                    name.insert(0, number);
                } else {
                    name += number;
                }
            }

            state.namePart = false;
            state.extensionPart = true;
            extension = entry.extension;
            ApplyRuleBlock(extension, options.extension, extensionRules);
            state.extensionPart = false;

            if (!extension.empty()) {
                name.append(".").append(extension);
            }
            // Assigned, not replaced: a row's text keeps its buffer from one
            // computation to the next.
            preview.text.assign(name);
            // A name that no rule changed stays as it is, even one that holds
            // characters a computed name may not (legal here): cleaning alone
            // is no reason to rename. A changed name is cleaned whole.
            if (name != entry.LongName()) {
                SanitiseNameInPlace(preview.text);
            }
            state.counter = AddWrapping(state.counter, state.increment);
            ++state.computedCount;
        }

        if (!batchMode) {
            ProgressStep(row, rowCount);
        }
        if (state.previewCancelled) {
            break;
        }
    }
    state.entry = nullptr;
    state.row = -1;

    if (state.progressShown) {
        frontEnd->CloseProgress();
        state.progressShown = false;
    }
    if (state.previewCancelled) {
        previewRows.clear();
        if (autoPreview) {
            TogglePreview();
        } else {
            ComputeNewNames(false);
        }
        // Keep the flag for the caller: the computation did not finish.
        state.previewCancelled = true;
        return;
    }
    previewHeader = FillText("%s - [ %u %s ]",
                             {LookupString(strings::kColumnPreview),
                              std::to_string(previewRows.size()), LookupString(strings::kItems)});
    frontEnd->OnPreviewChanged();
}

// ---------------------------------------------------------------------------
// Rename and undo

std::vector<CRenamePair> CRenameCore::CollectRenamePairs(bool fullNewPath) const {
    std::vector<CRenamePair> pairs;
    if (previewPlaceholder) {
        return pairs;
    }
    const int rowCount = std::min(catalogue->GetRowCount(), static_cast<int>(previewRows.size()));
    pairs.reserve(static_cast<std::size_t>(rowCount));
    for (int row = 0; row < rowCount; ++row) {
        if (row + kPrefetchRows < rowCount) {
            PrefetchEntry(catalogue->GetRowEntry(row + kPrefetchRows));
        }
        const std::string& text = previewRows[static_cast<std::size_t>(row)].text;
        if (text.empty() || text[0] == '<') {
            continue;
        }
        const CFileEntry& entry = catalogue->GetRowEntry(row);
        if (text == entry.LongName()) {
            continue;
        }
        CRenamePair& pair = pairs.emplace_back();
        pair.oldPath.reserve(entry.folder.size() + entry.LongName().size());
        pair.oldPath.append(entry.folder).append(entry.LongName());
        if (fullNewPath) {
            pair.newPath.reserve(entry.folder.size() + text.size());
            pair.newPath.append(entry.folder).append(text);
        } else {
            pair.newPath = text;
        }
        pair.isFolder = entry.isFolder;
    }
    if (catalogue->GetRecursive() && catalogue->GetFoldersAsFiles()) {
        // A folder moves after everything inside it: files first, then the
        // folders, the longest (deepest) old path first.
        std::stable_partition(pairs.begin(), pairs.end(),
                              [](const CRenamePair& pair) { return !pair.isFolder; });
        const auto firstFolder = std::find_if(
            pairs.begin(), pairs.end(), [](const CRenamePair& pair) { return pair.isFolder; });
        std::stable_sort(firstFolder, pairs.end(), [](const CRenamePair& a, const CRenamePair& b) {
            return a.oldPath.size() > b.oldPath.size();
        });
    }
    return pairs;
}

void CRenameCore::RecordFailure(int code, const std::string& from, const std::string& to) {
    failures.push_back(CRenameFailure{code, FormatSystemError(code), from, to});
}

// The journal line goes out before the move, so that a run killed in
// between leaves a script that knows every move that was made. A move that
// the journal could not take is not made: false, and the run stops there.
bool CRenameCore::JournalMove(const CRenamePair& pair) {
    if (journal == nullptr) {
        return true;
    }
    if (!journal->AddMove(pair.oldPath, pair.newPath)) {
        journalError = journal->GetError() != 0 ? journal->GetError() : EIO;
        return false;
    }
    return true;
}

void CRenameCore::JournalOutcome(bool moved) {
    if (journal == nullptr) {
        return;
    }
    if (moved) {
        // A script that cannot take its path goes on under its temporary
        // name; Finish reports it.
        int ignored = 0;
        (void)journal->Commit(ignored);
    } else if (!journal->CancelLastMove()) {
        journalError = journal->GetError() != 0 ? journal->GetError() : EIO;
    }
}

void CRenameCore::ReportJournalStop() {
    frontEnd->WriteConsoleLine(FillText(LookupString(strings::kUndoScriptCannotRecord),
                                        {journal->GetPath(), FormatSystemError(journalError)}));
}

int CRenameCore::MovePairs(std::vector<CRenamePair>& pairs, bool undo) {
    const int count = static_cast<int>(pairs.size());
    int movedCount = 0;
    bool progressOpen = false;
    const int64_t startTick = NowMilliseconds();
    std::string line;
    for (int k = 1; k <= count; ++k) {
        if (!batchMode) {
            if (progressOpen) {
                frontEnd->SetProgress(k);
            } else if (NowMilliseconds() - startTick > kProgressDelayMilliseconds) {
                frontEnd->OpenProgress(
                    Text(undo ? strings::kUndoingPleaseWait : strings::kRenamingPleaseWait), false,
                    count, k);
                progressOpen = true;
            }
        }
        CRenamePair& pair = pairs[static_cast<std::size_t>(k - 1)];
        if (!undo && !JournalMove(pair)) {
            // No move that the undo script does not know of.
            ReportJournalStop();
            break;
        }
        int error = 0;
        const bool moved = platform::MoveNoReplace(pair.oldPath, pair.newPath, error);
        if (!undo) {
            JournalOutcome(moved);
        }
        if (!moved) {
            RecordFailure(error, pair.oldPath, pair.newPath);
        }
        if (batchMode) {
            line.assign(moved ? "OK: [" : "ERR: [")
                .append(pair.oldPath)
                .append("] -> [")
                .append(LastComponent(pair.newPath))
                .append("]");
            frontEnd->WriteConsoleLine(line);
        }
        if (moved && !undo) {
            if (movedCount == 0) {
                undoOldPaths.clear();
                undoNewPaths.clear();
                undoOldPaths.reserve(pairs.size() - static_cast<std::size_t>(k - 1));
                undoNewPaths.reserve(pairs.size() - static_cast<std::size_t>(k - 1));
            }
            undoOldPaths.push_back(std::move(pair.oldPath));
            undoNewPaths.push_back(std::move(pair.newPath));
        } else if (!moved && undo) {
            // Kept for the next Undo, as the rename recorded it.
            undoOldPaths.push_back(std::move(pair.newPath));
            undoNewPaths.push_back(std::move(pair.oldPath));
        }
        if (moved) {
            ++movedCount;
        }
        if (journalError != 0) {
            ReportJournalStop();
            break;
        }
    }
    if (progressOpen) {
        frontEnd->CloseProgress();
    }
    return movedCount;
}

int CRenameCore::RenameFiles() {
    renamedCount = 0;
    if (!batchMode && switches.askConfirmationBeforeRenaming) {
        // The question names what will be renamed: with renaming limited to
        // the selection, one selected file is "the selected files" too.
        const int selectedCount = catalogue->GetSelectedCount();
        const bool onlySelected = options.renameOnlySelected && selectedCount >= 1;
        const int question = selectedCount >= 2 || onlySelected ? strings::kConfirmRenameSelected
                                                                : strings::kConfirmRenameAll;
        if (frontEnd->ShowMessage(MessageKind::Question, Text(question), msgbox::kQuestionYesNo) !=
            msgbox::kYes) {
            return 0;
        }
    }
    if (!batchMode) {
        ComputeNewNames(true);
        if (state.previewCancelled) {
            return 0;
        }
    }
    std::vector<CRenamePair> pairs = CollectRenamePairs(true);
    if (pairs.empty()) {
        if (batchMode) {
            frontEnd->WriteConsoleLine(Text(strings::kNothingToRename));
        } else {
            frontEnd->ShowMessage(MessageKind::Information, Text(strings::kNothingToRename),
                                  msgbox::kInformationIcon);
        }
        return 0;
    }
    failures.clear();
    renamedCount = MovePairs(pairs, false);

    if (!failures.empty()) {
        if (batchMode) {
            for (const CRenameFailure& failure : failures) {
                frontEnd->WriteConsoleLine(
                    FillText(LookupString(strings::kRenameFailureReport),
                             {failure.fromPath, failure.toPath, failure.text}));
            }
        } else {
            frontEnd->ShowMessage(MessageKind::Error, Text(strings::kErrorsWhileRenaming),
                                  msgbox::kErrorIcon);
            frontEnd->ShowErrorList(failures);
        }
    }
    if (!batchMode) {
        if (renamedCount > 0 && switches.uncheckAllAfterRenaming) {
            UncheckAllRules(options);
            frontEnd->OnOptionsChanged();
        }
        catalogue->Refresh();
    }
    frontEnd->OnUndoStateChanged();
    return static_cast<int>(failures.size());
}

int CRenameCore::UndoRename() {
    if (undoOldPaths.empty()) {
        frontEnd->ShowMessage(MessageKind::Error, Text(strings::kNothingToUndo),
                              msgbox::kErrorIcon);
        return 0;
    }
    // The last move first: a file moved before its folder comes back after
    // the folder has, so nested renames are undone completely.
    std::vector<CRenamePair> pairs;
    pairs.reserve(undoOldPaths.size());
    for (std::size_t i = undoOldPaths.size(); i-- > 0;) {
        pairs.push_back(CRenamePair{undoNewPaths[i], undoOldPaths[i], false});
    }
    undoOldPaths.clear();
    undoNewPaths.clear();
    failures.clear();
    MovePairs(pairs, true);
    // The pairs that stayed came back last move first; the lists keep the
    // order in which the moves were made.
    std::reverse(undoOldPaths.begin(), undoOldPaths.end());
    std::reverse(undoNewPaths.begin(), undoNewPaths.end());
    if (!failures.empty()) {
        frontEnd->ShowMessage(MessageKind::Error, Text(strings::kErrorsWhileUndoing),
                              msgbox::kErrorIcon);
        frontEnd->ShowErrorList(failures);
    }
    catalogue->Refresh();
    frontEnd->OnUndoStateChanged();
    return static_cast<int>(failures.size());
}

// ---------------------------------------------------------------------------
// Scripts and listing

void CRenameCore::ShowCannotCreate(const std::string& path, int error) {
    if (batchMode) {
        return;
    }
    frontEnd->ShowMessage(MessageKind::Information,
                          FillText(LookupString(strings::kCannotCreateBatchFile), {path}) + "\n\n" +
                              FormatSystemError(error),
                          msgbox::kInformationIcon);
}

bool CRenameCore::WriteRenameScript(const std::string& chosenPath) {
    ComputeNewNames(true);
    if (state.previewCancelled) {
        return false;
    }
    std::vector<CRenamePair> pairs = CollectRenamePairs(true);
    if (pairs.empty()) {
        frontEnd->ShowMessage(MessageKind::Information, Text(strings::kNothingToRenameForScript),
                              msgbox::kInformationIcon);
        return false;
    }
    const std::string path =
        chosenPath.empty() ? frontEnd->ChooseSaveFile(SaveFileKind::RenameScript) : chosenPath;
    if (path.empty()) {
        return false;
    }
    CScriptWriter writer;
    int error = 0;
    bool ok = writer.Create(path, error);
    if (ok) {
        for (const CRenamePair& pair : pairs) {
            writer.Add(pair.oldPath, pair.newPath);
        }
        ok = writer.Finish(error);
    }
    if (!ok) {
        ShowCannotCreate(path, error);
        return false;
    }
    frontEnd->ShowMessage(MessageKind::Information, Text(strings::kRenameScriptSaved),
                          msgbox::kInformationIcon);
    return true;
}

bool CRenameCore::WriteUndoScriptFile(const std::string& path, int& error) const {
    CScriptWriter writer;
    if (!writer.Create(path, error)) {
        return false;
    }
    // The last move first, as the undo itself runs.
    for (std::size_t i = undoNewPaths.size(); i-- > 0;) {
        writer.Add(undoNewPaths[i], undoOldPaths[i]);
    }
    return writer.Finish(error);
}

bool CRenameCore::WriteUndoScript(const std::string& chosenPath) {
    if (undoNewPaths.empty()) {
        if (!batchMode) {
            frontEnd->ShowMessage(MessageKind::Error, Text(strings::kNothingToUndo),
                                  msgbox::kErrorIcon);
        }
        return false;
    }
    const std::string path =
        chosenPath.empty() ? frontEnd->ChooseSaveFile(SaveFileKind::UndoScript) : chosenPath;
    if (path.empty()) {
        return false;
    }
    int error = 0;
    if (!WriteUndoScriptFile(path, error)) {
        ShowCannotCreate(path, error);
        return false;
    }
    return true;
}

bool CRenameCore::SavePreviewListing(const std::string& chosenPath) {
    ComputeNewNames(true);
    const std::string path =
        chosenPath.empty() ? frontEnd->ChooseSaveFile(SaveFileKind::PreviewListing) : chosenPath;
    if (path.empty()) {
        return false;
    }
    platform::COutputFile file;
    int error = 0;
    bool ok = file.Create(path, false, error);
    if (ok) {
        for (const CPreviewRow& row : previewRows) {
            file.Write(row.text);
            file.Write("\r\n");
        }
        ok = file.Close(error);
    }
    if (!ok) {
        ShowCannotCreate(path, error);
        return false;
    }
    frontEnd->ShowMessage(MessageKind::Information, Text(strings::kPreviewListingSaved),
                          msgbox::kInformationIcon);
    return true;
}

// ---------------------------------------------------------------------------
// Batch run

int CRenameCore::RunBatch(const std::string& path, const std::string& undoFile,
                          const std::string& pause) {
    frontEnd->OpenConsole();
    frontEnd->WriteConsoleLine("");
    int status = 0;
    uint32_t attributes = 0;
    if (!optionsFailure.empty()) {
        // Renaming with other rules than the ones named would look like
        // success.
        frontEnd->WriteConsoleLine(optionsFailure);
        status = 2;
    } else if (!path.empty() && platform::GetAttributes(path, attributes) &&
               (attributes & platform::kAttrDirectory) != 0) {
        // The undo script is written while the files move (see MovePairs).
        // One that cannot be created goes to the temporary file at the end.
        CUndoJournal undoJournal;
        journalError = 0;
        if (!undoFile.empty()) {
            int error = 0;
            journal = undoJournal.Create(undoFile, error) ? &undoJournal : nullptr;
        }
        status = (RenameFiles() > 0 || journalError != 0) ? 1 : 0;
        journal = nullptr;
        if (!undoFile.empty() && renamedCount == 0) {
            undoJournal.Discard();
        } else if (!undoFile.empty()) {
            int error = 0;
            if (undoJournal.IsOpen() && journalError == 0 && undoJournal.Finish(error)) {
                frontEnd->WriteConsoleLine("");
                frontEnd->WriteConsoleLine(
                    FillText(LookupString(strings::kUndoScriptCreated), {undoFile}));
            } else {
                // The script is not where it was asked for: not a clean run.
                status = 1;
                undoJournal.Discard();
                frontEnd->WriteConsoleLine("");
                frontEnd->WriteConsoleLine(
                    FillText(LookupString(strings::kUndoScriptNotCreated), {undoFile}));
                const std::string tempName = frontEnd->MakeTempFileName();
                if (!tempName.empty() && WriteUndoScriptFile(tempName, error)) {
                    frontEnd->WriteConsoleLine(
                        FillText(LookupString(strings::kTempUndoScriptCreated), {tempName}));
                }
            }
        }
    } else {
        frontEnd->WriteConsoleLine(Text(strings::kInvalidAddress));
        status = 2;
    }
    if (pause.empty() || pause == "1") {
        frontEnd->WaitForKey(Text(strings::kPressKeyToStop));
    }
    frontEnd->ReleaseConsole();
    return status;
}
