#pragma once

#include <string>
#include <string_view>

class CRenameCore;

/// Expands the tags of rule texts ("<B>", "<N:5>", ...) for the entry whose
/// name is being computed. It reads the state of the running computation,
/// the entry and the file list from its owner and never changes them, apart
/// from the cancel flag that a long reading may set.
class CTagExpander {
public:
    explicit CTagExpander(CRenameCore& owner);

    /// The replacement of one tag: tag is the text between "<" and ">",
    /// without the brackets. A tag that is unknown, whose parameters do not
    /// fit or whose data cannot be read gives the empty text.
    std::string EvaluateTag(std::string_view tag);

    /// The text the tag menu inserts for a command id; empty for an id that
    /// is not a tag command.
    std::string TagTextForCommand(int commandId) const;

    /// The text a rule text becomes when it holds a "<" without a ">".
    const std::string& ErrorText() const { return errorText; }

private:
    CRenameCore& owner;
    std::string errorText;
};
