// The route through the story as data, a player that takes its steps through the real
// handlers on the headless platform, and the check that every state on the route (and on the
// order traps beside it) has a hint pointing to the route's next step.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/application.h"
#include "platform/headless_platform.h"
#include "story/hints.h"
#include "world/game_files.h"

namespace lnf {

class TGame;

// A detour off the route: from a labelled point, steps that end in one the story refuses.
struct RouteTrap {
    std::string name;
    std::string from;  // label of the route point it leaves from
    std::vector<PlayStep> steps;
    int line = 0;
};

// The route file: one step a line; "@label" marks the point before the next step;
//   trap NAME from LABEL: STEP; STEP; ...
struct Route {
    std::vector<PlayStep> steps;
    std::vector<int> lines;                // source line of each step
    std::map<std::string, size_t> labels;  // label -> index of the step it comes before
    std::vector<RouteTrap> traps;
};
Route ParseRoute(const std::string& text, std::vector<std::string>& errors);

// How the player answers the question conversations.
struct AnswerStyle {
    int level = 1;
    bool wrongFirst = false;  // a wrong answer to each question before the right one
    int field = 0;            // which of the accepted answers
    std::string prefix;       // words typed before an answer of two or more characters
};

// What the story has reached: the saved record and the carried items.
struct Snapshot {
    GameStateRecord state{};
    std::array<bool, kItems + 1> carried{};
    bool operator==(const Snapshot& o) const;
    bool operator<(const Snapshot& o) const;
};
// True if something besides where the player stands (room, shown room, held item, the
// room-17 picture flag) changed: the step moved the story.
bool StoryMoved(const Snapshot& before, const Snapshot& after);

// A whole game on the headless platform, played step by step.
class RoutePlayer {
public:
    RoutePlayer(const std::filesystem::path& gameFolder, const ResourcePack& resources, AnswerStyle style = {});
    ~RoutePlayer();
    RoutePlayer(const RoutePlayer&) = delete;
    RoutePlayer& operator=(const RoutePlayer&) = delete;

    // The game window shown, the start state loaded, the opening click made.
    void start();
    // Takes one step (walking to the step's room first); false with `error` if it cannot.
    bool take(const PlayStep& step, std::string& error);
    // Lets running clips, animations and event timers play out, on the manual clock.
    void settle();
    Snapshot snapshot() const;
    TGame& game() const;

    std::filesystem::path user;
    GameFiles files;
    HeadlessPlatform platform;
    Application app;
    std::vector<std::string> errors;  // error boxes the handlers raised

private:
    bool walkTo(int room, std::string& error);
    bool pointOf(int code, int& x, int& y) const;
    void press(int x, int y);
    void talk();
    AnswerStyle style_;
    std::set<int> answeredWrong_;
    bool pressing_ = false;
};

struct CoverageResult {
    int statesChecked = 0;             // states the hints were asked in, repeats included
    std::set<Snapshot> distinctStates;  // different states among them
    std::set<std::string> hintsGiven;   // names of the hints those states got
    std::vector<std::string> problems;
};

// Plays the route at both puzzle levels and every trap, and at each state asks the real Hint
// command twice: the hint must exist, point to the route's next step that moves the story
// (on a trap: a later route step, never the refused one), give its nudge first and its
// pointer when asked again, and change no byte of the game.
CoverageResult CheckHintCoverage(const HintBook& book, const Route& route, const std::filesystem::path& gameFolder,
                                 const ResourcePack& resources);

}  // namespace lnf
