// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ListCtrlFiles.h"

#include <QString>

#include <functional>

class CMessageBoxes;

/// The main window's file list: F2 renames the one selected file by hand,
/// and the list reports its scroll position so the preview can follow.
class CMainFileList : public CListCtrlFiles {
    Q_OBJECT

public:
    /// Asks for the new name of oldName (the manual rename dialog); false
    /// when the user cancelled.
    using ManualRenamePrompt = std::function<bool(const QString& oldName, QString& newName)>;

    explicit CMainFileList(CRenameCore& core, QWidget* parent = nullptr);

    void SetManualRenamePrompt(ManualRenamePrompt prompt) {
        manualRenamePrompt = std::move(prompt);
    }
    /// Where a failed rename is reported; not owned, may be null (no box).
    void SetMessageBoxes(CMessageBoxes* boxes) { messageBoxes = boxes; }

    /// F2: when exactly one row is selected, asks for its new name and moves
    /// the file (never over an existing one). On success the folder is read
    /// again and the renamed row alone is selected, focused and shown.
    /// Returns true when the file was moved.
    bool RenameSelectedByHand();

    /// The first row shown (0 when the list is empty).
    int TopRow() const;
    /// The number of whole rows that fit in the list.
    int PageRows() const;

signals:
    /// The first row shown or the number of rows that fit changed.
    void TopRowChanged(int top, int pageRows);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ReportTopRow();
    void SelectRenamedRow(const std::string& folder, const std::string& newName);

    ManualRenamePrompt manualRenamePrompt;
    CMessageBoxes* messageBoxes = nullptr;
    int reportedTop = -1;
    int reportedPage = -1;
};
