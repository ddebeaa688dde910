// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ExtendedFilterDlg.h"

#include "app/MessageBoxes.h"
#include "resources/StringTable.h"
#include "ui/FilterEdit.h"
#include "ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr uint32_t kMaxNameLength = 256;
constexpr qint64 kMaxSizeSpin = 2147483647;
constexpr int64_t kUnitFactors[] = {1, 1024, 1048576};

/// The small up and down arrows beside a number field: each press steps the
/// number by one within 0 to max. A typed number is not checked here.
QWidget* MakeSpin(QLineEdit* edit, qint64 max, const QString& objectName, QWidget* parent) {
    auto* spin = new QWidget(parent);
    spin->setObjectName(objectName);
    auto* column = new QVBoxLayout(spin);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto addButton = [&](Qt::ArrowType arrow, const QString& name, const QString& spoken,
                               int step) {
        auto* button = new QToolButton(spin);
        button->setObjectName(objectName + name);
        button->setAccessibleName(edit->accessibleName() + QLatin1Char(' ') + spoken);
        button->setArrowType(arrow);
        button->setFixedSize(16, 11);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QToolButton::clicked, edit, [edit, max, step] {
            bool ok = false;
            const qint64 value = edit->text().trimmed().toLongLong(&ok);
            const qint64 next = std::clamp<qint64>((ok ? value : 0) + step, 0, max);
            edit->setText(QString::number(next));
        });
        column->addWidget(button);
    };
    addButton(Qt::UpArrow, QStringLiteral("Omhoog"), Window::tr("Omhoog"), 1);
    addButton(Qt::DownArrow, QStringLiteral("Omlaag"), Window::tr("Omlaag"), -1);
    return spin;
}

QComboBox* MakeCompareList(const QString& objectName, const QString& accessibleName,
                           QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    list->setAccessibleName(accessibleName);
    list->addItems({QStringLiteral("="), QStringLiteral(">"), QStringLiteral("<")});
    return list;
}

platform::CCalendarTime CalendarOf(const QDate& date, const QTime& time) {
    platform::CCalendarTime calendar;
    calendar.year = date.year();
    calendar.month = date.month();
    calendar.day = date.day();
    calendar.dayOfWeek = date.dayOfWeek() % 7;
    calendar.hour = time.hour();
    calendar.minute = time.minute();
    calendar.second = time.second();
    calendar.milliseconds = time.msec();
    return calendar;
}

QDate DateOf(const platform::CCalendarTime& calendar) {
    return QDate(calendar.year, calendar.month, calendar.day);
}

QTime TimeOf(const platform::CCalendarTime& calendar) {
    return QTime(calendar.hour, calendar.minute, calendar.second, calendar.milliseconds);
}

} // namespace

CExtendedFilterDlg::CExtendedFilterDlg(const CExtendedFilter& filter,
                                       const std::optional<CValues>& remembered,
                                       CMessageBoxes& boxesIn, QWidget* parent)
    : CBaseDialog(parent), boxes(boxesIn) {
    setObjectName(QStringLiteral("CExtendedFilterDlg"));
    setWindowTitle(Window::tr("Uitgebreide filter opties"));
    CreateControls();
    ShowValues(filter, remembered);
    UpdateEnabling();
    setFixedSize(sizeHint());
}

CompareMode CExtendedFilterDlg::ModeFromIndex(int index) {
    switch (index) {
    case 1:
        return CompareMode::Greater;
    case 2:
        return CompareMode::Less;
    default:
        return CompareMode::Equal;
    }
}

int CExtendedFilterDlg::IndexFromMode(CompareMode mode) {
    switch (mode) {
    case CompareMode::Greater:
        return 1;
    case CompareMode::Less:
        return 2;
    default:
        return 0;
    }
}

void CExtendedFilterDlg::CreateControls() {
    auto* attributes = new QGroupBox(Window::tr("Toon bestanden met attributen"), this);
    attributes->setObjectName(QStringLiteral("attributeGroup"));
    systemCheck = new QCheckBox(Window::tr("Systeem"), attributes);
    systemCheck->setObjectName(QStringLiteral("showSystem"));
    hiddenCheck = new QCheckBox(Window::tr("Verborgen"), attributes);
    hiddenCheck->setObjectName(QStringLiteral("showHidden"));
    readOnlyCheck = new QCheckBox(Window::tr("Alleen lezen"), attributes);
    readOnlyCheck->setObjectName(QStringLiteral("showReadOnly"));
    auto* attributeRow = new QHBoxLayout(attributes);
    attributeRow->addWidget(systemCheck);
    attributeRow->addWidget(hiddenCheck);
    attributeRow->addWidget(readOnlyCheck);
    attributeRow->addStretch(1);

    const QString nameLengthText = Window::tr("Lengte bestandsnaam:");
    nameLengthCheck = new QCheckBox(nameLengthText, this);
    nameLengthCheck->setObjectName(QStringLiteral("nameLengthCheck"));
    nameLengthCompare = MakeCompareList(QStringLiteral("nameLengthCompare"),
                                        Window::tr("%1 vergelijking").arg(nameLengthText), this);
    nameLengthEdit = new CFilterEdit(this);
    nameLengthEdit->setObjectName(QStringLiteral("nameLengthEdit"));
    nameLengthEdit->setAccessibleName(nameLengthText);
    nameLengthEdit->SetAllowedCharacters(QStringLiteral("0123456789"));
    nameLengthEdit->setMaxLength(10);
    nameLengthSpin =
        MakeSpin(nameLengthEdit, kMaxNameLength, QStringLiteral("nameLengthSpin"), this);

    const QString sizeText = Window::tr("Bestandsgrootte:");
    sizeCheck = new QCheckBox(sizeText, this);
    sizeCheck->setObjectName(QStringLiteral("sizeCheck"));
    sizeCompare = MakeCompareList(QStringLiteral("sizeCompare"),
                                  Window::tr("%1 vergelijking").arg(sizeText), this);
    // The size field takes any characters; OK refuses what is no number.
    sizeEdit = new QLineEdit(this);
    sizeEdit->setObjectName(QStringLiteral("sizeEdit"));
    sizeEdit->setAccessibleName(sizeText);
    sizeSpin = MakeSpin(sizeEdit, kMaxSizeSpin, QStringLiteral("sizeSpin"), this);
    sizeUnit = new QComboBox(this);
    sizeUnit->setObjectName(QStringLiteral("sizeUnit"));
    sizeUnit->setAccessibleName(Window::tr("%1 eenheid").arg(sizeText));
    sizeUnit->addItems({UiText(strings::kUnitBytes), UiText(strings::kUnitKilobytes),
                        UiText(strings::kUnitMegabytes)});

    auto* numbers = new QGridLayout;
    numbers->addWidget(nameLengthCheck, 0, 0);
    numbers->addWidget(nameLengthCompare, 0, 1);
    numbers->addWidget(nameLengthEdit, 0, 2);
    numbers->addWidget(nameLengthSpin, 0, 3);
    numbers->addWidget(sizeCheck, 1, 0);
    numbers->addWidget(sizeCompare, 1, 1);
    numbers->addWidget(sizeEdit, 1, 2);
    numbers->addWidget(sizeSpin, 1, 3);
    numbers->addWidget(sizeUnit, 1, 4);
    numbers->setColumnStretch(5, 1);

    auto* column = new QVBoxLayout(this);
    column->addWidget(attributes);
    column->addLayout(numbers);

    static const char* const kGroups[kRangeCount][2] = {
        {QT_TRANSLATE_NOOP("Window", "Datum wijziging"), "modified"},
        {QT_TRANSLATE_NOOP("Window", "Datum opgemaakt"), "created"},
        {QT_TRANSLATE_NOOP("Window", "Laatste datum geopend"), "accessed"},
    };
    for (int i = 0; i < kRangeCount; ++i) {
        const QString title = Window::tr(kGroups[i][0]);
        const QString key = QString::fromLatin1(kGroups[i][1]);
        CRangeControls& range = ranges[static_cast<std::size_t>(i)];
        auto* group = new QGroupBox(title, this);
        group->setObjectName(key + QStringLiteral("Group"));
        range.check = new QCheckBox(Window::tr("Data tussen:"), group);
        range.check->setObjectName(key + QStringLiteral("Check"));
        range.check->setAccessibleName(Window::tr("%1 data tussen").arg(title));
        const auto makeDate = [&](const QString& name, const QString& spoken) {
            auto* edit = new QDateEdit(group);
            edit->setObjectName(key + name);
            edit->setAccessibleName(title + QLatin1Char(' ') + spoken);
            edit->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
            edit->setCalendarPopup(true);
            edit->setMinimumDate(QDate(1601, 1, 1));
            return edit;
        };
        const auto makeTime = [&](const QString& name, const QString& spoken) {
            auto* edit = new QTimeEdit(group);
            edit->setObjectName(key + name);
            edit->setAccessibleName(title + QLatin1Char(' ') + spoken);
            edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
            return edit;
        };
        range.fromDate = makeDate(QStringLiteral("FromDate"), Window::tr("van datum"));
        range.fromTime = makeTime(QStringLiteral("FromTime"), Window::tr("van tijd"));
        range.toDate = makeDate(QStringLiteral("ToDate"), Window::tr("tot datum"));
        range.toTime = makeTime(QStringLiteral("ToTime"), Window::tr("tot tijd"));
        auto* row = new QHBoxLayout(group);
        row->addWidget(range.check);
        row->addWidget(range.fromDate);
        row->addWidget(range.fromTime);
        row->addWidget(new QLabel(Window::tr("en"), group));
        row->addWidget(range.toDate);
        row->addWidget(range.toTime);
        row->addStretch(1);
        column->addWidget(group);
        QDateEdit* first = range.fromDate;
        connect(range.check, &QCheckBox::toggled, this, [this, first](bool checked) {
            UpdateEnabling();
            if (checked) {
                first->setFocus();
            }
        });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(Window::tr("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Window::tr("Annuleren"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CExtendedFilterDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);

    connect(nameLengthCheck, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
    connect(sizeCheck, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
}

void CExtendedFilterDlg::ShowValues(const CExtendedFilter& filter,
                                    const std::optional<CValues>& remembered) {
    systemCheck->setChecked(filter.GetShowSystem());
    hiddenCheck->setChecked(filter.GetShowHidden());
    readOnlyCheck->setChecked(filter.GetShowReadOnly());

    nameLengthCheck->setChecked(filter.GetNameLengthMode() != CompareMode::Off);
    nameLengthCompare->setCurrentIndex(IndexFromMode(filter.GetNameLengthMode()));
    nameLengthEdit->setText(QString::number(filter.GetNameLength()));

    sizeCheck->setChecked(filter.GetSizeMode() != CompareMode::Off);
    sizeCompare->setCurrentIndex(IndexFromMode(filter.GetSizeMode()));
    sizeEdit->setText(QString::number(remembered ? remembered->sizeTyped : 0));
    sizeUnit->setCurrentIndex(remembered ? remembered->sizeUnit : 0);

    const QDateTime now = QDateTime::currentDateTime();
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        CRangeControls& range = ranges[i];
        if (remembered) {
            const CRange& values = remembered->ranges[i];
            range.check->setChecked(values.enabled);
            range.fromDate->setDate(DateOf(values.from));
            range.fromTime->setTime(TimeOf(values.from));
            range.toDate->setDate(DateOf(values.to));
            range.toTime->setTime(TimeOf(values.to));
        } else {
            range.check->setChecked(false);
            range.fromDate->setDate(QDate(1900, 1, 1));
            range.fromTime->setTime(QTime(0, 0, 0));
            range.toDate->setDate(now.date());
            range.toTime->setTime(now.time());
        }
    }
}

void CExtendedFilterDlg::UpdateEnabling() {
    const bool nameLength = nameLengthCheck->isChecked();
    nameLengthCompare->setEnabled(nameLength);
    nameLengthEdit->setEnabled(nameLength);
    nameLengthSpin->setEnabled(nameLength);
    const bool size = sizeCheck->isChecked();
    sizeCompare->setEnabled(size);
    sizeEdit->setEnabled(size);
    sizeSpin->setEnabled(size);
    sizeUnit->setEnabled(size);
    for (CRangeControls& range : ranges) {
        const bool on = range.check->isChecked();
        for (QWidget* control : {static_cast<QWidget*>(range.fromDate),
                                 static_cast<QWidget*>(range.fromTime),
                                 static_cast<QWidget*>(range.toDate),
                                 static_cast<QWidget*>(range.toTime)}) {
            control->setEnabled(on);
        }
    }
}

void CExtendedFilterDlg::accept() {
    CValues result;
    result.showSystem = systemCheck->isChecked();
    result.showHidden = hiddenCheck->isChecked();
    result.showReadOnly = readOnlyCheck->isChecked();

    bool ok = false;
    const qulonglong typedLength = nameLengthEdit->text().trimmed().toULongLong(&ok);
    const uint32_t length =
        ok && typedLength <= std::numeric_limits<uint32_t>::max() ? static_cast<uint32_t>(typedLength)
                                                                  : 0;
    result.nameLengthMode = nameLengthCheck->isChecked()
                                ? ModeFromIndex(nameLengthCompare->currentIndex())
                                : CompareMode::Off;
    result.nameLength = length;
    if (result.nameLengthMode != CompareMode::Off &&
        (!ok || length < 1 || length > kMaxNameLength)) {
        boxes.ShowWarning(this, std::string(LookupString(strings::kInvalidNameLength)), {},
                          boxstyle::kExclamationIcon);
        nameLengthEdit->setFocus();
        nameLengthEdit->selectAll();
        return;
    }

    const qlonglong typedSize = sizeEdit->text().trimmed().toLongLong(&ok);
    result.sizeMode =
        sizeCheck->isChecked() ? ModeFromIndex(sizeCompare->currentIndex()) : CompareMode::Off;
    if (sizeCheck->isChecked() && !ok) {
        // Empty, or not a number: the size to filter on is unknown.
        boxes.ShowWarning(this, std::string(LookupString(strings::kSizeValueMissing)), {},
                          boxstyle::kExclamationIcon);
        sizeEdit->setFocus();
        sizeEdit->selectAll();
        return;
    }
    result.sizeTyped = ok ? typedSize : 0;
    result.sizeUnit = std::clamp(sizeUnit->currentIndex(), 0, 2);
    // A 64-bit product that wraps rather than overflows.
    result.sizeInBytes = static_cast<int64_t>(
        static_cast<uint64_t>(result.sizeTyped) *
        static_cast<uint64_t>(kUnitFactors[result.sizeUnit]));

    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const CRangeControls& range = ranges[i];
        CRange& values = result.ranges[i];
        values.enabled = range.check->isChecked();
        values.from = CalendarOf(range.fromDate->date(), range.fromTime->time());
        values.to = CalendarOf(range.toDate->date(), range.toTime->time());
    }
    values = result;
    CBaseDialog::accept();
}
