// The whole story, from a new game to the won ending, through the real handlers and the
// shipped data, at both puzzle levels.
#include "walkthrough.h"

using lnf::testing::Game;
using lnf::testing::PlayToTheEnd;
using namespace lnf;

TEST(Walkthrough, Level1CollectsEveryPoint) {
    Game g;
    PlayToTheEnd(g);
    EXPECT_EQ(g.score(), 122);
    EXPECT_TRUE(g.platform.errors.empty()) << g.platform.errors.front();
    EXPECT_EQ(g.platform.messages.size(), 0u);
}

TEST(Walkthrough, Level2WithWrongAnswersFirst) {
    Game g;
    lnf::testing::PrepareLevelTwo(g);
    PlayToTheEnd(g);
    EXPECT_EQ(g.score(), 122);
    EXPECT_TRUE(g.platform.errors.empty()) << g.platform.errors.front();
}
