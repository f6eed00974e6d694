// The fuzz targets' shared harness: whatever one input changed in the game folder or the
// player's folder is gone before the next input, so a finding replays from its own bytes.
#include <gtest/gtest.h>

#include "../fuzz/fuzz_common.h"

namespace lnf {
namespace {

struct Shown {
    std::vector<uint8_t> record;
    std::vector<uint8_t> roomText;
    std::vector<std::string> memo;
    std::string message;
    size_t errors;
    bool operator==(const Shown&) const = default;
};

Shown StartAndLook() {
    fuzz::FuzzGame g;
    TGame& t = *g.app.Game;
    g.app.guard([&] { t.FormShow(); t.FormActivate(); });
    g.app.guard([&] { t.ChangeCursor(kLookMode); t.Looks(200); });
    const GameStateRecord& s = t.GameState;
    return {std::vector<uint8_t>(s.bytes(), s.bytes() + sizeof s), std::vector<uint8_t>(t.RoomText.begin(), t.RoomText.end()),
            t.Memo, t.text1.Caption, g.platform.errors.size()};
}

class FuzzHarness : public testing::Test {
protected:
    void TearDown() override { SetPicturesHeaderOnly(false); }  // the harness turns pixels off
};

TEST_F(FuzzHarness, AGameAfterAnInputEqualsOneInAnUntouchedFolder) {
    Shown fresh = StartAndLook();

    // An input that replaces the first room's text and the start record, adds a file the game
    // never shipped, and leaves a saved game in the player's folder.
    std::vector<uint8_t> junk(900, 'Q' + 3);
    junk[0] = 0x7F;
    fuzz::Put("data/grid04.dlg", junk.data(), junk.size());
    fuzz::Put("data/zerodata", junk.data(), 40);
    fuzz::Put("data/not_shipped.dlg", junk.data(), 10);
    {
        fuzz::FuzzGame g;
        TGame& t = *g.app.Game;
        g.app.guard([&] { t.FormShow(); t.FormActivate(); });
        ASSERT_NE(t.Memo, fresh.memo) << "the replaced text is the one the game reads";
        g.platform.fileAnswers.push_back((fuzz::GameCopy() / "user" / "left.sav").string());
        g.app.guard([&] { t.SaveAs1Click(); });
    }
    ASSERT_TRUE(std::filesystem::exists(fuzz::GameCopy() / "user" / "left.sav"));

    fuzz::Restore();
    for (const char* shipped : {"data/grid04.dlg", "data/zerodata"})
        EXPECT_EQ(fuzz::ReadAll(fuzz::GameCopy() / "game" / shipped), fuzz::ReadAll(std::filesystem::path(LNF_GAME_DIR) / shipped))
            << shipped;
    EXPECT_FALSE(std::filesystem::exists(fuzz::GameCopy() / "game" / "data/not_shipped.dlg"));
    EXPECT_TRUE(std::filesystem::is_empty(fuzz::GameCopy() / "user"));
    EXPECT_EQ(StartAndLook(), fresh);

    // A file replaced again after a restore is put back again.
    fuzz::Put("data/grid04.dlg", junk.data(), 5);
    fuzz::Restore();
    EXPECT_EQ(StartAndLook(), fresh);
}

TEST_F(FuzzHarness, APictureThatWaitsForContinueIsPressedOnAndTheStepEnds) {
    // Unpressed, the wait spun until the platform gave up with an error, so every input that
    // reached one spent most of its time there and never ran the rest of its step.
    fuzz::FuzzGame g;
    TGame& t = *g.app.Game;
    g.app.guard([&] { t.FormShow(); t.FormActivate(); });
    g.app.guard([&] { GameStep step(t, StepInput::Press); t.Cauldron(true); });
    EXPECT_TRUE(g.platform.errors.empty()) << g.platform.errors.front();
    EXPECT_FALSE(t.WaitingForContinue);
    EXPECT_FALSE(t.Next1.Visible);
    EXPECT_TRUE(t.Image2.Enabled);  // the step ran past its last wait
}

}  // namespace
}  // namespace lnf
