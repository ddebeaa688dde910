// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// An INI file held in memory: section lines "[Name]" followed by lines
/// "Key=Value". Load reads a whole file once, Save writes it back in one
/// pass (UTF-8, CR LF line ends), replacing the old file only when the new
/// one has been written completely.
///
/// Reading follows the rules of the Windows profile reader that options
/// files were made for: section and key names are matched without regard to
/// case and without the blanks around them, a value loses its surrounding
/// blanks and then one pair of enclosing single or double quotes, and at most
/// 4095 characters of it come back. A repeated key or section counts only
/// where it appears first; lines before the first section belong to none.
///
/// Writing replaces the value of an existing key in its place and adds a
/// missing key after the last key of its section (right after the section
/// line when it has none yet), a missing section at the end of the file.
/// Every other line of a loaded file is kept as it was.
/// A file that is not valid UTF-8 is read as Windows-1252.
class CIniFile {
public:
    /// The most characters a value read from the file can have.
    static constexpr std::size_t kMaxValueChars = 4095;
    /// Larger files are not read (no options or settings file comes near).
    static constexpr std::size_t kMaxFileBytes = 8 * 1024 * 1024;

    /// Replaces the contents by the file at path. A file that does not exist
    /// gives an empty INI and true; a file that exists but cannot be read (or
    /// is larger than kMaxFileBytes) gives an empty INI and false.
    bool Load(const std::string& path);
    /// Load that tells why it failed: error is the errno value then (EFBIG
    /// for a file larger than kMaxFileBytes), 0 after a success.
    bool Load(const std::string& path, int& error);
    /// Load for a file that must be there: a missing file fails too (ENOENT,
    /// or ENOTDIR when a folder of its path is a file).
    bool LoadExisting(const std::string& path, int& error);

    /// Replaces the contents by the text of a file as Load reads it (a byte
    /// order mark is skipped, text that is not UTF-8 is read as
    /// Windows-1252).
    void LoadFromBytes(std::string_view data);
    /// The file text Save writes.
    std::string ToText() const;

    /// Writes the contents to path through a temporary file in the same
    /// folder that then replaces the old file (a symbolic link is followed,
    /// the old file's permissions are kept). False when anything failed; the
    /// old file is then untouched and no temporary file is left behind.
    bool Save(const std::string& path) const;
    /// Save that tells why it failed: error is the errno value then, 0 after
    /// a success.
    bool Save(const std::string& path, int& error) const;

    /// Forgets every section (the current section name stays).
    void Clear();

    /// The value of key in section: trimmed, enclosing quotes removed, cut to
    /// kMaxValueChars characters. found tells whether the key is there at
    /// all; the value is empty when it is not.
    std::string GetString(std::string_view section, std::string_view key, bool& found) const;

    /// The value of key when it has at least one character, else current.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view current) const;
    /// A value with at least one character is on unless it begins with "0";
    /// a missing or empty value gives current.
    bool ReadBool(std::string_view section, std::string_view key, bool current) const;
    /// The leading decimal integer of a value with at least one character (no
    /// digits give 0, values beyond 32 bits are held at the limits); a
    /// missing or empty value gives current.
    int32_t ReadInt(std::string_view section, std::string_view key, int32_t current) const;

    /// Writes a text: an empty one as nothing after "=", one that begins with
    /// a double quote as it is, any other enclosed in double quotes so that
    /// its blanks survive the trimming of the reader.
    bool WriteString(std::string_view section, std::string_view key, std::string_view text);
    /// Writes "1" or "0".
    bool WriteBool(std::string_view section, std::string_view key, bool flag);
    /// Writes a signed decimal number.
    bool WriteInt(std::string_view section, std::string_view key, int32_t number);
    /// Writes value exactly as given. The writes return false, and change
    /// nothing, for what a line cannot hold: an empty name, a line break, a
    /// key with "=" in it or one that begins with "[".
    bool WriteValue(std::string_view section, std::string_view key, std::string_view value);

    /// The same operations on the current section.
    void SetSection(std::string_view name) { currentSection = name; }
    const std::string& Section() const { return currentSection; }
    std::string ReadString(std::string_view key, std::string_view current) const {
        return ReadString(currentSection, key, current);
    }
    bool ReadBool(std::string_view key, bool current) const {
        return ReadBool(currentSection, key, current);
    }
    int32_t ReadInt(std::string_view key, int32_t current) const {
        return ReadInt(currentSection, key, current);
    }
    bool WriteString(std::string_view key, std::string_view text) {
        return WriteString(currentSection, key, text);
    }
    bool WriteBool(std::string_view key, bool flag) { return WriteBool(currentSection, key, flag); }
    bool WriteInt(std::string_view key, int32_t number) {
        return WriteInt(currentSection, key, number);
    }

private:
    /// Load and LoadExisting.
    bool Read(const std::string& path, bool missingIsEmpty, int& error);

    /// One key line, or a run of other lines joined with CR LF.
    struct CEntry {
        std::string text;
        bool isKey = false;
    };
    struct CSection {
        std::string header; ///< the section line; empty for the lines before the first one
        std::string name;
        std::vector<CEntry> entries;
    };

    void Parse(std::string_view text);
    /// Index of the first section of that name; sections.size() when none.
    std::size_t FindSection(std::string_view name) const;
    /// Index of the first entry with that key; entries.size() when none.
    static std::size_t FindKey(const CSection& section, std::string_view key);

    std::vector<CSection> sections;
    std::string currentSection;
};
