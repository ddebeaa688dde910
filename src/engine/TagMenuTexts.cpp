#include "engine/TagExpander.h"
std::string CTagExpander::TagTextForCommand(int) const { return {}; }
