// SPDX-License-Identifier: GPL-3.0-or-later
// The colour dialog, the text editor, the wide text box and the about box,
// each reached through its command on the real main window; modal dialogs
// are answered through the window's modal runner, message boxes and file
// dialogs through their recording seams.

#include "resources/StringTable.h"
#include "support/MainDlgHarness.h"
#include "ui/AboutDlg.h"
#include "ui/ColorsDlg.h"
#include "ui/FileListModel.h"
#include "ui/FilenameTab.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/PreviewList.h"
#include "ui/PreviewModel.h"
#include "ui/QtText.h"
#include "ui/TextEditorDlg.h"
#include "ui/TextInputDlg.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

/// r 0x12, g 0x34, b 0x56 as the settings keep it.
constexpr uint32_t kChosenRef = 0x563412;

} // namespace

class MainDlgDialogsTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    std::vector<QString> modalsRun;
    std::function<int(QDialog&)> modalAnswer;

    void Open() {
        OpenWindow([this](QDialog& dialog) {
            modalsRun.push_back(dialog.windowTitle());
            dialog.show();
            const int result = modalAnswer ? modalAnswer(dialog) : int(QDialog::Rejected);
            dialog.hide();
            return result;
        });
    }
    QCheckBox* Check(const char* name) const {
        return window->GetFilenameTab()->findChild<QCheckBox*>(QLatin1String(name));
    }
    /// Turns on "Vervang door de tekst" and returns its edit, focused.
    QLineEdit* ReplaceWithEdit() {
        QCheckBox* box = Check("replaceWithOn");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        QLineEdit* edit = Edit("replaceWithText");
        edit->setFocus();
        return edit;
    }
    CTextEditorDlg* Editor() const { return window->GetTextEditor(); }
    QAction* EditorMenuItem(int id) const {
        return Editor()->GetMenuBar()->findChild<QAction*>(QStringLiteral("action%1").arg(id));
    }

private slots:
    void init() {
        ResetHarness();
        modalsRun.clear();
        modalAnswer = nullptr;
    }
    void cleanup() { CloseWindow(); }

    void coloursReachTheSettingsAndTheListsAfterOkOnly() {
        folder->WriteFile("a.txt");
        Open();
        QAbstractItemModelTester fileTester(window->GetFileListModel());
        QAbstractItemModelTester previewTester(window->GetPreviewModel());
        std::vector<QColor> offered;
        window->SetColourChooser([&offered](const QColor& current) {
            offered.push_back(current);
            return QColor(0x12, 0x34, 0x56);
        });
        QColor shownSystemText;
        QString rowText;
        modalAnswer = [&](QDialog& dialog) {
            auto& colours = dynamic_cast<CColorsDlg&>(dialog);
            shownSystemText = colours.GetSwatch(1104)->GetBackgroundColor();
            QTest::mouseClick(colours.GetSwatch(1104), Qt::LeftButton);
            QTest::mouseClick(colours.GetSwatch(1109), Qt::LeftButton);
            return int(QDialog::Rejected);
        };
        Key(window->GetFileList(), Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(modalsRun, (std::vector<QString>{QStringLiteral("Kleurenconfiguratie")}));
        QCOMPARE(shownSystemText, QColor(0x80, 0, 0));
        // The picker starts at the swatch's colour.
        QCOMPARE(offered.size(), std::size_t(2));
        QCOMPARE(offered[0], QColor(0x80, 0, 0));
        QCOMPARE(settings.colorSystemF, uint32_t(0x000080));
        QCOMPARE(window->GetFileListModel()->GetColours().systemText, uint32_t(0x000080));
        QCOMPARE(window->GetPreviewModel()->GetColours().renamedBack, uint32_t(0xFFFFFF));

        modalAnswer = [](QDialog& dialog) {
            auto& colours = dynamic_cast<CColorsDlg&>(dialog);
            QTest::mouseClick(colours.GetSwatch(1104), Qt::LeftButton);
            QTest::mouseClick(colours.GetSwatch(1109), Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
            return dialog.result();
        };
        window->GetAction(cmd::kColours)->trigger();
        QCOMPARE(settings.colorSystemF, kChosenRef);
        QCOMPARE(settings.colorPreviewBeingRenamedB, kChosenRef);
        QCOMPARE(settings.colorSystemB, uint32_t(0xE6E6E6));
        QCOMPARE(window->GetFileListModel()->GetColours().systemText, kChosenRef);
        QCOMPARE(window->GetFileListModel()->GetColours().systemBack, uint32_t(0xE6E6E6));
        QCOMPARE(window->GetPreviewModel()->GetColours().renamedBack, kChosenRef);
        QCOMPARE(window->GetPreviewModel()->GetColours().renamedText, uint32_t(0));
        // A renamed row is drawn on the new background.
        QCOMPARE(
            window->GetPreviewModel()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
            QColor(0x12, 0x34, 0x56));
    }

    void colourDialogShowsItsGroupsAndAChooserCancelKeepsTheSwatch() {
        CColorsDlg::Colours colours{};
        for (std::size_t i = 0; i < colours.size(); ++i) {
            colours[i] = static_cast<uint32_t>(i + 1);
        }
        CColorsDlg dialog(colours);
        QCOMPARE(dialog.GetColours(), colours);
        QVERIFY(dialog.GetSwatch(1097) == nullptr);
        QVERIFY(dialog.GetSwatch(1110) == nullptr);
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            labels << label->text();
        }
        for (const char* text :
             {"Voorgrond", "Achtergrond", "Gewone bestanden", "Verborgen bestanden",
              "Alleen lezen bestanden", "Systeembestanden", "Hernoemde bestanden"}) {
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        }
        QCOMPARE(dialog.findChildren<QGroupBox*>().size(), 2);
        dialog.SetChooser([](const QColor&) { return QColor(); });
        QTest::mouseClick(dialog.GetSwatch(1100), Qt::LeftButton);
        QCOMPARE(dialog.GetColours(), colours);
    }

    void textEditorRefusesAFileOver8MiBAndKeepsItsText() {
        Open();
        QVERIFY(!Editor()->isVisible());
        Key(window->GetFileList(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(Editor()->isVisible());
        QCOMPARE(Editor()->windowTitle(), QStringLiteral("Tekstverwerker"));
        QCOMPARE(Editor()->GetEdit()->accessibleName(), QStringLiteral("Tekstverwerker"));
        QTest::keyClicks(Editor()->GetEdit(), QStringLiteral("old"));

        const std::string big = folder->WriteFile("big.txt", std::string(0x800001, 'x'));
        fileDialogs.PushAnswer(ToQt(big));
        EditorMenuItem(CTextEditorDlg::kCmdOpen)->trigger();
        QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
        QCOMPARE(ToQt(boxes.GetAsked()[0].text), UiText(strings::kTextFileTooLarge));
        QCOMPARE(boxes.GetAsked()[0].caption, std::string("Waarschuwing"));
        QCOMPARE(Editor()->GetText(), QStringLiteral("old"));

        const std::string missing = folder->Path() + "missing.txt";
        fileDialogs.PushAnswer(ToQt(missing));
        EditorMenuItem(CTextEditorDlg::kCmdOpen)->trigger();
        QCOMPARE(boxes.GetAsked().size(), std::size_t(2));
        QCOMPARE(boxes.GetAsked()[1].text,
                 "Het bestand [" + missing + "] kan niet geopend worden.");
        QCOMPARE(Editor()->GetText(), QStringLiteral("old"));

        // A readable file replaces the text up to its first zero byte.
        const std::string small =
            folder->WriteFile("small.txt", std::string("een\r\ntwee\0drie", 14));
        fileDialogs.PushAnswer(ToQt(small));
        EditorMenuItem(CTextEditorDlg::kCmdOpen)->trigger();
        QCOMPARE(boxes.GetAsked().size(), std::size_t(2));
        QCOMPARE(Editor()->GetText(), QStringLiteral("een\ntwee"));
        QCOMPARE(fileDialogs.GetAsked().size(), std::size_t(3));

        EditorMenuItem(CTextEditorDlg::kCmdNew)->trigger();
        QCOMPARE(Editor()->GetText(), QString());
    }

    void escapeAndTheCloseBoxHideTheEditorAndKeepItsText() {
        Open();
        window->RunCommand(cmd::kTextEditor);
        QTest::keyClicks(Editor()->GetEdit(), QStringLiteral("een"));
        QTest::keyClick(Editor()->GetEdit(), Qt::Key_Return);
        QTest::keyClicks(Editor()->GetEdit(), QStringLiteral("twee"));
        QCOMPARE(Editor()->GetText(), QStringLiteral("een\ntwee"));
        QTest::keyClick(Editor()->GetEdit(), Qt::Key_Escape);
        QVERIFY(!Editor()->isVisible());
        QCOMPARE(Editor()->GetText(), QStringLiteral("een\ntwee"));

        window->RunCommand(cmd::kTextEditor);
        QVERIFY(Editor()->isVisible());
        Editor()->close();
        QVERIFY(!Editor()->isVisible());
        std::string line;
        QVERIFY(window->GetEditorLine(1, line));
        QCOMPARE(line, std::string("twee"));
        QVERIFY(!window->GetEditorLine(2, line));
    }

    void lineTagReadsTheEditorLinesInThePreview() {
        folder->WriteFile("a.txt");
        folder->WriteFile("b.txt");
        folder->WriteFile("c.txt");
        Open();
        // The editor was never shown: its lines count all the same.
        const std::string lines = folder->WriteFile("lines.lst", "eerste\r\ntweede\r\n");
        QVERIFY(Editor()->OpenFile(ToQt(lines)));
        window->findChild<QCheckBox*>(QStringLiteral("onlySelectedCheck"))->setChecked(false);
        QLineEdit* edit = ReplaceWithEdit();
        QTest::keyClicks(edit, QStringLiteral("<T>"));
        const QStringList rows = PreviewRows();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0], QStringLiteral("eerste.txt"));
        QCOMPARE(rows[1], QStringLiteral("tweede.txt"));
        QVERIFY(!rows[2].startsWith(QStringLiteral("eerste")));
        QVERIFY(!rows[2].startsWith(QStringLiteral("tweede")));
    }

    void importTakesTheListRows() {
        folder->WriteFile("a.txt");
        folder->WriteFile("b.txt");
        Open();
        Editor()->SetText(QStringLiteral("iets"));
        EditorMenuItem(CTextEditorDlg::kCmdImportAllFiles)->trigger();
        QCOMPARE(Editor()->GetText(), QStringLiteral("a.txt\nb.txt\n"));
        Editor()->SetText(QStringLiteral("iets"));
        window->GetPreviewList()->clearSelection();
        EditorMenuItem(CTextEditorDlg::kCmdImportSelectedPreview)->trigger();
        QCOMPARE(Editor()->GetText(), QString());
    }

    void wideTextBoxEditsTheFocusedTagEdit() {
        folder->WriteFile("a.txt");
        Open();
        QLineEdit* edit = ReplaceWithEdit();
        QTest::keyClicks(edit, QStringLiteral("abc"));
        QCOMPARE(PreviewRows(), QStringList{QStringLiteral("abc.txt")});

        QString shown;
        bool hasTagMenu = false;
        modalAnswer = [&](QDialog& dialog) {
            auto& input = dynamic_cast<CTextInputDlg&>(dialog);
            shown = input.GetEdit()->text();
            hasTagMenu = input.GetTagMenu() != nullptr;
            input.GetEdit()->selectAll();
            QTest::keyClicks(input.GetEdit(), QStringLiteral("xyz-<N>"));
            QTest::keyClick(input.GetEdit(), Qt::Key_Escape);
            return dialog.result();
        };
        QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(modalsRun, (std::vector<QString>{QStringLiteral("Tekst")}));
        QCOMPARE(shown, QStringLiteral("abc"));
        QVERIFY(hasTagMenu);
        // Escape cancels: the edit keeps its text.
        QCOMPARE(edit->text(), QStringLiteral("abc"));

        modalAnswer = [](QDialog& dialog) {
            auto& input = dynamic_cast<CTextInputDlg&>(dialog);
            input.GetEdit()->selectAll();
            QTest::keyClicks(input.GetEdit(), QStringLiteral("xyz"));
            QTest::keyClick(input.GetEdit(), Qt::Key_Return);
            return dialog.result();
        };
        QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(modalsRun.size(), std::size_t(2));
        QCOMPARE(edit->text(), QStringLiteral("xyz"));
        QCOMPARE(PreviewRows(), QStringList{QStringLiteral("xyz.txt")});
    }

    void wideTextBoxDoesNothingOutsideATagEdit() {
        folder->WriteFile("a.txt");
        Open();
        modalAnswer = [](QDialog&) { return int(QDialog::Accepted); };
        Key(window->GetFileList(), Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(modalsRun.size(), std::size_t(0));
        // A number edit of a rule takes no tags.
        QCheckBox* leftCrop = Check("leftCropOn");
        QVERIFY(leftCrop != nullptr);
        leftCrop->setFocus();
        QTest::keyClick(leftCrop, Qt::Key_Space);
        QWidget* count = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(count) != nullptr);
        QVERIFY(!window->GetFilenameTab()->IsRuleTextEdit(count));
        QTest::keyClick(count, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(modalsRun.size(), std::size_t(0));
        QVERIFY(boxes.GetAsked().empty());
    }

    void aboutBoxShowsTheProgramAndItsVersion() {
        Open();
        QString name;
        QString version;
        QString licence;
        modalAnswer = [&](QDialog& dialog) {
            auto& about = dynamic_cast<CAboutDlg&>(dialog);
            name = about.GetNameLabel()->text();
            version = about.GetVersionLabel()->text();
            const auto* licenceLabel = about.findChild<QLabel*>(QStringLiteral("licenceLabel"));
            licence = licenceLabel != nullptr ? licenceLabel->text() : QString();
            QTest::mouseClick(about.GetOkButton(), Qt::LeftButton);
            return dialog.result();
        };
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("aboutButton")),
                          Qt::LeftButton);
        QCOMPARE(modalsRun, (std::vector<QString>{QStringLiteral("Over NorvikRename")}));
        QCOMPARE(name, QStringLiteral("NorvikRename"));
        QCOMPARE(version, QStringLiteral("Versie 0.1"));
        QCOMPARE(licence, QStringLiteral("Licentie: GNU GPL, versie 3 of later"));
        window->GetAction(cmd::kAbout)->trigger();
        QCOMPARE(modalsRun.size(), std::size_t(2));
        QVERIFY(boxes.GetAsked().empty());
    }
};

QTEST_MAIN(MainDlgDialogsTest)
#include "MainDlgDialogsTest.moc"
