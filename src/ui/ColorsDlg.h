// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"
#include "ui/ColorStatic.h"

#include <array>
#include <cstdint>

/// "Kleurenconfiguratie": the twelve list colours as swatches, text and
/// background of each kind of row, for the file list and the preview.
/// A click on a swatch picks its colour; OK hands back all twelve.
class CColorsDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr std::size_t kColourCount = 12;
    /// Control id of the first swatch; the twelve follow in the order of
    /// Colours (1098 normal text ... 1109 renamed preview background).
    static constexpr int kFirstSwatchId = 1098;
    /// 0x00BBGGRR values in the order of the settings: normal, hidden,
    /// read-only and system files, then preview and renamed preview rows,
    /// each text then background.
    using Colours = std::array<uint32_t, kColourCount>;

    explicit CColorsDlg(const Colours& colours, QWidget* parent = nullptr);

    /// The swatch colours (what OK returns).
    Colours GetColours() const;
    /// The swatch with a control id 1098 to 1109; null for any other id.
    CColorStatic* GetSwatch(int id) const;
    /// The chooser every swatch runs (empty: the system colour dialog).
    void SetChooser(const CColorStatic::Chooser& chooser);

private:
    std::array<CColorStatic*, kColourCount> swatches{};
};
