// Further steps of the content compiler.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "rooms.h"
#include "platform/walkthrough.h"
#include "story/hints.h"

namespace contentc {

// A Windows icon holding PNG images of the given sizes.
std::vector<uint8_t> BuildIco(const std::vector<std::pair<int, std::vector<uint8_t>>>& sizes);
// Conversation texts and the question records of both levels.
void BuildConversations(const std::string& contentDir, bool allowMissing, Output& out, Diagnostics& diag);
// Portraits, event pictures, the intro slides.
void BuildPictures(const std::string& contentDir, bool allowMissing, Output& out, Diagnostics& diag);

// The hints and the walkthrough they are checked against.
struct HintSources {
    lnf::HintBook book;
    lnf::Route route;
};
// Reads and checks both sources and compiles the hints into a resource; false if they are
// missing or faulty.
bool BuildHints(const std::string& contentDir, bool allowMissing, Output& out, Diagnostics& diag, HintSources& sources);
// Plays the walkthrough and the order traps against the content just written (the game folder
// and the pack's bytes) and asks for a hint at every state; false on any problem.
bool CheckHints(const HintSources& sources, const std::string& gameDir, const std::vector<uint8_t>& pack,
                Diagnostics& diag);

}  // namespace contentc
