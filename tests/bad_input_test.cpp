// Every file the game reads, missing, empty, short, oversized, random or with indexes out of
// range: the game shows a clear message or carries on with the sound default, and loses
// nothing.
#include <fstream>
#include <random>

#include "game_fixture.h"
#include "world/shifted_text.h"

using lnf::testing::Game;
using namespace lnf;
namespace fs = std::filesystem;

namespace {

enum class Damage { Missing, Empty, Short, Oversized, Random, OutOfRange };
const char* Name(Damage d) {
    switch (d) {
        case Damage::Missing: return "missing";
        case Damage::Empty: return "empty";
        case Damage::Short: return "short";
        case Damage::Oversized: return "oversized";
        case Damage::Random: return "random";
        case Damage::OutOfRange: return "out of range";
    }
    return "";
}
const Damage kAll[] = {Damage::Missing, Damage::Empty, Damage::Short, Damage::Oversized, Damage::Random, Damage::OutOfRange};

std::vector<uint8_t> Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A copy of the game folder with one file damaged.
struct DamagedGame {
    fs::path folder = lnf::testing::FreshFolder("damaged");
    DamagedGame(const std::string& file, Damage d, const std::function<void(std::vector<uint8_t>&)>& outOfRange) {
        fs::copy(LNF_GAME_DIR, folder, fs::copy_options::recursive);
        fs::path p = folder / file;
        std::vector<uint8_t> bytes = Bytes(p);
        std::mt19937 rng(unsigned(d) * 7919u + unsigned(file.size()));
        switch (d) {
            case Damage::Missing: fs::remove(p); return;
            case Damage::Empty: bytes.clear(); break;
            case Damage::Short: bytes.resize(bytes.size() / 3); break;
            case Damage::Oversized: bytes.resize(bytes.size() * 4 + 10000, 0x55); break;
            case Damage::Random:
                for (uint8_t& b : bytes) b = uint8_t(rng());
                break;
            case Damage::OutOfRange: outOfRange(bytes); break;
        }
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    ~DamagedGame() { fs::remove_all(folder); }
};

}  // namespace

TEST(BadInput, StartRecordFallsBackToTheBuiltInMap) {
    for (Damage d : kAll) {
        DamagedGame dg("data/zerodata", d, [](std::vector<uint8_t>& b) { b[2 + 445] = 99; b[2 + 446] = -3; });
        Game g({1024, 768}, dg.folder);
        g.start();
        TGame& t = g.game;
        SCOPED_TRACE(Name(d));
        EXPECT_GE(t.GameState.Room, 1);
        EXPECT_LE(t.GameState.Room, 32);
        EXPECT_EQ(t.GameState.ExitSouth[1], 10);  // the map is there whatever the file held
        g.app.guard([&] { t.Initialize(); });
        EXPECT_GE(t.GameState.Room, 1);
        EXPECT_LE(t.GameState.Room, 32);
        g.walkTo(3);
    }
}

TEST(BadInput, RoomRecordsAndTextsNeverIndexOutside) {
    for (Damage d : kAll) {
        DamagedGame records("2grdata.", d, [](std::vector<uint8_t>& b) { for (size_t i = 3 * 645; i < 4 * 645; ++i) b[i] = uint8_t(i * 37); });
        Game g({1024, 768}, records.folder);
        g.startAndClickOnce();
        SCOPED_TRACE(std::string("record ") + Name(d));
        for (int mode : {kLookMode, kDoMode}) {
            for (int cell = 0; cell < 645; cell += 11) {
                g.game.ChangeCursor(mode);
                g.pressAt(int((cell / 17 + 0.5) * g.game.CellWidth), int((cell % 17 + 0.5) * g.game.CellHeight));
            }
        }
        g.walkTo(5);
    }
    for (Damage d : kAll) {
        DamagedGame text("data/grid04.dlg", d, [](std::vector<uint8_t>& b) { b.assign(5000, 'x'); });  // no end mark
        Game g({1024, 768}, text.folder);
        g.startAndClickOnce();
        SCOPED_TRACE(std::string("text ") + Name(d));
        EXPECT_EQ(g.game.RoomText.back(), 0);  // the buffer always ends in a zero
        EXPECT_LE(g.game.Memo.size(), 3400u);
        for (int code = 1; code <= 8; ++code) {
            g.game.ChangeCursor(kDoMode);
            g.game.RoomCells.fill(uint8_t(code));
            g.pressAt(100, 100);  // whatever the text holds, the press is answered without harm
            EXPECT_LE(g.message().size(), 3400u);
        }
    }
}

TEST(BadInput, ConversationFilesEndTheTalkWithoutCounting) {
    for (const char* file : {"data/Level1.dlg", "data/queen1.dlg"}) {
        for (Damage d : kAll) {
            bool record = std::string(file) == "data/Level1.dlg";
            DamagedGame dg(file, d, [record](std::vector<uint8_t>& b) {
                if (record) {
                    for (size_t i = 3 * 316; i < 3 * 316 + 16; ++i) b[i] = 0x7F;  // lines far beyond the text
                } else {
                    b = EncodeShifted("Only one line.\r\nAnd a second.");  // fewer lines than the record names
                }
            });
            Game g({1024, 768}, dg.folder);
            g.start();
            SCOPED_TRACE(std::string(file) + " " + Name(d));
            int score = g.score();
            g.app.guard([&] { g.game.Puzzle(3); });
            EXPECT_FALSE(g.platform.isOpen(WindowId::CloseUp));
            if (d != Damage::Oversized && d != Damage::Random) {
                EXPECT_EQ(g.game.Tag, 0);
                EXPECT_EQ(g.score(), score);
            }
            EXPECT_LE(g.app.CloseUp->ConvText.size(), kConvTextSize - 1);
        }
    }
}

TEST(BadInput, PicturesGiveAClearMessageAndTheRoomStillWorks) {
    for (Damage d : kAll) {
        DamagedGame dg("p2/26.jpg", d, [](std::vector<uint8_t>& b) { b.resize(b.size() / 2); });
        Game g({1024, 768}, dg.folder);
        g.start();
        SCOPED_TRACE(Name(d));
        g.app.guard([&] { g.game.NewRoom(26); });
        EXPECT_EQ(g.game.GameState.Room, 26);
        EXPECT_TRUE(g.game.arrowS.Visible);  // the room's entry finished
        EXPECT_FALSE(g.game.Memo.empty());
        if (d == Damage::Missing || d == Damage::Empty || d == Damage::Random) {
            ASSERT_FALSE(g.platform.errors.empty());
            if (d == Damage::Missing) {
                EXPECT_NE(g.platform.errors[0].find("p2/26.jpg"), std::string::npos);
            }
        }
        g.walkTo(27);  // the exits still work
    }
}

TEST(BadInput, SavedGamesOfEveryKindOfDamage) {
    Game g;
    g.startAndClickOnce();
    g.game.Display(kWing, true);
    g.game.NewRoom(9);
    fs::path good = g.user / "good.sav";
    g.platform.fileAnswers.push_back(good.string());
    g.game.SaveGame();
    std::vector<uint8_t> bytes = Bytes(good);
    GameStateRecord before = g.game.GameState;
    std::mt19937 rng(7);
    std::vector<std::vector<uint8_t>> damaged = {
        {},
        std::vector<uint8_t>(bytes.begin(), bytes.begin() + 100),
        [&] { auto b = bytes; for (auto& x : b) x = uint8_t(rng()); b[0] = 'v'; b[1] = '2'; return b; }(),
        [&] { auto b = bytes; b[447] = 0; return b; }(),
        [&] { auto b = bytes; b[2 + 40] = -1; return b; }(),
    };
    for (const auto& b : damaged) {
        fs::path p = g.user / "damaged.sav";
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
        g.platform.fileAnswers.push_back(p.string());
        g.game.Open1Click();
        EXPECT_EQ(std::memcmp(g.game.GameState.bytes(), before.bytes(), 448), 0);
        EXPECT_TRUE(g.game.Vis(kWing));
    }
    // Oversized: longer than a saved game can be, so refused without being read.
    std::vector<uint8_t> big = bytes;
    big.resize(100000, 0xAA);
    fs::path p = g.user / "big.sav";
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(big.data()), std::streamsize(big.size()));
    g.game.NewRoom(10);
    size_t boxes = g.platform.messages.size();
    g.platform.fileAnswers.push_back(p.string());
    g.game.Open1Click();
    EXPECT_EQ(g.platform.messages.size(), boxes + 1);
    EXPECT_EQ(g.game.GameState.Room, 10);
    EXPECT_TRUE(g.game.Vis(kWing));
}

TEST(Reentry, ClicksMenusAndTicksDuringLongStepsLeaveTheStateWhole) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    // During the train ride's pause the player clicks everywhere.
    t.GameState.ExitNorth[6] = 26;
    t.NewRoom(6);
    g.platform.inject([&] {
        g.app.guard([&] { t.arrowSClick(); });
        g.app.guard([&] { t.Image2MouseDown(MouseButton::Left, 300, 200); });
        g.app.guard([&] { t.FontColorClick("Red1"); });
    });
    g.app.guard([&] { t.arrowNClick(); });
    EXPECT_EQ(t.GameState.Room, 26);  // the ride lands where it should
    // During a conversation the game window's own clicks do not reach the rules twice.
    t.NewRoom(17);
    int meetings = 0;
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        ++meetings;
        g.app.guard([&] { g.doOn(2); });  // a press that slipped through to the game window
        g.talk();
    };
    g.doOn(2);
    EXPECT_EQ(meetings, 1);
    EXPECT_FALSE(t.RuleBusy);
    // Timer ticks arriving while a rule waits for "Continue".
    t.NewRoom(1);
    g.P(MainStage) = 1;
    t.Reappear.setEnabled(true);
    g.doOn(3);
    EXPECT_EQ(g.P(MainStage), 2);
    EXPECT_TRUE(t.Image2.Enabled);
    EXPECT_FALSE(t.WaitingForContinue);
    // An error inside a rule leaves the picture enabled, the exits shown and the guards free.
    t.NewRoom(27);
    g.S(214) = 1;
    t.Image2.Enabled = false;
    t.RuleBusy = true;
    g.app.guard([&] { throw std::runtime_error("a picture failed"); });
    EXPECT_TRUE(t.Image2.Enabled);
    EXPECT_FALSE(t.RuleBusy);
    EXPECT_TRUE(t.arrowN.Visible);
}
