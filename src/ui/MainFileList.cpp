// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainFileList.h"

#include "app/MessageBoxes.h"
#include "engine/RenameCore.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "ui/FileListModel.h"
#include "ui/QtText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

CMainFileList::CMainFileList(CRenameCore& owner, QWidget* parent) : CListCtrlFiles(owner, parent) {
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CMainFileList::ReportTopRow);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &CMainFileList::ReportTopRow);
    connect(&GetModel(), &CFileListModel::RowsReloaded, this, &CMainFileList::ReportTopRow);
}

int CMainFileList::TopRow() const {
    const int row = rowAt(0);
    return row < 0 ? 0 : row;
}

int CMainFileList::PageRows() const {
    const int height = verticalHeader()->defaultSectionSize();
    return height > 0 ? viewport()->height() / height : 0;
}

void CMainFileList::ReportTopRow() {
    const int top = TopRow();
    const int page = PageRows();
    if (top != reportedTop || page != reportedPage) {
        reportedTop = top;
        reportedPage = page;
        emit TopRowChanged(top, page);
    }
}

void CMainFileList::resizeEvent(QResizeEvent* event) {
    CListCtrlFiles::resizeEvent(event);
    ReportTopRow();
}

void CMainFileList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        RenameSelectedByHand();
        event->accept();
        return;
    }
    CListCtrlFiles::keyPressEvent(event);
    ReportTopRow();
}

bool CMainFileList::RenameSelectedByHand() {
    CFileCatalogue& catalogue = GetCore().GetCatalogue();
    if (!manualRenamePrompt || catalogue.GetSelectedCount() != 1) {
        return false;
    }
    int row = 0;
    while (!catalogue.IsRowSelected(row)) {
        ++row;
    }
    const CFileEntry& entry = catalogue.GetRowEntry(row);
    const std::string folder = entry.Folder();
    const std::string oldName = entry.LongName();
    QString newName = ToQt(oldName);
    if (!manualRenamePrompt(ToQt(oldName), newName)) {
        return false;
    }
    const std::string newNameText = FromQt(newName);
    if (newNameText.empty() || newNameText == oldName) {
        return false;
    }
    int error = 0;
    if (!platform::MoveNoReplace(folder + oldName, folder + newNameText, error)) {
        if (messageBoxes != nullptr) {
            messageBoxes->ShowError(static_cast<QWidget*>(this), FormatSystemError(error),
                                    std::string(LookupString(strings::kCaptionRenameFileError)),
                                    boxstyle::kErrorIcon);
        }
        return false;
    }
    catalogue.Refresh();
    SelectRenamedRow(folder, newNameText);
    return true;
}

void CMainFileList::SelectRenamedRow(const std::string& folder, const std::string& newName) {
    CFileCatalogue& catalogue = GetCore().GetCatalogue();
    const int rows = catalogue.GetRowCount();
    if (rows > 0) {
        GetCore().SetRowsSelected({{0, rows - 1}}, false);
    }
    for (int row = 0; row < rows; ++row) {
        const CFileEntry& entry = catalogue.GetRowEntry(row);
        if (entry.Folder() == folder && entry.LongName() == newName) {
            GetCore().SetRowsSelected({{row, row}}, true);
            catalogue.SetFocusedRow(row);
            break;
        }
    }
    SyncSelectionFromCatalogue();
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        scrollTo(current);
    }
}
