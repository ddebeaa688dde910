// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileListModel.h"

#include "engine/RenameCore.h"
#include "ui/QtText.h"

namespace {

int AlignmentFlags(ColumnAlignment alignment) {
    switch (alignment) {
    case ColumnAlignment::Right:
        return (Qt::AlignRight | Qt::AlignVCenter).toInt();
    case ColumnAlignment::Centre:
        return (Qt::AlignHCenter | Qt::AlignVCenter).toInt();
    case ColumnAlignment::Left:
        break;
    }
    return (Qt::AlignLeft | Qt::AlignVCenter).toInt();
}

} // namespace

CFileListModel::CFileListModel(CRenameCore& owner, QObject* parent)
    : QAbstractTableModel(parent), core(owner) {
    shownRows = core.GetCatalogue().GetRowCount();
    shownColumns = core.GetCatalogue().GetColumnCount();
}

int CFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows;
}

int CFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownColumns;
}

bool CFileListModel::IsLiveRow(int row) const {
    return row >= 0 && row < shownRows && row < core.GetCatalogue().GetRowCount();
}

QVariant CFileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !IsLiveRow(index.row()) || index.column() >= shownColumns) {
        return {};
    }
    CFileCatalogue& catalogue = core.GetCatalogue();
    const int row = index.row();
    const int column = index.column();
    if (column >= catalogue.GetColumnCount()) {
        return {};
    }
    const ColumnKind kind = catalogue.GetColumn(column).kind;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        // A type name is looked up the first time its row is shown.
        if (kind == ColumnKind::Type) {
            return ToQt(catalogue.GetRowTypeName(row));
        }
        return ToQt(catalogue.GetRowCellText(row, column));
    case Qt::TextAlignmentRole:
        return AlignmentFlags(catalogue.GetColumn(column).alignment);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const uint32_t attributes = catalogue.GetRowEntry(row).Attributes();
        const bool text = role == Qt::ForegroundRole;
        if ((attributes & platform::kAttrSystem) != 0) {
            return FromColorRef(text ? rowColours.systemText : rowColours.systemBack);
        }
        if ((attributes & platform::kAttrHidden) != 0) {
            return FromColorRef(text ? rowColours.hiddenText : rowColours.hiddenBack);
        }
        if ((attributes & platform::kAttrReadOnly) != 0) {
            return FromColorRef(text ? rowColours.readOnlyText : rowColours.readOnlyBack);
        }
        return FromColorRef(text ? rowColours.normalText : rowColours.normalBack);
    }
    case Qt::DecorationRole:
        if (kind == ColumnKind::FileName && catalogue.GetShowIcons()) {
            const CFileEntry& entry = catalogue.GetRowEntry(row);
            return icons.IconFor(ToQt(entry.LongName()), entry.IsFolder());
        }
        return {};
    default:
        return {};
    }
}

QVariant CFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= shownColumns ||
        section >= core.GetCatalogue().GetColumnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const CCatalogueColumn& column = core.GetCatalogue().GetColumn(section);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return ToQt(column.title);
    case Qt::TextAlignmentRole:
        return AlignmentFlags(column.alignment);
    default:
        return {};
    }
}

Qt::ItemFlags CFileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CFileListModel::BeginRowsChange() {
    if (changeDepth++ == 0) {
        reordering = false;
        beginResetModel();
    } else if (reordering) {
        rowsReplaced = true;
    }
}

void CFileListModel::EndRowsChange() {
    if (changeDepth == 0) {
        return;
    }
    if (--changeDepth > 0) {
        return;
    }
    if (reordering) {
        FinishReorder({}, true);
        return;
    }
    shownRows = core.GetCatalogue().GetRowCount();
    shownColumns = core.GetCatalogue().GetColumnCount();
    endResetModel();
    emit RowsReloaded();
}

void CFileListModel::BeginRowsReorder() {
    if (changeDepth++ > 0) {
        return;
    }
    reordering = true;
    rowsReplaced = false;
    // Before the layout notice: what a view still has selected then is
    // kept index by index, which is slow for many rows and not needed, as
    // the selection is rebuilt from the catalogue afterwards.
    emit RowsAboutToReorder();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CFileListModel::EndRowsReorder(const std::vector<uint32_t>& sources) {
    if (changeDepth == 0) {
        return;
    }
    if (--changeDepth > 0) {
        return;
    }
    FinishReorder(sources, false);
}

void CFileListModel::FinishReorder(const std::vector<uint32_t>& sources, bool replaced) {
    replaced = replaced || rowsReplaced;
    reordering = false;
    rowsReplaced = false;
    const int rows = core.GetCatalogue().GetRowCount();
    const int columns = core.GetCatalogue().GetColumnCount();
    const QModelIndexList kept = persistentIndexList();
    if (replaced || rows != shownRows || columns != shownColumns) {
        // The rows were replaced within the reorder: nothing that was kept points anywhere now.
        changePersistentIndexList(kept, QModelIndexList(kept.size()));
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        beginResetModel();
        shownRows = rows;
        shownColumns = columns;
        endResetModel();
        emit RowsReloaded();
        return;
    }
    if (!kept.isEmpty() && !sources.empty()) {
        // Where each row went: the inverse of where each row came from.
        std::vector<int> targets(sources.size(), -1);
        for (std::size_t row = 0; row < sources.size(); ++row) {
            if (sources[row] < targets.size()) {
                targets[sources[row]] = static_cast<int>(row);
            }
        }
        QModelIndexList moved;
        moved.reserve(kept.size());
        for (const QModelIndex& index : kept) {
            const auto from = static_cast<std::size_t>(index.row());
            moved.push_back(from < targets.size() && targets[from] >= 0
                                ? this->index(targets[from], index.column())
                                : QModelIndex());
        }
        changePersistentIndexList(kept, moved);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit RowsReloaded();
}

void CFileListModel::SetColours(const CFileListColours& colours) {
    rowColours = colours;
    if (shownRows > 0 && shownColumns > 0) {
        emit dataChanged(index(0, 0), index(shownRows - 1, shownColumns - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
    }
}
