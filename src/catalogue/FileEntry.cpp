#include "catalogue/FileEntry.h"

CFileEntry::CFileEntry(std::shared_ptr<const std::string> folderPath, std::string longName,
                       platform::EntryType entryType)
    : folder(std::move(folderPath)), type(entryType),
      isFolder(entryType == platform::EntryType::Folder) {
    SetLongName(std::move(longName));
}

CFileEntry::CFileEntry(const CFileEntry& other)
    : iconIndex(other.iconIndex), folder(other.folder), name(other.name),
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
    if (!HasFacts()) {
        FetchFacts();
    }
    return details->facts;
}

void CFileEntry::FetchFacts() const {
    CDetails& block = Details();
    block.factsKnown = true;
    CEntryFacts& facts = block.facts;
    CFindRecord record;
    int error = 0;
    if (platform::GetFindRecord(FullPath(), record, error)) {
        facts.attributes = record.dwFileAttributes;
        facts.size = record.FileSize();
        facts.creationTime = record.ftCreationTime;
        facts.lastWriteTime = record.ftLastWriteTime;
        facts.lastAccessTime = record.ftLastAccessTime;
        return;
    }
    // Gone since the listing: what the listing told, and nothing more.
    facts = CEntryFacts{};
    facts.attributes = platform::AttributesOfType(type, name);
}

void CFileEntry::SetFolder(std::string path) {
    folder = std::make_shared<const std::string>(std::move(path));
}

void CFileEntry::SetLongName(std::string longName) {
    name = std::move(longName);
    const auto dot = name.rfind('.');
    extensionStart = dot == std::string::npos ? kNoExtension : static_cast<uint32_t>(dot + 1);
}

void CFileEntry::SetFacts(const CEntryFacts& newFacts) {
    CDetails& block = Details();
    block.facts = newFacts;
    block.factsKnown = true;
    const uint32_t attributes = newFacts.attributes;
    isFolder = (attributes & platform::kAttrDirectory) != 0;
    type = isFolder                                          ? platform::EntryType::Folder
           : (attributes & platform::kAttrSymbolicLink) != 0 ? platform::EntryType::Link
           : (attributes & platform::kAttrSystem) != 0       ? platform::EntryType::Other
                                                             : platform::EntryType::File;
}
