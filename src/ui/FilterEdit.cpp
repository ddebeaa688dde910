#include "ui/FilterEdit.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

/// The check of a whole change: Qt undoes a change its validator calls
/// Invalid, which is the check-and-revert the number fields need.
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

CFilterEdit::CFilterEdit(QWidget* parent) : QLineEdit(parent) {}

CFilterEdit::~CFilterEdit() = default;

void CFilterEdit::SetAllowedCharacters(const QString& characters) {
    allowed = characters;
    QValidator* old = characterCheck;
    characterCheck = allowed.isEmpty() ? nullptr : new CCharacterSetValidator(allowed, this);
    setValidator(characterCheck);
    delete old;
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
