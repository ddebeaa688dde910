// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string_view>

class CMessageBoxes;
class QWidget;

/// Where the manual lies relative to the executable: in a build it is
/// copied to doc/manual/ beside the executable, an installed program finds
/// it in the documentation folder of its prefix.
inline constexpr const char* kManualInBuild = "doc/manual/index.html";
inline constexpr const char* kManualInstalled = "../share/doc/norvikrename/manual/index.html";

/// The manual's page for the program at executablePath in the window's
/// language: the build copy when there is one, else the installed one; empty
/// when neither exists. The Dutch page is index.html; for another language the
/// page index.<language>.html beside it comes first, then the English page
/// index.en.html, then the Dutch one.
QString FindManual(const QString& executablePath, std::string_view language = "nl");

/// Opens the manual in the window's language (GetInterfaceLanguage) with the
/// desktop's viewer. When it is missing, or the desktop cannot open it, an
/// error box names the file.
void OpenManual(QWidget* owner, CMessageBoxes& messageBoxes, const QString& executablePath);

/// OpenManual for the running program.
void OpenManual(QWidget* owner, CMessageBoxes& messageBoxes);
