// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextInputDlg.h"

#include "ui/QtText.h"
#include "ui/TagMenu.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kMinWidth = 640;

} // namespace

CTextInputDlg::CTextInputDlg(const QString& text, CRenameCore* core, QWidget* parent)
    : CBaseDialog(parent) {
    setObjectName(QStringLiteral("CTextInputDlg"));
    setWindowTitle(Window::tr("Tekst"));
    edit = new QLineEdit(text, this);
    edit->setObjectName(QStringLiteral("edit1110"));
    edit->setAccessibleName(Window::tr("Tekst"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit);
    if (core != nullptr) {
        tagMenu = new CTagMenu(*core, this);
        tagMenu->Attach(edit);
    }
    // Without buttons Enter has no default button to press: it is OK here.
    connect(edit, &QLineEdit::returnPressed, this, &QDialog::accept);
    SetSizeLimits(kMinWidth, sizeHint().height(), kUnset, sizeHint().height());
    resize(kMinWidth, sizeHint().height());
    edit->selectAll();
    edit->setFocus();
}

QString CTextInputDlg::GetText() const {
    return edit->text();
}
