// Every point at which the game lets pending events run during both walkthroughs, and at each
// every kind of input a player (or the clock) can send: none runs inside the step, the score
// moves only by the rules' amounts, and the game is still won at the end.
#include <cstring>

#include "game_fixture.h"
#include "walkthrough.h"

using lnf::testing::Game;
using namespace lnf;

namespace {

struct Input {
    const char* name;
    bool changesNothing;  // refused outright (a tick or clip end may run once the step is over)
    std::function<void(Game&)> send;
};

std::vector<Input> Inputs(const std::string& saveFile) {
    auto guarded = [](std::function<void(TGame&)> f) {
        return [f](Game& g) { g.app.guard([&] { f(g.game); }); };
    };
    return {
        {"press on the picture", true, guarded([](TGame& t) { t.Image2MouseDown(MouseButton::Left, 300, 150); })},
        {"right press", true, guarded([](TGame& t) { t.Image2MouseDown(MouseButton::Right, 300, 150); })},
        {"north exit", true, guarded([](TGame& t) { t.arrowNClick(); })},
        {"south exit", true, guarded([](TGame& t) { t.arrowSClick(); })},
        {"east exit", true, guarded([](TGame& t) { t.arrowEClick(); })},
        {"west exit", true, guarded([](TGame& t) { t.arrowWClick(); })},
        {"item", true, guarded([](TGame& t) {
             for (int i = 1; i <= kItems; ++i)
                 if (t.Vis(i)) return t.itemClick(i);
             t.itemClick(1);
         })},
        {"item double click", true, guarded([](TGame& t) { t.itemDblClick(2); })},
        {"Look button", true, guarded([](TGame& t) { t.LookClick(); })},
        {"Do button", true, guarded([](TGame& t) { t.DoButtonClick(); })},
        {"Introduction", true, guarded([](TGame& t) { t.Introduction1Click(); })},
        {"New Game", true, guarded([](TGame& t) { t.New1Click(); })},
        {"Open Saved Game", true, [saveFile](Game& g) {
             g.platform.fileAnswers.push_back(saveFile);
             g.app.guard([&] { g.game.Open1Click(); });
             g.platform.fileAnswers.clear();
         }},
        {"Save Game", true, [saveFile](Game& g) {
             g.platform.fileAnswers.push_back(saveFile);
             g.app.guard([&] { g.game.SaveAs1Click(); });
             g.platform.fileAnswers.clear();
         }},
        {"Level 1", true, guarded([](TGame& t) { t.Level1Click(); })},
        {"Level 2", true, guarded([](TGame& t) { t.Level2Click(); })},
        {"Exit", true, guarded([](TGame& t) { t.Exit1Click(); })},
        {"Music OFF", true, guarded([](TGame& t) { t.MusicOFFClick(); })},
        {"Font Color", true, guarded([](TGame& t) { t.FontColorClick("Red1"); })},
        {"Help Contents", true, guarded([](TGame& t) { t.Contents1Click(); })},
        {"About", true, guarded([](TGame& t) { t.AboutClick(); })},
        {"window close", true, guarded([](TGame& t) { t.Close(); })},
        // What arrives from the clock and the players: the tick of every running timer and
        // the end of every clip that plays.
        {"timer tick", false, [](Game& g) {
             for (TimerId id : {TimerId::XForm, TimerId::TimeJab, TimerId::BigTime, TimerId::Reappear})
                 if (g.platform.timerEnabled(id)) g.app.onTimer(id);
         }},
        {"clip end", false, [](Game& g) {
             for (PlayerId id : {PlayerId::MP, PlayerId::MP2, PlayerId::MP3})
                 if (static_cast<HeadlessMedia&>(g.platform.media(id)).playing) g.app.onMediaNotify(id);
         }},
    };
}

struct Coverage {
    uint64_t points = 0;
    uint64_t injections = 0;
    uint64_t insideStep = 0;
};

// Plays the whole game; at every point sends inputs [first, first + count), each checked on
// its own.
Coverage PlayWithInputs(int level, size_t first, size_t count) {
    Game g;
    if (level == 2) lnf::testing::PrepareLevelTwo(g);
    g.aboutAnswer = 1;  // a question that comes up is answered "No"
    std::string saveFile = (g.user / "inside.sav").string();
    {  // a real saved game to offer to Open: the start of the game
        g.platform.fileAnswers.push_back(saveFile);
        g.game.SaveGame();
    }
    std::vector<Input> inputs = Inputs(saveFile);
    Coverage run;
    bool sending = false;
    g.platform.onProcessMessages = [&] {
        if (sending) return;
        uint64_t k = run.points++;
        sending = true;
        TGame& t = g.game;
        for (size_t j = first; j < first + count && j < inputs.size(); ++j) {
            const Input& in = inputs[j];
            bool inside = t.Busy();
            run.insideStep += inside ? 1 : 0;
            GameStateRecord before = t.GameState;
            std::array<bool, 22> items{};
            for (int i = 1; i <= kItems; ++i) items[size_t(i)] = t.Vis(i);
            uint64_t steps = t.StepsRun;
            in.send(g);
            ++run.injections;
            if (!inside) continue;
            EXPECT_EQ(t.StepsRun, steps) << in.name << " at point " << k << ": a step ran inside another";
            if (!in.changesNothing) continue;
            EXPECT_EQ(std::memcmp(t.GameState.bytes(), before.bytes(), sizeof before), 0)
                << in.name << " at point " << k << " changed the game inside a step";
            for (int i = 1; i <= kItems; ++i) EXPECT_EQ(t.Vis(i), items[size_t(i)]) << in.name << " at " << k;
        }
        sending = false;
    };
    lnf::testing::PlayToTheEnd(g);
    EXPECT_EQ(g.score(), 122) << "inputs from " << first;
    EXPECT_EQ(g.app.Tag, 2) << "inputs from " << first << ": the game was not won";
    EXPECT_TRUE(g.platform.errors.empty()) << g.platform.errors.front();
    return run;
}

}  // namespace

TEST(Reentry, EveryInputAtEveryPointOfBothWalkthroughs) {
    // Each walkthrough is played three times, each time with a third of the inputs sent at
    // every point: every point sees every input, and the replays stay few.
    size_t kinds = Inputs("").size(), share = (kinds + 2) / 3;
    uint64_t points = 0, injections = 0, inside = 0;
    for (int level : {1, 2}) {
        for (size_t first = 0; first < kinds; first += share) {
            Coverage run = PlayWithInputs(level, first, share);
            if (first == 0) points += run.points;
            injections += run.injections;
            inside += run.insideStep;
            if (::testing::Test::HasFailure()) return;
        }
    }
    std::printf("[ re-entry ] %llu points in both walkthroughs, %zu kinds of input, %llu injections (%llu inside a step)\n",
                (unsigned long long)points, kinds, (unsigned long long)injections, (unsigned long long)inside);
    EXPECT_EQ(injections, points * kinds);
    EXPECT_GT(points, 100u);
}
