#pragma once

#include <QLineEdit>
#include <QString>

class QKeyEvent;
class QValidator;

/// A one-line edit that takes only the characters of an allowed set. A typed
/// printable character outside the set is dropped, control keys (below 32)
/// always pass, and every other change (a paste, a drop, an insert) is
/// checked as a whole: a change whose text holds a character outside the set
/// is undone, so the edit keeps the text it had. Text set by the program
/// (setText) is shown as it is. An empty set lets everything through.
class CFilterEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFilterEdit(QWidget* parent = nullptr);
    ~CFilterEdit() override;

    /// Sets the allowed characters ("0123456789", "-0123456789"); empty for
    /// no filtering.
    void SetAllowedCharacters(const QString& characters);
    const QString& GetAllowedCharacters() const { return allowed; }

    /// True when every character of text is in characters (or characters is
    /// empty).
    static bool IsAllowedText(const QString& text, const QString& characters);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString allowed;
    QValidator* characterCheck = nullptr;
};
