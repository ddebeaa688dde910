// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ManualRenameDlg.h"

#include "app/MessageBoxes.h"
#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace {

QLabel* MakeLabel(const QString& text, QLineEdit* buddy, const QString& objectName,
                  QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return label;
}

/// The length of the part before the extension: up to the last dot, unless
/// that dot starts the name (".profile" has no extension).
qsizetype BaseNameLength(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? dot : name.size();
}

} // namespace

CManualRenameDlg::CManualRenameDlg(const QString& currentName, bool isFolder, CMessageBoxes& boxes,
                                   QWidget* parent)
    : CBaseDialog(parent), boxes(boxes), originalEdit(new QLineEdit(currentName, this)),
      newNameEdit(new QLineEdit(currentName, this)) {
    setObjectName(QStringLiteral("CManualRenameDlg"));
    setWindowTitle(Window::tr("Handmatig hernoemen"));

    originalEdit->setObjectName(QStringLiteral("OriginalName"));
    originalEdit->setReadOnly(true);
    newNameEdit->setObjectName(QStringLiteral("NewName"));
    QLabel* originalLabel = MakeLabel(Window::tr("Originele naam"), originalEdit,
                                      QStringLiteral("OriginalNameLabel"), this);
    QLabel* newNameLabel =
        MakeLabel(Window::tr("Nieuwe naam"), newNameEdit, QStringLiteral("NewNameLabel"), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(Window::tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Window::tr("Annuleren"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CManualRenameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(originalLabel);
    layout->addWidget(originalEdit);
    layout->addWidget(newNameLabel);
    layout->addWidget(newNameEdit);
    layout->addStretch();
    layout->addWidget(buttons);

    // Most renames change the name and keep the extension.
    newNameEdit->setSelection(0, isFolder ? currentName.size() : BaseNameLength(currentName));
    newNameEdit->setFocus();
    setTabOrder(newNameEdit, buttons);
    setTabOrder(buttons, originalEdit);

    resize(std::max(360, sizeHint().width()), sizeHint().height());
    SetSizeLimits(300, sizeHint().height(), kUnset, sizeHint().height());
}

QString CManualRenameDlg::GetNewName() const {
    return newNameEdit->text();
}

bool CManualRenameDlg::HasInvalidCharacter(const QString& name) {
    static const QString invalid = QStringLiteral("\\/:*?\"<>|");
    return std::any_of(name.begin(), name.end(), [](QChar c) { return invalid.contains(c); });
}

void CManualRenameDlg::accept() {
    if (HasInvalidCharacter(newNameEdit->text())) {
        boxes.ShowWarning(this, std::string(LookupString(strings::kInvalidNameCharacters)), {},
                          boxstyle::kExclamationIcon);
        newNameEdit->setFocus();
        return;
    }
    CBaseDialog::accept();
}

std::optional<QString> CManualRenameDlg::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return GetNewName();
}
