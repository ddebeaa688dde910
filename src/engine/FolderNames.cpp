// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FolderNames.h"

#include <algorithm>
#include <bit>

void CFolderNames::Reserve(std::size_t names) {
    // At most half full, so that probes stay short.
    const std::size_t capacity = std::bit_ceil(std::max<std::size_t>(16, names * 2));
    if (capacity > table.size()) {
        Rebuild(capacity);
    }
}

std::string_view CFolderNames::Unlisted(std::size_t index) const {
    const std::size_t start = index == 0 ? 0 : ends[index - 1];
    return std::string_view(unlisted).substr(start, ends[index] - start);
}

std::string_view CFolderNames::NameOf(int32_t holder, const RowName& rowName,
                                      std::string& buffer) const {
    return holder >= 0 ? rowName(holder, buffer) : Unlisted(static_cast<std::size_t>(~holder));
}

std::size_t CFolderNames::SlotOf(std::string_view name, uint32_t tag,
                                 const RowName& rowName) const {
    const std::size_t mask = table.size() - 1;
    std::string buffer;
    for (std::size_t slot = tag & mask;; slot = (slot + 1) & mask) {
        const CSlot& here = table[slot];
        if (here.holder == kEmpty ||
            (here.tag == tag && NameOf(here.holder, rowName, buffer) == name)) {
            return slot;
        }
    }
}

void CFolderNames::Insert(uint32_t tag, int32_t holder) {
    const std::size_t mask = table.size() - 1;
    std::size_t slot = tag & mask;
    while (table[slot].holder != kEmpty) {
        slot = (slot + 1) & mask;
    }
    table[slot] = CSlot{tag, holder};
    AddToFilter(tag);
    ++count;
}

// The table and the filter anew at capacity, with the names they held: the
// tags alone place them, so no name is read again.
void CFolderNames::Rebuild(std::size_t capacity) {
    std::vector<CSlot> old(capacity);
    old.swap(table);
    const std::size_t bits = capacity * 4;
    filter.assign(bits / 64, 0);
    filterShift = 32 - static_cast<unsigned>(std::countr_zero(bits));
    count = 0;
    for (const CSlot& slot : old) {
        if (slot.holder != kEmpty) {
            Insert(slot.tag, slot.holder);
        }
    }
}

void CFolderNames::AddRow(int32_t row, std::string_view name, uint32_t tag,
                          const RowName& rowName) {
    Reserve(count + 1);
    CSlot& slot = table[SlotOf(name, tag, rowName)];
    if (slot.holder == kEmpty) {
        slot.tag = tag;
        AddToFilter(tag);
        ++count;
    }
    slot.holder = row;
}

void CFolderNames::AddUnlisted(std::string_view name, uint32_t tag, const RowName& rowName) {
    Reserve(count + 1);
    CSlot& slot = table[SlotOf(name, tag, rowName)];
    if (slot.holder != kEmpty) {
        return;
    }
    unlisted.append(name);
    ends.push_back(unlisted.size());
    slot = CSlot{tag, ~static_cast<int32_t>(ends.size() - 1)};
    AddToFilter(tag);
    ++count;
}

bool CFolderNames::Find(std::string_view name, uint32_t tag, const RowName& rowName,
                        int32_t& holder) const {
    if (table.empty() || !MayHold(tag)) {
        return false;
    }
    const CSlot& slot = table[SlotOf(name, tag, rowName)];
    if (slot.holder == kEmpty) {
        return false;
    }
    holder = slot.holder >= 0 ? slot.holder : kNotListed;
    return true;
}

void CFolderNames::ForgetRows() {
    std::fill(table.begin(), table.end(), CSlot{});
    std::fill(filter.begin(), filter.end(), 0);
    count = 0;
    for (std::size_t index = 0; index < ends.size(); ++index) {
        Insert(Tag(std::hash<std::string_view>()(Unlisted(index))), ~static_cast<int32_t>(index));
    }
}

void CFolderNames::RenumberRows(const std::vector<int32_t>& newRowOf) {
    for (CSlot& slot : table) {
        if (slot.holder >= 0 && static_cast<std::size_t>(slot.holder) < newRowOf.size()) {
            slot.holder = newRowOf[static_cast<std::size_t>(slot.holder)];
        }
    }
}

void CFolderNames::AddToFilter(uint32_t tag) {
    const std::size_t mask = filter.size() * 64 - 1;
    const std::size_t first = tag & mask;
    const std::size_t second = (tag * 0x9E3779B1u) >> filterShift;
    filter[first / 64] |= uint64_t{1} << (first % 64);
    filter[second / 64] |= uint64_t{1} << (second % 64);
}

void CFolderNames::Prefetch(uint32_t tag) const {
    if (filter.empty()) {
        return;
    }
    const std::size_t mask = filter.size() * 64 - 1;
    __builtin_prefetch(&filter[(tag & mask) / 64]);
    __builtin_prefetch(&filter[((tag * 0x9E3779B1u) >> filterShift) / 64]);
}

bool CFolderNames::MayHold(uint32_t tag) const {
    const std::size_t mask = filter.size() * 64 - 1;
    const std::size_t first = tag & mask;
    const std::size_t second = (tag * 0x9E3779B1u) >> filterShift;
    return (filter[first / 64] >> (first % 64) & 1) != 0 &&
           (filter[second / 64] >> (second % 64) & 1) != 0;
}
