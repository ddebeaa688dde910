// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UndoJournalReader.h"

#include "platform/SequentialReader.h"

#include <cerrno>

namespace {

constexpr std::string_view kUndoLine = "nr_undo '";
constexpr std::string_view kSkipLine = "nr_skip\n";

/// One single-quoted shell word from pos on, as ShellQuote writes it (a '
/// inside is '\''); pos ends after it. False when the text is not one.
bool ReadQuotedWord(std::string_view text, std::size_t& pos, std::string& word) {
    word.clear();
    if (pos >= text.size() || text[pos] != '\'') {
        return false;
    }
    for (;;) {
        const std::size_t close = text.find('\'', pos + 1);
        if (close == std::string_view::npos) {
            return false;
        }
        word.append(text.substr(pos + 1, close - pos - 1));
        pos = close + 1;
        if (text.substr(pos, 3) != "\\''") {
            return true;
        }
        word += '\'';
        pos += 2;
    }
}

} // namespace

void ParseUndoJournal(std::string_view text, std::vector<std::string>& oldPaths,
                      std::vector<std::string>& newPaths, std::vector<std::string>* identities) {
    oldPaths.clear();
    newPaths.clear();
    if (identities != nullptr) {
        identities->clear();
    }
    std::string from;
    std::string to;
    std::string identity;
    // Line by line; a quoted path may hold a line end of its own, so a move
    // line is read word by word.
    for (std::size_t pos = 0; pos < text.size();) {
        if (text.substr(pos, kUndoLine.size()) == kUndoLine) {
            // nr_undo 'new path' 'old path' ['identity']: the script moves
            // new back to old.
            std::size_t end = pos + kUndoLine.size() - 1;
            identity.clear();
            if (ReadQuotedWord(text, end, from) && end < text.size() && text[end] == ' ' &&
                ReadQuotedWord(text, ++end, to) && end < text.size() &&
                (text[end] == '\n' || (text[end] == ' ' && ReadQuotedWord(text, ++end, identity) &&
                                       end < text.size() && text[end] == '\n'))) {
                oldPaths.push_back(to);
                newPaths.push_back(from);
                if (identities != nullptr) {
                    identities->push_back(identity);
                }
                pos = end + 1;
                continue;
            }
        } else if (text.substr(pos, kSkipLine.size()) == kSkipLine) {
            if (!oldPaths.empty()) {
                oldPaths.pop_back();
                newPaths.pop_back();
                if (identities != nullptr) {
                    identities->pop_back();
                }
            }
            pos += kSkipLine.size();
            continue;
        }
        const std::size_t lineEnd = text.find('\n', pos);
        pos = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
    }
}

bool ReadUndoJournal(const std::string& path, std::vector<std::string>& oldPaths,
                     std::vector<std::string>& newPaths, int& error,
                     std::vector<std::string>* identities) {
    oldPaths.clear();
    newPaths.clear();
    platform::CSequentialReader reader;
    if (!reader.Open(path, error)) {
        return false;
    }
    std::string text;
    char buffer[64 * 1024];
    for (;;) {
        std::size_t bytesRead = 0;
        if (!reader.Read(buffer, sizeof buffer, bytesRead, error)) {
            return false;
        }
        text.append(buffer, bytesRead);
        if (bytesRead < sizeof buffer) {
            break;
        }
    }
    ParseUndoJournal(text, oldPaths, newPaths, identities);
    error = 0;
    return true;
}
