// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ColorsDlg.h"

#include "ui/CommandIcons.h"
#include "ui/MainCommands.h"
#include "ui/QtText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr const char* kFileRows[] = {QT_TRANSLATE_NOOP("Window", "Gewone bestanden"),
                                     QT_TRANSLATE_NOOP("Window", "Verborgen bestanden"),
                                     QT_TRANSLATE_NOOP("Window", "Alleen lezen bestanden"),
                                     QT_TRANSLATE_NOOP("Window", "Systeembestanden")};
constexpr const char* kPreviewRows[] = {QT_TRANSLATE_NOOP("Window", "Gewone bestanden"),
                                        QT_TRANSLATE_NOOP("Window", "Hernoemde bestanden")};

} // namespace

CColorsDlg::CColorsDlg(const Colours& colours, QWidget* parent) : CBaseDialog(parent) {
    setObjectName(QStringLiteral("CColorsDlg"));
    setWindowTitle(Window::tr("Kleurenconfiguratie"));
    setWindowIcon(CommandIcon(cmd::kColours));

    auto* layout = new QVBoxLayout(this);
    std::size_t next = 0;
    // One group per list: a heading row, then one row per kind of file with
    // its text and background swatch.
    const auto addGroup = [&](const QString& title, const char* name, const char* const* rows,
                              std::size_t rowCount) {
        auto* group = new QGroupBox(title, this);
        group->setObjectName(QLatin1String(name));
        auto* grid = new QGridLayout(group);
        auto* foreground = new QLabel(Window::tr("Voorgrond"), group);
        auto* backgroundHeading = new QLabel(Window::tr("Achtergrond"), group);
        foreground->setAlignment(Qt::AlignCenter);
        backgroundHeading->setAlignment(Qt::AlignCenter);
        grid->addWidget(foreground, 0, 1);
        grid->addWidget(backgroundHeading, 0, 2);
        for (std::size_t row = 0; row < rowCount; ++row) {
            const QString rowText = Window::tr(rows[row]);
            auto* label = new QLabel(rowText, group);
            grid->addWidget(label, static_cast<int>(row) + 1, 0);
            for (int column = 0; column < 2; ++column) {
                auto* swatch = new CColorStatic(group);
                const int id = kFirstSwatchId + static_cast<int>(next);
                swatch->setObjectName(QStringLiteral("swatch%1").arg(id));
                swatch->setAccessibleName(
                    QStringLiteral("%1: %2, %3")
                        .arg(title, rowText, column == 0 ? foreground->text()
                                                         : backgroundHeading->text()));
                swatch->SetBackgroundColor(FromColorRef(colours[next]));
                grid->addWidget(swatch, static_cast<int>(row) + 1, column + 1);
                swatches[next++] = swatch;
            }
        }
        grid->setColumnStretch(0, 1);
        layout->addWidget(group);
    };
    addGroup(Window::tr("Bestandslijst"), "fileListGroup", kFileRows, std::size(kFileRows));
    addGroup(Window::tr("Voorbeeldvenster"), "previewGroup", kPreviewRows,
             std::size(kPreviewRows));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Window::tr("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Window::tr("Annuleren"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    SetSizeLimits(sizeHint().width(), sizeHint().height(), kUnset, kUnset);
}

CColorsDlg::Colours CColorsDlg::GetColours() const {
    Colours colours{};
    for (std::size_t i = 0; i < kColourCount; ++i) {
        colours[i] = ToColorRef(swatches[i]->GetBackgroundColor());
    }
    return colours;
}

CColorStatic* CColorsDlg::GetSwatch(int id) const {
    const int index = id - kFirstSwatchId;
    if (index < 0 || index >= static_cast<int>(kColourCount)) {
        return nullptr;
    }
    return swatches[static_cast<std::size_t>(index)];
}

void CColorsDlg::SetChooser(const CColorStatic::Chooser& chooser) {
    for (CColorStatic* swatch : swatches) {
        swatch->SetChooser(chooser);
    }
}
