#include "story/hints.h"
#include "world/text_trim.h"

#include <cctype>
#include <charconv>
#include <set>
#include <sstream>

namespace lnf {

namespace {

std::vector<std::string> Words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> w;
    for (std::string t; in >> t;) w.push_back(t);
    return w;
}

bool Number(const std::string& s, int& out) {
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// The story's words, so that a hint can say P[ClawTaken] or carries kKitty instead of numbers.
struct Named {
    const char* name;
    int value;
};
#define N(x) Named{#x, int(x)}
const Named kProgressNames[] = {
    N(KnockCount), N(CatfishStage), N(Room17Normal), N(LevelFlag), N(ToveFed), N(BottleStage), N(SwordGiven),
    N(MainStage), N(WhiskerStage), N(WingStage), N(ClawTaken), N(HarpStage), N(EggWhiteStage), N(AlpacaStage),
    N(CheeseStage), N(ChessPieces), N(KingFound), N(KittenFound), N(HorseTransformed), N(FawnMet),
    N(StickTaken), N(BirdStage), N(DragonflyFreed), N(RathsFed), N(JabberwockCame),
};
const Named kRoomNames[] = {
    N(kCabin), N(kLane), N(kHumptyWall), N(kFlowerGarden), N(kHorseRoad), N(kGoatEngine), N(kForestAlcove),
    N(kSingingTrees), N(kCrossroads), N(kOutsideCabin), N(kBalcony), N(kMeadowPath), N(kHillPath),
    N(kFawnWood), N(kJubjubTree), N(kStairToBalcony), N(kAlpacaParlour), N(kFrogDoor), N(kQueenPath),
    N(kGardenBehindCabin), N(kFork), N(kStream), N(kMolassesPool), N(kHedgeMaze), N(kDarkGully),
    N(kToveBurrow), N(kMushroomRing), N(kAncientTree), N(kRathsHollow), N(kWindyLedge), N(kJabberwockCanyon),
    N(kGoldenMountain),
};
const Named kItemNames[] = {
    N(kTicket), N(kKitten), N(kWhiteKing), N(kBrownKnight), N(kClaw), N(kWing), N(kHarp), N(kCheese), N(kNote),
    N(kRosePetal), N(kFishingRod), N(kStick), N(kSword), N(kThread), N(kEggWhite), N(kHorseHair), N(kCorn),
    N(kBottle), N(kWhisker), N(kLeaf), N(kKitty),
};
const Named kObjectNames[] = {
    N(kWoman), N(kCabinFire), N(kKettle), N(kRhymeBook), N(kHumpty), N(kRose), N(kSunflowers), N(kLeaves),
    N(kRoadSide), N(kHorseHead), N(kHorseBody), N(kRoadFar), N(kGoat), N(kHarpByTree), N(kTrees), N(kBranches),
    N(kRailing), N(kBlueSquare), N(kGreenSquare), N(kWood), N(kFawn), N(kStickOnGround), N(kFawnRest),
    N(kJubjubBird), N(kNest), N(kAlpaca), N(kParlourFire), N(kDoorOfFrog), N(kWhiteQueen), N(kAlpacaBoy),
    N(kAlpacaBoyArm), N(kWater), N(kAlpacaBoyFeet), N(kGrassyClump), N(kSlipperyBank), N(kPoolFirst), N(kPool),
    N(kStuckDragonfly), N(kStuckDragonflyWing), N(kPoolLast), N(kTove), N(kMushrooms), N(kMomeRaths),
    N(kRathsTrough), N(kJabberwockFirst), N(kJabberwockLast), N(kBorogove), N(kCheeseMountain),
};
const Named kValueNames[] = {
    N(kStoryStart), N(kCuriousThingTouched), N(kKettleSeen), N(kClarifyingFormulaTold), N(kBrewComplete),
    N(kMushroomEaten), N(kJabberwockAnswered), N(kTreeSeen), N(kHairGiven), N(kTransformingFormulaTold),
    N(kSunSongLearned), N(kHorseGone), N(kHarpFound), N(kHarpOfTheWindsLearned), N(kHarpPlayedAtKettle),
    N(kFishJumped), N(kWhiskerCaught), N(kEggWhiteReceived), N(kEggWhiteOnPetal), N(kCheeseCut),
    N(kCheeseWrappedInLeaf), N(kJubjubFlown), N(kLeafReceived), N(kBottleEmpty), N(kBottleFilled), N(kInKettle),
    N(kAllPiecesPlaced), N(kTicketTaken), N(kKnocksToBeHeard),
};
#undef N

template <size_t N>
bool Find(const Named (&table)[N], const std::string& word, int& out) {
    for (const Named& n : table) {
        if (word == n.name) {
            out = n.value;
            return true;
        }
    }
    return false;
}

// A number, or a name from one of the tables.
template <typename... Tables>
bool NumberOrName(const std::string& word, int& out, const Tables&... tables) {
    return Number(word, out) || (Find(tables, word, out) || ...);
}

// "ROOM.CODE" with a real room and object code.
bool Place(const std::string& s, int& room, int& code, std::string& error) {
    size_t dot = s.find('.');
    if (dot == std::string::npos || !NumberOrName(s.substr(0, dot), room, kRoomNames) || !Number(s.substr(dot + 1), code)) {
        error = "expected ROOM.CODE, not '" + s + "'";
        return false;
    }
    if (!InRange(room, 1, kRooms) || !InRange(code, 1, 8)) {
        error = "no object " + s + " (rooms 1..32, codes 1..8)";
        return false;
    }
    return true;
}

bool ItemNumber(const std::string& s, int& item, std::string& error) {
    if (!NumberOrName(s, item, kItemNames) || !InRange(item, 1, kItems)) {
        error = "no item '" + s + "' (items 1..21)";
        return false;
    }
    return true;
}

struct OpName {
    const char* text;
    HintTerm::Op op;
};
constexpr OpName kOps[] = {{"=", HintTerm::Op::Eq}, {"!=", HintTerm::Op::Ne}, {"<", HintTerm::Op::Lt},
                           {">", HintTerm::Op::Gt}, {"<=", HintTerm::Op::Le}, {">=", HintTerm::Op::Ge}};

struct SubjectName {
    const char* text;
    HintTerm::Subject subject;
    int limit;  // highest index; -1 for subjects without one
};
constexpr SubjectName kSubjects[] = {
    {"room", HintTerm::Subject::Room, -1},      {"held", HintTerm::Subject::Held, -1},
    {"P", HintTerm::Subject::Progress, 27},     {"S", HintTerm::Subject::Object, 279},
    {"north", HintTerm::Subject::North, kRooms}, {"south", HintTerm::Subject::South, kRooms},
    {"east", HintTerm::Subject::East, kRooms},   {"west", HintTerm::Subject::West, kRooms},
};

std::optional<HintTerm> ParseTerm(const std::string& text, std::string& error) {
    std::vector<std::string> w = Words(text);
    HintTerm t;
    if (w.size() == 2 && (w[0] == "carries" || w[0] == "lacks")) {
        t.subject = w[0] == "carries" ? HintTerm::Subject::Carries : HintTerm::Subject::Lacks;
        if (!ItemNumber(w[1], t.index, error)) return std::nullopt;
        return t;
    }
    if (w.size() != 3) {
        error = "expected 'SUBJECT OP NUMBER', 'carries ITEM' or 'lacks ITEM', not '" + text + "'";
        return std::nullopt;
    }
    std::string subject = w[0];
    std::string index;
    if (size_t br = subject.find('['); br != std::string::npos) {
        if (subject.back() != ']') {
            error = "unclosed '[' in '" + subject + "'";
            return std::nullopt;
        }
        index = subject.substr(br + 1, subject.size() - br - 2);
        subject = subject.substr(0, br);
    }
    const SubjectName* found = nullptr;
    for (const SubjectName& s : kSubjects)
        if (subject == s.text) found = &s;
    if (!found) {
        error = "unknown subject '" + subject + "' (room, held, P[i], S[n], north[r], south[r], east[r], west[r])";
        return std::nullopt;
    }
    t.subject = found->subject;
    if (found->limit < 0) {
        if (!index.empty()) {
            error = "'" + subject + "' takes no index";
            return std::nullopt;
        }
    } else if (!(t.subject == HintTerm::Subject::Progress ? NumberOrName(index, t.index, kProgressNames)
                 : t.subject == HintTerm::Subject::Object ? NumberOrName(index, t.index, kObjectNames)
                                                          : NumberOrName(index, t.index, kRoomNames)) ||
               !InRange(t.index, 0, found->limit)) {
        error = "'" + w[0] + "' needs an index 0.." + std::to_string(found->limit) + " or one of the story's names";
        return std::nullopt;
    }
    bool opFound = false;
    for (const OpName& o : kOps) {
        if (w[1] == o.text) {
            t.op = o.op;
            opFound = true;
        }
    }
    if (!opFound) {
        error = "unknown comparison '" + w[1] + "' (=, !=, <, >, <=, >=)";
        return std::nullopt;
    }
    if (!NumberOrName(w[2], t.value, kValueNames, kRoomNames, kItemNames) || !InRange(t.value, -128, 127)) {
        error = "'" + w[2] + "' is not a byte value";
        return std::nullopt;
    }
    return t;
}

std::string FormatTerm(const HintTerm& t) {
    if (t.subject == HintTerm::Subject::Carries) return "carries " + std::to_string(t.index);
    if (t.subject == HintTerm::Subject::Lacks) return "lacks " + std::to_string(t.index);
    std::string s;
    for (const SubjectName& n : kSubjects) {
        if (n.subject != t.subject) continue;
        s = n.text;
        if (n.limit >= 0) s += "[" + std::to_string(t.index) + "]";
    }
    for (const OpName& o : kOps)
        if (o.op == t.op) s += std::string(" ") + o.text + " ";
    return s + std::to_string(t.value);
}

}  // namespace

std::optional<PlayStep> ParsePlayStep(const std::string& text, std::string& error) {
    std::vector<std::string> w = Words(text);
    PlayStep s;
    if (w.size() == 2 && w[0] == "do") {
        s.kind = PlayStep::Kind::Do;
        if (!Place(w[1], s.room, s.code, error)) return std::nullopt;
        return s;
    }
    if (w.size() == 4 && w[0] == "use" && w[2] == "on") {
        s.kind = PlayStep::Kind::Use;
        if (!ItemNumber(w[1], s.item, error) || !Place(w[3], s.room, s.code, error)) return std::nullopt;
        return s;
    }
    if (w.size() == 4 && w[0] == "combine" && w[2] == "with") {
        s.kind = PlayStep::Kind::Combine;
        if (!ItemNumber(w[1], s.item, error) || !ItemNumber(w[3], s.other, error)) return std::nullopt;
        if (s.item == s.other) {
            error = "an item cannot be combined with itself";
            return std::nullopt;
        }
        return s;
    }
    if (w.size() == 2 && w[0] == "walk") {
        s.kind = PlayStep::Kind::Walk;
        if (!NumberOrName(w[1], s.room, kRoomNames) || !InRange(s.room, 1, kRooms)) {
            error = "no room '" + w[1] + "'";
            return std::nullopt;
        }
        return s;
    }
    if (w.size() == 2 && w[0] == "wait") {
        s.kind = PlayStep::Kind::Wait;
        if (!Number(w[1], s.ms) || !InRange(s.ms, 1, 600000)) {
            error = "a wait takes milliseconds, 1..600000";
            return std::nullopt;
        }
        return s;
    }
    error = "expected 'do R.C', 'use I on R.C', 'combine I with J', 'walk R' or 'wait MS', not '" + TrimBlanks(text) + "'";
    return std::nullopt;
}

std::string FormatPlayStep(const PlayStep& s) {
    auto place = [&] { return std::to_string(s.room) + "." + std::to_string(s.code); };
    switch (s.kind) {
        case PlayStep::Kind::Do: return "do " + place();
        case PlayStep::Kind::Use: return "use " + std::to_string(s.item) + " on " + place();
        case PlayStep::Kind::Combine: return "combine " + std::to_string(s.item) + " with " + std::to_string(s.other);
        case PlayStep::Kind::Walk: return "walk " + std::to_string(s.room);
        case PlayStep::Kind::Wait: return "wait " + std::to_string(s.ms);
    }
    return std::string();
}

bool TermHolds(const HintTerm& t, const HintState& s) {
    const GameStateRecord& g = s.state;
    int v = 0;
    switch (t.subject) {
        case HintTerm::Subject::Carries: return s.carries && s.carries(t.index);
        case HintTerm::Subject::Lacks: return !(s.carries && s.carries(t.index));
        case HintTerm::Subject::Room: v = g.Room; break;
        case HintTerm::Subject::Held: v = g.HeldItem; break;
        case HintTerm::Subject::Progress: v = g.Progress[t.index]; break;
        case HintTerm::Subject::Object: v = g.ObjState[t.index]; break;
        case HintTerm::Subject::North: v = g.ExitNorth[t.index]; break;
        case HintTerm::Subject::South: v = g.ExitSouth[t.index]; break;
        case HintTerm::Subject::East: v = g.ExitEast[t.index]; break;
        case HintTerm::Subject::West: v = g.ExitWest[t.index]; break;
    }
    switch (t.op) {
        case HintTerm::Op::Eq: return v == t.value;
        case HintTerm::Op::Ne: return v != t.value;
        case HintTerm::Op::Lt: return v < t.value;
        case HintTerm::Op::Gt: return v > t.value;
        case HintTerm::Op::Le: return v <= t.value;
        case HintTerm::Op::Ge: return v >= t.value;
    }
    return false;
}

int HintBook::find(const HintState& s) const {
    for (size_t i = 0; i < hints.size(); ++i) {
        bool all = true;
        for (const HintTerm& t : hints[i].when) all = all && TermHolds(t, s);
        if (all) return int(i);
    }
    return -1;
}

HintBook ParseHints(const std::string& text, std::vector<std::string>& errors) {
    HintBook book;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    Hint* current = nullptr;
    std::set<std::string> names;
    auto fail = [&](int line, const std::string& what) { errors.push_back("line " + std::to_string(line) + ": " + what); };
    auto finish = [&] {
        if (!current) return;
        if (current->nudge.empty()) fail(current->line, "hint '" + current->name + "' needs a nudge");
        if (current->pointer.empty()) fail(current->line, "hint '" + current->name + "' needs a pointer");
    };
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string line = TrimBlanks(raw);
        if (line.empty() || line[0] == '#') continue;
        bool ascii = true;
        for (unsigned char ch : raw) ascii = ascii && ch >= 32 && ch <= 126;
        if (!ascii) {
            fail(number, "only printable ASCII is allowed");
            continue;
        }
        if (line.rfind("hint ", 0) == 0) {
            finish();
            std::string name = TrimBlanks(line.substr(5));
            bool ok = !name.empty();
            for (char ch : name) ok = ok && (std::islower(static_cast<unsigned char>(ch)) || std::isdigit(static_cast<unsigned char>(ch)) || ch == '-');
            if (!ok) fail(number, "a hint's name is lower-case letters, digits and '-', not '" + name + "'");
            if (!names.insert(name).second) fail(number, "hint '" + name + "' given twice");
            book.hints.push_back(Hint{});
            current = &book.hints.back();
            current->name = name;
            current->line = number;
            continue;
        }
        size_t colon = line.find(':');
        if (colon == std::string::npos) {
            fail(number, "expected 'hint NAME' or 'key: value'");
            continue;
        }
        std::string key = TrimBlanks(line.substr(0, colon));
        std::string value = TrimBlanks(line.substr(colon + 1));
        if (!current) {
            fail(number, "'" + key + "' before the first 'hint NAME'");
            continue;
        }
        if (key == "when") {
            std::string rest = value;
            while (true) {
                size_t comma = rest.find(',');
                std::string part = TrimBlanks(rest.substr(0, comma));
                std::string error;
                if (auto t = ParseTerm(part, error)) current->when.push_back(*t);
                else fail(number, error);
                if (comma == std::string::npos) break;
                rest = rest.substr(comma + 1);
            }
        } else if (key == "step") {
            std::string error;
            if (current->step) fail(number, "hint '" + current->name + "' has a step already");
            else if (auto s = ParsePlayStep(value, error)) {
                if (!s->isAction()) fail(number, "a hint points to an action (do, use, combine), not to '" + value + "'");
                else current->step = s;
            } else {
                fail(number, error);
            }
        } else if (key == "nudge" || key == "pointer") {
            std::string& field = key == "nudge" ? current->nudge : current->pointer;
            if (!field.empty()) fail(number, "hint '" + current->name + "' has a " + key + " already");
            else if (value.empty()) fail(number, "an empty " + key);
            else if (value.size() > kHintTextLimit)
                fail(number, "the " + key + " is " + std::to_string(value.size()) + " characters, more than " +
                                 std::to_string(kHintTextLimit) + " fit on the message line");
            else field = value;
        } else {
            fail(number, "unknown key '" + key + "' (when, step, nudge, pointer)");
        }
    }
    finish();
    if (book.hints.empty()) {
        errors.push_back("no hints");
        return book;
    }
    // The book ends with a last word that always answers, and only there: a hint after it could
    // never be given, and every other hint must say where it leads.
    for (size_t i = 0; i < book.hints.size(); ++i) {
        const Hint& h = book.hints[i];
        bool last = i + 1 == book.hints.size();
        if (!last && h.when.empty())
            fail(h.line, "hint '" + h.name + "' has no conditions, so the hints after it are never given");
        if (!last && !h.step) fail(h.line, "hint '" + h.name + "' needs a step");
        if (last && !h.when.empty()) fail(h.line, "the last hint, '" + h.name + "', must have no conditions");
    }
    return book;
}

std::string FormatHints(const HintBook& book) {
    std::string out;
    for (const Hint& h : book.hints) {
        out += "hint " + h.name + "\n";
        if (!h.when.empty()) {
            out += "when: ";
            for (size_t i = 0; i < h.when.size(); ++i) out += (i ? ", " : "") + FormatTerm(h.when[i]);
            out += "\n";
        }
        if (h.step) out += "step: " + FormatPlayStep(*h.step) + "\n";
        out += "nudge: " + h.nudge + "\npointer: " + h.pointer + "\n";
    }
    return out;
}

}  // namespace lnf
