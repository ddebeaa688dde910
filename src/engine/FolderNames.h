// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// The names one folder holds, for the collision check, and who holds each:
/// a row of the list, whose name is not copied but read from the row's entry
/// when two names must be compared, or a file that no row lists, whose name
/// is kept here in one block of text. Names are found through an
/// open-addressing table of 32-bit hash tags (8 bytes a slot, at most half
/// full) and a filter of their tags that answers most "no such name" without
/// touching the table. Names are compared as given: a caller in a folder
/// that ignores case gives folded names, and a rowName that folds.
class CFolderNames {
public:
    /// What Find gives for a name that a file no row lists holds.
    static constexpr int32_t kNotListed = -1;

    /// The name of a row as the table compares it; buffer may hold the text
    /// when it must be made (a folded name).
    using RowName = std::function<std::string_view(int32_t row, std::string& buffer)>;

    /// The tag of a name; every call about one name takes the same tag.
    static uint32_t Tag(std::size_t hash) {
        return static_cast<uint32_t>(hash ^ (hash >> 32));
    }

    /// Room for this many names without growing.
    void Reserve(std::size_t names);
    /// Row holds name: a name already here changes holder.
    void AddRow(int32_t row, std::string_view name, uint32_t tag, const RowName& rowName);
    /// A file no row lists holds name, unless a row holds it already.
    void AddUnlisted(std::string_view name, uint32_t tag, const RowName& rowName);
    /// True when a file holds name; holder tells the row, or kNotListed.
    bool Find(std::string_view name, uint32_t tag, const RowName& rowName,
              int32_t& holder) const;
    /// Asks early for the memory Find(tag) will read first.
    void Prefetch(uint32_t tag) const;
    /// The rows' names go; the names no row lists stay.
    void ForgetRows();
    /// The rows were put in another order: the row that was row r is
    /// newRowOf[r] now.
    void RenumberRows(const std::vector<int32_t>& newRowOf);
    std::size_t GetCount() const { return count; }

private:
    struct CSlot {
        uint32_t tag = 0;
        /// A row (>= 0), ~index of an unlisted name (< 0), or kEmpty.
        int32_t holder = kEmpty;
    };
    static constexpr int32_t kEmpty = INT32_MIN;

    std::string_view Unlisted(std::size_t index) const;
    std::string_view NameOf(int32_t holder, const RowName& rowName, std::string& buffer) const;
    /// The slot that holds name, or the empty slot where it would go.
    std::size_t SlotOf(std::string_view name, uint32_t tag, const RowName& rowName) const;
    void Insert(uint32_t tag, int32_t holder);
    void Rebuild(std::size_t capacity);
    void AddToFilter(uint32_t tag);
    bool MayHold(uint32_t tag) const;

    std::vector<CSlot> table;
    std::size_t count = 0;
    /// Two bits a name, at four bits per slot.
    std::vector<uint64_t> filter;
    unsigned filterShift = 32;
    /// The names no row lists, one after the other; ends[i] is where name
    /// i ends.
    std::string unlisted;
    std::vector<std::size_t> ends;
};
