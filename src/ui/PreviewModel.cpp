// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PreviewModel.h"

#include "engine/RenameCore.h"
#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QColor>
#include <QStyle>

#include <algorithm>

CPreviewModel::CPreviewModel(CRenameCore& owner, QObject* parent)
    : QAbstractTableModel(parent), core(owner) {
    shownRows = static_cast<int>(core.GetPreviewTexts().GetRowCount());
    shownHeader = HeaderText();
}

int CPreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows;
}

int CPreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

bool CPreviewModel::IsLiveRow(int row) const {
    return row >= 0 && row < shownRows &&
           static_cast<std::size_t>(row) < core.GetPreviewTexts().GetRowCount();
}

QString CPreviewModel::HeaderText() const {
    const std::string& header = core.GetPreviewHeader();
    return header.empty() ? UiText(strings::kColumnPreview) : ToQt(header);
}

QVariant CPreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != 0 || !IsLiveRow(index.row())) {
        return {};
    }
    if (core.IsRowPending(index.row())) {
        // Computed soon after, never while a view paints: a slow tag could
        // open the progress bar from the middle of a paint.
        if (pendingRowWanted) {
            pendingRowWanted(index.row());
        }
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    }
    std::string scratch;
    const std::string_view text =
        core.GetPreviewTexts().View(static_cast<std::size_t>(index.row()), scratch);
    const CRenameConflicts::Kind conflict = core.GetConflicts().GetKind(index.row());
    if (conflict == CRenameConflicts::Kind::Unchecked) {
        // Not known to fail: the row keeps its colours, the mark says why it
        // was not checked.
        switch (role) {
        case Qt::DecorationRole:
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return CollisionText(index.row());
        default:
            break;
        }
    } else if (conflict != CRenameConflicts::Kind::None) {
        switch (role) {
        case Qt::ForegroundRole:
            return QColor(0x9C, 0x00, 0x06);
        case Qt::BackgroundRole:
            return QColor(0xFF, 0xC7, 0xCE);
        case Qt::DecorationRole:
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return CollisionText(index.row());
        default:
            break;
        }
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return ToQt(text);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const bool keepsName = !text.empty() && text.front() == '<';
        if (role == Qt::ForegroundRole) {
            return FromColorRef(keepsName ? rowColours.previewText : rowColours.renamedText);
        }
        return FromColorRef(keepsName ? rowColours.previewBack : rowColours.renamedBack);
    }
    case Qt::DecorationRole: {
        const QIcon icon = RowIcon(index.row());
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    default:
        return {};
    }
}

// Why the row's move would fail, naming what it collides with (or why it
// was not checked, naming its folder).
QString CPreviewModel::CollisionText(int row) const {
    const CRenameConflicts& conflicts = core.GetConflicts();
    const std::string other =
        conflicts.GetOtherPath(core.GetCatalogue(), core.GetPreviewTexts(), row);
    const CRenameConflicts::Kind kind = conflicts.GetKind(row);
    const int id = kind == CRenameConflicts::Kind::SameNewName  ? strings::kCollidesWithRow
                   : kind == CRenameConflicts::Kind::Unchecked ? strings::kCannotCheckRow
                                                               : strings::kCollidesWithFile;
    return UiText(id).replace(QLatin1String("%s"), ToQt(other));
}

// The icon of the new name, found by name only. A name that keeps the
// entry's extension (or an "exe") shows the entry's own icon.
QIcon CPreviewModel::RowIcon(int row) const {
    const CFileCatalogue& catalogue = core.GetCatalogue();
    if (core.IsPreviewPlaceholder() || row >= catalogue.GetRowCount()) {
        return {};
    }
    const CFileEntry& entry = catalogue.GetRowEntry(row);
    std::string name = core.GetPreviewText(row);
    if (name.size() >= 2 && name.front() == '<' && name.back() == '>') {
        name = name.substr(1, name.size() - 2);
    }
    const std::size_t dot = name.rfind('.');
    QString extension = dot == std::string::npos ? QString() : ToQt(name.substr(dot + 1)).toLower();
    if (extension == QLatin1String("exe") || extension == ToQt(entry.Extension())) {
        return icons.IconFor(ToQt(entry.LongName()), entry.IsFolder());
    }
    return icons.IconFor(ToQt(name), entry.IsFolder());
}

QVariant CPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section != 0) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return shownHeader;
    default:
        return {};
    }
}

Qt::ItemFlags CPreviewModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CPreviewModel::BeginPreviewChange() {
    // Nothing is announced yet: whether this is a reset or a repaint shows
    // only at the end. Until then the old row count stands and data() reads
    // only rows that exist.
    changing = true;
}

void CPreviewModel::EndPreviewChange() {
    changing = false;
    const int newRows = static_cast<int>(core.GetPreviewTexts().GetRowCount());
    if (newRows == shownRows) {
        if (shownRows > 0) {
            emit dataChanged(index(0, 0), index(shownRows - 1, 0));
        }
    } else {
        beginResetModel();
        shownRows = newRows;
        endResetModel();
    }
    const QString header = HeaderText();
    if (header != shownHeader) {
        shownHeader = header;
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }
    emit PreviewReloaded();
}

void CPreviewModel::RowsComputed(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, shownRows - 1);
    if (!changing && first <= last) {
        emit dataChanged(index(first, 0), index(last, 0));
    }
}

void CPreviewModel::SetColours(const CPreviewColours& colours) {
    rowColours = colours;
    if (shownRows > 0) {
        emit dataChanged(index(0, 0), index(shownRows - 1, 0),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
    }
}
