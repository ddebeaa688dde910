// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window, driven by keys and clicks on a temporary folder;
// message boxes, file dialogs, popups and modal dialogs are answered through
// the window's seams.

#include "app/MessageBoxes.h"
#include "catalogue/DefaultColumns.h"
#include "resources/StringTable.h"
#include "support/MainDlgHarness.h"
#include "ui/AutonumberTab.h"
#include "ui/FilenameTab.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/PreviewList.h"
#include "ui/QtText.h"
#include "ui/RenameErrorsDlg.h"
#include "ui/SettingsDlg.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>
#include <memory>

class MainDlgTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    std::vector<QString> modalsRun;
    int errorRowsShown = -1;
    std::function<int(QDialog&)> modalAnswer;

    void Open(const std::string& extraKeywords = {}) {
        OpenWindow(
            [this](QDialog& dialog) {
                modalsRun.push_back(dialog.windowTitle());
                if (auto* errors = qobject_cast<CRenameErrorsDlg*>(&dialog); errors != nullptr) {
                    errorRowsShown = errors->GetTable()->rowCount();
                }
                return modalAnswer ? modalAnswer(dialog) : int(QDialog::Rejected);
            },
            extraKeywords);
    }
    /// A control of the window, looked up on the Filename page first (the
    /// Extension page has controls of the same names).
    QCheckBox* Check(const char* name) const {
        auto* box = window->GetFilenameTab()->findChild<QCheckBox*>(QLatin1String(name));
        return box != nullptr ? box : window->findChild<QCheckBox*>(QLatin1String(name));
    }
    /// Everything renamed, not only the selection.
    void RenameAllFiles() {
        Check("onlySelectedCheck")->setChecked(false);
    }
    std::string Content(const std::string& name) const {
        std::ifstream in(*folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private slots:
    void init() {
        ResetHarness();
        modalsRun.clear();
        errorRowsShown = -1;
        modalAnswer = nullptr;
    }
    void cleanup() { CloseWindow(); }

    void startShowsTheFolderAndTheCommandStates() {
        folder->WriteFile("a.txt", "A");
        folder->WriteFile("b.txt", "B");
        Open();
        QAbstractItemModelTester fileTester(window->GetFileList()->model());
        QAbstractItemModelTester previewTester(window->GetPreviewList()->model());
        QCOMPARE(window->windowTitle(), ToQt("NorvikRename - [" + folder->Path() + "]"));
        QCOMPARE(window->GetPathEdit()->text(), ToQt(folder->Path()));
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(PreviewRows().size(), 2);
        QVERIFY(window->GetAction(cmd::kShowFolders)->isChecked());
        QVERIFY(window->GetAction(cmd::kShowFiles)->isChecked());
        QVERIFY(window->GetAction(cmd::kPreview)->isChecked());
        QVERIFY(!window->GetAction(cmd::kRecursive)->isChecked());
        QVERIFY(!window->GetAction(cmd::kUndo)->isEnabled());
        QVERIFY(!window->GetAction(cmd::kHistory)->isEnabled());
        QVERIFY(!window->GetAction(cmd::kBack)->isEnabled());
        QCOMPARE(window->minimumSize(), QSize(740, 420));
        QCOMPARE(window->GetMaskCombo()->count(), 8);
        QCOMPARE(window->GetMaskCombo()->currentText(), QStringLiteral("*.*"));
        // Every toolbar command has its tooltip text and the right key.
        QCOMPARE(window->GetAction(cmd::kRefresh)->toolTip(), QStringLiteral("Vernieuw bestanden"));
        QCOMPARE(window->GetAction(cmd::kRename)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Alt+R")));
    }

    void roadOfOneRenameAndItsUndoByKeyboard() {
        folder->WriteFile("a.txt", "AAA");
        folder->WriteFile("b.txt", "BB");
        folder->WriteFile("c.jpg", "C");
        Open();
        RenameAllFiles();
        // The mask applies on Enter only (FilterWhenRETURNkeyPressed is on).
        QLineEdit* mask = window->GetMaskCombo()->lineEdit();
        Key(window->GetFileList(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(mask->hasFocus());
        QTest::keyClicks(mask, QStringLiteral("*.txt"));
        QCOMPARE(FileRows().size(), 3);
        QTest::keyClick(mask, Qt::Key_Return);
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));

        // A rule typed key by key: the preview follows every keystroke.
        QCheckBox* insertBefore = Check("insertBeforeOn");
        QVERIFY(insertBefore != nullptr);
        insertBefore->setFocus();
        QTest::keyClick(insertBefore, Qt::Key_Space);
        QLineEdit* text = Edit("insertBeforeText");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(text));
        QTest::keyClick(text, Qt::Key_X);
        QCOMPARE(PreviewRows(), (QStringList{QStringLiteral("xa.txt"), QStringLiteral("xb.txt")}));
        QTest::keyClick(text, Qt::Key_Minus);
        QCOMPARE(PreviewRows(),
                 (QStringList{QStringLiteral("x-a.txt"), QStringLiteral("x-b.txt")}));

        // Rename with its question answered Yes.
        boxes.PushAnswer(boxbutton::kYes);
        Key(window->GetFileList(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
        QCOMPARE(ToQt(boxes.GetAsked()[0].text), UiText(strings::kConfirmRenameAll));
        QCOMPARE(Content("x-a.txt"), std::string("AAA"));
        QCOMPARE(Content("x-b.txt"), std::string("BB"));
        QCOMPARE(Content("c.jpg"), std::string("C"));
        QCOMPARE(FileRows(),
                 (QStringList{QStringLiteral("x-a.txt"), QStringLiteral("x-b.txt")}));
        QVERIFY(window->GetAction(cmd::kUndo)->isEnabled());
        QVERIFY(window->findChild<QWidget*>(QStringLiteral("undoButton"))->isEnabled());

        Key(window->GetFileList(), Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(Content("a.txt"), std::string("AAA"));
        QCOMPARE(Content("b.txt"), std::string("BB"));
        QVERIFY(!std::filesystem::exists(*folder / "x-a.txt"));
        QVERIFY(!window->GetAction(cmd::kUndo)->isEnabled());
    }

    void maskAppliesOnEveryKeystrokeWhenAsked() {
        folder->WriteFile("a.txt");
        folder->WriteFile("b.jpg");
        settings.filterWhenReturnKeyPressed = false;
        Open();
        QLineEdit* mask = window->GetMaskCombo()->lineEdit();
        mask->selectAll();
        QTest::keyClicks(mask, QStringLiteral("*.jpg"));
        QCOMPARE(FileRows(), QStringList{QStringLiteral("b.jpg")});
    }

    void failuresAreListedAndTheOtherFileKeepsItsName() {
        folder->WriteFile("a.txt", "1");
        folder->WriteFile("b.txt", "2");
        Open();
        RenameAllFiles();
        Check("replaceWithOn")->click();
        QTest::keyClicks(Edit("replaceWithText"), QStringLiteral("same"));
        QCOMPARE(PreviewRows(),
                 (QStringList{QStringLiteral("same.txt"), QStringLiteral("same.txt")}));
        boxes.PushAnswer(boxbutton::kYes);
        window->RunCommand(cmd::kRename);
        QCOMPARE(errorRowsShown, 1);
        QCOMPARE(modalsRun.back(), QStringLiteral("Hernoemen fouten"));
        QCOMPARE(Content("same.txt"), std::string("1"));
        QCOMPARE(Content("b.txt"), std::string("2"));
    }

    void oneSelectedFileIsAskedAsTheSelectionAndRenamedAlone() {
        folder->WriteFile("a.txt");
        folder->WriteFile("b.txt");
        settings.renameOnlySelectedFiles = true;
        Open();
        Check("insertBeforeOn")->click();
        QTest::keyClicks(Edit("insertBeforeText"), QStringLiteral("n"));
        // The first row is selected after the listing: only it is renamed.
        QCOMPARE(PreviewRows(), (QStringList{QStringLiteral("na.txt"), QStringLiteral("<b.txt>")}));
        boxes.PushAnswer(boxbutton::kYes);
        window->RunCommand(cmd::kRename);
        QCOMPARE(ToQt(boxes.GetAsked().at(0).text), UiText(strings::kConfirmRenameSelected));
        QVERIFY(std::filesystem::exists(*folder / "na.txt"));
        QVERIFY(std::filesystem::exists(*folder / "b.txt"));
    }

    void selectionDecidesThePreviewAndCtrlAStaysInARuleEdit() {
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            folder->WriteFile(name);
        }
        settings.renameOnlySelectedFiles = true;
        Open();
        Check("insertBeforeOn")->click();
        QTest::keyClicks(Edit("insertBeforeText"), QStringLiteral("n"));
        // Ctrl+A in the rule edit selects its text, not the rows.
        QTest::keyClick(Edit("insertBeforeText"), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window->GetCore().GetCatalogue().GetSelectedCount(), 1);
        Key(window->GetFileList(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window->GetCore().GetCatalogue().GetSelectedCount(), 3);
        QCOMPARE(PreviewRows(), (QStringList{QStringLiteral("na.txt"), QStringLiteral("nb.txt"),
                                             QStringLiteral("nc.txt")}));
        // A click on one row: only it is renamed.
        CMainFileList* list = window->GetFileList();
        const QRect second = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second.center());
        QCOMPARE(window->GetCore().GetCatalogue().GetSelectedCount(), 1);
        QCOMPARE(PreviewRows(), (QStringList{QStringLiteral("<a.txt>"), QStringLiteral("nb.txt"),
                                             QStringLiteral("<c.txt>")}));
    }

    void rowsMovedByHandRenumberAndClearTheSortMark() {
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
            folder->WriteFile(name);
        }
        Open();
        RenameAllFiles();
        window->GetAutonumberTab()->SetPosition(1);
        window->GetAutonumberTab()->TakeValues();
        window->GetCore().GetOptions().autonumber.zeroFill = "0";
        window->RecomputePreview(false);
        CRenameCore& core = window->GetCore();
        core.SetRowsSelected({{0, 3}}, false);
        core.SetRowsSelected({{0, 1}, {3, 3}}, true);
        Key(window->GetFileList(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                                          QStringLiteral("d.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(PreviewRows(), (QStringList{QStringLiteral("1a.txt"), QStringLiteral("2b.txt"),
                                             QStringLiteral("3d.txt"), QStringLiteral("4c.txt")}));
        QCOMPARE(window->GetFileList()->horizontalHeader()->sortIndicatorSection(), -1);
        QCOMPARE(core.GetCatalogue().GetSelectedCount(), 3);
    }

    void pathEditRefusesWhatIsNotAFolder() {
        folder->WriteFile("sub/x.txt");
        Open();
        QLineEdit* path = window->GetPathEdit();
        path->clear();
        Key(path, Qt::Key_Return);
        QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
        QCOMPARE(boxes.GetAsked()[0].text, std::string("[]\n\n is geen geldig pad"));
        path->setText(ToQt(folder->Path() + "missing"));
        Key(path, Qt::Key_Return);
        QCOMPARE(window->GetCore().GetCatalogue().GetFolder(), folder->Path());
        // A folder typed with a variable opens, and the history grows.
        qputenv("NR_TEST_FOLDER", QByteArray::fromStdString(folder->Path() + "sub"));
        path->setText(QStringLiteral("$NR_TEST_FOLDER"));
        Key(path, Qt::Key_Return);
        QCOMPARE(window->GetCore().GetCatalogue().GetFolder(), folder->Path() + "sub/");
        QVERIFY(window->GetAction(cmd::kBack)->isEnabled());
        QVERIFY(window->GetAction(cmd::kHistory)->isEnabled());
        Key(window->GetFileList(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(window->GetCore().GetCatalogue().GetFolder(), folder->Path());
        // The history popup lists the newest first; choosing goes there.
        popups.PushAnswer(2);
        Key(window->GetFileList(), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(popups.GetAsked().size(), std::size_t(1));
        QCOMPARE(popups.GetAsked()[0].items.at(0).text, ToQt(folder->Path() + "sub/"));
        QCOMPARE(window->GetCore().GetCatalogue().GetFolder(), folder->Path() + "sub/");
    }

    void ctrlTabCyclesTheRuleTabs() {
        Open();
        QTabWidget* tabs = window->GetTabs();
        QCOMPARE(tabs->currentIndex(), 0);
        Key(window->GetFileList(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        Key(window->GetFileList(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 2);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("positionNone"));
        Key(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void listPopupSavesThePreviewAndF3OpensTheExtendedFilter() {
        folder->WriteFile("a.txt");
        Open();
        const std::string listing = folder->Path() + "preview.txt";
        popups.PushAnswer(cmd::kSavePreview);
        fileDialogs.PushAnswer(ToQt(listing));
        emit window->GetPreviewList()->customContextMenuRequested(QPoint(5, 5));
        QCOMPARE(popups.GetAsked().at(0).items.size(), std::size_t(5));
        QVERIFY(std::filesystem::exists(listing));

        boxes.Clear();
        modalsRun.clear();
        Key(window->GetFileList(), Qt::Key_F3);
        QVERIFY(boxes.GetAsked().empty());
        QCOMPARE(modalsRun, std::vector<QString>{QStringLiteral("Uitgebreide filter opties")});
    }

    void settingsDialogStoresItsSwitchesOnOkOnly() {
        folder->WriteFile("10.txt");
        folder->WriteFile("9.txt");
        Open();
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("10.txt"), QStringLiteral("9.txt")}));
        bool verbInstalled = true;
        window->SetShellVerb([&verbInstalled] { return verbInstalled; },
                             [&verbInstalled](bool on) { verbInstalled = on; });
        // Cancel: nothing changes, the verb stays.
        modalAnswer = [](QDialog& dialog) {
            auto& settingsDialog = dynamic_cast<CSettingsDlg&>(dialog);
            if (!settingsDialog.GetCheckBox(1022)->isChecked()) {
                return int(QDialog::Accepted); // the box must start ticked
            }
            settingsDialog.GetCheckBox(1022)->setChecked(false);
            settingsDialog.GetCheckBox(1026)->setChecked(true);
            return int(QDialog::Rejected);
        };
        Key(window->GetFileList(), Qt::Key_F10);
        QCOMPARE(modalsRun.back(), QStringLiteral("Algemene instellingen"));
        QVERIFY(verbInstalled);
        QVERIFY(!settings.sortColumnNameAsNumber);
        // OK: the switches are stored, the list sorts names as numbers, the
        // verb goes.
        modalAnswer = [](QDialog& dialog) {
            auto& settingsDialog = dynamic_cast<CSettingsDlg&>(dialog);
            settingsDialog.GetCheckBox(1022)->setChecked(false);
            settingsDialog.GetCheckBox(1026)->setChecked(true);
            settingsDialog.GetCheckBox(1024)->setChecked(false);
            return int(QDialog::Accepted);
        };
        Key(window->GetFileList(), Qt::Key_F10);
        QVERIFY(!verbInstalled);
        QVERIFY(settings.sortColumnNameAsNumber);
        QVERIFY(!settings.askConfirmationBeforeRenaming);
        QVERIFY(!window->GetCore().GetSwitches().askConfirmationBeforeRenaming);
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("9.txt"), QStringLiteral("10.txt")}));
    }

    void swapsAndChainsBoxLetsARenameSwapTwoNames() {
        folder->WriteFile("1.txt", "first");
        folder->WriteFile("2.txt", "second");
        Open();
        RenameAllFiles();
        QVERIFY(!window->GetCore().GetSwitches().allowSwapsAndChains);
        modalAnswer = [](QDialog& dialog) {
            const QString name = QStringLiteral("Wisselingen en ketens toestaan");
            QCheckBox* box = nullptr;
            for (QCheckBox* candidate : dialog.findChildren<QCheckBox*>()) {
                if (candidate->accessibleName() == name) {
                    box = candidate;
                }
            }
            if (box == nullptr || box->isChecked() || box->text() != box->accessibleName()) {
                return int(QDialog::Rejected);
            }
            dialog.show();
            QTest::mouseClick(box, Qt::LeftButton);
            dialog.hide();
            return int(QDialog::Accepted);
        };
        Key(window->GetFileList(), Qt::Key_F10);
        QVERIFY(settings.allowSwapsAndChains);
        QVERIFY(window->GetCore().GetSwitches().allowSwapsAndChains);

        // Sorted down and numbered from 1: 2.txt -> 1.txt, 1.txt -> 2.txt.
        window->GetCore().GetOptions().autonumber.position = AutonumberPosition::AfterName;
        window->GetCore().GetOptions().autonumber.zeroFill = "0";
        Check("replaceWithOn")->click();
        window->GetCore().GetCatalogue().SortBy(0, false);
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("2.txt"), QStringLiteral("1.txt")}));
        QCOMPARE(PreviewRows(), (QStringList{QStringLiteral("1.txt"), QStringLiteral("2.txt")}));
        boxes.PushAnswer(boxbutton::kYes);
        window->RunCommand(cmd::kRename);
        QCOMPARE(Content("1.txt"), std::string("second"));
        QCOMPARE(Content("2.txt"), std::string("first"));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(folder->Path()),
                               std::filesystem::directory_iterator{}),
                 2);
        window->RunCommand(cmd::kUndo);
        QCOMPARE(Content("1.txt"), std::string("first"));
        QCOMPARE(Content("2.txt"), std::string("second"));
    }

    void closingStoresPlacementColumnsAndFolder() {
        folder->WriteFile("sub/x.txt");
        settings.x = 10;
        settings.y = 20;
        settings.width = 900;
        settings.height = 600;
        settings.splitterPos = 500;
        // The type column shown second, before the size column.
        settings.columnOrder = {kNameColumn,       kTypeColumn,      kSizeColumn,
                                kAttributesColumn, kExtensionColumn, kFolderColumn,
                                kCreatedColumn,    kModifiedColumn,  kAccessedColumn};
        Open();
        window->move(10, 20);
        window->resize(900, 600);
        window->GetFileList()->setColumnWidth(kSizeColumn, 77);
        window->GetCore().GetCatalogue().SetFolder(folder->Path() + "sub", false);
        window->close();
        QCOMPARE(settings.lastPath, folder->Path() + "sub/");
        QCOMPARE(settings.width, 900);
        QCOMPARE(settings.height, 600);
        QVERIFY(!settings.maximized);
        QCOMPARE(settings.columnWidths[kSizeColumn], 77);
        QCOMPARE(settings.columnOrder[1], kTypeColumn);
        QCOMPARE(window->GetCore().GetCatalogue().GetColumnOrder()[1], kTypeColumn);

        // A maximized window is stored as maximized, with the fixed
        // rectangle (-1, -1, 622 x 442) it comes back to when restored.
        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        window->close();
        QVERIFY(settings.maximized);
        QCOMPARE(settings.x, -1);
        QCOMPARE(settings.y, -1);
        QCOMPARE(settings.width, 622);
        QCOMPARE(settings.height, 442);
    }

    void userOptionsComeBackAtTheNextStart() {
        folder->WriteFile("a.txt");
        settings.reloadUserOptionsOnStart = true;
        Open();
        Check("insertBeforeOn")->click();
        QTest::keyClicks(Edit("insertBeforeText"), QStringLiteral("keep-"));
        window->close();
        window.reset();
        Open();
        QVERIFY(Check("insertBeforeOn")->isChecked());
        QCOMPARE(Edit("insertBeforeText")->text(), QStringLiteral("keep-"));
        QCOMPARE(PreviewRows(), QStringList{QStringLiteral("keep-a.txt")});
    }

    void anOptionsFileThatCannotBeReadIsAWarningAndKeepsTheRules() {
        folder->WriteFile("a.txt");
        const std::string missing = configFolder->Path() + "missing.ini";
        Open("NRFILE=\"" + missing + "\"");
        QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
        QCOMPARE(boxes.GetAsked()[0].kind, CRecordingMessageBoxes::Kind::Warning);
        QVERIFY(boxes.GetAsked()[0].text.find(missing) != std::string::npos);
        QCOMPARE(PreviewRows(), QStringList{QStringLiteral("a.txt")});

        // Ctrl+L with a file that went away: the rules typed stay.
        Check("insertBeforeOn")->click();
        QTest::keyClicks(Edit("insertBeforeText"), QStringLiteral("k"));
        boxes.Clear();
        fileDialogs.PushAnswer(ToQt(missing));
        Key(window->GetFileList(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
        QVERIFY(boxes.GetAsked()[0].text.find(missing) != std::string::npos);
        QCOMPARE(Edit("insertBeforeText")->text(), QStringLiteral("k"));
        QCOMPARE(PreviewRows(), QStringList{QStringLiteral("ka.txt")});
    }

    void previewOffShowsThePlaceholderAndADoubleClickComputes() {
        folder->WriteFile("a.txt");
        Open();
        Key(window->GetFileList(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!window->GetAction(cmd::kPreview)->isChecked());
        QCOMPARE(PreviewRows(), QStringList{UiText(strings::kDoubleClickForPreview)});
        emit window->GetPreviewList()->RowDoubleClicked(0);
        QCOMPARE(PreviewRows().size(), 1);
        QVERIFY(PreviewRows()[0] != UiText(strings::kDoubleClickForPreview));
    }
};

QTEST_MAIN(MainDlgTest)
#include "MainDlgTest.moc"
