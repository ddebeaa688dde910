// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FileCatalogue.h"
#include "engine/ComputationContext.h"
#include "engine/ComputationState.h"
#include "engine/KeptUndoJournal.h"
#include "engine/PiecewiseNames.h"
#include "engine/PreviewTexts.h"
#include "engine/RenameConflicts.h"
#include "engine/RenameOptions.h"
#include "engine/TagExpander.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CUndoJournal;

/// One failed move, as the error list shows it.
struct CRenameFailure {
    int code = 0;
    std::string text; ///< FormatSystemError(code), on one line
    std::string fromPath;
    std::string toPath;
};

/// A move the rename would make: the old full path and the new full path
/// (or only the new name).
struct CRenamePair {
    std::string oldPath;
    std::string newPath;
    bool isFolder = false;
};

/// Message-box styles and answers, as the message routines take them.
namespace msgbox {
constexpr int kErrorIcon = 16;
constexpr int kQuestionYesNo = 36;
constexpr int kWarningIcon = 48;
constexpr int kInformationIcon = 64;
constexpr int kOk = 1;
constexpr int kYes = 6;
constexpr int kNo = 7;
} // namespace msgbox

enum class MessageKind { Warning, Question, Information, Error };

/// What a save dialog is asked for.
enum class SaveFileKind { RenameScript, UndoScript, PreviewListing };

/// What the core needs from whoever drives it: the main window with its
/// boxes, dialogs and progress bar, or the console of a batch run. Every
/// operation has a harmless default (no box, questions answered No, file
/// dialogs cancelled, no console), so a driver overrides what it has.
class CRenameFrontEnd {
public:
    virtual ~CRenameFrontEnd() = default;

    /// A message box with the program's name as caption; returns the button.
    virtual int ShowMessage(MessageKind /*kind*/, const std::string& /*text*/, int /*style*/) {
        return msgbox::kNo;
    }
    /// The error list after a rename or an undo with failures.
    virtual void ShowErrorList(const std::vector<CRenameFailure>& /*failures*/) {}
    /// The save dialog; the empty text means cancelled.
    virtual std::string ChooseSaveFile(SaveFileKind /*kind*/) { return {}; }

    /// The progress bar of long operations.
    virtual void OpenProgress(const std::string& /*text*/, bool /*cancelAllowed*/, int /*range*/,
                              int /*position*/) {}
    virtual void SetProgress(int /*position*/) {}
    virtual bool IsProgressCancelled() { return false; }
    virtual void CloseProgress() {}

    /// Line index of the text editor (0 = first line); false when there is
    /// no such line (or no editor, as in a batch run).
    virtual bool GetEditorLine(int /*index*/, std::string& /*line*/) { return false; }

    /// A name computation runs a few rows at a time: the front end calls
    /// CRenameCore::ContinueNewNames between its events until it returns
    /// false. Only asked of a front end that set a piecewise threshold.
    virtual void RequestComputationTime() {}
    /// The preview rows the front end shows, computed first; false when it
    /// shows none.
    virtual bool GetVisibleRows(int& /*first*/, int& /*last*/) { return false; }

    /// Notices a list model needs. The file rows are about to be replaced
    /// or reordered (a refresh, a sort, a move by hand) and then were; the
    /// core has recomputed the preview for the new rows before
    /// OnRowsChanged. Pairs may nest when a hook refreshes again.
    virtual void OnRowsAboutToChange() {}
    virtual void OnRowsChanged() {}
    /// A sort: the same rows in another order; sources holds, for each row,
    /// the row it was before (empty when every row stayed). The pair may
    /// nest in a change of the rows, and by default is one.
    virtual void OnRowsAboutToReorder() { OnRowsAboutToChange(); }
    virtual void OnRowsReordered(const std::vector<uint32_t>& /*sources*/) { OnRowsChanged(); }
    /// The selection of file rows changed: one row, or -1 for many at once.
    virtual void OnSelectionChanged(int /*row*/) {}
    /// The preview rows are about to be replaced; OnPreviewChanged follows.
    virtual void OnPreviewAboutToChange() {}
    /// The scan of a refresh: started, scanning for one mask pattern (empty
    /// in regular-expression mode), entering a folder (set cancelled to stop
    /// the scan), ended (cancelled or not).
    virtual void OnRefreshStarted() {}
    virtual void OnPatternStarted(const std::string& /*pattern*/) {}
    virtual void OnFolderEntered(const std::string& /*folder*/, bool& /*cancelled*/) {}
    virtual void OnRefreshEnded(bool /*cancelled*/) {}

    /// Notices: the preview rows, the rules or the undo lists changed.
    virtual void OnPreviewChanged() {}
    virtual void OnOptionsChanged() {}
    virtual void OnUndoStateChanged() {}

    /// The console of a batch run.
    virtual bool OpenConsole() { return false; }
    virtual void WriteConsoleLine(const std::string& /*text*/) {}
    virtual void WaitForKey(const std::string& /*prompt*/) {}
    virtual void ReleaseConsole() {}
    /// A new empty file in the temporary folder; empty on failure.
    virtual std::string MakeTempFileName() { return {}; }
};

/// "(#%d) %s" with the system's text of an errno value, on one line; 0
/// gives the empty text.
std::string FormatSystemError(int code);

/// The program switches the core reads (kept with the program settings).
struct CCoreSwitches {
    bool askConfirmationBeforeRenaming = true;
    bool uncheckAllAfterRenaming = true;
    bool insertDateAsUtc = false;
    /// A rename orders its moves so that chains succeed and breaks cycles
    /// through temporary names; off, the moves go in row order and a move
    /// whose target exists fails.
    bool allowSwapsAndChains = false;
};

/// The window-free heart of the program: the file catalogue, the rename
/// options, the computed preview, the undo lists and the failures, and the
/// operations on them. The main window owns one and delegates to it; a
/// batch run uses one without any window.
class CRenameCore : public CComputationContext {
public:
    explicit CRenameCore(CRenameFrontEnd* frontEnd = nullptr);
    ~CRenameCore() override;
    CRenameCore(const CRenameCore&) = delete;
    CRenameCore& operator=(const CRenameCore&) = delete;

    void SetFrontEnd(CRenameFrontEnd* frontEnd);
    CRenameFrontEnd& GetFrontEnd() { return *frontEnd; }

    CFileCatalogue& GetCatalogue() override;
    const CFileCatalogue& GetCatalogue() const override;
    CRenameOptions& GetOptions() { return options; }
    const CRenameOptions& GetOptions() const { return options; }
    CCoreSwitches& GetSwitches() { return switches; }
    CTagExpander& GetTagExpander() { return *expander; }

    bool IsBatchMode() const { return batchMode; }
    void SetBatchMode(bool value) { batchMode = value; }
    /// Whether a rename keeps its moves in the undo lists (the default).
    /// A batch run that writes no undo script has no use for them: cleared,
    /// a rename leaves the lists empty.
    void SetUndoListsKept(bool kept) { undoListsKept = kept; }
    bool IsAutoPreview() const { return autoPreview; }
    /// The Preview command: toggles the automatic preview and recomputes.
    void TogglePreview();

    // Options files.
    /// Loads the rules from an options file the user named (missing keys
    /// keep their value) and tells the front end. A file that is missing or
    /// cannot be read changes no rule: false, with the errno value in error.
    /// The window then shows a warning that names the file; a batch run
    /// writes that text as its one line and renames nothing (CBatchRun).
    bool LoadOptions(const std::string& path, int& error);
    /// The rules kept in the settings file; a settings file that does not
    /// exist (yet) changes nothing.
    void LoadRememberedOptions(const std::string& settingsFilePath);
    bool SaveOptions(const std::string& path, int& error) const;
    /// Deletes the settings file, resets the rules to their defaults and
    /// tells the front end; false when an existing file could not be deleted.
    bool RestoreDefaultOptions(const std::string& settingsFilePath);

    // Name computation.
    /// Fills the preview, one row per file row, when force is set or the
    /// automatic preview is on; otherwise the preview holds the single row
    /// "Dubbelklik voor een voorbeeld".
    void ComputeNewNames(bool force);
    /// The window's computation: from pieceRows rows on (see
    /// SetPiecewiseRows), the rows the front end shows are computed at once
    /// and the others between its events (StartNewNames); below it, or in a
    /// batch run, ComputeNewNames.
    void RecomputeNewNames(bool force);
    /// From how many rows on RecomputeNewNames works piecewise; negative
    /// (the default): never.
    void SetPiecewiseRows(int rows) { piecewiseRows = rows; }
    int GetPiecewiseRows() const { return piecewiseRows; }
    /// Starts a piecewise computation: the rows firstVisible..lastVisible
    /// get their names now, the rest stay pending for ContinueNewNames. The
    /// header shows the row count only, and no row is marked as colliding,
    /// until every row is computed. Rules that draw random text are
    /// computed at once, since their draws follow the order of evaluation.
    void StartNewNames(bool force, int firstVisible, int lastVisible);
    /// Computes pending rows in row order for about budgetMicroseconds (and
    /// at most rowLimit rows when rowLimit >= 0), then, with every row done,
    /// the collision check, the header and the preview notice. True while
    /// rows are still pending. Does nothing inside another operation of the
    /// core (a rename's question, a progress bar's events).
    bool ContinueNewNames(int64_t budgetMicroseconds, int rowLimit = -1);
    /// Computes the pending rows among first..last (clamped to the rows).
    void EnsureRowsComputed(int first, int last);
    /// Computes every pending row and completes the computation; the
    /// progress bar opens as in ComputeNewNames when it takes long.
    void FinishNewNames();
    /// True while a piecewise computation has pending rows.
    bool IsComputingNewNames() const { return piecewise.IsActive(); }
    /// True when row belongs to a piecewise computation and is not done yet:
    /// its preview text is not valid.
    bool IsRowPending(int row) const;
    /// text with every tag replaced; a "<" without a ">" makes the whole
    /// result the error text.
    std::string ExpandRuleText(std::string_view text);
    /// The preview's rows: the new name, or the current name in angle
    /// brackets for an entry that keeps it. Row i belongs to file row i.
    const CPreviewTexts& GetPreviewTexts() const { return previewTexts; }
    /// The text of one preview row.
    std::string GetPreviewText(int row) const {
        return previewTexts.Text(static_cast<std::size_t>(row));
    }
    /// True while the preview holds only the double-click row.
    bool IsPreviewPlaceholder() const { return previewPlaceholder; }
    /// "Voorbeeld - [ n items ]" after a computation, and the number of
    /// rows whose move would fail when there are any.
    const std::string& GetPreviewHeader() const { return previewHeader; }
    /// The rows of the preview whose move would fail (not in batch mode).
    const CRenameConflicts& GetConflicts() const { return conflicts; }
    CComputationState& GetState() { return state; }
    const CComputationState& GetState() const override { return state; }
    /// The text editor of the front end.
    bool GetEditorLine(int index, std::string& line) override;
    bool ReportTagProgress() override;

    // Rename, undo, scripts and listing.
    /// The moves the preview describes, in the order they must be made:
    /// rows in order, but in a recursive list whose folders are renamed too,
    /// the files first and then the folders, deepest path first.
    std::vector<CRenamePair> CollectRenamePairs(bool fullNewPath) const;
    /// The Rename command. Returns the number of failed moves.
    int RenameFiles();
    /// Moves back everything the last rename moved, the last move first.
    /// The pairs that fail stay in the undo lists for the next Undo. Returns
    /// the number of failed moves.
    int UndoRename();
    /// With an empty path the front end is asked for one. True on success.
    bool WriteRenameScript(const std::string& path);
    bool WriteUndoScript(const std::string& path);
    bool SavePreviewListing(const std::string& path);

    // The batch run (CBatchRun drives these).
    /// The Rename command with an undo script written while the files move:
    /// each move goes to journal (when not null) before it is made, and a
    /// move the journal cannot take is not made and ends the moves there
    /// (GetJournalError). The core holds journal only during the call.
    /// Returns the number of failed moves.
    int RenameFilesJournalled(CUndoJournal* journal);
    /// The errno value of the journal line the last RenameFilesJournalled
    /// could not write; 0 when every line went out.
    int GetJournalError() const { return journalError; }
    /// Moves made by the last Rename command.
    int GetRenamedCount() const { return renamedCount; }
    /// Why the last options file the user named could not be loaded; empty
    /// after a load that worked.
    const std::string& GetOptionsFailure() const { return optionsFailure; }
    /// Writes the undo script of the undo lists to path without asking or
    /// telling anyone; false with the errno value in error.
    bool WriteUndoScriptFile(const std::string& path, int& error) const;

    /// The moves of the last rename that made any, in the order they were
    /// made (old and new full paths, entry i of both lists is one move),
    /// less those an Undo has moved back since. Undo is possible while they
    /// are not empty.
    const std::vector<std::string>& GetUndoOldPaths() const { return undoOldPaths; }
    const std::vector<std::string>& GetUndoNewPaths() const { return undoNewPaths; }
    const std::vector<CRenameFailure>& GetFailures() const { return failures; }

    // The undo kept across runs.
    /// Where the renames of the window keep their undo journal: an undo
    /// script of the journal form, written while the files move, so that
    /// the last rename can be undone after a crash, a kill or a restart.
    /// Empty (the default, and always in a batch run): nowhere. Its folder
    /// is made, readable by its owner only, at the first rename.
    void SetUndoStorePath(const std::string& path) { keptUndo.SetPath(path); }
    const std::string& GetUndoStorePath() const { return keptUndo.GetPath(); }
    /// Takes the moves of the kept journal into the undo lists when at least
    /// one of its files is still where the rename left it, and tells the
    /// front end; false (the lists unchanged) otherwise. An Undo then moves
    /// back what is still there; a file moved or removed by someone else
    /// since is reported in the error list and skipped, and nothing is
    /// overwritten.
    bool LoadStoredUndo();

    // Selection.
    /// Selects or deselects many rows with one selection notice (and at
    /// most one recompute): ranges are [first, last] row pairs.
    void SetRowsSelected(const std::vector<std::pair<int, int>>& ranges, bool selected);
    /// Deselects some rows and selects others as one change of selection
    /// (a click that moves the selection): one notice, at most one recompute.
    void ChangeRowSelection(const std::vector<std::pair<int, int>>& deselected,
                            const std::vector<std::pair<int, int>>& selected);

private:
    class CCoreCatalogue;
    struct CActiveRules;

    void OnCatalogueSelection(int row);

    /// The start of every computation: the placeholder when the preview is
    /// off (false), else the preview rows sized and the state reset.
    bool BeginNewNames(bool force);
    /// One row's new name (or "<name>" when it is not processed), from the
    /// autonumber counter and computedCount in state.
    void ComputeRow(int row, bool processed, const CActiveRules& nameRules,
                    const CActiveRules& extensionRules);
    /// The end of every computation: the cancel, or the header and the
    /// collision check, and the preview notice.
    void EndNewNames();
    void SetCountHeader();
    bool ProcessesAllRows() const;
    /// True when a rule text holds a tag that draws random text.
    bool RulesDrawRandomText() const;
    /// Computes pending rows of first..last until the deadline (steady
    /// clock, microseconds; negative: none) or rowLimit rows; false when
    /// the progress bar was cancelled.
    bool ComputePendingRows(int first, int last, int64_t deadline, int rowLimit);
    /// Ends a piecewise computation whose rows are all done, or that was
    /// cancelled (EndNewNames); announce: the preview notice still has to
    /// be opened.
    void EndPiecewise(bool announce);

    void ApplyRuleBlock(std::string& text, const CNameRuleBlock& block, const CActiveRules& active);
    void ProgressStep(int row, int rowCount);
    void SetPlaceholder();
    /// Makes the moves in order and returns how many were made. A rename
    /// hands each pair it made over to the undo lists, which it empties at
    /// its first move (a rename that moves nothing keeps the undo of the one
    /// before); an undo hands back each pair it could not make.
    /// identities, for an undo, holds the identity of each pair's file
    /// (or is empty): a pair whose file is no longer the same is not moved.
    /// rowsToMove, for a rename without swaps and chains, replaces pairs:
    /// each of these preview rows makes its pair when its turn comes.
    int MovePairs(std::vector<CRenamePair>& pairs, bool undo,
                  const std::vector<std::string>* identities = nullptr,
                  const std::vector<int32_t>* rowsToMove = nullptr);
    bool JournalMove(const std::string& from, const std::string& to,
                     const std::string& identity = {});
    /// One move of a rename, through the journal, added to the undo lists
    /// when made (the paths moved there unless keepPaths). refused: the
    /// journal could not take it, so it was not tried.
    bool MoveRecorded(std::string& from, std::string& to, bool keepPaths, int& error,
                      bool& refused);
    /// The first step of a cycle: the pair's old path to a free name in its
    /// folder, which tempPath receives.
    bool MoveToTemporaryName(CRenamePair& pair, std::string& tempPath, int& error, bool& refused);
    /// Hands one move that was made to the undo lists (emptied at the first).
    void AddUndoStep(std::string from, std::string to, std::string identity);
    /// Appends one step to the undo lists.
    void KeepUndoStep(std::string from, std::string to, std::string identity);
    /// Forgets a step to a temporary name whose file went back (both moves).
    void DropUndoStep(const std::string& from, const std::string& to);
    void JournalOutcome(bool moved);
    void ReportJournalStop();
    void RecordFailure(int code, const std::string& from, const std::string& to);
    void ShowCannotCreate(const std::string& path, int error);
    /// The Rename command as designed, after the question.
    int RenameFilesNow();

    CRenameFrontEnd defaultFrontEnd;
    CRenameFrontEnd* frontEnd;
    std::unique_ptr<CCoreCatalogue> catalogue;
    std::unique_ptr<CTagExpander> expander;
    CRenameOptions options;
    CCoreSwitches switches;
    bool batchMode = false;
    bool autoPreview = true;
    std::string optionsFailure;

    CPreviewTexts previewTexts;
    bool previewPlaceholder = false;
    std::string previewHeader;
    CRenameConflicts conflicts;
    CComputationState state;
    CPiecewiseNames piecewise;
    int piecewiseRows = -1;
    /// Above zero while an operation of the core runs (a rename, an undo, a
    /// script, a computation): no slice of a piecewise computation runs
    /// from the events its boxes and progress bar process.
    int operationDepth = 0;
    std::string scratchName;
    std::string scratchExtension;

    std::vector<std::string> undoOldPaths;
    std::vector<std::string> undoNewPaths;
    /// Per undo step, the identity of its file (platform::FileIdentityText)
    /// as the window's rename found it; empty in a batch run, whose undo
    /// script records paths only.
    std::vector<std::string> undoIdentities;
    std::vector<CRenameFailure> failures;
    int renamedCount = 0;
    /// The window's undo journal kept across runs.
    CKeptUndoJournal keptUndo;
    /// Set by the first move of a rename, which takes over the undo lists.
    bool undoStarted = false;
    std::size_t undoReserve = 0;
    bool undoListsKept = true;
    /// Holds the folder of the moves under way; let go when they end.
    platform::CFolderMover folderMover;
    /// The undo script a batch run writes while it moves; null otherwise.
    CUndoJournal* journal = nullptr;
    /// The errno value of a line the journal could not take; the run stops.
    int journalError = 0;
};
