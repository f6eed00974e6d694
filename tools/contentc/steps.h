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
// The common-word list the riddles' answers are checked against.
inline const char* const kCommonWords = "/usr/share/dict/american-english";
// Conversation texts and the question records of both levels; every accepted answer is checked
// against the common words in `wordsPath`.
void BuildConversations(const std::string& contentDir, bool allowMissing, const std::string& wordsPath, Output& out,
                        Diagnostics& diag);
// Only the answer check, on one conversation source.
void CheckConversationAnswers(const std::string& path, const std::string& wordsPath, Diagnostics& diag);
// The shared tables, tab-separated under a header line, for the build scripts; false if
// there is no table of that name.
bool PrintTable(const std::string& name, std::ostream& out);
// content/rooms/OBJECTS.md against the tables: every exit area and changed-look corner.
void CheckObjectsDoc(const std::string& file, Diagnostics& diag);
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
