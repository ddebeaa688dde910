// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

class CFilterEdit;
struct CAutonumberOptions;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

/// The Autonumber page (tab "Autonummering"): where the number goes, its
/// start, step, zero fill and base. Its values live in the core's
/// CAutonumberOptions; every change on the page takes them at once (apply).
class CAutonumberTab : public QWidget {
    Q_OBJECT
public:
    explicit CAutonumberTab(CAutonumberOptions& options, QWidget* parent = nullptr);
    ~CAutonumberTab() override;

    /// Controls → the options.
    void TakeValues();
    /// The options → controls (no apply).
    void ShowValues();
    /// Start, step and zero fill "1", the first digit sequence, restart per
    /// folder on, base Dec, no number; then takes the values.
    void SetDefaults();

    /// The position radios: 0 none, 1 before the name, 2 after it; none set
    /// reads as 0. Setting clears the group and sets the one radio (the
    /// first for a value outside 0 to 2); the options follow at the next
    /// apply or TakeValues.
    int GetPosition() const;
    void SetPosition(int position);
    /// The base radios: 0 Dec to 4 Excel, 5 Handmatig; the first set radio
    /// of Dec to Excel, else 5. Setting works as for the position.
    int GetBase() const;
    void SetBase(int base);

    /// Set by the main window once it listens: from then on an apply emits
    /// Applied().
    void SetOwnerLinked(bool linked) { ownerLinked = linked; }
    bool IsOwnerLinked() const { return ownerLinked; }

signals:
    /// The options changed through the page: recompute the preview.
    void Applied();

private:
    void CreateControls();
    void LayOut();
    CFilterEdit* MakeNumberEdit(const char* name, const QString& characters);
    void OnChanged();
    void Apply();

    CAutonumberOptions& options;
    bool ownerLinked = false;
    /// Set while the page fills its controls, so that nothing half-shown is
    /// taken back.
    bool showing = false;

    QButtonGroup* positionGroup = nullptr;
    std::array<QRadioButton*, 3> positionRadios{};
    CFilterEdit* start = nullptr;
    CFilterEdit* increment = nullptr;
    CFilterEdit* zeroFill = nullptr;
    QButtonGroup* baseGroup = nullptr;
    std::array<QRadioButton*, 6> baseRadios{};
    QCheckBox* restartPerFolder = nullptr;
    QComboBox* manualDigits = nullptr;
};
