// Further steps of the content compiler.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "rooms.h"

namespace contentc {

// A Windows icon holding PNG images of the given sizes.
std::vector<uint8_t> BuildIco(const std::vector<std::pair<int, std::vector<uint8_t>>>& sizes);
// Conversation texts and the question records of both levels.
void BuildConversations(const std::string& contentDir, bool allowMissing, Output& out, Diagnostics& diag);
// Portraits, event pictures, the intro slides.
void BuildPictures(const std::string& contentDir, bool allowMissing, Output& out, Diagnostics& diag);

}  // namespace contentc
