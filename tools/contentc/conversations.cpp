#include "steps.h"

namespace contentc {

void BuildConversations(const std::string&, bool, Output&, Diagnostics&) {}

}  // namespace contentc
