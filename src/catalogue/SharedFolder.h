// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

/// The path of a folder, held once for all the entries listed from it: a
/// handle of one pointer to the text and a count of its holders (a shared
/// pointer would take two). The count is atomic, because the entries of an
/// old listing are freed on another thread while copies of some of them may
/// live on.
class CSharedFolder {
public:
    CSharedFolder() noexcept = default;
    explicit CSharedFolder(std::string path) : block(new CBlock{{1}, std::move(path)}) {}
    CSharedFolder(const CSharedFolder& other) noexcept : block(other.block) { Hold(); }
    CSharedFolder(CSharedFolder&& other) noexcept : block(other.block) { other.block = nullptr; }
    CSharedFolder& operator=(CSharedFolder other) noexcept {
        std::swap(block, other.block);
        return *this;
    }
    ~CSharedFolder() { Let(); }

    explicit operator bool() const noexcept { return block != nullptr; }
    const std::string& operator*() const noexcept { return block->path; }

private:
    struct CBlock {
        std::atomic<uint32_t> holders;
        const std::string path;
    };

    void Hold() noexcept {
        if (block != nullptr) {
            block->holders.fetch_add(1, std::memory_order_relaxed);
        }
    }
    void Let() noexcept {
        if (block != nullptr && block->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            delete block;
        }
    }

    CBlock* block = nullptr;
};
