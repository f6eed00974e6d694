// The whole story, from a new game to the won ending, through the real handlers and the
// shipped data, at both puzzle levels.
#include <algorithm>
#include <fstream>

#include "platform/walkthrough.h"
#include "walkthrough.h"
#include "world/data_folders.h"

using lnf::testing::Game;
using lnf::testing::PlayToTheEnd;
using namespace lnf;

TEST(Walkthrough, Level1CollectsEveryPoint) {
    Game g;
    PlayToTheEnd(g);
    // The walkthrough the build checks the hints against takes the same actions.
    std::ifstream in(std::string(LNF_SOURCE_DIR) + "/content/hints/walkthrough.txt");
    std::vector<std::string> errors, routeActions;
    for (const PlayStep& s : ParseRoute(std::string(std::istreambuf_iterator<char>(in), {}), errors).steps)
        if (s.isAction()) routeActions.push_back(FormatPlayStep(s));
    EXPECT_EQ(routeActions, g.actions);
    EXPECT_EQ(g.score(), 122);
    EXPECT_EQ(g.score(), kFullScore);
    EXPECT_TRUE(g.platform.errors.empty()) << g.platform.errors.front();
    EXPECT_EQ(g.platform.messages.size(), 0u);
    // Everything the whole story wrote into the player's folder is a file the game reads back
    // from there and retires when another version starts.
    std::vector<std::string> own;
    for (const std::string& n : PlayerFolderNames()) own.push_back(NormalizeGameName(n));
    size_t written = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(g.user)) {
        if (!e.is_regular_file()) continue;
        ++written;
        std::string rel = e.path().lexically_relative(g.user).generic_string();
        EXPECT_NE(std::find(own.begin(), own.end(), rel), own.end()) << rel;
    }
    EXPECT_GE(written, 7u);
}

TEST(Walkthrough, TheFinalScoreIsShownBeforeTheWindowClosesAndInTheConclusion) {
    Game g;
    // What the message line and the score show at the moment the game window closes.
    std::string lineAtClose, scoreAtClose;
    int64_t shownAt = -1, closedAt = -1;
    g.platform.onIdle = [&, idle = g.platform.onIdle] {
        if (shownAt < 0 && g.game.text1.Caption.starts_with("Your score")) shownAt = g.platform.now();
        if (idle) idle();
    };
    PlayToTheEnd(g);
    lineAtClose = g.message();
    scoreAtClose = g.game.ScoreLabel.Caption;
    closedAt = g.platform.now();
    EXPECT_EQ(lineAtClose, "Your score: 122 of 122");
    EXPECT_EQ(scoreAtClose, "Score: 122");
    ASSERT_GE(shownAt, 0) << "the final score was never on screen";
    EXPECT_GE(closedAt - shownAt, kFinalScorePauseMs) << "the window closed before the score could be read";
    // The conclusion says it again.
    std::string conclusion;
    g.platform.modalScripts[WindowId::Intro] = [&] {
        conclusion = g.app.Intro->Introbox.Caption;
        g.app.Intro->exitbuttonClick();
    };
    g.app.Intro->Conclusion();
    g.app.Intro->ShowModal();
    EXPECT_EQ(conclusion, "Your score: 122 of 122");
}

TEST(Walkthrough, Level2WithWrongAnswersFirst) {
    Game g;
    lnf::testing::PrepareLevelTwo(g);
    PlayToTheEnd(g);
    EXPECT_EQ(g.score(), 122);
    EXPECT_TRUE(g.platform.errors.empty()) << g.platform.errors.front();
}
