// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileListModel.h"
#include "catalogue/DefaultColumns.h"
#include "catalogue/TypeNameSource.h"
#include "ui/ListFixture.h"
#include "ui/TestIconTheme.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

#include <memory>

namespace {

/// Type names that count how often they are asked for.
class CCountingTypeNames : public CTypeNameSource {
public:
    int asked = 0;
    std::string TypeName(const std::string& longName, uint32_t /*attributes*/) override {
        ++asked;
        return "type of " + longName;
    }
};

/// A fixture with the model attached to the front end.
struct CModelFixture : CListFixture {
    CFileListModel model{core};
    CModelFixture() { frontEnd.files = &model; }

    QString Cell(const std::string& name, int column, int role = Qt::DisplayRole) const {
        return model.data(model.index(RowOf(name), column), role).toString();
    }
    QColor Colour(const std::string& name, int role) const {
        return model.data(model.index(RowOf(name), 0), role).value<QColor>();
    }
};

} // namespace

class FileListModelTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsTheCatalogueRowsAndColumns();
    void RefreshAndSortPassTheTester();
    void NestedChangesResetOnce();
    void ASortMovesKeptIndexesWithTheirRows();
    void RowsReplacedWithinAReorderResetTheModel();
    void RowCountStaysAsAnnouncedDuringAChange();
    void HiddenSystemFileHasSystemColours();
    void HiddenReadOnlyFileHasHiddenColours();
    void TypeNamesAreLookedUpOnlyForRowsAskedFor();
    void IconsComeFromTheNameOnly();
    void HeaderCarriesTheTitles();
};

void FileListModelTest::ShowsTheCatalogueRowsAndColumns() {
    CModelFixture f;
    f.folder.WriteFile("b.txt", "12345");
    f.folder.WriteFile("a.txt");
    QVERIFY(f.Open());

    QCOMPARE(f.model.rowCount(), 2);
    QCOMPARE(f.model.columnCount(), 9);
    QCOMPARE(f.model.data(f.model.index(0, 0)).toString(), QStringLiteral("a.txt"));
    const int size = f.ColumnOfKind(ColumnKind::Size);
    QCOMPARE(f.Cell("b.txt", size), QStringLiteral("5"));
    QCOMPARE(f.model.data(f.model.index(0, size), Qt::TextAlignmentRole).toInt(),
             (Qt::AlignRight | Qt::AlignVCenter).toInt());
    QCOMPARE(f.model.data(f.model.index(0, 0), Qt::TextAlignmentRole).toInt(),
             (Qt::AlignLeft | Qt::AlignVCenter).toInt());
    QCOMPARE(f.Cell("b.txt", f.ColumnOfKind(ColumnKind::Folder)),
             QString::fromStdString(f.folder.Path()));
}

void FileListModelTest::RefreshAndSortPassTheTester() {
    CModelFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.folder.WriteFile("one.txt", "1");
    f.folder.WriteFile("two.txt", "22");
    f.folder.MakeFolder("sub");
    QSignalSpy resets(&f.model, &QAbstractItemModel::modelReset);
    QVERIFY(f.Open());
    QCOMPARE(f.model.rowCount(), 3);

    f.folder.WriteFile("three.txt", "333");
    f.Catalogue().Refresh();
    QCOMPARE(f.model.rowCount(), 4);

    // A sort keeps the rows: their layout changes, the model is not reset.
    const int resetsBefore = resets.count();
    QSignalSpy layouts(&f.model, &QAbstractItemModel::layoutChanged);
    f.Catalogue().SortBy(f.ColumnOfKind(ColumnKind::Size), false);
    QCOMPARE(resets.count(), resetsBefore);
    QCOMPARE(layouts.count(), 1);
    QCOMPARE(f.model.data(f.model.index(0, 0)).toString(), QStringLiteral("sub"));
    QCOMPARE(f.model.data(f.model.index(1, 0)).toString(), QStringLiteral("three.txt"));
    QCOMPARE(f.model.data(f.model.index(3, 0)).toString(), QStringLiteral("one.txt"));

    std::filesystem::remove(f.folder / "two.txt");
    std::filesystem::remove(f.folder / "three.txt");
    f.Catalogue().Refresh();
    QCOMPARE(f.model.rowCount(), 2);
}

void FileListModelTest::NestedChangesResetOnce() {
    CModelFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.folder.WriteFile("a.txt");
    QVERIFY(f.Open());
    QSignalSpy aboutToReset(&f.model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&f.model, &QAbstractItemModel::modelReset);
    QSignalSpy reloaded(&f.model, &CFileListModel::RowsReloaded);

    // A refresh inside a refresh: the catalogue's pairs nest.
    f.model.BeginRowsChange();
    f.folder.WriteFile("b.txt");
    f.Catalogue().Refresh();
    f.Catalogue().SortBy(kNameColumn, false);
    QVERIFY(f.model.IsChangingRows());
    QCOMPARE(reset.count(), 0);
    f.model.EndRowsChange();

    QCOMPARE(aboutToReset.count(), 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(reloaded.count(), 1);
    QVERIFY(!f.model.IsChangingRows());
    QCOMPARE(f.model.rowCount(), 2);
    QCOMPARE(f.model.data(f.model.index(0, 0)).toString(), QStringLiteral("b.txt"));

    // An end without a begin changes nothing.
    f.model.EndRowsChange();
    QCOMPARE(reset.count(), 1);
}

void FileListModelTest::ASortMovesKeptIndexesWithTheirRows() {
    CModelFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 0; i < 40; ++i) {
        f.folder.WriteFile("n" + std::to_string(10 + i),
                           std::string(static_cast<std::size_t>(40 - i), 'x'));
    }
    QVERIFY(f.Open());
    std::vector<QPersistentModelIndex> kept;
    for (const int row : {0, 7, 39}) {
        kept.emplace_back(f.model.index(row, 2));
    }
    QSignalSpy aboutToChange(&f.model, &QAbstractItemModel::layoutAboutToBeChanged);
    QSignalSpy reloaded(&f.model, &CFileListModel::RowsReloaded);
    f.Catalogue().SortBy(kSizeColumn, true);
    QCOMPARE(aboutToChange.count(), 1);
    QCOMPARE(reloaded.count(), 1);
    QCOMPARE(aboutToChange.at(0).at(1).value<QAbstractItemModel::LayoutChangeHint>(),
             QAbstractItemModel::VerticalSortHint);
    // The smallest file was the last row and is the first now.
    QCOMPARE(kept[0].row(), 39);
    QCOMPARE(kept[1].row(), 32);
    QCOMPARE(kept[2].row(), 0);
    QCOMPARE(kept[0].column(), 2);
    QCOMPARE(f.model.data(f.model.index(kept[2].row(), 0)).toString(), QStringLiteral("n49"));
}

void FileListModelTest::RowsReplacedWithinAReorderResetTheModel() {
    CModelFixture f;
    QAbstractItemModelTester tester(&f.model,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.folder.WriteFile("a.txt");
    f.folder.WriteFile("b.txt");
    QVERIFY(f.Open());
    const QPersistentModelIndex kept = f.model.index(1, 0);
    QSignalSpy reset(&f.model, &QAbstractItemModel::modelReset);
    QSignalSpy reloaded(&f.model, &CFileListModel::RowsReloaded);

    f.model.BeginRowsReorder();
    f.folder.WriteFile("c.txt");
    f.Catalogue().Refresh();
    QVERIFY(f.model.IsChangingRows());
    QCOMPARE(f.model.rowCount(), 2);
    f.model.EndRowsReorder({});

    QCOMPARE(reset.count(), 1);
    QCOMPARE(reloaded.count(), 1);
    QVERIFY(!kept.isValid());
    QCOMPARE(f.model.rowCount(), 3);
    QVERIFY(!f.model.IsChangingRows());
}

void FileListModelTest::RowCountStaysAsAnnouncedDuringAChange() {
    CModelFixture f;
    f.folder.WriteFile("a.txt");
    f.folder.WriteFile("b.txt");
    f.folder.WriteFile("c.txt");
    QVERIFY(f.Open());

    f.model.BeginRowsChange();
    std::filesystem::remove(f.folder / "b.txt");
    std::filesystem::remove(f.folder / "c.txt");
    f.Catalogue().Refresh();
    // The view still knows three rows; the rows gone read as empty.
    QCOMPARE(f.Catalogue().GetRowCount(), 1);
    QCOMPARE(f.model.rowCount(), 3);
    QVERIFY(!f.model.data(f.model.index(2, 0)).isValid());
    QVERIFY(!f.model.data(f.model.index(2, 0), Qt::BackgroundRole).isValid());
    QCOMPARE(f.model.data(f.model.index(0, 0)).toString(), QStringLiteral("a.txt"));
    f.model.EndRowsChange();
    QCOMPARE(f.model.rowCount(), 1);
}

void FileListModelTest::HiddenSystemFileHasSystemColours() {
    CModelFixture f;
    f.folder.WriteFile("plain.txt");
    QCOMPARE(mkfifo((f.folder / ".pipe").c_str(), 0644), 0);
    QCOMPARE(mkfifo((f.folder / "pipe").c_str(), 0644), 0);
    QVERIFY(f.Open());

    // The defaults: system rows dark red on light grey (0x00BBGGRR).
    QCOMPARE(f.Colour(".pipe", Qt::ForegroundRole), QColor(0x80, 0, 0));
    QCOMPARE(f.Colour(".pipe", Qt::BackgroundRole), QColor(0xE6, 0xE6, 0xE6));
    QCOMPARE(f.Colour("pipe", Qt::ForegroundRole), QColor(0x80, 0, 0));
    QCOMPARE(f.Colour("plain.txt", Qt::ForegroundRole), QColor(Qt::black));
    QCOMPARE(f.Colour("plain.txt", Qt::BackgroundRole), QColor(Qt::white));

    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
    CFileListColours colours;
    colours.systemText = 0x0000FF;
    colours.systemBack = 0x00FF00;
    colours.hiddenText = 0x112233;
    f.model.SetColours(colours);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(f.Colour(".pipe", Qt::ForegroundRole), QColor(0xFF, 0, 0));
    QCOMPARE(f.Colour(".pipe", Qt::BackgroundRole), QColor(0, 0xFF, 0));
}

void FileListModelTest::HiddenReadOnlyFileHasHiddenColours() {
    CModelFixture f;
    f.folder.WriteFile(".both.txt");
    f.folder.WriteFile("ro.txt");
    f.folder.WriteFile(".hidden.txt");
    QCOMPARE(chmod((f.folder / ".both.txt").c_str(), 0444), 0);
    QCOMPARE(chmod((f.folder / "ro.txt").c_str(), 0444), 0);
    CFileListColours colours;
    colours.normalText = 0x010101;
    colours.normalBack = 0x020202;
    colours.hiddenText = 0x030303;
    colours.hiddenBack = 0x040404;
    colours.readOnlyText = 0x050505;
    colours.readOnlyBack = 0x060606;
    f.model.SetColours(colours);
    QVERIFY(f.Open());

    QCOMPARE(f.Colour(".both.txt", Qt::ForegroundRole), QColor(3, 3, 3));
    QCOMPARE(f.Colour(".both.txt", Qt::BackgroundRole), QColor(4, 4, 4));
    QCOMPARE(f.Colour(".hidden.txt", Qt::ForegroundRole), QColor(3, 3, 3));
    QCOMPARE(f.Colour("ro.txt", Qt::ForegroundRole), QColor(5, 5, 5));
    QCOMPARE(f.Colour("ro.txt", Qt::BackgroundRole), QColor(6, 6, 6));
}

void FileListModelTest::TypeNamesAreLookedUpOnlyForRowsAskedFor() {
    CModelFixture f;
    CCountingTypeNames typeNames;
    f.Catalogue().SetTypeNameSource(&typeNames);
    for (int i = 0; i < 300; ++i) {
        f.folder.WriteFile("file" + std::to_string(i) + ".txt");
    }
    QVERIFY(f.Open());
    QCOMPARE(typeNames.asked, 0);

    const int type = f.ColumnOfKind(ColumnKind::Type);
    QCOMPARE(f.Cell("file7.txt", type), QStringLiteral("type of file7.txt"));
    QCOMPARE(f.Cell("file7.txt", type), QStringLiteral("type of file7.txt"));
    QCOMPARE(f.Cell("file8.txt", type), QStringLiteral("type of file8.txt"));
    QCOMPARE(typeNames.asked, 2);
    f.Catalogue().SetTypeNameSource(nullptr);
}

void FileListModelTest::IconsComeFromTheNameOnly() {
    CTestIconTheme theme({QStringLiteral("image-jpeg"), QStringLiteral("image-png"),
                          QStringLiteral("folder"), QStringLiteral("text-plain")});
    CModelFixture f;
    // PNG bytes under a JPEG name: the name decides.
    f.folder.WriteFile("photo.jpg", std::string("\x89PNG\r\n\x1a\n", 8));
    f.folder.WriteFile("notes.txt", "text");
    f.folder.MakeFolder("album");
    QVERIFY(f.Open());

    const auto iconName = [&f](const std::string& name, int column) {
        return f.model.data(f.model.index(f.RowOf(name), column), Qt::DecorationRole)
            .value<QIcon>()
            .name();
    };
    QCOMPARE(iconName("photo.jpg", 0), QStringLiteral("image-jpeg"));
    QCOMPARE(iconName("notes.txt", 0), QStringLiteral("text-plain"));
    QCOMPARE(iconName("album", 0), QStringLiteral("folder"));
    // Only the name column carries an icon.
    QVERIFY(!f.model.data(f.model.index(0, 1), Qt::DecorationRole).isValid());

    f.Catalogue().SetShowIcons(false);
    QVERIFY(!f.model.data(f.model.index(0, 0), Qt::DecorationRole).isValid());
}

void FileListModelTest::HeaderCarriesTheTitles() {
    CModelFixture f;
    QVERIFY(f.Open());
    const QStringList expected = {QStringLiteral("Bestand"),       QStringLiteral("Grootte"),
                                  QStringLiteral("Type"),          QStringLiteral("Attributen"),
                                  QStringLiteral("Ext"),           QStringLiteral("Pad"),
                                  QStringLiteral("Gemaakt"),       QStringLiteral("Gewijzigd"),
                                  QStringLiteral("Laatst geopend")};
    for (int column = 0; column < expected.size(); ++column) {
        QCOMPARE(f.model.headerData(column, Qt::Horizontal).toString(), expected[column]);
        QCOMPARE(f.model.headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
                 expected[column]);
    }
}

QTEST_MAIN(FileListModelTest)
#include "FileListModelTest.moc"
