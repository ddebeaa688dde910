// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListCtrlFiles.h"
#include "ui/ListFixture.h"

#include <QTest>

#include <algorithm>
#include <vector>

namespace {

/// Records, for every preview the core computes, how many rows got a new
/// name (a row left alone shows its old name in angle brackets).
class CCountingFrontEnd : public CListTestFrontEnd {
public:
    const CRenameCore* core = nullptr;
    std::vector<int> renamedPerPreview;

    void OnPreviewChanged() override {
        CListTestFrontEnd::OnPreviewChanged();
        int renamed = 0;
        const CPreviewTexts& texts = core->GetPreviewTexts();
        for (std::size_t row = 0; row < texts.GetRowCount(); ++row) {
            const std::string text = texts.Text(row);
            if (!text.empty() && text.front() != '<') {
                ++renamed;
            }
        }
        renamedPerPreview.push_back(renamed);
    }
};

} // namespace

class SelectionMoveTest : public QObject {
    Q_OBJECT

private slots:
    void MovedSelectionNeverComputesEveryRow();
};

// With "only the selected files", moving the one selected row must not
// pass through an empty selection: that would compute the new name of every
// row of the folder on each arrow key.
void SelectionMoveTest::MovedSelectionNeverComputesEveryRow() {
    CTempFolder folder;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
        folder.WriteFile(name);
    }
    CCountingFrontEnd frontEnd;
    CRenameCore core(&frontEnd);
    frontEnd.core = &core;
    AddDefaultColumns(core.GetCatalogue());
    core.GetOptions().renameOnlySelected = true;
    core.GetOptions().name.insertBeforeOn = true;
    core.GetOptions().name.insertBeforeText.assign(1, 'x');
    CListCtrlFiles view(core);
    frontEnd.files = &view.GetModel();
    frontEnd.fileList = &view;
    view.resize(600, 300);
    view.show();
    QVERIFY(core.GetCatalogue().SetFolder(folder.Path(), true));
    core.GetCatalogue().SetAutoRefresh(true);
    core.GetCatalogue().Refresh();

    view.setFocus();
    const QRect first = view.visualRect(view.GetModel().index(0, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    QCOMPARE(core.GetCatalogue().GetSelectedCount(), 1);
    frontEnd.renamedPerPreview.clear();

    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);

    QVERIFY(!frontEnd.renamedPerPreview.empty());
    QVERIFY(*std::max_element(frontEnd.renamedPerPreview.begin(),
                              frontEnd.renamedPerPreview.end()) <= 2);
    QCOMPARE(frontEnd.renamedPerPreview.back(), 1);
    QCOMPARE(core.GetCatalogue().GetSelectedCount(), 1);
    QVERIFY(core.GetCatalogue().IsRowSelected(2));
    QCOMPARE(QString::fromStdString(core.GetPreviewText(2)), QStringLiteral("xc.txt"));
    QCOMPARE(QString::fromStdString(core.GetPreviewText(0)), QStringLiteral("<a.txt>"));
}

QTEST_MAIN(SelectionMoveTest)
#include "SelectionMoveTest.moc"
