#include "platform/walkthrough.h"

#include <unistd.h>

#include <cstring>
#include <sstream>

#include "app/lnf_game.h"
#include "conversation/conversation_data.h"
#include "conversation/lnf_closeup.h"
#include "windows/lnf_about.h"
#include "windows/lnf_black.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_inventory.h"
#include "world/text_trim.h"

namespace lnf {

namespace {

std::filesystem::path ScratchFolder() {
    static int counter = 0;
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("lnf_route_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p;
}

}  // namespace

Route ParseRoute(const std::string& text, std::vector<std::string>& errors) {
    Route route;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    auto fail = [&](const std::string& what) { errors.push_back("line " + std::to_string(number) + ": " + what); };
    while (std::getline(in, raw)) {
        ++number;
        std::string line = TrimBlanks(raw);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '@') {
            std::string label = TrimBlanks(line.substr(1));
            if (label.empty() || route.labels.count(label)) fail("label '" + label + "' is empty or given twice");
            route.labels[label] = route.steps.size();
            continue;
        }
        if (line.rfind("trap ", 0) == 0) {
            RouteTrap trap;
            trap.line = number;
            size_t colon = line.find(':');
            std::istringstream head(line.substr(5, colon == std::string::npos ? std::string::npos : colon - 5));
            std::string from;
            head >> trap.name >> from >> trap.from;
            if (colon == std::string::npos || trap.name.empty() || from != "from" || trap.from.empty()) {
                fail("expected 'trap NAME from LABEL: STEP; STEP; ...'");
                continue;
            }
            std::string rest = line.substr(colon + 1);
            std::istringstream parts(rest);
            for (std::string part; std::getline(parts, part, ';');) {
                std::string error;
                if (auto s = ParsePlayStep(TrimBlanks(part), error)) trap.steps.push_back(*s);
                else fail(error);
            }
            if (trap.steps.empty() || !trap.steps.back().isAction()) fail("a trap ends with the action the story refuses");
            route.traps.push_back(trap);
            continue;
        }
        std::string error;
        if (auto s = ParsePlayStep(line, error)) {
            route.steps.push_back(*s);
            route.lines.push_back(number);
        } else {
            fail(error);
        }
    }
    for (const RouteTrap& t : route.traps) {
        if (!route.labels.count(t.from))
            errors.push_back("line " + std::to_string(t.line) + ": trap '" + t.name + "' leaves from an unknown label '" + t.from + "'");
    }
    if (route.steps.empty()) errors.push_back("the route has no steps");
    return route;
}

bool Snapshot::operator==(const Snapshot& o) const {
    return std::memcmp(&state, &o.state, sizeof state) == 0 && carried == o.carried;
}

bool Snapshot::operator<(const Snapshot& o) const {
    int c = std::memcmp(&state, &o.state, sizeof state);
    if (c != 0) return c < 0;
    return carried < o.carried;
}

bool StoryMoved(const Snapshot& before, const Snapshot& after) {
    GameStateRecord a = before.state, b = after.state;
    for (GameStateRecord* r : {&a, &b}) {
        r->Room = r->ShownRoom = r->HeldItem = r->Spare = 0;
        r->Progress[Room17Normal] = 0;
    }
    return std::memcmp(&a, &b, sizeof a) != 0 || before.carried != after.carried;
}

RoutePlayer::RoutePlayer(const std::filesystem::path& gameFolder, const ResourcePack& resources, AnswerStyle style)
    : user(ScratchFolder()),
      files(user, {gameFolder}),
      platform(nullptr),  // media need not exist: clips end on the manual clock
      app(platform, files, resources, ScreenSize{1024, 768}),
      style_(std::move(style)) {
    TGame& g = game();
    g.ArrangeControls(1024, 748);
    app.Black->Time1.setEnabled(false);
    app.CloseUp->SetLevel(style_.level);
    platform.modalScripts[WindowId::CloseUp] = [this] { talk(); };
    platform.modalScripts[WindowId::About1] = [this] { app.About1->Okay1Click(); };
    platform.modalScripts[WindowId::Inventory] = [this] { app.Inventory->OKClick(); };
    platform.modalScripts[WindowId::Intro] = [this] { app.Intro->exitbuttonClick(); };
    platform.onIdle = [this] {
        TGame& t = game();
        if (pressing_ || !t.WaitingForContinue || !t.Next1.Visible || t.Next1.Tag != 0) return;
        pressing_ = true;
        platform.sleep(300);
        t.Next1Click();
        pressing_ = false;
    };
}

RoutePlayer::~RoutePlayer() {
    std::error_code ec;
    std::filesystem::remove_all(user, ec);
}

TGame& RoutePlayer::game() const { return *app.Game; }

void RoutePlayer::start() {
    game().FormShow();
    game().FormActivate();
    press(100, 100);  // the first click only shows the opening narrative
}

void RoutePlayer::press(int x, int y) {
    app.guard([&] { game().Image2MouseDown(MouseButton::Left, x, y); });
    app.guard([&] { game().Image2Click(); });
}

Snapshot RoutePlayer::snapshot() const {
    Snapshot s;
    s.state = game().GameState;
    for (int n = 1; n <= kItems; ++n) s.carried[size_t(n)] = game().Vis(n);
    return s;
}

bool RoutePlayer::pointOf(int code, int& x, int& y) const {
    const TGame& g = game();
    // Prefer a cell whose neighbours above and below hold the same code: inside the object.
    for (int pass = 0; pass < 2; ++pass) {
        for (int col = 0; col < kGridColumns; ++col) {
            for (int row = 0; row < kGridRows; ++row) {
                int cell = CellNumber(col, row);
                if (g.RoomCells[size_t(cell)] != code) continue;
                bool inner = row > 0 && row < kGridRows - 1 && g.RoomCells[size_t(cell - 1)] == code &&
                             g.RoomCells[size_t(cell + 1)] == code;
                if (pass == 0 && !inner) continue;
                x = int((float(col) + 0.5f) * g.CellWidth);
                y = int((float(row) + 0.5f) * g.CellHeight);
                return true;
            }
        }
    }
    return false;
}

bool RoutePlayer::walkTo(int target, std::string& error) {
    TGame& g = game();
    for (int guard = 0; guard < 40 && g.GameState.Room != target; ++guard) {
        int from = g.GameState.ShownRoom;
        std::optional<ExitStep> next = FirstStepTowards(g.GameState, from, target);
        if (!next) {
            error = "no open way from room " + std::to_string(from) + " to room " + std::to_string(target);
            return false;
        }
        int step = next->room, dir = next->direction;
        Control* areas[4] = {&g.arrowN, &g.arrowS, &g.arrowE, &g.arrowW};
        if (!areas[dir]->Visible) {
            error = "room " + std::to_string(from) + " shows no exit area toward room " + std::to_string(step);
            return false;
        }
        app.guard([&] {
            if (dir == 0) g.arrowNClick();
            if (dir == 1) g.arrowSClick();
            if (dir == 2) g.arrowEClick();
            if (dir == 3) g.arrowWClick();
        });
        if (g.GameState.Room != step) {
            error = "the exit toward room " + std::to_string(step) + " led to room " + std::to_string(g.GameState.Room);
            return false;
        }
    }
    if (g.GameState.Room != target) {
        error = "room " + std::to_string(target) + " was not reached";
        return false;
    }
    return true;
}

bool RoutePlayer::take(const PlayStep& s, std::string& error) {
    TGame& g = game();
    size_t errorsBefore = platform.errors.size();
    if (s.kind == PlayStep::Kind::Wait) {
        platform.advance(s.ms);
    } else if (s.kind == PlayStep::Kind::Walk) {
        if (!walkTo(s.room, error)) return false;
    } else if (s.kind == PlayStep::Kind::Combine) {
        for (int n : {s.item, s.other}) {
            if (!g.Vis(n)) {
                error = "item " + std::to_string(n) + " is not carried";
                return false;
            }
        }
        app.guard([&] { g.itemClick(s.item); });
        app.guard([&] { g.itemClick(s.other); });
    } else {
        if (!walkTo(s.room, error)) return false;
        int x = 0, y = 0;
        if (!pointOf(s.code, x, y)) {
            error = "room " + std::to_string(s.room) + " has no object code " + std::to_string(s.code);
            return false;
        }
        if (s.kind == PlayStep::Kind::Use) {
            if (!g.Vis(s.item)) {
                error = "item " + std::to_string(s.item) + " is not carried";
                return false;
            }
            app.guard([&] { g.itemClick(s.item); });
        } else {
            app.guard([&] { g.ChangeCursor(kDoMode); });
        }
        press(x, y);
    }
    if (platform.errors.size() > errorsBefore) {
        error = "the game reported: " + platform.errors.back();
        return false;
    }
    return true;
}

void RoutePlayer::settle() {
    TGame& g = game();
    for (int i = 0; i < 240; ++i) {
        bool busy = g.XForm.Enabled() || g.TimeJab.Enabled() || g.BigTime.Enabled() || !g.Image2.Enabled || g.MP3.Tag != 0;
        for (PlayerId id : {PlayerId::MP, PlayerId::MP2, PlayerId::MP3}) {
            auto& m = static_cast<HeadlessMedia&>(platform.media(id));
            busy = busy || m.playing;
        }
        if (!busy) return;
        platform.advance(250);
    }
}

void RoutePlayer::talk() {
    TCloseUp& c = *app.CloseUp;
    for (int steps = 0; steps < 400 && platform.isOpen(WindowId::CloseUp); ++steps) {
        if (c.APanel.Visible) {
            int q = std::abs(c.QuestionState) / 10;
            if (style_.wrongFirst && !answeredWrong_.count(q)) {
                answeredWrong_.insert(q);
                c.Answer.Caption = "BANANAS";
            } else {
                const std::string& a = c.Record.Answers[size_t(style_.field)][size_t(q)];
                // Numbers and single letters must be typed exactly; words may sit in a phrase.
                c.Answer.Caption = (a.size() >= 2 && !IntCheck(a) ? style_.prefix : std::string()) + a;
            }
        }
        c.Next1Click();
    }
    if (platform.isOpen(WindowId::CloseUp)) c.Exit1Click();  // a conversation that never ends
    answeredWrong_.clear();
}

namespace {

struct Asker {
    const HintBook& book;
    CoverageResult& result;
    std::string lastAsked;

    // Asks the real command twice in the player's present state; returns the hint found.
    const Hint* ask(RoutePlayer& p, const std::string& where) {
        Snapshot before = p.snapshot();
        ++result.statesChecked;
        result.distinctStates.insert(before);
        TGame& g = p.game();
        int found = book.find(HintState{g.GameState, [&g](int n) { return g.Vis(n); }});
        if (found < 0) {
            result.problems.push_back(where + ": no hint answers this state");
            return nullptr;
        }
        const Hint& h = book.hints[size_t(found)];
        result.hintsGiven.insert(h.name);
        std::string first, second;
        p.app.guard([&] { g.HintClick(); });
        first = g.text1.Caption;
        p.app.guard([&] { g.HintClick(); });
        second = g.text1.Caption;
        std::string expectedFirst = h.name == lastAsked ? h.pointer : h.nudge;
        lastAsked = h.name;
        if (first != expectedFirst || second != h.pointer)
            result.problems.push_back(where + ": the Hint command did not give hint '" + h.name + "' as nudge, then pointer");
        if (!(p.snapshot() == before)) result.problems.push_back(where + ": asking for a hint changed the game");
        return &h;
    }
};

std::string StepAt(const Route& route, size_t k) {
    return "route line " + std::to_string(route.lines[k]) + " (before '" + FormatPlayStep(route.steps[k]) + "')";
}

void PlayRoute(const HintBook& book, const Route& route, const std::filesystem::path& gameFolder,
               const ResourcePack& resources, const AnswerStyle& style, CoverageResult& result) {
    RoutePlayer p(gameFolder, resources, style);
    p.start();
    Asker asker{book, result, {}};
    std::vector<Snapshot> before, after;
    std::vector<const Hint*> given;
    for (size_t k = 0; k < route.steps.size(); ++k) {
        given.push_back(asker.ask(p, StepAt(route, k) + " at level " + std::to_string(style.level)));
        before.push_back(p.snapshot());
        std::string error;
        if (!p.take(route.steps[k], error)) {
            result.problems.push_back(StepAt(route, k) + ": " + error);
            return;
        }
        after.push_back(p.snapshot());
    }
    if (p.app.Tag != 2) result.problems.push_back("the route does not end in the won game");
    // Each state's hint must point to the next step that moves the story.
    for (size_t k = 0; k < route.steps.size(); ++k) {
        if (!given[k]) continue;
        size_t j = k;
        while (j < route.steps.size() && !(route.steps[j].isAction() && StoryMoved(before[j], after[j]))) ++j;
        if (j == route.steps.size()) continue;
        if (!given[k]->step) {
            result.problems.push_back(StepAt(route, k) + ": only the last word '" + given[k]->name + "' answers");
        } else if (!(*given[k]->step == route.steps[j])) {
            result.problems.push_back(StepAt(route, k) + ": hint '" + given[k]->name + "' points to '" +
                                      FormatPlayStep(*given[k]->step) + "', but the story moves on with '" +
                                      FormatPlayStep(route.steps[j]) + "' (route line " + std::to_string(route.lines[j]) + ")");
        }
    }
}

void PlayTrap(const HintBook& book, const Route& route, const RouteTrap& trap, const std::filesystem::path& gameFolder,
              const ResourcePack& resources, CoverageResult& result) {
    RoutePlayer p(gameFolder, resources);
    p.start();
    size_t from = route.labels.at(trap.from);
    std::string where = "trap '" + trap.name + "'";
    for (size_t k = 0; k < from; ++k) {
        std::string error;
        if (!p.take(route.steps[k], error)) {
            result.problems.push_back(where + ", on the way: " + StepAt(route, k) + ": " + error);
            return;
        }
    }
    Asker asker{book, result, {}};
    auto check = [&](const std::string& at) {
        const Hint* h = asker.ask(p, at);
        if (!h) return;
        if (!h->step) {
            result.problems.push_back(at + ": only the last word '" + h->name + "' answers");
            return;
        }
        if (*h->step == trap.steps.back()) {
            result.problems.push_back(at + ": hint '" + h->name + "' points into the trap");
            return;
        }
        bool ahead = false;
        for (size_t k = from; k < route.steps.size(); ++k) ahead = ahead || route.steps[k] == *h->step;
        if (!ahead)
            result.problems.push_back(at + ": hint '" + h->name + "' points to '" + FormatPlayStep(*h->step) +
                                      "', which is no step left on the route");
    };
    Snapshot last;
    for (size_t t = 0; t < trap.steps.size(); ++t) {
        std::string at = where + " before '" + FormatPlayStep(trap.steps[t]) + "'";
        check(at);
        last = p.snapshot();
        std::string error;
        if (!p.take(trap.steps[t], error)) {
            result.problems.push_back(at + ": " + error);
            return;
        }
    }
    if (StoryMoved(last, p.snapshot()))
        result.problems.push_back(where + ": '" + FormatPlayStep(trap.steps.back()) + "' moved the story; it is no trap");
    check(where + " after its refused step");
}

}  // namespace

CoverageResult CheckHintCoverage(const HintBook& book, const Route& route, const std::filesystem::path& gameFolder,
                                 const ResourcePack& resources) {
    CoverageResult result;
    PlayRoute(book, route, gameFolder, resources, AnswerStyle{}, result);
    PlayRoute(book, route, gameFolder, resources, AnswerStyle{2, true, 2, "I THINK "}, result);
    for (const RouteTrap& trap : route.traps) PlayTrap(book, route, trap, gameFolder, resources, result);
    return result;
}

}  // namespace lnf
