// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"

void CFileCatalogue::SetMask(const std::string& newMask) {
    if (newMask != mask) {
        mask = newMask;
        RequestRefresh();
    }
}

void CFileCatalogue::StoreSwitch(bool& field, bool value) {
    if (field != value) {
        field = value;
        RequestRefresh();
    }
}

void CFileCatalogue::SetShowFolders(bool value) {
    StoreSwitch(showFolders, value);
}
void CFileCatalogue::SetShowFiles(bool value) {
    StoreSwitch(showFiles, value);
}
void CFileCatalogue::SetRecursive(bool value) {
    StoreSwitch(recursive, value);
}
void CFileCatalogue::SetFoldersAsFiles(bool value) {
    StoreSwitch(foldersAsFiles, value);
}
void CFileCatalogue::SetAutoRefresh(bool value) {
    StoreSwitch(autoRefresh, value);
}
void CFileCatalogue::SetSortNamesAsNumbers(bool value) {
    StoreSwitch(sortNamesAsNumbers, value);
}

void CFileCatalogue::SetFilterShowSystem(bool value) {
    if (filter.SetShowSystem(value)) {
        RequestRefresh();
    }
}

void CFileCatalogue::SetFilterShowHidden(bool value) {
    if (filter.SetShowHidden(value)) {
        RequestRefresh();
    }
}

void CFileCatalogue::SetFilterShowReadOnly(bool value) {
    if (filter.SetShowReadOnly(value)) {
        RequestRefresh();
    }
}

bool CFileCatalogue::SetFilterNameLength(CompareMode mode, uint32_t length) {
    if (!filter.SetNameLength(mode, length)) {
        return false;
    }
    RequestRefresh();
    return true;
}

bool CFileCatalogue::SetFilterSize(CompareMode mode, int64_t sizeInBytes) {
    if (!filter.SetSize(mode, sizeInBytes)) {
        return false;
    }
    RequestRefresh();
    return true;
}

bool CFileCatalogue::SetFilterModifiedRange(bool enabled, const platform::CCalendarTime& from,
                                            const platform::CCalendarTime& to) {
    return filter.SetModifiedRange(enabled, from, to);
}

bool CFileCatalogue::SetFilterCreatedRange(bool enabled, const platform::CCalendarTime& from,
                                           const platform::CCalendarTime& to) {
    return filter.SetCreatedRange(enabled, from, to);
}

bool CFileCatalogue::SetFilterAccessedRange(bool enabled, const platform::CCalendarTime& from,
                                            const platform::CCalendarTime& to) {
    return filter.SetAccessedRange(enabled, from, to);
}
