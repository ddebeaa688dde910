// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window on a camera's card (exFAT through FUSE, which folds
// case): the user lower-cases every name, renames, and Undo brings the old
// case back, also after a restart through the kept journal.

#include "app/MessageBoxes.h"
#include "support/FoldingMount.h"
#include "support/MainDlgHarness.h"
#include "ui/ExtensionTab.h"
#include "ui/FilenameTab.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"

#include <QAction>
#include <QRadioButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

class MainDlgCardTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    std::unique_ptr<CFoldingMount> card;
    std::unique_ptr<CTempFolder> stateFolder;

    std::set<std::string> OnCard() const {
        std::set<std::string> names;
        for (const auto& item : std::filesystem::directory_iterator(card->Path())) {
            if (IsFuseHiddenName(item.path().filename().string())) {
                continue;
            }
            names.insert(item.path().filename().string());
        }
        return names;
    }
    void Start() {
        window.reset();
        OpenWindow([](QDialog&) { return int(QDialog::Rejected); }, {}, nullptr,
                   stateFolder->Path() + "undo.sh");
    }

private slots:
    void init() {
        ResetHarness();
        card = std::make_unique<CFoldingMount>(CFoldingMount::Kind::ExFat);
        if (!card->IsMounted()) {
            QSKIP(card->SkipReason().c_str());
        }
        stateFolder = std::make_unique<CTempFolder>();
        openPath = card->Path();
        settings.renameOnlySelectedFiles = false;
    }
    void cleanup() {
        CloseWindow();
        card.reset();
        stateFolder.reset();
    }

    void lowerCasingRenamesAndUndoBringsTheCaseBack() {
        for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG", "Notes.TXT"}) {
            std::ofstream(card->Path() + name) << name;
        }
        Start();
        window->GetFilenameTab()->findChild<QRadioButton*>(QStringLiteral("caseLower"))->click();
        window->GetExtensionTab()->findChild<QRadioButton*>(QStringLiteral("caseLower"))->click();
        QCOMPARE(PreviewRows(),
                 QStringList({QStringLiteral("img_0001.jpg"), QStringLiteral("img_0002.jpg"),
                              QStringLiteral("notes.txt")}));
        boxes.PushAnswer(boxbutton::kYes);
        window->GetFileList()->setFocus();
        QTest::keyClick(window->GetFileList(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(OnCard(), (std::set<std::string>{"img_0001.jpg", "img_0002.jpg", "notes.txt"}));
        QCOMPARE(FileRows(),
                 QStringList({QStringLiteral("img_0001.jpg"), QStringLiteral("img_0002.jpg"),
                              QStringLiteral("notes.txt")}));

        QVERIFY(window->GetAction(cmd::kUndo)->isEnabled());
        QTest::keyClick(window->GetFileList(), Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(OnCard(), (std::set<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "Notes.TXT"}));

        // Renamed again, the next start undoes it from the kept journal.
        window->GetFilenameTab()->findChild<QRadioButton*>(QStringLiteral("caseLower"))->click();
        window->GetExtensionTab()->findChild<QRadioButton*>(QStringLiteral("caseLower"))->click();
        boxes.PushAnswer(boxbutton::kYes);
        window->GetFileList()->setFocus();
        QTest::keyClick(window->GetFileList(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(OnCard(), (std::set<std::string>{"img_0001.jpg", "img_0002.jpg", "notes.txt"}));
        Start();
        QVERIFY(window->GetAction(cmd::kUndo)->isEnabled());
        window->GetFileList()->setFocus();
        QTest::keyClick(window->GetFileList(), Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(OnCard(), (std::set<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "Notes.TXT"}));
    }
};

QTEST_MAIN(MainDlgCardTest)
#include "MainDlgCardTest.moc"
