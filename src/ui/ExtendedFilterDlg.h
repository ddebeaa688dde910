// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/ExtendedFilter.h"
#include "platform/FileTime.h"
#include "ui/BaseDialog.h"

#include <array>
#include <cstdint>
#include <optional>

class CFilterEdit;
class CMessageBoxes;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;

/// "Uitgebreide filter opties": the attribute, name-length, size and date
/// conditions of the listing. OK checks the name length (1 to 256) and the
/// size (a number) and keeps the dialog open on the faulty field; the values
/// it accepted are read with GetValues and applied by the main window.
class CExtendedFilterDlg : public CBaseDialog {
    Q_OBJECT
public:
    /// The three date ranges, in the dialog's order.
    enum RangeIndex { kModified = 0, kCreated = 1, kAccessed = 2, kRangeCount = 3 };

    struct CRange {
        bool enabled = false;
        platform::CCalendarTime from;
        platform::CCalendarTime to;
    };
    /// Everything the dialog confirms; the main window keeps the last one
    /// for the next opening in the same run.
    struct CValues {
        bool showSystem = true;
        bool showHidden = true;
        bool showReadOnly = true;
        CompareMode nameLengthMode = CompareMode::Off;
        uint32_t nameLength = 0;
        CompareMode sizeMode = CompareMode::Off;
        int64_t sizeTyped = 0; ///< the number as typed
        int sizeUnit = 0;      ///< 0 Bytes, 1 Kilobytes, 2 Megabyties
        int64_t sizeInBytes = 0;
        std::array<CRange, kRangeCount> ranges;
    };

    /// Opens on the filter's attribute switches and comparisons, and on the
    /// ranges and the typed size of the last confirmation (none: the
    /// defaults). boxes shows the two validation messages.
    CExtendedFilterDlg(const CExtendedFilter& filter, const std::optional<CValues>& remembered,
                       CMessageBoxes& boxes, QWidget* parent = nullptr);

    /// The values of the last OK.
    const CValues& GetValues() const { return values; }

    void accept() override;

    /// The list index of a comparison ("=", ">", "<") and back.
    static CompareMode ModeFromIndex(int index);
    static int IndexFromMode(CompareMode mode);

private:
    struct CRangeControls {
        QCheckBox* check = nullptr;
        QDateEdit* fromDate = nullptr;
        QTimeEdit* fromTime = nullptr;
        QDateEdit* toDate = nullptr;
        QTimeEdit* toTime = nullptr;
    };

    void CreateControls();
    void ShowValues(const CExtendedFilter& filter, const std::optional<CValues>& remembered);
    void UpdateEnabling();

    CMessageBoxes& boxes;
    CValues values;
    QCheckBox* systemCheck = nullptr;
    QCheckBox* hiddenCheck = nullptr;
    QCheckBox* readOnlyCheck = nullptr;
    QCheckBox* nameLengthCheck = nullptr;
    QComboBox* nameLengthCompare = nullptr;
    CFilterEdit* nameLengthEdit = nullptr;
    QWidget* nameLengthSpin = nullptr;
    QCheckBox* sizeCheck = nullptr;
    QComboBox* sizeCompare = nullptr;
    QLineEdit* sizeEdit = nullptr;
    QWidget* sizeSpin = nullptr;
    QComboBox* sizeUnit = nullptr;
    std::array<CRangeControls, kRangeCount> ranges;
};
