// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <array>

class CFilterEdit;
class CRenameCore;
class CTagMenu;
struct CNameRuleBlock;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

/// The page of one rule block: the Filename page and the Extension page,
/// which differ only in the captions of the two insert rules. The page's
/// values live in a CNameRuleBlock of the core's options; every change on
/// the page takes the control values into it at once (apply).
class CRuleBlockPage : public QWidget {
    Q_OBJECT
public:
    ~CRuleBlockPage() override;

    /// Controls → the block.
    void TakeValues();
    /// The block → controls (no apply, no enabling: RefreshEnabling after).
    void ShowValues();
    /// All texts empty, all rules off, the edits disabled, case unchanged.
    void SetDefaults();
    /// Enables each rule's edits exactly when its check box is on.
    void RefreshEnabling();

    /// The case radio set, 0 to 4 ("Niet wijzigen" ... "Alleen eerste
    /// letter hoofdletter"); none set reads as 0. Setting touches the
    /// radios only (a value outside 0 to 4 sets the first); the block
    /// follows at the next apply or TakeValues.
    int GetCaseMode() const;
    void SetCaseMode(int mode);

    /// True for the five edits that take tags (the wide text box works on
    /// these only).
    bool IsRuleTextEdit(const QWidget* widget) const;

    /// Set by the main window once it listens: from then on an apply emits
    /// Applied().
    void SetOwnerLinked(bool linked) { ownerLinked = linked; }
    bool IsOwnerLinked() const { return ownerLinked; }

    CTagMenu& GetTagMenu() { return *tagMenu; }

signals:
    /// The block changed through the page: recompute the preview.
    void Applied();

protected:
    /// insertBeforeCaption and insertAfterCaption are the texts of the two
    /// check boxes that differ between the pages.
    CRuleBlockPage(CNameRuleBlock& block, CRenameCore& core, const QString& insertBeforeCaption,
                   const QString& insertAfterCaption, QWidget* parent);

private:
    /// One rule: its check box and the one or two edits it governs.
    struct CRule {
        QCheckBox* box = nullptr;
        QLineEdit* first = nullptr;
        QLineEdit* second = nullptr;
    };
    enum RuleIndex {
        kReplaceWith,
        kReplaceText,
        kLeftCrop,
        kRightCrop,
        kCropAt,
        kInsertBefore,
        kInsertAfter,
        kInsertAt,
        kRuleCount
    };

    void CreateControls(const QString& insertBeforeCaption, const QString& insertAfterCaption);
    void LayOut();
    QCheckBox* MakeCheckBox(const char* name, const QString& text);
    QLineEdit* MakeTextEdit(const char* name, const QString& accessibleName);
    CFilterEdit* MakeNumberEdit(const char* name, const QString& accessibleName);
    QLabel* MakeLabel(const char* name, const QString& text, QWidget* buddy);
    void OnRuleClicked(int rule);
    void OnTextChanged();
    void Apply();

    CNameRuleBlock& block;
    CTagMenu* tagMenu = nullptr;
    bool ownerLinked = false;
    /// Set while ShowValues fills the controls, so that no half-shown block
    /// is taken back.
    bool showing = false;

    std::array<CRule, kRuleCount> rules{};
    QCheckBox* matchCase = nullptr;
    QCheckBox* removeAccents = nullptr;
    QLineEdit* replaceWithText = nullptr;
    QLineEdit* searchText = nullptr;
    QLineEdit* replacementText = nullptr;
    CFilterEdit* leftCropCount = nullptr;
    CFilterEdit* rightCropCount = nullptr;
    CFilterEdit* cropPosition = nullptr;
    CFilterEdit* cropCount = nullptr;
    QLineEdit* insertBeforeText = nullptr;
    QLineEdit* insertAfterText = nullptr;
    CFilterEdit* insertAtPosition = nullptr;
    QLineEdit* insertAtText = nullptr;
    QLabel* replacementLabel = nullptr;
    QLabel* cropCountLabel = nullptr;
    QLabel* insertAtTextLabel = nullptr;
    QButtonGroup* caseGroup = nullptr;
    std::array<QRadioButton*, 5> caseRadios{};
};
