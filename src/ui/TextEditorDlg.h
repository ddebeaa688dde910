// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

#include <QStringList>

#include <functional>
#include <string>

class CFileDialogs;
class CMessageBoxes;
class QMenuBar;
class QPlainTextEdit;

/// "Tekstverwerker": the modeless text window behind the line tag. The main
/// window creates it hidden at start and keeps it; closing it or Escape only
/// hides it, and its text stays for the tag. Its menu empties the text,
/// opens a text file, or imports the names of a list.
class CTextEditorDlg : public CBaseDialog {
    Q_OBJECT
public:
    /// The largest text file that is opened, in bytes (8 MiB).
    static constexpr qint64 kMaxFileSize = 0x800000;
    /// Menu command ids.
    static constexpr int kCmdNew = 57600;
    static constexpr int kCmdOpen = 57601;
    static constexpr int kCmdImportAllPreview = 32996;
    static constexpr int kCmdImportAllFiles = 32997;
    static constexpr int kCmdImportSelectedPreview = 32999;
    static constexpr int kCmdImportSelectedFiles = 33000;

    /// The first-column texts of the rows an import command takes, in list
    /// order.
    using RowReader = std::function<QStringList(int commandId)>;

    CTextEditorDlg(CMessageBoxes& messageBoxes, CFileDialogs& fileDialogs,
                   QWidget* parent = nullptr);

    void SetRowReader(RowReader reader) { rowReader = std::move(reader); }

    /// Shows the window (centred on the screen the first time) and gives it
    /// the focus.
    void ShowEditor();

    /// Line index of the text (0 = first line; lines end with CR LF or LF);
    /// false past the last line. Reads the edit itself, shown or hidden.
    bool GetLine(int index, std::string& line) const;

    /// Runs a menu command by id (as its menu item does).
    void RunCommand(int commandId);

    /// Reads a whole file into the editor; a warning (3003, 3001 or 3004)
    /// and the old text kept when it cannot.
    bool OpenFile(const QString& path);

    QPlainTextEdit* GetEdit() const { return edit; }
    QMenuBar* GetMenuBar() const { return menuBar; }
    QString GetText() const;
    void SetText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void ChooseAndOpenFile();
    void Import(int commandId);

    CMessageBoxes& messageBoxes;
    CFileDialogs& fileDialogs;
    RowReader rowReader;
    QMenuBar* menuBar = nullptr;
    QPlainTextEdit* edit = nullptr;
    bool placed = false;
};
