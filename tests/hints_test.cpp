// Hints that know the story: the hint source and its faults, the Hint command on the real
// game, the walkthrough of record, the coverage check's teeth, and a game won by following
// nothing but the pointers.
#include <fstream>
#include <sstream>

#include "game_fixture.h"
#include "platform/walkthrough.h"
#include "story/hints.h"

using lnf::testing::Game;
using namespace lnf;

namespace {

std::string Source(const std::string& rel) {
    std::ifstream in(std::string(LNF_SOURCE_DIR) + "/content/" + rel, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

HintBook ShippedBook() {
    std::vector<std::string> errors;
    auto bytes = EmbeddedResources().find(kTextResource, kHintsResource);
    EXPECT_TRUE(bytes.has_value());
    HintBook book = ParseHints(bytes ? std::string(bytes->begin(), bytes->end()) : std::string(), errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    return book;
}

Route ShippedRoute() {
    std::vector<std::string> errors;
    Route route = ParseRoute(Source("hints/walkthrough.txt"), errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    return route;
}

const Hint& Named(const HintBook& book, const std::string& name) {
    for (const Hint& h : book.hints)
        if (h.name == name) return h;
    throw std::runtime_error("no hint " + name);
}

bool Mentions(const std::vector<std::string>& all, const std::string& part) {
    for (const std::string& s : all)
        if (s.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(Hints, SourceFaultsAreFoundWithTheirLines) {
    std::vector<std::string> errors;
    HintBook ok = ParseHints(
        "# two hints\n"
        "hint knock\n"
        "when: P[10] = 0, carries 7\n"
        "when: north[19] != 16\n"
        "step: do 18.2\n"
        "nudge: Knock knock.\n"
        "pointer: Knock ten times.\n"
        "hint last\n"
        "nudge: Look around.\n"
        "pointer: Look at everything.\n",
        errors);
    ASSERT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(ok.hints.size(), 2u);
    EXPECT_EQ(ok.hints[0].when.size(), 3u);
    EXPECT_EQ(FormatPlayStep(*ok.hints[0].step), "do 18.2");
    // The compiled form reads back to the same book.
    std::vector<std::string> again;
    EXPECT_EQ(FormatHints(ParseHints(FormatHints(ok), again)), FormatHints(ok));
    EXPECT_TRUE(again.empty());

    // The story's names read as their numbers.
    std::vector<std::string> named;
    HintBook byName = ParseHints(
        "hint a\nwhen: P[ClawTaken] = 0, carries kKitty, north[kQueenPath] = kStairToBalcony, S[kRose] = 1\n"
        "when: P[MainStage] >= kBrewComplete, held = kSword\nstep: use kClaw on kJubjubTree.2\nnudge: n\npointer: p\n"
        "hint z\nnudge: n\npointer: p\n",
        named);
    ASSERT_TRUE(named.empty()) << named.front();
    EXPECT_EQ(FormatHints(byName),
              "hint a\nwhen: P[10] = 0, carries 21, north[19] = 16, S[26] = 1, P[7] >= 4, held = 13\nstep: use 5 on 15.2\n"
              "nudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n");

    struct Case {
        const char* source;
        const char* error;
    } cases[] = {
        {"nudge: x\n", "line 1: 'nudge' before the first 'hint NAME'"},
        {"hint a\nwhen: Q[1] = 0\nstep: do 1.1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 2: unknown subject 'Q'"},
        {"hint a\nwhen: P[28] = 0\nstep: do 1.1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 2: 'P[28]' needs an index 0..27"},
        {"hint a\nwhen: S[3] ~ 0\nstep: do 1.1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 2: unknown comparison '~'"},
        {"hint a\nwhen: P[Claw] = 0\nstep: do 1.1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 2: 'P[Claw]' needs an index 0..27 or one of the story's names"},
        {"hint a\nwhen: carries 22\nstep: do 1.1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 2: no item '22'"},
        {"hint a\nwhen: room = 1\nstep: do 33.1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 3: no object 33.1"},
        {"hint a\nwhen: room = 1\nstep: walk 4\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 3: a hint points to an action"},
        {"hint a\nwhen: room = 1\nstep: do 1.1\nnudge: n\nhint z\nnudge: n\npointer: p\n", "line 1: hint 'a' needs a pointer"},
        {"hint a\nwhen: room = 1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 1: hint 'a' needs a step"},
        {"hint a\nstep: do 1.1\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 1: hint 'a' has no conditions"},
        {"hint a\nwhen: room = 1\nstep: do 1.1\nnudge: n\npointer: p\n", "line 1: the last hint, 'a', must have no conditions"},
        {"hint z\nnudge: n\npointer: p\nhint z\nnudge: n\npointer: p\n", "line 4: hint 'z' given twice"},
        {"hint z\nnudge: caf\xc3\xa9\npointer: p\n", "line 2: only printable ASCII"},
        {"hint z\nnudge: n\npointer: p\ncolour: red\n", "line 4: unknown key 'colour'"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> e;
        ParseHints(c.source, e);
        EXPECT_TRUE(Mentions(e, c.error)) << c.source << "\nwanted: " << c.error << "\ngot: " << (e.empty() ? "nothing" : e.front());
    }
    std::vector<std::string> e;
    ParseHints("hint z\nnudge: " + std::string(201, 'x') + "\npointer: p\n", e);
    EXPECT_TRUE(Mentions(e, "line 2: the nudge is 201 characters")) << (e.empty() ? "nothing" : e.front());
}

TEST(Hints, FirstMatchingHintWins) {
    std::vector<std::string> errors;
    HintBook book = ParseHints(
        "hint late\nwhen: P[7] >= 5, lacks 21\nstep: do 27.6\nnudge: a\npointer: b\n"
        "hint held\nwhen: held = 13, room != 31\nstep: use 13 on 31.2\nnudge: a\npointer: b\n"
        "hint exits\nwhen: east[14] = 8, S[279] < 0\nstep: do 8.2\nnudge: a\npointer: b\n"
        "hint last\nnudge: a\npointer: b\n",
        errors);
    ASSERT_TRUE(errors.empty()) << errors.front();
    GameStateRecord s{};
    bool kitty = false;
    HintState at{s, [&](int n) { return n == 21 && kitty; }};
    EXPECT_EQ(book.find(at), 3);
    s.Progress[7] = 5;
    EXPECT_EQ(book.find(at), 0);
    kitty = true;  // carrying Kitty spoils the first
    s.HeldItem = 13;
    s.Room = 31;
    EXPECT_EQ(book.find(at), 3);
    s.Room = 30;
    EXPECT_EQ(book.find(at), 1);
    s.HeldItem = 0;
    s.ExitEast[14] = 8;
    s.ObjState[279] = -1;  // bytes compare signed
    EXPECT_EQ(book.find(at), 2);
}

TEST(Hints, NudgeThenPointerAndTheGameStaysAsItWas) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    HintBook book = ShippedBook();
    GameStateRecord before = t.GameState;
    g.app.guard([&] { t.HintClick(); });
    EXPECT_EQ(g.message(), Named(book, "rose-talks").nudge);
    g.app.guard([&] { t.HintClick(); });
    EXPECT_EQ(g.message(), Named(book, "rose-talks").pointer);
    g.app.guard([&] { t.HintClick(); });
    EXPECT_EQ(g.message(), Named(book, "rose-talks").pointer);
    EXPECT_EQ(std::memcmp(&before, &t.GameState, sizeof before), 0);
    EXPECT_EQ(g.score(), 0);
    EXPECT_EQ(t.CursorMode, kLookMode);

    // The story moves on: the next hint starts with its nudge, whatever is on the cursor.
    g.doOn(2);
    g.app.guard([&] { t.HintClick(); });
    EXPECT_EQ(g.message(), Named(book, "kitten-under-leaves").nudge);
    g.doOn(5);
    ASSERT_TRUE(t.Vis(2));
    g.app.guard([&] { t.itemClick(2); });
    int held = t.CursorMode;
    g.app.guard([&] { t.HintClick(); });
    EXPECT_EQ(g.message(), Named(book, "sunflowers-talk").nudge);
    g.app.guard([&] { t.HintClick(); });
    EXPECT_EQ(g.message(), Named(book, "sunflowers-talk").pointer);
    EXPECT_EQ(t.CursorMode, held);

    // A saved game is the same file with or without asking.
    g.platform.fileAnswers.push_back((g.user / "a.sav").string());
    g.app.guard([&] { t.SaveAs1Click(); });
    g.app.guard([&] { t.HintClick(); });
    g.platform.fileAnswers.push_back((g.user / "b.sav").string());
    g.app.guard([&] { t.SaveAs1Click(); });
    std::ifstream a(g.user / "a.sav", std::ios::binary), b(g.user / "b.sav", std::ios::binary);
    std::string sa((std::istreambuf_iterator<char>(a)), {}), sb((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(sa.size(), 471u);
    EXPECT_EQ(sa, sb);
}

TEST(Hints, AStoryMomentKeepsItsTextOnTheLine) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(1);
    int asked = 0;
    g.platform.onIdle = [&] {
        // Inside the kettle's "Continue" wait: the hint leaves the line alone.
        if (g.pressing || !t.WaitingForContinue || !t.Next1.Visible || t.Next1.Tag != 0) return;
        g.pressing = true;
        std::string shown = g.message();
        t.HintClick();
        EXPECT_EQ(g.message(), shown);
        ++asked;
        t.Next1Click();
        g.pressing = false;
    };
    g.doOn(3);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(t.WaitingForContinue);
}

TEST(Hints, TheRouteWinsTheGameAtBothLevels) {
    Route route = ShippedRoute();
    for (int level : {1, 2}) {
        AnswerStyle style;
        if (level == 2) style = AnswerStyle{2, true, 2, "I THINK "};
        RoutePlayer p(LNF_GAME_DIR, EmbeddedResources(), style);
        p.start();
        for (size_t k = 0; k < route.steps.size(); ++k) {
            std::string error;
            ASSERT_TRUE(p.take(route.steps[k], error)) << "line " << route.lines[k] << ": " << error;
        }
        EXPECT_EQ(p.app.Tag, 2) << "level " << level;
        EXPECT_EQ(p.game().GameState.score(), 122) << "level " << level;
        EXPECT_TRUE(p.platform.errors.empty());
    }
}

TEST(Hints, TheCoverageCheckFailsOnAMissingOrWrongHint) {
    HintBook book = ShippedBook();
    Route route = ShippedRoute();
    // The route up to the claw, which is enough to show the check's teeth.
    size_t claw = 0;
    while (!(route.steps[claw].kind == PlayStep::Kind::Use && route.steps[claw].item == 5)) ++claw;
    route.steps.resize(claw + 1);
    route.lines.resize(claw + 1);
    route.traps.clear();
    route.labels.clear();

    HintBook noKnock = book;
    std::erase_if(noKnock.hints, [](const Hint& h) { return h.name == "frog-door"; });
    CoverageResult r = CheckHintCoverage(noKnock, route, LNF_GAME_DIR, EmbeddedResources());
    // Without the knocking hint the claw's hint answers while the door still needs knocks.
    EXPECT_TRUE(Mentions(r.problems, "hint 'claw-for-jubjub' points to 'use 5 on 15.2', but the story moves on with 'do 18.2'"))
        << (r.problems.empty() ? "no problem found" : r.problems.front());
    EXPECT_TRUE(Mentions(r.problems, "the route does not end in the won game"));

    HintBook wrongStep = book;
    for (Hint& h : wrongStep.hints)
        if (h.name == "harp") h.step = PlayStep{PlayStep::Kind::Do, 7, 3};
    r = CheckHintCoverage(wrongStep, route, LNF_GAME_DIR, EmbeddedResources());
    EXPECT_TRUE(Mentions(r.problems, "hint 'harp' points to 'do 7.3', but the story moves on with 'do 7.2'"));

    // A trap whose last step moves the story is no trap.
    route.labels["song-learned"] = ShippedRoute().labels.at("song-learned");
    ASSERT_LT(route.labels["song-learned"], route.steps.size());
    route.traps = {RouteTrap{"not-a-trap", "song-learned", {PlayStep{PlayStep::Kind::Do, 18, 2}}, 0}};
    r = CheckHintCoverage(book, route, LNF_GAME_DIR, EmbeddedResources());
    EXPECT_TRUE(Mentions(r.problems, "trap 'not-a-trap': 'do 18.2' moved the story; it is no trap"));
}

TEST(Hints, FollowingThePointersAloneWinsTheGame) {
    HintBook book = ShippedBook();
    RoutePlayer p(LNF_GAME_DIR, EmbeddedResources());
    p.start();
    std::vector<std::string> followed;
    for (int i = 0; i < 300 && p.app.Tag != 2; ++i) {
        TGame& g = p.game();
        int found = book.find(HintState{g.GameState, [&g](int n) { return g.Vis(n); }});
        ASSERT_GE(found, 0);
        const Hint& h = book.hints[size_t(found)];
        ASSERT_TRUE(h.step) << "only the last word answers after " << followed.size() << " steps";
        followed.push_back(h.name);
        std::string error;
        ASSERT_TRUE(p.take(*h.step, error)) << h.name << ": " << error;
        p.settle();
    }
    EXPECT_EQ(p.app.Tag, 2);
    EXPECT_EQ(p.game().GameState.score(), 122);
    // Every hint but the last word was followed at least once; the door took ten knocks.
    for (const Hint& h : book.hints) {
        bool taken = std::find(followed.begin(), followed.end(), h.name) != followed.end();
        EXPECT_EQ(taken, h.step.has_value()) << h.name;
    }
    EXPECT_EQ(std::count(followed.begin(), followed.end(), "frog-door"), 10);
}

TEST(Hints, PointersSayPlainlyWhatToDo) {
    for (const Hint& h : ShippedBook().hints) {
        if (!h.step) continue;
        std::string p = h.pointer;
        // Do on the thing; use an item on the thing (not "use Do"); click one item, then the other.
        bool plain = false;
        if (h.step->kind == PlayStep::Kind::Do) plain = p.find("Do on") != std::string::npos;
        if (h.step->kind == PlayStep::Kind::Combine) plain = p.find("click the") != std::string::npos;
        for (size_t at = p.find("use "); h.step->kind == PlayStep::Kind::Use && at != std::string::npos; at = p.find("use ", at + 1))
            plain = plain || p.compare(at, 7, "use Do ") != 0;
        EXPECT_TRUE(plain) << h.name << ": " << p;
        EXPECT_NE(h.nudge, h.pointer) << h.name;
    }
}
