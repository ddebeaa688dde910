// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class CRenameCore;
class QAction;
class QLineEdit;
class QMenu;
class QWidget;

/// The tag menu (popup "2-Tags" of menu 134) of the rule edits: a right
/// press on an attached edit opens it in place of the edit's context menu,
/// and the chosen entry's tag text replaces the edit's selection. The rule
/// pages and the one-line text dialog each hold one.
class CTagMenu : public QObject {
    Q_OBJECT
public:
    /// The icon of a command id; an empty icon when there is none.
    using IconProvider = std::function<QIcon(int commandId)>;
    /// Runs the popup at a global position and returns the chosen action,
    /// null when the menu was closed without a choice.
    using PopupRunner = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;

    explicit CTagMenu(CRenameCore& core, QObject* parent = nullptr);
    ~CTagMenu() override;

    /// Where every tag menu of the program takes the icons of its eleven
    /// submenus from; unset (the start), the submenus have no icon.
    static void SetIconProvider(IconProvider provider);

    /// Replaces the popup's modal run (tests choose an entry here); an empty
    /// runner goes back to QMenu::exec.
    void SetPopupRunner(PopupRunner runner);

    /// Builds the menu with its eleven submenus; every entry's data is its
    /// command id, as is the data of each top submenu's menu action.
    std::unique_ptr<QMenu> BuildMenu(QWidget* parent) const;

    /// Makes a right press on edit open the tag menu instead of the edit's
    /// own context menu.
    void Attach(QLineEdit* edit);

    /// Opens the menu for edit at a global position and inserts the chosen
    /// tag; true when something was inserted.
    bool Popup(QLineEdit* edit, const QPoint& globalPos);

    /// Puts the tag text of a command in place of edit's selection (at the
    /// caret when nothing is selected), with the caret after it. False, and
    /// the edit untouched, when the command has no tag text.
    bool InsertTag(QLineEdit* edit, int commandId);

signals:
    /// A tag text went into edit (its textChanged has run already).
    void TagInserted(QLineEdit* edit);

private:
    CRenameCore& core;
    PopupRunner popupRunner;
};
