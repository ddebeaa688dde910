// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RenameErrorsDlg.h"

#include "engine/RenameCore.h"
#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace {

struct ErrorColumn {
    int titleId;
    int width; ///< pixels
};
constexpr std::array<ErrorColumn, 4> kColumns = {{
    {strings::kColumnErrorCode, 70},
    {strings::kColumnErrorDescription, 200},
    {strings::kColumnErrorFrom, 150},
    {strings::kColumnErrorTo, 150},
}};

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setToolTip(text);
    return item;
}

} // namespace

CRenameErrorsDlg::CRenameErrorsDlg(const std::vector<CRenameFailure>& failures, QWidget* parent)
    : CBaseDialog(parent), table(new QTableWidget(this)) {
    const QString caption = Window::tr("Hernoemen fouten");
    setObjectName(QStringLiteral("CRenameErrorsDlg"));
    setWindowTitle(caption);
    setSizeGripEnabled(true);

    table->setObjectName(QStringLiteral("RenameErrorsTable"));
    table->setAccessibleName(caption);
    table->setColumnCount(static_cast<int>(kColumns.size()));
    table->setRowCount(static_cast<int>(failures.size()));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setShowGrid(true);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    int columnsWidth = 0;
    for (int column = 0; column < static_cast<int>(kColumns.size()); ++column) {
        const ErrorColumn& shape = kColumns[static_cast<std::size_t>(column)];
        table->setHorizontalHeaderItem(column, new QTableWidgetItem(UiText(shape.titleId)));
        table->setColumnWidth(column, shape.width);
        columnsWidth += shape.width;
    }
    for (int row = 0; row < static_cast<int>(failures.size()); ++row) {
        const CRenameFailure& failure = failures[static_cast<std::size_t>(row)];
        table->setItem(row, 0, Cell(QString::number(failure.code)));
        table->setItem(row, 1, Cell(ToQt(failure.text)));
        table->setItem(row, 2, Cell(ToQt(failure.fromPath)));
        table->setItem(row, 3, Cell(ToQt(failure.toPath)));
    }
    if (!failures.empty()) {
        table->selectRow(0);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(Window::tr("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);

    // Wide enough for the four columns as laid out, and a dozen rows.
    const int frame = 2 * table->frameWidth() + layout->contentsMargins().left() +
                      layout->contentsMargins().right();
    resize(columnsWidth + frame + 24, 320);
    SetSizeLimits(320, 200, kUnset, kUnset);
}
