// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextEditorDlg.h"

#include "app/MessageBoxes.h"
#include "resources/StringTable.h"
#include "ui/CommandIcons.h"
#include "ui/FileDialogs.h"
#include "ui/MainCommands.h"
#include "ui/QtText.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int kMinWidth = 320;
constexpr int kMinHeight = 240;
constexpr int kMargin = 6;

} // namespace

CTextEditorDlg::CTextEditorDlg(CMessageBoxes& messageBoxesIn, CFileDialogs& fileDialogsIn,
                               QWidget* parent)
    : CBaseDialog(parent), messageBoxes(messageBoxesIn), fileDialogs(fileDialogsIn) {
    setObjectName(QStringLiteral("CTextEditorDlg"));
    setWindowTitle(Window::tr("Tekstverwerker"));
    setWindowIcon(CommandIcon(cmd::kTextEditor));
    setModal(false);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    edit = new QPlainTextEdit(this);
    edit->setObjectName(QStringLiteral("edit1050"));
    edit->setAccessibleName(Window::tr("Tekstverwerker"));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(false);

    // The edit keeps an equal margin on all four sides.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(edit);
    CreateMenu();
    layout->setMenuBar(menuBar);

    SetSizeLimits(kMinWidth, kMinHeight, kUnset, kUnset);
    resize(480, 360);
}

void CTextEditorDlg::CreateMenu() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menu185"));
    const auto addItem = [this](QMenu* menu, int id, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QStringLiteral("action%1").arg(id));
        action->setData(id);
        const QIcon icon = CommandIcon(id);
        if (!icon.isNull()) {
            action->setIcon(icon);
        }
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    };
    QMenu* file = menuBar->addMenu(Window::tr("&Bestand"));
    file->setObjectName(QStringLiteral("fileMenu"));
    addItem(file, kCmdNew, Window::tr("Nieuw"));
    addItem(file, kCmdOpen, Window::tr("Openen"));
    QMenu* import = menuBar->addMenu(Window::tr("Importeren"));
    import->setObjectName(QStringLiteral("importMenu"));
    addItem(import, kCmdImportAllPreview, Window::tr("Alle bestand uit het voorbeeldvenster"));
    addItem(import, kCmdImportAllFiles, Window::tr("Alle bestanden uit de bestandenlijst"));
    addItem(import, kCmdImportSelectedPreview,
            Window::tr("Geselecteerde bestanden uit het voorbeeldvenster"));
    addItem(import, kCmdImportSelectedFiles,
            Window::tr("Geselecteerde bestanden uit de bestandenlijst"));
}

void CTextEditorDlg::ShowEditor() {
    if (!placed) {
        if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
            QRect frame = geometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        placed = true;
    }
    show();
    raise();
    activateWindow();
    edit->setFocus();
}

bool CTextEditorDlg::GetLine(int index, std::string& line) const {
    if (index < 0) {
        return false;
    }
    const QTextBlock block = edit->document()->findBlockByNumber(index);
    if (!block.isValid()) {
        return false;
    }
    QString text = block.text();
    // A lone CR left by a file with CR LF line ends is not part of the line.
    if (text.endsWith(QLatin1Char('\r'))) {
        text.chop(1);
    }
    line = FromQt(text);
    return true;
}

void CTextEditorDlg::RunCommand(int commandId) {
    switch (commandId) {
    case kCmdNew:
        edit->clear();
        break;
    case kCmdOpen:
        ChooseAndOpenFile();
        break;
    case kCmdImportAllPreview:
    case kCmdImportAllFiles:
    case kCmdImportSelectedPreview:
    case kCmdImportSelectedFiles:
        Import(commandId);
        break;
    default:
        break;
    }
}

void CTextEditorDlg::ChooseAndOpenFile() {
    const QString path = fileDialogs.ChooseOpenFile(
        this, Window::tr("Openen"),
        CFileDialogs::QtFilter(LookupString(strings::kFilterTextFiles)));
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

bool CTextEditorDlg::OpenFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messageBoxes.ShowWarning(
            this, FillText(LookupString(strings::kCannotOpenFile), {FromQt(path)}), std::string(),
            boxstyle::kExclamationIcon);
        return false;
    }
    const qint64 size = file.size();
    if (size > kMaxFileSize) {
        messageBoxes.ShowWarning(this, std::string(LookupString(strings::kTextFileTooLarge)),
                                 std::string(), boxstyle::kExclamationIcon);
        return false;
    }
    const auto length = static_cast<std::size_t>(size);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[length + 1]);
    if (buffer == nullptr) {
        messageBoxes.ShowWarning(
            this, std::string(LookupString(strings::kNotEnoughMemoryToOpenFile)), std::string(),
            boxstyle::kExclamationIcon);
        return false;
    }
    const qint64 read = file.read(buffer.get(), size);
    buffer[read > 0 ? static_cast<std::size_t>(read) : 0] = '\0';
    // The text ends at the first zero byte.
    SetText(ToQt(std::string_view(buffer.get(), std::strlen(buffer.get()))));
    return true;
}

void CTextEditorDlg::Import(int commandId) {
    QString text;
    if (rowReader) {
        for (const QString& row : rowReader(commandId)) {
            text += row;
            text += QLatin1Char('\n');
        }
    }
    SetText(text);
}

QString CTextEditorDlg::GetText() const {
    return edit->toPlainText();
}

void CTextEditorDlg::SetText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit->setPlainText(plain);
}

void CTextEditorDlg::keyPressEvent(QKeyEvent* event) {
    // Escape hides the window (its text stays); Enter belongs to the edit.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    CBaseDialog::keyPressEvent(event);
}

void CTextEditorDlg::closeEvent(QCloseEvent* event) {
    hide();
    event->ignore();
}
