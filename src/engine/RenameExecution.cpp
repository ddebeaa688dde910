// Rename and undo of CRenameCore: the moves the preview describes, made in
// order, recorded in the undo lists and, in a batch run, in the undo script
// as they are made.
#include "engine/RenameCore.h"

#include "engine/CoreCatalogue.h"
#include "engine/RenameCoreHelpers.h"
#include "engine/RenameScripts.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cerrno>

using corehelp::kPrefetchRows;
using corehelp::kProgressDelayMilliseconds;
using corehelp::NowMilliseconds;
using corehelp::PrefetchEntry;
using corehelp::Text;

namespace {

/// The name part of a path: what follows its last "/".
std::string_view LastComponent(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

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
        pair.oldPath.reserve(entry.Folder().size() + entry.LongName().size());
        pair.oldPath.append(entry.Folder()).append(entry.LongName());
        if (fullNewPath) {
            pair.newPath.reserve(entry.Folder().size() + text.size());
            pair.newPath.append(entry.Folder()).append(text);
        } else {
            pair.newPath = text;
        }
        pair.isFolder = entry.IsFolder();
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

int CRenameCore::RenameFilesJournalled(CUndoJournal* undoJournal) {
    journalError = 0;
    journal = undoJournal;
    const int failed = RenameFiles();
    journal = nullptr;
    return failed;
}
