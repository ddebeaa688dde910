// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

/// The KEY=value keywords of the command line. Keys are kept upper-cased,
/// values as typed without their enclosing quotes; the first occurrence of
/// a key wins.
class CCommandLineKeywords {
public:
    /// Clears the keywords and splits text into them.
    void Parse(const std::string& text);

    /// The occurrence-th value (from 1) of the key name (any case).
    bool GetValue(const std::string& name, int occurrence, std::string& value) const;

    const std::string& GetRawCommandLine() const { return rawCommandLine; }
    const std::vector<std::string>& GetKeys() const { return keys; }
    const std::vector<std::string>& GetValues() const { return values; }

    std::string GetPath() const { return First("PATH"); }
    std::string GetFilter() const { return First("FILTER"); }
    std::string GetNrFile() const { return First("NRFILE"); }
    std::string GetRename() const { return First("RENAME"); }
    std::string GetUndoFile() const { return First("UNDOFILE"); }
    std::string GetPause() const { return First("PAUSE"); }
    /// True only when RECURSIVE is exactly "1".
    bool GetRecursive() const { return First("RECURSIVE") == "1"; }

    /// The command-line tail of already split arguments: joined with single
    /// blanks, a KEY=value argument whose value holds a blank written as
    /// KEY="value", so that the parser sees what a typed line would give.
    static std::string JoinArguments(const std::vector<std::string>& arguments);

private:
    std::string First(const std::string& name) const;

    std::string rawCommandLine;
    std::vector<std::string> keys;
    std::vector<std::string> values;
};
