// Look, Do and Use: a cell of the room picture, the room and the cursor become a message and,
// through the room rules, a change of the game.
#include <string>

#include "app/lnf_game.h"
#include "interaction/tables.h"

namespace lnf {

namespace {
const char* const kMessages[kLastMessage + 1] = {
    nullptr, nullptr, nullptr, nullptr,
    "It's fun to make the fish jump up, but it serves no further purpose.",
    "Humpty told you to talk to the alpaca.  That's all he has to say for now.",
    nullptr,  // 6: a story text
    "The borogove gave you a Tumtum leaf.",
    "You've already learned to play the Harp of the Winds.",
    "There is no need to give the tove more cheese.",
    "The tove told you about the Tumtum leaves.  That's all he has to say.",
    "The goat said you need a ticket if you want to ride the steam engine.",
    "The strange woman gave you the Vorpal Sword.",
    "Humpty Dumpy got so excited that he cracked a little. You got tiny bit of egg white.",
    "The sunflowers taught you to play the Song of the Sun on the harp.",
    "You already learned the Song of the Sun.",
    "Humpty has already seen the note.",
    "The rose told you about something hiding under a leaf.",
    "The sunflowers aren't talking right now.",
    "You already have the White King.",
    "The sunflowers told you something else is hiding under the leaf.",
    "You found the White King hiding under a leaf after the sunflowers told you to look for him.",
    "The kitten jumped over the railing, and landed on the chessboard below.",
    "You hold the kitten over the balcony, but she doesn't seem to know what to do.",
    "There's no need to put that on the green square.",
    "There's no need to put that on the blue square.",
    "Kitty loves cheese, but cheese won't really help her right now.",
    "The alpaca told you how to make a transforming solution.",
    "The alpaca told you how to make a clarifying solution.",
    "Without knowing the proper formula, you hesitate to put anything in the kettle.",
    "That's all the alpaca has to say for now.",
    "The alpaca won't give you any more formulas until you use the one she has already given you.",
    "You knock loudly on the door, but there's no response.",
    "There's no need to put that in the kettle.",
    "The Jabberwock has nothing more to say to you.",
    "The Jabberwock told you to talk to the tove.",
    "The Queen is not blocking you.  She indicates for you to go on.",
    nullptr,  // 37: a story text
    "Remembering what the Jabberwock told you, you slice off a hunk of cheese to take with you.",
    "You play the song you learned from the Harp of the Winds.",
    "You place the dragonfly's wing in the kettle.",
    "You place the cat-fish whisker in the kettle.",
    "You decide it would be best to leave these mushrooms alone!",
    nullptr,  // 43: a story text
    nullptr,  // 44: a story text
    nullptr,  // 45: a story text
    "The dragonfly gave you a bit of its candy wing, and flew away.",
    "You've already got plenty of cheese.",
    "You slice off a piece of cheese and eat it.  Mmmmm!  Delicious!",
    nullptr,  // 49: a story text
    "You already filled the bottle with water.",
};

struct CreatureName {
    int object;
    const char* name;
};
constexpr CreatureName kCreatures[] = {
    {kWoman, "the woman"},
    {kHumpty, "Humpty Dumpy"},
    {kHorseHead, "the horse"},
    {kHorseBody, "the horse"},
    {kGoat, "the goat"},
    {kFawn, "the fawn"},
    {kJubjubBird, "the jubjub bird"},
    {kAlpaca, "the alpaca"},
    {kWhiteQueen, "the White Queen"},
    {kAlpacaBoy, "the alpaca boy"},
    {kAlpacaBoyArm, "the alpaca boy"},
    {kAlpacaBoyFeet, "the alpaca boy"},
    {kStuckDragonfly, "the dragonfly"},
    {kStuckDragonflyWing, "the dragonfly"},
    {kTove, "the tove"},
    {kMomeRaths, "the mome raths"},
    {kBorogove, "the borogrove"},
};
}  // namespace

std::string FixedMessage(int code, const std::function<std::string(const std::string&)>& storyText) {
    if (code < kFirstMessage || code > kLastMessage) return std::string();
    if (kMessages[code]) return kMessages[code];
    return storyText("msg" + std::to_string(code));
}

int TGame::CellCode(int cell) const {
    if (cell < 0 || cell >= kCellsPerRecord) return 0;
    int code = RoomCells[size_t(cell)];
    return code >= 1 && code <= 8 ? code : 0;
}

void TGame::ActOn(int8_t value, int a1, int a2, int a3, int a4, int a5) {
    // Only a row's real entries count: its padding (0) never matches.
    if (a1 != 0 && value == a1) ActionResult = 1;
    if (a2 != 0) {
        for (int a : {a2, a3, a4, a5}) {
            if (a != 0 && value == a) ActionResult = 1;
        }
    }
}

bool TGame::Say(int code) {
    if (code < kFirstMessage || code > kLastMessage) return false;
    text1.Caption = FixedMessage(code, [this](const std::string& key) { return app.text(key); });
    return true;
}

void TGame::Looks(int cell) {
    if (a_Off.Tag != 0 && cell >= 0 && cell < kCellsPerRecord) RoomCells[size_t(cell)] = uint8_t(AuthorCellCode);
    int c = CellCode(cell);
    if (c == 0) return;  // a cell outside the record, or a code no object has
    int o = ObjectNumber(GameState.Room, c);
    if (o < 0 || o >= kObjects) return;
    int s = GameState.ObjState[o];
    Label3.Caption = std::to_string(o);
    if (o == kLeaves && GameState.Progress[KittenFound] != 0 && GameState.ObjState[kLeaves] != 0) {
        text1.Caption = "You look closely at the leaves, but don't see anything.";
        return;
    }
    text1.Caption = MemoLine((c - 1) + 8 * s);
}

void TGame::Does(int cell) {
    int c = CellCode(cell);
    if (c == 0) return;
    int o = ObjectNumber(GameState.Room, c);
    if (o < 0 || o >= kObjects) return;
    int s = GameState.ObjState[o];
    int line = (c - 1) + 8 * s + 24;
    Label3.Caption = std::to_string(line);
    ActionResult = 0;
    if (o == kLeaves && GameState.Progress[KittenFound] != 0 && GameState.ObjState[kLeaves] == 1) {
        text1.Caption = "You already found the kitten under the leaf.";
        return;
    }
    const TableRow& row = DoTable(GameState.Room);
    ActOn(int8_t(line), row[0], row[1], row[2], row[3], row[4]);
    if (GameState.Progress[Room17Normal] != 0) {
        if (c == kVanishingThingCode) {
            UpDateScreen(kAlpacaParlour, 3);
            Reappear.setEnabled(true);
            GameState.Progress[Room17Normal] = 0;
        }
        if (GameState.Progress[MainStage] == kStoryStart && c == kCuriousThingCode)
            GameState.Progress[MainStage] = kCuriousThingTouched;
    }
    if (GameState.Room == kFrogDoor && GameState.Progress[KnockCount] < 127) GameState.Progress[KnockCount]++;
    if (ActionResult == 0) {
        std::string text = MemoLine(line);
        text1.Caption = text.size() < 5 ? "You can't do anything to that." : text;
        return;
    }
    // The guard is taken before pending events run, so that a second press cannot slip in.
    if (RuleBusy) return;
    int8_t r;
    {
        RuleGuard busy(RuleBusy);
        app.processMessages();
        r = GridCondition(o);
    }
    if (r == kRuleSuccess) {
        DrawCorner(o);
        text1.Caption = MemoLine(line);
        return;
    }
    if (Say(r)) return;
    text1.Caption = MemoLine(line);
    if (text1.Caption.empty()) text1.Caption = "Your action is unnecessary.";
}

void TGame::Use(int cell) {
    int c = CellCode(cell);
    if (c == 0) return;
    int o = ObjectNumber(GameState.Room, c);
    if (o < 0 || o >= kObjects) return;
    Label3.Caption = std::to_string(c);
    ActionResult = 0;
    if (c > 5) {
        UseOut(o);
        return;
    }
    const TableRow& row = UseTable(GameState.Room);
    ActOn(int8_t(c), row[0], row[1], row[2], row[3], row[4]);
    if (ActionResult == 0) {
        UseOut(o);
        return;
    }
    // Use takes the same re-entry guard as Do: its rules run conversations too.
    if (RuleBusy) return;
    int8_t r;
    {
        RuleGuard busy(RuleBusy);
        r = GridCondition(o);
    }
    ActionResult = r;
    if (r == kRuleSuccess) {
        text1.Caption = MemoLine(c + 47);
        Score(2);
        DrawCorner(o);
    } else if (r != kRuleOwnMessage) {
        UseOut(o);
    }
}

void TGame::UseOut(int object) {
    if (Say(ActionResult)) return;
    if (SpecialUse(object)) return;
    text1.Caption = "You have no reason to use that item in this place at this time.";
}

bool TGame::SpecialUse(int o) {
    int h = GameState.HeldItem;
    if (o == kCabinFire || o == kParlourFire) {
        text1.Caption = h == kKitten       ? "Don't put the poor kitten in the fire!"
                        : h == kWhiteKing ? "Don't put the poor little King in the fire!"
                                 : "There's no need to put that in the fire.";
        return true;
    }
    if (o == kWhiteQueen) {
        if (h == kKitten) text1.Caption = "The Queen seems interested in the kitten.";
        if (h == kWhiteKing) text1.Caption = "The Queen seems interested in the King.";
        if (h == kBrownKnight) text1.Caption = "The Queen seems interested in the Knight.";
        return true;
    }
    if (o == kAlpaca || o == kAlpacaBoy) {
        if (GameState.ObjState[o] != 0) return true;
        text1.Caption = h == kCorn ? "Apparently the Alpaca isn't very hungry." : "The Alpaca has no interest in that.";
        return true;
    }
    if (o == kSlipperyBank) {
        text1.Caption = "The bank is too slippery.  You can't reach the water from here.";
        return true;
    }
    if (o == kWater) {
        text1.Caption = h == kKitten       ? "You don't want to drown the poor kitten!"
                        : h == kWhiteKing ? "You don't want to drown the White King!"
                        : h == kKitty     ? "You don't want to drown Kitty!"
                                  : "There's no need to put that in the water.";
        return true;
    }
    std::string n = GetSpec(o);
    if (n.empty()) return false;
    if (h == kStick) {
        text1.Caption = "You don't want to hit " + n + " with a stick!";
    } else if (h == kSword) {
        text1.Caption = "There's no need to use the sword on " + n + "!";
    } else if (h != kNoItem) {
        text1.Caption = "You don't need to use that on " + n + ".";
    } else {
        return false;
    }
    return true;
}

std::string TGame::GetSpec(int o) {
    Label3.Caption = std::to_string(o);
    if (o < 0 || o >= kObjects || GameState.ObjState[o] != 0) return std::string();
    for (const CreatureName& c : kCreatures) {
        if (c.object == o) return c.name;
    }
    return std::string();
}

}  // namespace lnf
