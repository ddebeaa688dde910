// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CFileCatalogue;

/// The new names of the preview, row i belonging to the catalogue's row i in
/// its current order. Most rows hold no text of their own: a row that keeps
/// its name, or whose new name is its name, is rebuilt from the catalogue's
/// entry when asked. Only a changed name is kept, in an arena of fixed blocks,
/// so that a folder of a million files opened without a rule costs one byte
/// a row.
///
/// Views: a view of a row's text (View, StoredView) stays valid while other
/// rows are set, and a replaced text stays readable until the arena is
/// emptied. Reset, SetSingleText, Clear and CompactIfWasteful invalidate
/// every view; Release invalidates the views of the released row. A view of
/// a kept or same row lives as long as the catalogue's entry (or the scratch
/// text).
class CPreviewTexts {
public:
    /// What a row's text is.
    enum class TextKind : uint8_t {
        Empty,   ///< the empty text (a row not computed yet, or cropped away)
        Kept,    ///< an unprocessed row: "<" + its name + ">"
        Same,    ///< the entry's own name: a computed name that changes nothing
        Changed, ///< a text of its own, kept in the arena
    };

    /// The entries of catalogue resolve kept and same rows.
    explicit CPreviewTexts(const CFileCatalogue& catalogue) : entries(catalogue) {}

    /// rowCount rows, every one empty; the arena is emptied.
    void Reset(std::size_t rowCount);
    /// One row holding text (the double-click row), whatever the catalogue.
    void SetSingleText(std::string_view text);
    /// No row; the memory goes back.
    void Clear();

    std::size_t GetRowCount() const { return kinds.size(); }
    bool IsEmpty() const { return kinds.empty(); }
    TextKind Kind(std::size_t row) const { return kinds[row]; }

    /// The row's text: the new name, or the current name in angle brackets
    /// (a trailing dot dropped, as the name's parts give it). A kept or same
    /// row past the catalogue's rows reads as empty.
    std::string Text(std::size_t row) const;
    /// The row's text without a copy where it can: scratch receives the text
    /// of a kept row, the others are read where they are.
    std::string_view View(std::size_t row, std::string& scratch) const;
    /// The text of a same or changed row where it is; empty for the others.
    std::string_view StoredView(std::size_t row) const;
    /// True when the row's text gives its entry a move: a changed name that
    /// is not in angle brackets.
    bool Moves(std::size_t row) const;

    /// The row keeps its name.
    void SetKept(std::size_t row);
    /// The row's computed name: same when it is the entry's name byte for
    /// byte, else kept in the arena.
    void SetComputed(std::size_t row, std::string_view text);
    /// The row's computed name is the entry's own name (the caller knows).
    void SetSame(std::size_t row);
    /// Lets go of the row's text (it reads as empty): a block whose texts
    /// are all released goes back at once.
    void Release(std::size_t row);

    /// When replaced texts take more of the arena than the live ones, copies
    /// the live texts into a fresh arena. Only where no caller holds a view.
    void CompactIfWasteful();

    /// The bytes of live and replaced texts in the arena, and the bytes the
    /// arena holds from the system.
    std::size_t GetLiveBytes() const { return liveBytes; }
    std::size_t GetDeadBytes() const { return deadBytes; }
    std::size_t GetArenaBytes() const;
    /// The bytes the handles of changed rows hold (none without one).
    std::size_t GetHandleBytes() const;

    /// The usual block of the arena; a text longer than a quarter of it
    /// gets a block of its own.
    static constexpr std::size_t kBlockSize = 64 * 1024;

private:
    /// Where a changed row's text is: a block, and in a shared block the
    /// offset and length; a block of its own holds the text alone.
    struct CHandle {
        uint32_t block = 0;
        uint16_t offset = 0;
        uint16_t length = 0;
    };
    struct CBlock {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        /// The bytes written, live or replaced.
        std::size_t used = 0;
        /// The rows whose live text is here.
        std::size_t liveTexts = 0;
    };
    static constexpr uint16_t kOwnBlock = 0xFFFF;

    std::string_view HandleView(const CHandle& handle) const { return ViewIn(blocks, handle); }
    static std::string_view ViewIn(const std::vector<CBlock>& arena, const CHandle& handle);
    /// Copies text into the arena.
    CHandle Store(std::string_view text);
    /// The row's arena text stops being live (the row keeps its kind).
    void DropText(std::size_t row);
    void SetChanged(std::size_t row, std::string_view text);

    const CFileCatalogue& entries;
    std::vector<TextKind> kinds;
    /// The handles of kChunkRows rows, read for changed rows only: allocated
    /// with the first changed row among them, let go when Release leaves
    /// none.
    struct CHandleChunk {
        std::unique_ptr<CHandle[]> handles;
        std::size_t changedRows = 0;
    };
    static constexpr std::size_t kChunkRows = 8192;

    CHandle& HandleOf(std::size_t row) {
        return handleChunks[row / kChunkRows].handles[row % kChunkRows];
    }
    const CHandle& HandleOf(std::size_t row) const {
        return handleChunks[row / kChunkRows].handles[row % kChunkRows];
    }
    /// Sets the row's kind, counting the changed rows of its chunk.
    void SetKind(std::size_t row, TextKind kind);

    std::vector<CHandleChunk> handleChunks;
    std::vector<CBlock> blocks;
    /// The shared block being filled.
    std::size_t fillBlock = SIZE_MAX;
    std::size_t liveBytes = 0;
    std::size_t deadBytes = 0;
};
