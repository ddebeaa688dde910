// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileTime.h"
#include "catalogue/FileEntry.h"

#include <cstdint>

/// How a number of a candidate is compared with the filter's number.
enum class CompareMode : uint32_t { Off = 0, Greater = 1, Less = 2, Equal = 3 };

/// A range of file times, both bounds included.
struct DateRange {
    bool enabled = false;
    uint64_t from = 0;
    uint64_t to = 0;
};

/// The attribute, name-length, size and date conditions that a candidate of
/// the folder scan must meet besides the mask. The initial state lets every
/// candidate pass.
class CExtendedFilter {
public:
    /// Each returns true when the stored value changed.
    bool SetShowSystem(bool value);
    bool SetShowHidden(bool value);
    bool SetShowReadOnly(bool value);

    /// Refused (false, nothing stored) when mode is not Off and length is 0
    /// or above 256.
    bool SetNameLength(CompareMode mode, uint32_t length);
    /// Refused when mode is not Off and the size is negative.
    bool SetSize(CompareMode mode, int64_t sizeInBytes);

    /// The bounds are calendar values taken as file times without any time
    /// zone conversion. If either cannot be converted the range is switched
    /// off and the result is false.
    bool SetModifiedRange(bool enabled, const platform::CCalendarTime& from,
                          const platform::CCalendarTime& to);
    bool SetCreatedRange(bool enabled, const platform::CCalendarTime& from,
                         const platform::CCalendarTime& to);
    bool SetAccessedRange(bool enabled, const platform::CCalendarTime& from,
                          const platform::CCalendarTime& to);

    bool GetShowSystem() const { return showSystem; }
    bool GetShowHidden() const { return showHidden; }
    bool GetShowReadOnly() const { return showReadOnly; }
    CompareMode GetNameLengthMode() const { return nameLengthMode; }
    uint32_t GetNameLength() const { return nameLength; }
    CompareMode GetSizeMode() const { return sizeMode; }
    int64_t GetSizeLimit() const { return sizeLimit; }
    const DateRange& GetModifiedRange() const { return modifiedRange; }
    const DateRange& GetCreatedRange() const { return createdRange; }
    const DateRange& GetAccessedRange() const { return accessedRange; }

    /// The test of one candidate; the size test is skipped for folders.
    bool Passes(const CFileEntry& entry) const;

private:
    static bool SetRange(DateRange& range, bool enabled, const platform::CCalendarTime& from,
                         const platform::CCalendarTime& to);

    bool showSystem = true;
    bool showHidden = true;
    bool showReadOnly = true;
    CompareMode nameLengthMode = CompareMode::Off;
    uint32_t nameLength = 0;
    CompareMode sizeMode = CompareMode::Off;
    int64_t sizeLimit = 0;
    DateRange modifiedRange;
    DateRange createdRange;
    DateRange accessedRange;
};
