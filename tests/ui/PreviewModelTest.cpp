// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PreviewModel.h"
#include "resources/StringTable.h"
#include "ui/ListFixture.h"
#include "ui/TestIconTheme.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

struct CPreviewFixture : CListFixture {
    CFileListModel files{core};
    CPreviewModel model{core};
    CPreviewFixture() {
        frontEnd.files = &files;
        frontEnd.preview = &model;
    }
    QString Text(int row) const { return model.data(model.index(row, 0)).toString(); }
    QColor Colour(int row, int role) const {
        return model.data(model.index(row, 0), role).value<QColor>();
    }
};

} // namespace

class PreviewModelTest : public QObject {
    Q_OBJECT

private slots:
    void PlaceholderWhenThePreviewIsOff();
    void OneRowPerFileRowUnderTheTester();
    void SameRowCountRepaintsInPlace();
    void ColoursTellKeptFromRenamed();
    void IconFollowsTheNewName();
    void RowsThatWillNotBeRenamedAreMarked();
};

void PreviewModelTest::PlaceholderWhenThePreviewIsOff() {
    CPreviewFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(f.model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Voorbeeld"));
    f.core.TogglePreview();
    QCOMPARE(f.model.rowCount(), 1);
    QCOMPARE(f.Text(0), QStringLiteral("Dubbelklik voor een voorbeeld"));
    QCOMPARE(f.model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Voorbeeld"));
    QCOMPARE(f.model.headerData(0, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
             QStringLiteral("Voorbeeld"));
    QVERIFY(!f.model.data(f.model.index(0, 0), Qt::DecorationRole).isValid());

    f.folder.WriteFile("a.txt");
    f.folder.WriteFile("b.txt");
    QVERIFY(f.Open());
    QCOMPARE(f.model.rowCount(), 1);
    QCOMPARE(f.Text(0), QStringLiteral("Dubbelklik voor een voorbeeld"));

    QSignalSpy header(&f.model, &QAbstractItemModel::headerDataChanged);
    f.core.TogglePreview();
    QCOMPARE(f.model.rowCount(), 2);
    QCOMPARE(f.Text(1), QStringLiteral("b.txt"));
    QCOMPARE(header.count(), 1);
    QVERIFY(f.model.headerData(0, Qt::Horizontal)
                .toString()
                .startsWith(QStringLiteral("Voorbeeld - [ 2 ")));
}

void PreviewModelTest::OneRowPerFileRowUnderTheTester() {
    CPreviewFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.folder.WriteFile("a.txt");
    f.folder.MakeFolder("sub");
    QVERIFY(f.Open());
    QCOMPARE(f.model.rowCount(), 2);
    QCOMPARE(f.Text(0), QStringLiteral("<sub>"));
    QCOMPARE(f.Text(1), QStringLiteral("a.txt"));

    f.folder.WriteFile("b.txt");
    f.folder.WriteFile("c.txt");
    f.Catalogue().Refresh();
    QCOMPARE(f.model.rowCount(), 4);
    QCOMPARE(f.Text(3), QStringLiteral("c.txt"));

    // A second begin before the end (a cancelled computation starts over)
    // is one change.
    f.model.BeginPreviewChange();
    f.core.ComputeNewNames(false);
    QVERIFY(!f.model.IsChangingPreview());
    QCOMPARE(f.model.rowCount(), 4);
}

void PreviewModelTest::SameRowCountRepaintsInPlace() {
    CPreviewFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 0; i < 50; ++i) {
        f.folder.WriteFile("f" + std::to_string(i) + ".txt");
    }
    QVERIFY(f.Open());
    QSignalSpy resets(&f.model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);

    CNameRuleBlock& name = f.core.GetOptions().name;
    name.insertBeforeOn = true;
    name.insertBeforeText = "x";
    f.core.ComputeNewNames(false);

    QCOMPARE(resets.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].value<QModelIndex>(), f.model.index(0, 0));
    QCOMPARE(changed[0][1].value<QModelIndex>(), f.model.index(49, 0));
    QCOMPARE(f.Text(0), QStringLiteral("xf0.txt"));

    f.folder.WriteFile("g.txt");
    f.Catalogue().Refresh();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(f.model.rowCount(), 51);
}

void PreviewModelTest::ColoursTellKeptFromRenamed() {
    CPreviewFixture f;
    f.folder.WriteFile("a.txt");
    f.folder.MakeFolder("sub");
    QVERIFY(f.Open());
    QCOMPARE(f.Colour(0, Qt::ForegroundRole), QColor(Qt::black));
    QCOMPARE(f.Colour(0, Qt::BackgroundRole), QColor(Qt::white));

    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
    CPreviewColours colours;
    colours.previewText = 0x000011;
    colours.previewBack = 0x002200;
    colours.renamedText = 0x330000;
    colours.renamedBack = 0x444444;
    f.model.SetColours(colours);
    QCOMPARE(changed.count(), 1);
    // "<sub>" keeps its name; "a.txt" will be renamed.
    QCOMPARE(f.Colour(0, Qt::ForegroundRole), QColor(0x11, 0, 0));
    QCOMPARE(f.Colour(0, Qt::BackgroundRole), QColor(0, 0x22, 0));
    QCOMPARE(f.Colour(1, Qt::ForegroundRole), QColor(0, 0, 0x33));
    QCOMPARE(f.Colour(1, Qt::BackgroundRole), QColor(0x44, 0x44, 0x44));

    f.core.TogglePreview();
    QCOMPARE(f.Colour(0, Qt::ForegroundRole), QColor(0, 0, 0x33));
}

void PreviewModelTest::IconFollowsTheNewName() {
    CTestIconTheme theme({QStringLiteral("image-jpeg"), QStringLiteral("image-png"),
                          QStringLiteral("folder"), QStringLiteral("text-plain")});
    CPreviewFixture f;
    f.folder.WriteFile("photo.jpg", std::string("\xff\xd8\xff", 3));
    f.folder.MakeFolder("album");
    QVERIFY(f.Open());
    const auto iconName = [&f](int row) {
        return f.model.data(f.model.index(row, 0), Qt::DecorationRole).value<QIcon>().name();
    };
    QCOMPARE(f.Text(1), QStringLiteral("photo.jpg"));
    QCOMPARE(iconName(1), QStringLiteral("image-jpeg"));
    QCOMPARE(iconName(0), QStringLiteral("folder"));

    CRenameOptions& options = f.core.GetOptions();
    options.extension.replaceWithOn = true;
    options.extension.replaceWithText = "png";
    f.core.ComputeNewNames(false);
    QCOMPARE(f.Text(1), QStringLiteral("photo.png"));
    QCOMPARE(iconName(1), QStringLiteral("image-png"));
}

QTEST_MAIN(PreviewModelTest)
#include "PreviewModelTest.moc"

void PreviewModelTest::RowsThatWillNotBeRenamedAreMarked() {
    CPreviewFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.folder.WriteFile("a.txt");
    f.folder.WriteFile("b.txt");
    f.folder.WriteFile("c.txt");
    f.folder.WriteFile("taken.txt");
    f.core.GetOptions().renameOnlySelected = false;
    QVERIFY(f.Open());
    const QColor plainBack = f.Colour(0, Qt::BackgroundRole);
    QVERIFY(!f.model.data(f.model.index(0, 0), Qt::ToolTipRole).isValid());

    // a, b and c all become "taken.txt": each collides, a with the file
    // already there, b and c with it too (a's move fails and taken.txt stays).
    CNameRuleBlock& name = f.core.GetOptions().name;
    name.replaceWithOn = true;
    name.replaceWithText = "taken";
    QSignalSpy header(&f.model, &QAbstractItemModel::headerDataChanged);
    f.core.ComputeNewNames(false);
    QCOMPARE(header.count(), 1);
    QVERIFY(f.model.headerData(0, Qt::Horizontal).toString().endsWith(
        QStringLiteral("[ 3 botsingen ]")));
    const QString taken = ToQt(f.folder.Path() + "taken.txt");
    for (int row = 0; row < 3; ++row) {
        const QModelIndex index = f.model.index(row, 0);
        QCOMPARE(f.Text(row), QStringLiteral("taken.txt"));
        QVERIFY(f.Colour(row, Qt::BackgroundRole) != plainBack);
        QVERIFY(!f.model.data(index, Qt::DecorationRole).value<QIcon>().isNull());
        const QString tip = f.model.data(index, Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(taken), qPrintable(tip));
        QCOMPARE(f.model.data(index, Qt::AccessibleDescriptionRole).toString(), tip);
    }
    // taken.txt itself keeps its name and is no collision.
    QCOMPARE(f.Colour(3, Qt::BackgroundRole), plainBack);
    QVERIFY(!f.model.data(f.model.index(3, 0), Qt::ToolTipRole).isValid());

    // Distinct new names: no mark, and the header loses the count.
    name.replaceWithOn = false;
    name.insertBeforeOn = true;
    name.insertBeforeText = "new-";
    f.core.ComputeNewNames(false);
    QCOMPARE(f.Text(0), QStringLiteral("new-a.txt"));
    QVERIFY(!f.model.headerData(0, Qt::Horizontal).toString().contains(QStringLiteral("botsing")));
    QCOMPARE(f.Colour(0, Qt::BackgroundRole), plainBack);
}
