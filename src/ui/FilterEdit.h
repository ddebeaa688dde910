// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QString>

class QKeyEvent;
class QValidator;

/// A one-line edit that takes only the characters of an allowed set. A typed
/// printable character outside the set is dropped, control keys (below 32)
/// always pass, and every other change (a paste, a drop, setText, a screen
/// reader or test tool writing through the accessibility interface) is
/// checked as a whole: a text holding a character outside the set goes
/// back to the last accepted text. Only ShowAcceptedText puts any text in.
/// An empty set lets everything through.
class CFilterEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFilterEdit(QWidget* parent = nullptr);
    ~CFilterEdit() override;

    /// Sets the allowed characters ("0123456789", "-0123456789"); empty for
    /// no filtering. The text shown stays as it is.
    void SetAllowedCharacters(const QString& characters);
    const QString& GetAllowedCharacters() const { return allowed; }

    /// Shows text as the accepted value, whatever its characters: a page
    /// shows the value its rule holds, and an options file may hold any
    /// text.
    void ShowAcceptedText(const QString& text);

    /// True when every character of text is in characters (or characters is
    /// empty).
    static bool IsAllowedText(const QString& text, const QString& characters);

signals:
    /// The text changed and was kept; a change that went back is not
    /// reported. Owners take the edit's value on this, not on textChanged.
    void TextAccepted(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CheckChange(const QString& text);

    QString allowed;
    QValidator* characterCheck = nullptr;
    /// The last text that passed the check (or was shown as accepted).
    QString accepted;
    /// Set while a refused text goes back, so that the way back is not
    /// reported as a change.
    bool reverting = false;
};
