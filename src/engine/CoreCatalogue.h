// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/RenameCore.h"

/// The catalogue of the core: every refresh recomputes the preview (a
/// large list piecewise, see CRenameCore::RecomputeNewNames).
class CRenameCore::CCoreCatalogue : public CFileCatalogue {
public:
    explicit CCoreCatalogue(CRenameCore& core) : owner(core) {}

protected:
    void OnRowsAboutToChange() override {
        // Pending rows belong to the rows as they stood; the notice that
        // follows the change starts a new computation.
        owner.piecewise.Stop();
        owner.piecewise.Forget();
        owner.conflicts.ForgetRows();
        owner.frontEnd->OnRowsAboutToChange();
    }
    void OnRowsChanged() override { owner.frontEnd->OnRowsChanged(); }
    void OnRowsAboutToReorder() override {
        owner.piecewise.Stop();
        owner.frontEnd->OnRowsAboutToReorder();
    }
    // A sort: the collision check keeps the names it knows and renumbers
    // their rows, the preview is computed for the new order (the
    // autonumber follows the rows), and then the views move their rows.
    void OnRowsReordered(const std::vector<uint32_t>& sources) override {
        owner.conflicts.RowsReordered(std::vector<int32_t>(sources.begin(), sources.end()));
        owner.piecewise.Forget();
        owner.RecomputeNewNames(false);
        owner.frontEnd->OnRowsReordered(sources);
    }
    void OnRefreshStart() override {
        // What the folders hold is read again for the collision check.
        owner.conflicts.Forget();
        owner.frontEnd->OnRefreshStarted();
    }
    void OnPatternStart(const std::string& pattern) override {
        owner.frontEnd->OnPatternStarted(pattern);
    }
    void OnFolderEnter(const std::string& folder, bool& stop) override {
        owner.frontEnd->OnFolderEntered(folder, stop);
    }
    // The preview always belongs to the rows as they stand: a refresh, a
    // sort (once the rows are reordered), a move by hand and a new column
    // order (the column tags read the display order) recompute it.
    void OnRefreshDone() override {
        owner.piecewise.Forget();
        owner.RecomputeNewNames(false);
        if (IsBusy()) {
            owner.frontEnd->OnRefreshEnded(false);
        }
    }
    void OnRefreshCancelled() override {
        owner.piecewise.Forget();
        owner.RecomputeNewNames(false);
        owner.frontEnd->OnRefreshEnded(true);
    }
    void OnColumnOrderChanged() override { owner.RecomputeNewNames(false); }
    void OnItemChanged(int row) override {
        owner.piecewise.Forget();
        owner.OnCatalogueSelection(row);
    }

private:
    CRenameCore& owner;
};
