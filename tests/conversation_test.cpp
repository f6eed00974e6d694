// The close-up window's two kinds of conversation, on small fixture records and on the
// shipped files, and the answer rule.
#include <fstream>

#include "game_fixture.h"
#include "world/shifted_text.h"

using lnf::testing::Game;
using namespace lnf;

namespace {

// A conversation text and record laid out as the content compiler lays them: opening lines,
// then each question directly followed by its reply, closing lines, the wrong-answer lines.
struct Fixture {
    std::vector<std::string> lines;
    LevelRecord record;
};

Fixture Make(int questions) {
    Fixture f;
    f.lines = {"hello", "more"};
    std::vector<int> q, r;
    for (int k = 0; k < questions; ++k) {
        q.push_back(int(f.lines.size()));
        f.lines.push_back("question " + std::to_string(k));
        r.push_back(int(f.lines.size()));
        f.lines.push_back("right " + std::to_string(k));
    }
    f.lines.push_back("closing");
    int last = int(f.lines.size()) - 1;
    std::vector<int> w;
    for (int k = 0; k < questions; ++k) {
        w.push_back(int(f.lines.size()));
        f.lines.push_back("wrong " + std::to_string(k));
    }
    f.record.FirstAsk = int8_t(q[0] + 1);
    for (int k = 1; k <= 4; ++k) f.record.Resume[size_t(k)] = int8_t(k < questions ? q[size_t(k)] : 0);
    f.record.LastLine = int8_t(last);
    for (int k = 0; k < questions; ++k) {
        f.record.RightLine[size_t(k)] = int8_t(r[size_t(k)] + 1);
        f.record.WrongLine[size_t(k)] = int8_t(w[size_t(k)]);
        f.record.Answers[0][size_t(k)] = "CAT" + std::string(size_t(k), 'S');
        f.record.Answers[1][size_t(k)] = std::to_string(k + 7);
        f.record.Answers[2][size_t(k)] = "Q";
    }
    return f;
}

// A game folder whose character 2 (Humpty, level 1) is the fixture.
struct FixtureGame {
    std::filesystem::path folder;
    std::unique_ptr<Game> game;
    explicit FixtureGame(const Fixture& f) {
        folder = lnf::testing::FreshFolder("conv");
        std::filesystem::copy(LNF_GAME_DIR, folder, std::filesystem::copy_options::recursive);
        std::string text;
        for (size_t i = 0; i < f.lines.size(); ++i) text += (i ? "\r\n" : "") + f.lines[i];
        auto put = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
            std::ofstream(folder / "data" / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        };
        put("humpty1.dlg", EncodeShifted(text));
        std::vector<uint8_t> records = GameFiles({}, {folder}).read("data\\Level1.dlg");
        std::vector<uint8_t> mine = EncodeLevelRecord(f.record);
        std::copy(mine.begin(), mine.end(), records.begin() + 2 * long(kLevelRecordSize));
        put("Level1.dlg", records);
        game = std::make_unique<Game>(ScreenSize{1024, 768}, folder);
        game->start();
    }
    ~FixtureGame() {
        game.reset();
        std::filesystem::remove_all(folder);
    }
};

// Runs character 2's conversation with a scripted sequence of presses and answers.
std::vector<std::string> Play(FixtureGame& fg, const std::vector<std::string>& answers, bool exitAfter = false,
                              int exitAt = 0) {
    Game& g = *fg.game;
    TCloseUp& c = *g.app.CloseUp;
    std::vector<std::string> seen;
    size_t next = 0;
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        for (int press = 0; press < 100 && g.platform.isOpen(WindowId::CloseUp); ++press) {
            seen.push_back(c.Talk1.Caption + (c.APanel.Visible ? " [box]" : "") + (c.Next1.Caption == "<<Repeat" ? " [repeat]" : ""));
            if (exitAfter && press == exitAt) {
                c.Exit1Click();
                return;
            }
            if (c.APanel.Visible) c.Answer.Caption = next < answers.size() ? answers[next++] : "";
            c.Next1Click();
        }
    };
    g.game.Puzzle(2);
    return seen;
}

}  // namespace

TEST(Conversation, OneQuestionRunsToTheEndAndScores) {
    FixtureGame fg(Make(1));
    int before = fg.game->score();
    auto seen = Play(fg, {"THE CAT"});
    std::vector<std::string> expected = {"hello", "more", "question 0", "question 0 [box]", "right 0", "closing"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(fg.game->game.Tag, 1);
    EXPECT_EQ(fg.game->score(), before + 2);
    EXPECT_EQ(fg.game->game.text1.Caption, "  ");
}

TEST(Conversation, ThreeQuestionsWithWrongAnswersAndRepeat) {
    FixtureGame fg(Make(3));
    auto seen = Play(fg, {"DOG", "CAT", "CATS", "8 ", "9"});
    std::vector<std::string> expected = {
        "hello", "more", "question 0", "question 0 [box]", "wrong 0 [repeat]", "question 0 [box]",
        "right 0", "question 1", "question 1 [box]", "right 1", "question 2", "question 2 [box]",
        "wrong 2 [repeat]", "question 2 [box]", "right 2", "closing"};
    EXPECT_EQ(seen, expected);  // "CAT" is no answer to "CATS"; "8 " is not "8" but "9" is
    EXPECT_EQ(fg.game->game.Tag, 1);
}

TEST(Conversation, FiveQuestionsAndLeavingEarly) {
    Fixture f = Make(5);
    EXPECT_EQ(AnswerLimitOf(f.record), 41);
    EXPECT_EQ(AnswerLimitOf(Make(1).record), 1);
    EXPECT_EQ(AnswerLimitOf(Make(3).record), 21);
    FixtureGame fg(f);
    int before = fg.game->score();
    auto seen = Play(fg, {"CAT"}, true, 5);  // Exit part-way
    EXPECT_EQ(fg.game->game.Tag, 0);
    EXPECT_EQ(fg.game->score(), before);
    // Opening it again starts from the first line.
    auto again = Play(fg, {"CAT", "CATS", "CATSS", "CATSSS", "CATSSSS"});
    EXPECT_EQ(again.front(), "hello");
    EXPECT_EQ(again.back(), "closing");
    EXPECT_EQ(fg.game->game.Tag, 1);
    EXPECT_EQ(fg.game->score(), before + 2);
}

TEST(Conversation, AnEmptyAnswerInTheOpenBoxMatchesNothing) {
    Fixture f = Make(1);
    f.record.Answers[2][0] = "";  // a stored empty field means "no answer"
    FixtureGame fg(f);
    auto seen = Play(fg, {"", "CAT"});
    EXPECT_EQ(seen[4], "wrong 0 [repeat]");
    EXPECT_EQ(fg.game->game.Tag, 1);
}

TEST(Conversation, ARecordNamingMissingLinesEndsWithoutCounting) {
    Fixture f = Make(2);
    f.record.WrongLine[1] = 90;  // beyond the text
    FixtureGame fg(f);
    int before = fg.game->score();
    auto seen = Play(fg, {"CAT", "CATS"});
    EXPECT_EQ(fg.game->game.Tag, 0);
    EXPECT_EQ(fg.game->score(), before);
}

TEST(Conversation, AnswerRule) {
    LevelRecord r;
    r.Answers[0][0] = "CAT";
    r.Answers[1][0] = "12";
    r.Answers[2][0] = "Q";
    for (const char* yes : {"CAT", "THE CAT", "CATS", "12", "Q"}) EXPECT_TRUE(CheckAnswers(r, yes, 0)) << yes;
    for (const char* no : {"CA", "12 ", "112", "THE Q", "", "cat"}) EXPECT_FALSE(CheckAnswers(r, no, 0)) << no;
    EXPECT_FALSE(CheckAnswers(r, "CAT", 5));
    EXPECT_TRUE(IntCheck("AB3"));
    EXPECT_FALSE(IntCheck("ABC"));
    // Stored answers end at their first zero, within their 20 bytes.
    std::vector<uint8_t> bytes = EncodeLevelRecord(r);
    bytes[16] = 'X' + 3;
    for (size_t i = 16; i < 36; ++i) bytes[i] = 'X' + 3;  // no end mark at all
    auto parsed = ParseLevelRecord(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->Answers[0][0], std::string(20, 'X'));
    bytes.resize(300);
    EXPECT_FALSE(ParseLevelRecord(bytes));
}

TEST(Conversation, MeetingsShowTheirLinesAndPictures) {
    Game g;
    g.start();
    TCloseUp& c = *g.app.CloseUp;
    std::vector<int> lines;
    std::vector<uint64_t> pictures;
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        for (int press = 0; press < 60 && g.platform.isOpen(WindowId::CloseUp); ++press) {
            lines.push_back(c.ConvLine - 1);
            pictures.push_back(c.Image1.PictureVersion);
            c.Next1Click();
        }
    };
    EXPECT_TRUE(g.game.MeetThem(10));
    EXPECT_EQ(lines, (std::vector<int>{0, 1, 2, 3, 4, 5}));  // six lines; the press after the last ends it
    EXPECT_EQ(c.Talk1.Caption, c.Memo1[5]);

    lines.clear();
    pictures.clear();
    EXPECT_TRUE(g.game.MeetThem(3));
    // Humpty's picture changes as line 14 shows and comes back as line 16 shows.
    ASSERT_GE(pictures.size(), 5u);
    EXPECT_EQ(lines.front(), 13);
    EXPECT_NE(pictures[1], pictures[0]);
    EXPECT_NE(pictures[3], pictures[2]);
    EXPECT_EQ(pictures[2], pictures[1]);

    // Meeting 0 ends in room 8 with the fawn's corner redrawn.
    g.game.NewRoom(14);
    EXPECT_TRUE(g.game.MeetThem(0));
    EXPECT_EQ(g.game.GameState.Room, 8);
    EXPECT_TRUE(g.files.exists("p1\\140.jpg"));

    // Meeting 1 hides Exit; Exit before the end of any other leaves the result at 0.
    g.leaveConversation = true;
    g.platform.modalScripts[WindowId::CloseUp] = [&] { g.talk(); };
    EXPECT_FALSE(g.game.MeetThem(5));
    EXPECT_EQ(g.game.Tag, 0);
}

TEST(Conversation, ShippedQuestionConversationsPlayThroughAtBothLevels) {
    for (int level = 1; level <= 2; ++level) {
        for (int character = 0; character < kCharacters; ++character) {
            Game g;
            g.start();
            g.app.CloseUp->SetLevel(level);
            g.wrongFirst = true;
            g.app.CloseUp->CharacterTalks(uint8_t(character));
            EXPECT_EQ(g.game.Tag, 1) << "level " << level << " character " << character;
            TCloseUp& c = *g.app.CloseUp;
            // Every line of the conversation was shown, and every wrong-answer line.
            std::set<std::string> shown(g.shownLines.begin(), g.shownLines.end());
            for (int line = 0; line <= c.Record.LastLine; ++line) {
                std::string text = c.Memo1[size_t(line)];
                std::string display;
                for (char ch : text) display += ch == '*' ? std::string("\r\n\r\n") : std::string(1, ch);
                EXPECT_TRUE(shown.count(display)) << "level " << level << " character " << character << " line " << line;
            }
            for (int q = 0; q < QuestionCount(c.Record); ++q) {
                std::string text = c.Memo1[size_t(c.Record.WrongLine[size_t(q)])];
                std::string display;
                for (char ch : text) display += ch == '*' ? std::string("\r\n\r\n") : std::string(1, ch);
                EXPECT_TRUE(shown.count(display)) << "wrong line of question " << q;
            }
        }
    }
}

TEST(Conversation, EscapeDoesNotLeaveButTheExitButtonDoes) {
    Game g;
    g.start();
    TCloseUp& c = *g.app.CloseUp;
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        c.FormKeyPress(27);  // Escape
        EXPECT_TRUE(g.platform.isOpen(WindowId::CloseUp));
        c.FormKeyPress(13);  // Enter is Next
        EXPECT_EQ(c.ConvLine, 2);
        c.Exit1Click();
    };
    EXPECT_FALSE(g.game.MeetThem(16));
}
