// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileEntry.h"

CFileEntry::CFileEntry(CSharedFolder folderPath, std::string longName,
                       platform::EntryType entryType)
    : folder(std::move(folderPath)), type(entryType),
      isFolder(entryType == platform::EntryType::Folder) {
    SetLongName(std::move(longName));
}

CFileEntry::CFileEntry(const CFileEntry& other)
    : folder(other.folder), name(other.name),
      details(other.details ? std::make_unique<CDetails>(*other.details) : nullptr),
      extensionStart(other.extensionStart), type(other.type), isFolder(other.isFolder) {}

CFileEntry& CFileEntry::operator=(const CFileEntry& other) {
    if (this != &other) {
        *this = CFileEntry(other);
    }
    return *this;
}

CFileEntry::CDetails& CFileEntry::Details() const {
    if (!details) {
        details = std::make_unique<CDetails>();
    }
    return *details;
}

void CFileEntry::SetTypeName(std::string text, bool known) {
    CDetails& block = Details();
    block.typeName = std::move(text);
    block.typeNameKnown = known;
}

const std::string& CFileEntry::EmptyText() {
    static const std::string empty;
    return empty;
}

std::string_view CFileEntry::BaseName() const {
    const std::string_view all = name;
    return extensionStart == kNoExtension ? all : all.substr(0, extensionStart - 1);
}

std::string_view CFileEntry::Extension() const {
    return extensionStart == kNoExtension ? std::string_view()
                                          : std::string_view(name).substr(extensionStart);
}

uint32_t CFileEntry::ListedAttributes() const {
    return HasFacts() ? details->facts.attributes : platform::AttributesOfType(type, name);
}

bool CFileEntry::IsHidden() const {
    if (HasFacts()) {
        return (details->facts.attributes & platform::kAttrHidden) != 0;
    }
    return !name.empty() && name[0] == '.';
}

bool CFileEntry::IsSystem() const {
    if (HasFacts()) {
        return (details->facts.attributes & platform::kAttrSystem) != 0;
    }
    return type == platform::EntryType::Other;
}

const CEntryFacts& CFileEntry::Facts() const {
    if (!details || !details->factsFetched) {
        FetchFacts();
    }
    return details->facts;
}

bool CFileEntry::AreFactsKnown() const {
    Facts();
    return details->factsKnown;
}

void CFileEntry::FetchFacts() const {
    CFindRecord record;
    int error = 0;
    if (platform::GetFindRecord(FullPath(), record, error)) {
        TakeFacts(CEntryFacts{.attributes = record.dwFileAttributes,
                              .size = record.FileSize(),
                              .creationTime = record.ftCreationTime,
                              .lastWriteTime = record.ftLastWriteTime,
                              .lastAccessTime = record.ftLastAccessTime});
        return;
    }
    // Gone since the listing, or out of reach: what the listing told, and
    // nothing more; size and times stay unknown.
    CDetails& block = Details();
    block.facts = CEntryFacts{};
    block.facts.attributes = platform::AttributesOfType(type, name);
    block.factsError = error;
    block.factsKnown = false;
    block.factsFetched = true;
}

void CFileEntry::TakeFacts(const CEntryFacts& newFacts) const {
    CDetails& block = Details();
    block.facts = newFacts;
    block.factsError = 0;
    block.factsKnown = true;
    block.factsFetched = true;
    type = platform::EntryTypeOfAttributes(newFacts.attributes);
    isFolder = type == platform::EntryType::Folder;
}

void CFileEntry::SetFolder(std::string path) {
    folder = CSharedFolder(std::move(path));
}

void CFileEntry::SetLongName(std::string longName) {
    name = std::move(longName);
    const auto dot = name.rfind('.');
    extensionStart = dot == std::string::npos ? kNoExtension : static_cast<uint32_t>(dot + 1);
}

void CFileEntry::SetFacts(const CEntryFacts& newFacts) {
    TakeFacts(newFacts);
}

// A million entries of a large folder take a block of the list for every
// nine: a pointer more would make it seven.
static_assert(sizeof(CFileEntry) <= 56, "an entry outgrew 56 bytes");
