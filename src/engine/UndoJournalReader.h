// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// Reads back the moves an undo script of the journal form records (the
/// shell script that CUndoJournal writes), also one that a killed run left
/// without its end: each recorded move in the order it was made, less the
/// ones taken back because they failed. Entry i of both lists is one move of
/// oldPaths[i] to newPaths[i]. False, with the errno value, when the file
/// cannot be read; a file of another form gives no moves. identities, when
/// given, gets the identity each move line records of its file (empty for a
/// line without one).
bool ReadUndoJournal(const std::string& path, std::vector<std::string>& oldPaths,
                     std::vector<std::string>& newPaths, int& error,
                     std::vector<std::string>* identities = nullptr);

/// The same for the text of such a script.
void ParseUndoJournal(std::string_view text, std::vector<std::string>& oldPaths,
                      std::vector<std::string>& newPaths,
                      std::vector<std::string>* identities = nullptr);
