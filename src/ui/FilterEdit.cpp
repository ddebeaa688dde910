// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FilterEdit.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

/// The check of a whole edit: Qt undoes an edit (a paste, a drop) its
/// validator calls Invalid before anyone hears of it. Text set through
/// setText passes a validator unchecked; CheckChange sends it back.
class CCharacterSetValidator : public QValidator {
public:
    CCharacterSetValidator(const QString& characters, QObject* parent)
        : QValidator(parent), characters(characters) {}

    State validate(QString& input, int& /*pos*/) const override {
        return CFilterEdit::IsAllowedText(input, characters) ? Acceptable : Invalid;
    }

private:
    QString characters;
};

} // namespace

CFilterEdit::CFilterEdit(QWidget* parent) : QLineEdit(parent) {
    // Connected first, so that the check runs before any owner hears of a
    // change.
    connect(this, &QLineEdit::textChanged, this, &CFilterEdit::CheckChange);
}

CFilterEdit::~CFilterEdit() = default;

void CFilterEdit::SetAllowedCharacters(const QString& characters) {
    allowed = characters;
    QValidator* old = characterCheck;
    characterCheck = allowed.isEmpty() ? nullptr : new CCharacterSetValidator(allowed, this);
    setValidator(characterCheck);
    delete old;
}

void CFilterEdit::ShowAcceptedText(const QString& text) {
    accepted = text;
    setText(text);
}

void CFilterEdit::CheckChange(const QString& text) {
    if (reverting) {
        return;
    }
    if (text != accepted && !IsAllowedText(text, allowed)) {
        reverting = true;
        setText(accepted);
        reverting = false;
        return;
    }
    accepted = text;
    emit TextAccepted(text);
}

bool CFilterEdit::IsAllowedText(const QString& text, const QString& characters) {
    if (characters.isEmpty()) {
        return true;
    }
    for (const QChar c : text) {
        if (!characters.contains(c)) {
            return false;
        }
    }
    return true;
}

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
    // Shortcuts (Ctrl+V, Alt+letter) are not typed characters.
    const Qt::KeyboardModifiers shortcutKeys =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString typed = event->text();
    if (!allowed.isEmpty() && !typed.isEmpty() && (event->modifiers() & shortcutKeys) == 0) {
        for (const QChar c : typed) {
            if (c.unicode() >= 32 && !allowed.contains(c)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}
