#include "engine/TagExpander.h"

#include "engine/RenameCore.h"
#include "resources/StringTable.h"

CTagExpander::CTagExpander(CRenameCore& core)
    : owner(core), errorText(LookupString(strings::kInvalidCommand)) {}

std::string CTagExpander::EvaluateTag(std::string_view /*tag*/) {
    // The tag language is not built yet: every tag expands to nothing.
    (void)owner;
    return {};
}
