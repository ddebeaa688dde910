// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ExtendedFilter.h"

#include "platform/Utf8.h"

namespace {

template <typename T> bool Compare(CompareMode mode, T value, T limit) {
    switch (mode) {
    case CompareMode::Greater:
        return value > limit;
    case CompareMode::Less:
        return value < limit;
    case CompareMode::Equal:
        return value == limit;
    case CompareMode::Off:
        break;
    }
    return true;
}

bool InRange(const DateRange& range, uint64_t time) {
    return !range.enabled || (range.from <= time && time <= range.to);
}

template <typename T> bool Store(T& field, T value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

} // namespace

bool CExtendedFilter::SetShowSystem(bool value) {
    return Store(showSystem, value);
}
bool CExtendedFilter::SetShowHidden(bool value) {
    return Store(showHidden, value);
}
bool CExtendedFilter::SetShowReadOnly(bool value) {
    return Store(showReadOnly, value);
}

bool CExtendedFilter::SetNameLength(CompareMode mode, uint32_t length) {
    if (mode != CompareMode::Off && (length == 0 || length > 256)) {
        return false;
    }
    nameLengthMode = mode;
    nameLength = length;
    return true;
}

bool CExtendedFilter::SetSize(CompareMode mode, int64_t sizeInBytes) {
    if (mode != CompareMode::Off && sizeInBytes < 0) {
        return false;
    }
    sizeMode = mode;
    sizeLimit = sizeInBytes;
    return true;
}

bool CExtendedFilter::SetRange(DateRange& range, bool enabled, const platform::CCalendarTime& from,
                               const platform::CCalendarTime& to) {
    uint64_t fromTime = 0;
    uint64_t toTime = 0;
    if (!platform::CalendarToFileTime(from, fromTime) ||
        !platform::CalendarToFileTime(to, toTime)) {
        range.enabled = false;
        return false;
    }
    range.from = fromTime;
    range.to = toTime;
    range.enabled = enabled;
    return true;
}

bool CExtendedFilter::SetModifiedRange(bool enabled, const platform::CCalendarTime& from,
                                       const platform::CCalendarTime& to) {
    return SetRange(modifiedRange, enabled, from, to);
}

bool CExtendedFilter::SetCreatedRange(bool enabled, const platform::CCalendarTime& from,
                                      const platform::CCalendarTime& to) {
    return SetRange(createdRange, enabled, from, to);
}

bool CExtendedFilter::SetAccessedRange(bool enabled, const platform::CCalendarTime& from,
                                       const platform::CCalendarTime& to) {
    return SetRange(accessedRange, enabled, from, to);
}

bool CExtendedFilter::Passes(const CFileEntry& entry) const {
    // Each condition asks only for what it needs, so that the default
    // filter makes no lstat.
    if ((!showSystem && entry.IsSystem()) || (!showHidden && entry.IsHidden()) ||
        (!showReadOnly && entry.IsReadOnly())) {
        return false;
    }
    if (nameLengthMode != CompareMode::Off) {
        // Characters, not bytes, so that a name of accented letters counts
        // as the user sees it.
        const auto length = static_cast<uint32_t>(utf8::CountChars(entry.LongName()));
        if (!Compare(nameLengthMode, length, nameLength)) {
            return false;
        }
    }
    if (sizeMode != CompareMode::Off && !entry.IsFolder()) {
        // sizeLimit is never negative once accepted, so the unsigned
        // comparison is exact.
        if (!Compare(sizeMode, entry.FileSize(), static_cast<uint64_t>(sizeLimit))) {
            return false;
        }
    }
    return (!modifiedRange.enabled || InRange(modifiedRange, entry.LastWriteTime())) &&
           (!createdRange.enabled || InRange(createdRange, entry.CreationTime())) &&
           (!accessedRange.enabled || InRange(accessedRange, entry.LastAccessTime()));
}
