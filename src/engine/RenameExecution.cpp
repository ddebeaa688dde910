// SPDX-License-Identifier: GPL-3.0-or-later
// Rename and undo of CRenameCore: the moves the preview describes, made in
// order, recorded in the undo lists and, in a batch run, in the undo script
// as they are made.
#include "engine/RenameCore.h"

#include "engine/CoreCatalogue.h"
#include "engine/MoveOrder.h"
#include "engine/RenameCoreHelpers.h"
#include "engine/RenameScripts.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <unordered_map>

using corehelp::kPrefetchRows;
using corehelp::kProgressDelayMilliseconds;
using corehelp::NowMilliseconds;
using corehelp::PrefetchEntry;
using corehelp::Text;

std::vector<CRenamePair> CRenameCore::CollectRenamePairs(bool fullNewPath) const {
    std::vector<CRenamePair> pairs;
    if (previewPlaceholder) {
        return pairs;
    }
    const std::vector<int32_t> order = RowsInMoveOrder(*catalogue, previewTexts);
    pairs.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i + kPrefetchRows < order.size()) {
            PrefetchEntry(catalogue->GetRowEntry(order[i + kPrefetchRows]));
        }
        const std::string_view text = previewTexts.StoredView(static_cast<std::size_t>(order[i]));
        const CFileEntry& entry = catalogue->GetRowEntry(order[i]);
        CRenamePair& pair = pairs.emplace_back();
        pair.oldPath.reserve(entry.Folder().size() + entry.LongName().size());
        pair.oldPath.append(entry.Folder()).append(entry.LongName());
        if (fullNewPath) {
            pair.newPath.reserve(entry.Folder().size() + text.size());
            pair.newPath.append(entry.Folder()).append(text);
        } else {
            pair.newPath.assign(text);
        }
        pair.isFolder = entry.IsFolder();
    }
    return pairs;
}

void CRenameCore::RecordFailure(int code, const std::string& from, const std::string& to) {
    failures.push_back(CRenameFailure{code, FormatSystemError(code), from, to});
}

// The journal line goes out before the move, so that a run killed in
// between leaves a script that knows every move that was made. A move that
// the journal could not take is not made: false, and the run stops there.
bool CRenameCore::JournalMove(const std::string& from, const std::string& to,
                              const std::string& identity) {
    if (journal == nullptr) {
        return true;
    }
    if (!journal->AddMove(from, to, identity)) {
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
    const std::string text = FillText(LookupString(strings::kUndoScriptCannotRecord),
                                      {journal->GetPath(), FormatSystemError(journalError)});
    if (batchMode) {
        frontEnd->WriteConsoleLine(text);
    } else {
        frontEnd->ShowMessage(MessageKind::Error, text, msgbox::kErrorIcon);
    }
}

bool CRenameCore::MoveRecorded(std::string& from, std::string& to, bool keepPaths, int& error,
                               bool& refused) {
    // The window's undo knows each file by more than its path, so that an
    // Undo (also one of a later run) never moves a stranger's file.
    std::string identity = batchMode ? std::string() : platform::FileIdentityText(from);
    if (!JournalMove(from, to, identity)) {
        // No move that the undo script does not know of.
        refused = true;
        return false;
    }
    const bool moved = folderMover.Move(from, to, error);
    JournalOutcome(moved);
    if (!moved && !folderMover.StrandedPath().empty()) {
        // A change of case whose file could not go back stays under a
        // temporary name: the undo knows it there, as a move that was made.
        std::string stranded = folderMover.StrandedPath();
        if (JournalMove(from, stranded, identity)) {
            JournalOutcome(true);
            AddUndoStep(undoListsKept ? from : std::string(),
                        undoListsKept ? std::move(stranded) : std::string(), std::move(identity));
        }
        return false;
    }
    if (moved && !undoListsKept) {
        AddUndoStep(std::string(), std::string(), std::string());
    } else if (moved) {
        if (keepPaths) {
            AddUndoStep(from, to, std::move(identity));
        } else {
            AddUndoStep(std::move(from), std::move(to), std::move(identity));
        }
    }
    return moved;
}

void CRenameCore::AddUndoStep(std::string from, std::string to, std::string identity) {
    if (!undoStarted) {
        // The undo lists belong to this rename from its first move on.
        undoStarted = true;
        undoOldPaths.clear();
        undoNewPaths.clear();
        undoIdentities.clear();
        if (!undoListsKept) {
            return;
        }
        undoOldPaths.reserve(undoReserve);
        undoNewPaths.reserve(undoReserve);
    }
    if (undoListsKept) {
        KeepUndoStep(std::move(from), std::move(to), std::move(identity));
    }
}

void CRenameCore::KeepUndoStep(std::string from, std::string to, std::string identity) {
    undoOldPaths.push_back(std::move(from));
    undoNewPaths.push_back(std::move(to));
    if (!batchMode) {
        undoIdentities.push_back(std::move(identity));
    }
}

bool CRenameCore::MoveToTemporaryName(CRenamePair& pair, std::string& tempPath, int& error,
                                      bool& refused) {
    static thread_local std::mt19937 random{std::random_device{}()};
    const std::string_view name = platform::LastComponent(pair.oldPath);
    const std::string_view folder =
        std::string_view(pair.oldPath).substr(0, pair.oldPath.size() - name.size());
    char suffix[16];
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        tempPath.assign(folder).append(".nr-swap-").append(suffix);
        if (MoveRecorded(pair.oldPath, tempPath, true, error, refused)) {
            return true;
        }
        if (refused || error != EEXIST || journalError != 0) {
            return false;
        }
    }
    return false;
}

int CRenameCore::MovePairs(std::vector<CRenamePair>& pairs, bool undo,
                           const std::vector<std::string>* identities,
                           const std::vector<int32_t>* rowsToMove) {
    // With swaps and chains allowed the pairs move in the order that lets
    // them succeed; otherwise (and for an undo, which runs the real moves
    // backwards) in the order given, one step each.
    std::vector<CMoveStep> steps;
    const bool ordered = !undo && rowsToMove == nullptr && switches.allowSwapsAndChains;
    if (ordered) {
        // On a card or share that ignores case, a.jpg -> B.jpg waits for
        // b.jpg -> A.jpg as it would for b.jpg -> a.jpg.
        platform::CFolderCaseRules caseRules;
        for (const CRenamePair& pair : pairs) {
            (void)caseRules.OfFolderOf(pair.oldPath);
        }
        PathKey key;
        if (caseRules.AnyFolds()) {
            key = [&caseRules](const std::string& path) { return caseRules.Key(path); };
        }
        steps = OrderMoves(pairs, key);
    }
    std::unordered_map<int, std::string> tempPaths;
    std::vector<bool> pairFailed(ordered ? pairs.size() : 0, false);
    undoStarted = false;
    const std::size_t pairCount = rowsToMove != nullptr ? rowsToMove->size() : pairs.size();
    undoReserve = pairCount;

    const int count = static_cast<int>(ordered ? steps.size() : pairCount);
    int movedCount = 0;
    bool progressOpen = false;
    const int64_t startTick = NowMilliseconds();
    std::string line;
    std::string tempFrom;
    // The pair of a move made from a row, its paths built in place.
    CRenamePair fromRow;
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
        if (rowsToMove != nullptr) {
            if (k - 1 + kPrefetchRows < count) {
                const int32_t ahead =
                    (*rowsToMove)[static_cast<std::size_t>(k - 1 + kPrefetchRows)];
                PrefetchEntry(catalogue->GetRowEntry(ahead));
                __builtin_prefetch(previewTexts.StoredView(static_cast<std::size_t>(ahead)).data());
            }
            const int32_t row = (*rowsToMove)[static_cast<std::size_t>(k - 1)];
            const CFileEntry& entry = catalogue->GetRowEntry(row);
            fromRow.oldPath.assign(entry.Folder()).append(entry.LongName());
            const auto index = static_cast<std::size_t>(row);
            fromRow.newPath.assign(entry.Folder()).append(previewTexts.StoredView(index));
            fromRow.isFolder = entry.IsFolder();
            if (undoListsKept) {
                // Nothing shows a batch run's preview: the blocks of texts
                // whose rows have made their pairs go to the undo lists.
                previewTexts.Release(index);
            }
        } else if (!ordered && k + 1 < count) {
            // Each move's system call pushes the next paths out of the
            // cache: ask for them one move ahead.
            const CRenamePair& ahead = pairs[static_cast<std::size_t>(k + 1)];
            __builtin_prefetch(ahead.oldPath.data());
            __builtin_prefetch(ahead.newPath.data());
        }
        const CMoveStep step = ordered ? steps[static_cast<std::size_t>(k - 1)]
                                       : CMoveStep{k - 1, MoveStepKind::Direct};
        CRenamePair& pair =
            rowsToMove != nullptr ? fromRow : pairs[static_cast<std::size_t>(step.pair)];
        int error = 0;
        bool refused = false; // the undo script could not take the move
        bool moved = false;
        bool reported = true; // the step ends a pair: a console line, a failure
        // What the console line and a failure name as the move.
        const std::string* shownFrom = &pair.oldPath;
        const std::string* shownTo = &pair.newPath;
        if (step.kind == MoveStepKind::ToTemp) {
            if (MoveToTemporaryName(pair, tempPaths[step.pair], error, refused)) {
                reported = false;
            } else {
                // The cycle stays as it is; its other moves fail on their
                // targets.
                pairFailed[static_cast<std::size_t>(step.pair)] = true;
                tempPaths.erase(step.pair);
            }
        } else if (step.kind == MoveStepKind::FromTemp) {
            if (pairFailed[static_cast<std::size_t>(step.pair)]) {
                reported = false;
            } else {
                std::string& tempPath = tempPaths[step.pair];
                moved = MoveRecorded(tempPath, pair.newPath, true, error, refused);
                if (!moved && !refused) {
                    // Back to the old name when it can, so that nothing
                    // stays under a temporary name; otherwise the failure
                    // names where the file is, and the undo lists know it.
                    int backError = 0;
                    bool backRefused = false;
                    if (MoveRecorded(tempPath, pair.oldPath, true, backError, backRefused)) {
                        DropUndoStep(pair.oldPath, tempPath);
                    } else {
                        tempFrom = tempPath;
                        shownFrom = &tempFrom;
                    }
                    refused = backRefused;
                }
            }
        } else if (undo) {
            const std::string* identity = identities != nullptr && !identities->empty()
                                              ? &(*identities)[static_cast<std::size_t>(step.pair)]
                                              : nullptr;
            if (identity != nullptr && !platform::IsStillTheFile(pair.oldPath, *identity)) {
                // Another file stands where ours was put: ours is not there.
                error = ENOENT;
            } else {
                moved = folderMover.Move(pair.oldPath, pair.newPath, error);
                if (!moved && !folderMover.StrandedPath().empty()) {
                    // The file is under a temporary name now, and the next
                    // Undo takes it from there.
                    pair.oldPath = folderMover.StrandedPath();
                }
            }
        } else {
            // The paths of a pair go to the undo lists; those of a row stay
            // in its buffers for the next row.
            const bool keepPaths = rowsToMove != nullptr || !undoListsKept;
            moved = MoveRecorded(pair.oldPath, pair.newPath, keepPaths, error, refused);
            if (moved && !keepPaths) {
                // The paths went to the undo lists.
                shownFrom = &undoOldPaths.back();
                shownTo = &undoNewPaths.back();
            } else if (!folderMover.StrandedPath().empty()) {
                // The failure names where the file is.
                tempFrom = folderMover.StrandedPath();
                shownFrom = &tempFrom;
            }
        }
        if (refused && error == 0) {
            ReportJournalStop();
            break;
        }
        if (reported) {
            if (!moved) {
                RecordFailure(error, *shownFrom, *shownTo);
            }
            if (batchMode) {
                line.assign(moved ? "OK: [" : "ERR: [")
                    .append(*shownFrom)
                    .append("] -> [")
                    .append(platform::LastComponent(*shownTo))
                    .append("]");
                frontEnd->WriteConsoleLine(line);
            }
            if (!moved && undo) {
                // Kept for the next Undo, as the rename recorded it.
                KeepUndoStep(std::move(pair.newPath), std::move(pair.oldPath),
                             identities != nullptr && !identities->empty()
                                 ? (*identities)[static_cast<std::size_t>(step.pair)]
                                 : std::string());
            }
        }
        if (moved) {
            ++movedCount;
        }
        if (journalError != 0 || refused) {
            ReportJournalStop();
            break;
        }
    }
    // No folder stays held (and so busy) between renames.
    folderMover.Close();
    if (progressOpen) {
        frontEnd->CloseProgress();
    }
    return movedCount;
}

void CRenameCore::DropUndoStep(const std::string& from, const std::string& to) {
    // The step and its way back cancel out; the lists keep the two moves
    // only while the way back has not been recorded.
    const bool withIdentities = undoIdentities.size() == undoOldPaths.size();
    if (undoOldPaths.size() >= 2 && undoOldPaths.back() == to && undoNewPaths.back() == from) {
        undoOldPaths.pop_back();
        undoNewPaths.pop_back();
        if (withIdentities) {
            undoIdentities.pop_back();
        }
        for (std::size_t i = undoOldPaths.size(); i-- > 0;) {
            if (undoOldPaths[i] == from && undoNewPaths[i] == to) {
                const auto at = static_cast<std::ptrdiff_t>(i);
                undoOldPaths.erase(undoOldPaths.begin() + at);
                undoNewPaths.erase(undoNewPaths.begin() + at);
                if (withIdentities) {
                    undoIdentities.erase(undoIdentities.begin() + at);
                }
                break;
            }
        }
    }
}

int CRenameCore::RenameFiles() {
    // The question counts the collisions of every row, and the rename moves
    // what the whole computation gives.
    FinishNewNames();
    const corehelp::COperationGuard operation(operationDepth);
    if (journal != nullptr || batchMode || !keptUndo.IsKept()) {
        return RenameFilesNow();
    }
    // The window's rename writes the kept journal while the files move.
    CUndoJournal* kept = keptUndo.Begin();
    journalError = 0;
    journal = kept;
    undoStarted = false;
    const int failed = RenameFilesNow();
    journal = nullptr;
    keptUndo.End(undoStarted);
    return failed;
}

int CRenameCore::RenameFilesNow() {
    renamedCount = 0;
    if (!batchMode && switches.askConfirmationBeforeRenaming) {
        // The question names what will be renamed: with renaming limited to
        // the selection, one selected file is "the selected files" too.
        const int selectedCount = catalogue->GetSelectedCount();
        const bool onlySelected = options.renameOnlySelected && selectedCount >= 1;
        const int question = selectedCount >= 2 || onlySelected ? strings::kConfirmRenameSelected
                                                                : strings::kConfirmRenameAll;
        std::string text = Text(question);
        // The question says how many files the preview shows will fail.
        if (const int collisions = conflicts.GetCount(); collisions > 0) {
            text.append("\n\n").append(
                FillText(LookupString(collisions == 1 ? strings::kOneCollisionWillFail
                                                      : strings::kCollisionsWillFail),
                         {std::to_string(collisions)}));
        }
        if (frontEnd->ShowMessage(MessageKind::Question, text, msgbox::kQuestionYesNo) !=
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
    // A batch run without swaps and chains makes its moves in row order,
    // each pair built from its row as it comes instead of all of them at
    // once. The window collects them first: its event loop runs while the
    // progress shows, and a rescan then would take the rows away.
    const bool fromRows = batchMode && !switches.allowSwapsAndChains;
    std::vector<CRenamePair> pairs;
    std::vector<int32_t> rowsToMove;
    if (!fromRows) {
        pairs = CollectRenamePairs(true);
    } else if (!previewPlaceholder) {
        rowsToMove = RowsInMoveOrder(*catalogue, previewTexts);
    }
    if (pairs.empty() && rowsToMove.empty()) {
        if (batchMode) {
            frontEnd->WriteConsoleLine(Text(strings::kNothingToRename));
        } else {
            frontEnd->ShowMessage(MessageKind::Information, Text(strings::kNothingToRename),
                                  msgbox::kInformationIcon);
        }
        return 0;
    }
    if (batchMode && !fromRows) {
        // Nothing shows a batch run's preview once its moves are known: its
        // memory goes to the undo lists the moves fill.
        previewTexts.Clear();
    }
    failures.clear();
    renamedCount = MovePairs(pairs, false, nullptr, fromRows ? &rowsToMove : nullptr);
    if (fromRows) {
        previewTexts.Clear();
    }

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
    std::vector<std::string> identities;
    if (undoIdentities.size() == undoOldPaths.size()) {
        identities.assign(undoIdentities.rbegin(), undoIdentities.rend());
    }
    undoOldPaths.clear();
    undoNewPaths.clear();
    undoIdentities.clear();
    failures.clear();
    MovePairs(pairs, true, &identities);
    // The pairs that stayed came back last move first; the lists keep the
    // order in which the moves were made.
    std::reverse(undoOldPaths.begin(), undoOldPaths.end());
    std::reverse(undoNewPaths.begin(), undoNewPaths.end());
    std::reverse(undoIdentities.begin(), undoIdentities.end());
    if (!batchMode) {
        // The kept journal follows the undo lists.
        keptUndo.Update(undoOldPaths, undoNewPaths, undoIdentities);
    }
    if (!failures.empty()) {
        frontEnd->ShowMessage(MessageKind::Error, Text(strings::kErrorsWhileUndoing),
                              msgbox::kErrorIcon);
        frontEnd->ShowErrorList(failures);
    }
    catalogue->Refresh();
    frontEnd->OnUndoStateChanged();
    return static_cast<int>(failures.size());
}

bool CRenameCore::LoadStoredUndo() {
    if (!keptUndo.Load(undoOldPaths, undoNewPaths, undoIdentities)) {
        return false;
    }
    frontEnd->OnUndoStateChanged();
    return true;
}

int CRenameCore::RenameFilesJournalled(CUndoJournal* undoJournal) {
    journalError = 0;
    journal = undoJournal;
    const int failed = RenameFiles();
    journal = nullptr;
    return failed;
}
