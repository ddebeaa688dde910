// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

/// The one translation context of every window text: Window::tr("Regels").
/// Dutch is the source language; translations/norvikrename_<lang>.ts holds the
/// others.
struct Window {
    Q_DECLARE_TR_FUNCTIONS(Window)
};

/// Texts cross between the core (UTF-8 std::string) and Qt (QString) only
/// through these.
QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

/// The string-table text with this id, as a QString.
QString UiText(int id);

/// The string-table text without its "&" accelerator marks ("&Pad" → "Pad"),
/// as accessible names carry them.
QString UiTextPlain(int id);

/// A colour stored as 0x00BBGGRR (red in the low byte).
QColor FromColorRef(uint32_t value);
uint32_t ToColorRef(const QColor& colour);
