// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CMessageBoxes;
class QWidget;

/// Where the manual lies relative to the executable: in a build it is
/// copied to doc/manual/ beside the executable, an installed program finds
/// it in the documentation folder of its prefix.
inline constexpr const char* kManualInBuild = "doc/manual/index.html";
inline constexpr const char* kManualInstalled = "../share/doc/norvikrename/manual/index.html";

/// The manual's page for the program at executablePath: the build copy
/// when there is one, else the installed one; empty when neither exists.
QString FindManual(const QString& executablePath);

/// Opens the manual with the desktop's viewer. When it is missing, or the
/// desktop cannot open it, an error box names the file.
void OpenManual(QWidget* owner, CMessageBoxes& messageBoxes, const QString& executablePath);

/// OpenManual for the running program.
void OpenManual(QWidget* owner, CMessageBoxes& messageBoxes);
