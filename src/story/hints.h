// Hints that know the story: a book of hints, each keyed by conditions on the saved state and
// the carried items, tried in order until one matches. A hint has a nudge in the story's voice
// and a plain pointer, and names the step of play it points to, so that the build can check it
// against the walkthrough. Asking for a hint never changes the game.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "world/game_state.h"

namespace lnf {

// One step of play, as a hint points to it and as the walkthrough takes it:
//   do ROOM.CODE            Do on the object of that code, in that room
//   use ITEM on ROOM.CODE   the item on the cursor, pressed on that object
//   combine ITEM with ITEM  the first item on the cursor, pressed on the second's picture
//   walk ROOM               through the open exits to that room
//   wait MS                 the clock moves on (clips and animations play out)
struct PlayStep {
    enum class Kind { Do, Use, Combine, Walk, Wait };
    Kind kind = Kind::Do;
    int room = 0, code = 0;  // Do, Use; Walk uses room
    int item = 0, other = 0;  // Use: item; Combine: item onto other
    int ms = 0;               // Wait

    bool operator==(const PlayStep&) const = default;
    // Do, Use and Combine act on the story; walking and waiting only lead to it.
    bool isAction() const { return kind == Kind::Do || kind == Kind::Use || kind == Kind::Combine; }
};

// Parses one step; on failure returns nothing and says why in `error`.
std::optional<PlayStep> ParsePlayStep(const std::string& text, std::string& error);
std::string FormatPlayStep(const PlayStep& step);

// One test on the state: a subject compared with a number.
struct HintTerm {
    enum class Subject { Room, Held, Progress, Object, North, South, East, West, Carries, Lacks };
    enum class Op { Eq, Ne, Lt, Gt, Le, Ge };
    Subject subject = Subject::Room;
    int index = 0;  // Progress, Object, exits: which byte; Carries, Lacks: the item
    Op op = Op::Eq;
    int value = 0;
};

struct Hint {
    std::string name;
    std::vector<HintTerm> when;   // all must hold; none = always
    std::optional<PlayStep> step;  // what the pointer asks for; none only for the last word
    std::string nudge;
    std::string pointer;
    int line = 0;  // where it starts in its source
};

// What a hint is evaluated against.
struct HintState {
    const GameStateRecord& state;
    std::function<bool(int item)> carries;
};

struct HintBook {
    std::vector<Hint> hints;
    // Index of the first hint whose conditions all hold, or -1.
    int find(const HintState& s) const;
};

bool TermHolds(const HintTerm& term, const HintState& s);

// Reads a hint source; every fault is added to `errors` as "line N: what".
HintBook ParseHints(const std::string& text, std::vector<std::string>& errors);
// The compiled form the game reads: the same syntax, without comments, one canonical spelling.
std::string FormatHints(const HintBook& book);

// Longest nudge or pointer: three lines of the message line.
constexpr size_t kHintTextLimit = 200;

// Name of the hints resource (a text resource).
inline constexpr const char* kHintsResource = "HINTS";

}  // namespace lnf
