// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "support/TempFolder.h"
#include "ui/FileListModel.h"
#include "ui/ListCtrlFiles.h"
#include "ui/PreviewModel.h"
#include "ui/QtText.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <vector>

/// A list of names written as plain literals.
inline QStringList Names(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names) {
        list << QString::fromUtf8(name);
    }
    return list;
}

/// Forwards the core's notices to the list models exactly as the main
/// window does, and counts the selection notices.
class CListTestFrontEnd : public CRenameFrontEnd {
public:
    CFileListModel* files = nullptr;
    CPreviewModel* preview = nullptr;
    CListCtrlFiles* fileList = nullptr;
    int selectionNotices = 0;
    int lastSelectionRow = -2;

    void OnRowsAboutToChange() override {
        if (files != nullptr) {
            files->BeginRowsChange();
        }
    }
    void OnRowsChanged() override {
        if (files != nullptr) {
            files->EndRowsChange();
        }
    }
    void OnRowsAboutToReorder() override {
        if (files != nullptr) {
            files->BeginRowsReorder();
        }
    }
    void OnRowsReordered(const std::vector<uint32_t>& sources) override {
        if (files != nullptr) {
            files->EndRowsReorder(sources);
        }
    }
    void OnSelectionChanged(int row) override {
        ++selectionNotices;
        lastSelectionRow = row;
        if (fileList != nullptr) {
            fileList->SyncSelectionFromCatalogue();
        }
    }
    void OnPreviewAboutToChange() override {
        if (preview != nullptr) {
            preview->BeginPreviewChange();
        }
    }
    void OnPreviewChanged() override {
        if (preview != nullptr) {
            preview->EndPreviewChange();
        }
    }
};

/// A core with the nine default columns over a fresh temporary folder.
struct CListFixture {
    CTempFolder folder;
    CListTestFrontEnd frontEnd;
    CRenameCore core{&frontEnd};

    CListFixture() {
        AddDefaultColumns(core.GetCatalogue());
        core.GetOptions().renameOnlySelected = false;
    }
    CFileCatalogue& Catalogue() { return core.GetCatalogue(); }

    /// Opens the folder and turns automatic rescans on (as the main window
    /// does once it is set up).
    bool Open() {
        if (!Catalogue().SetFolder(folder.Path(), true)) {
            return false;
        }
        Catalogue().SetAutoRefresh(true);
        Catalogue().Refresh();
        return true;
    }

    /// The long names of the catalogue's rows, in row order.
    QStringList RowNames() const {
        QStringList names;
        const CFileCatalogue& catalogue = core.GetCatalogue();
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            names << ToQt(catalogue.GetRowEntry(row).LongName());
        }
        return names;
    }
    /// The long names of the selected rows, in row order.
    QStringList SelectedNames() const {
        QStringList names;
        const CFileCatalogue& catalogue = core.GetCatalogue();
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            if (catalogue.IsRowSelected(row)) {
                names << ToQt(catalogue.GetRowEntry(row).LongName());
            }
        }
        return names;
    }
    int RowOf(const std::string& name) const {
        const CFileCatalogue& catalogue = core.GetCatalogue();
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            if (catalogue.GetRowEntry(row).LongName() == name) {
                return row;
            }
        }
        return -1;
    }
    int ColumnOfKind(ColumnKind kind) const {
        const CFileCatalogue& catalogue = core.GetCatalogue();
        for (int column = 0; column < catalogue.GetColumnCount(); ++column) {
            if (catalogue.GetColumn(column).kind == kind) {
                return column;
            }
        }
        return -1;
    }
};
