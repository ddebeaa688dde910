// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PreviewTexts.h"

#include "catalogue/FileCatalogue.h"

#include <cstring>
#include <utility>

void CPreviewTexts::Reset(std::size_t rowCount) {
    kinds.assign(rowCount, TextKind::Empty);
    // Allocated again with the first changed row of each chunk.
    handleChunks.clear();
    handleChunks.resize((rowCount + kChunkRows - 1) / kChunkRows);
    // One usual block stays for the next texts; the others go back.
    CBlock kept;
    for (CBlock& block : blocks) {
        if (block.size == kBlockSize && !kept.bytes) {
            kept = std::move(block);
        }
    }
    blocks.clear();
    fillBlock = SIZE_MAX;
    if (kept.bytes) {
        kept.used = 0;
        kept.liveTexts = 0;
        blocks.push_back(std::move(kept));
        fillBlock = 0;
    }
    liveBytes = 0;
    deadBytes = 0;
}

void CPreviewTexts::SetSingleText(std::string_view text) {
    Reset(1);
    if (!text.empty()) {
        SetChanged(0, text);
    }
}

void CPreviewTexts::Clear() {
    kinds = {};
    std::vector<CHandleChunk>().swap(handleChunks);
    std::vector<CBlock>().swap(blocks);
    fillBlock = SIZE_MAX;
    liveBytes = 0;
    deadBytes = 0;
}

std::string_view CPreviewTexts::ViewIn(const std::vector<CBlock>& arena, const CHandle& handle) {
    const CBlock& block = arena[handle.block];
    if (handle.length == kOwnBlock) {
        return {block.bytes.get(), block.size};
    }
    return {block.bytes.get() + handle.offset, handle.length};
}

std::string CPreviewTexts::Text(std::size_t row) const {
    std::string text;
    return std::string(View(row, text));
}

std::string_view CPreviewTexts::View(std::size_t row, std::string& scratch) const {
    if (kinds[row] != TextKind::Kept) {
        return StoredView(row);
    }
    if (row >= static_cast<std::size_t>(entries.GetRowCount())) {
        return {};
    }
    const CFileEntry& entry = entries.GetRowEntry(static_cast<int>(row));
    const std::string_view extension = entry.Extension();
    scratch.assign("<").append(entry.BaseName());
    if (!extension.empty()) {
        scratch.append(".").append(extension);
    }
    scratch.append(">");
    return scratch;
}

std::string_view CPreviewTexts::StoredView(std::size_t row) const {
    switch (kinds[row]) {
    case TextKind::Same:
        if (row >= static_cast<std::size_t>(entries.GetRowCount())) {
            return {};
        }
        return entries.GetRowEntry(static_cast<int>(row)).LongName();
    case TextKind::Changed:
        return HandleView(HandleOf(row));
    case TextKind::Empty:
    case TextKind::Kept:
        break;
    }
    return {};
}

bool CPreviewTexts::Moves(std::size_t row) const {
    // A same row and a kept one do not move, and an empty changed text is
    // stored as empty.
    return kinds[row] == TextKind::Changed && HandleView(HandleOf(row)).front() != '<';
}

void CPreviewTexts::DropText(std::size_t row) {
    if (kinds[row] != TextKind::Changed) {
        return;
    }
    const CHandle& handle = HandleOf(row);
    const std::size_t length = HandleView(handle).size();
    liveBytes -= length;
    deadBytes += length;
    --blocks[handle.block].liveTexts;
}

void CPreviewTexts::SetKind(std::size_t row, TextKind kind) {
    const bool wasChanged = kinds[row] == TextKind::Changed;
    const bool isChanged = kind == TextKind::Changed;
    if (wasChanged != isChanged) {
        CHandleChunk& chunk = handleChunks[row / kChunkRows];
        chunk.changedRows = isChanged ? chunk.changedRows + 1 : chunk.changedRows - 1;
    }
    kinds[row] = kind;
}

void CPreviewTexts::SetKept(std::size_t row) {
    DropText(row);
    SetKind(row, TextKind::Kept);
}

void CPreviewTexts::SetComputed(std::size_t row, std::string_view text) {
    DropText(row);
    if (text.empty()) {
        SetKind(row, TextKind::Empty);
    } else if (row < static_cast<std::size_t>(entries.GetRowCount()) &&
               text == entries.GetRowEntry(static_cast<int>(row)).LongName()) {
        SetKind(row, TextKind::Same);
    } else {
        SetChanged(row, text);
    }
}

void CPreviewTexts::SetSame(std::size_t row) {
    DropText(row);
    SetKind(row, TextKind::Same);
}

void CPreviewTexts::SetChanged(std::size_t row, std::string_view text) {
    CHandleChunk& chunk = handleChunks[row / kChunkRows];
    if (!chunk.handles) {
        chunk.handles = std::make_unique<CHandle[]>(kChunkRows);
    }
    chunk.handles[row % kChunkRows] = Store(text);
    SetKind(row, TextKind::Changed);
    liveBytes += text.size();
}

void CPreviewTexts::Release(std::size_t row) {
    if (kinds[row] == TextKind::Changed) {
        DropText(row);
        const uint32_t index = HandleOf(row).block;
        CBlock& block = blocks[index];
        if (block.liveTexts == 0 && index != fillBlock) {
            // Every text written there is dead now, the replaced ones too.
            deadBytes -= block.used;
            block = CBlock{};
        }
    }
    SetKind(row, TextKind::Empty);
    CHandleChunk& chunk = handleChunks[row / kChunkRows];
    if (chunk.changedRows == 0) {
        chunk.handles.reset();
    }
}

CPreviewTexts::CHandle CPreviewTexts::Store(std::string_view text) {
    CHandle handle;
    if (text.size() > kBlockSize / 4) {
        CBlock& own = blocks.emplace_back();
        own.bytes = std::make_unique_for_overwrite<char[]>(text.size());
        own.size = text.size();
        own.used = text.size();
        own.liveTexts = 1;
        std::memcpy(own.bytes.get(), text.data(), text.size());
        handle.block = static_cast<uint32_t>(blocks.size() - 1);
        handle.length = kOwnBlock;
        return handle;
    }
    if (fillBlock == SIZE_MAX || blocks[fillBlock].used + text.size() > kBlockSize) {
        CBlock& fresh = blocks.emplace_back();
        fresh.bytes = std::make_unique_for_overwrite<char[]>(kBlockSize);
        fresh.size = kBlockSize;
        fillBlock = blocks.size() - 1;
    }
    CBlock& block = blocks[fillBlock];
    std::memcpy(block.bytes.get() + block.used, text.data(), text.size());
    ++block.liveTexts;
    handle.block = static_cast<uint32_t>(fillBlock);
    handle.offset = static_cast<uint16_t>(block.used);
    handle.length = static_cast<uint16_t>(text.size());
    block.used += text.size();
    return handle;
}

void CPreviewTexts::CompactIfWasteful() {
    if (deadBytes <= liveBytes) {
        return;
    }
    std::vector<CBlock> old;
    old.swap(blocks);
    fillBlock = SIZE_MAX;
    deadBytes = 0;
    for (std::size_t row = 0; row < kinds.size(); ++row) {
        if (kinds[row] != TextKind::Changed) {
            continue;
        }
        HandleOf(row) = Store(ViewIn(old, HandleOf(row)));
    }
}

std::size_t CPreviewTexts::GetHandleBytes() const {
    std::size_t bytes = 0;
    for (const CHandleChunk& chunk : handleChunks) {
        bytes += chunk.handles ? kChunkRows * sizeof(CHandle) : 0;
    }
    return bytes;
}

std::size_t CPreviewTexts::GetArenaBytes() const {
    std::size_t bytes = 0;
    for (const CBlock& block : blocks) {
        bytes += block.size;
    }
    return bytes;
}
