// A whole game on the headless platform against the real shipped data, with helpers that
// play it the way a player would: clicks on objects, items on the cursor, walking, talking.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/lnf_game.h"
#include "conversation/conversation_data.h"
#include "conversation/lnf_closeup.h"
#include "pictures/resources.h"
#include "platform/headless_platform.h"
#include "windows/lnf_about.h"
#include "windows/lnf_black.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_inventory.h"
#include "windows/lnf_saved_games.h"

namespace lnf::testing {

// A file's bytes, and a file written with them (its folder made when needed).
inline std::vector<uint8_t> ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
inline void WriteAll(const std::filesystem::path& p, const std::vector<uint8_t>& b) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

inline std::filesystem::path FreshFolder(const std::string& name) {
    static int counter = 0;
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("lnf_" + name + "_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p;
}

class Game {
public:
    explicit Game(ScreenSize screen = {1024, 768}, std::filesystem::path gameFolder = LNF_GAME_DIR)
        : user(FreshFolder("user")),
          files(user, {gameFolder}),
          platform(&files),
          app(platform, files, EmbeddedResources(), screen),
          game(*app.Game) {
        game.ArrangeControls(screen.width, screen.height - 20);
        // Tests open the game window themselves; the backdrop's sequence is tested on its own.
        app.Black->Time1.setEnabled(false);
        platform.modalScripts[WindowId::CloseUp] = [this] { talk(); };
        platform.modalScripts[WindowId::About1] = [this] {
            if (aboutAnswer == 0) app.About1->Okay1Click();
            else if (aboutAnswer == 1) app.About1->No1Click();
            else app.About1->CloseBox();
        };
        platform.modalScripts[WindowId::Inventory] = [this] { app.Inventory->OKClick(); };
        platform.modalScripts[WindowId::Intro] = [this] { app.Intro->exitbuttonClick(); };
        // Unless a test plays the saved-games window itself, the player goes on to the file
        // dialogs through "Other file...".
        platform.modalScripts[WindowId::SavedGames] = [this] { app.SavedGames->OtherFileClick(); };
        // A player waiting at "Continue" presses it after a moment.
        platform.onIdle = [this] {
            if (pressing || !autoContinue) return;
            if (game.WaitingForContinue && game.Next1.Visible && game.Next1.Tag == 0) {
                pressing = true;
                platform.sleep(300);
                ++continuesPressed;
                game.Next1Click();
                pressing = false;
            }
        };
    }
    ~Game() { std::filesystem::remove_all(user); }

    // The game window as the player first sees it: shown, room 4, start state loaded.
    void start() {
        game.FormShow();
        game.FormActivate();
    }
    void startAndClickOnce() {
        start();
        pressAt(100, 100);  // the first click only shows the opening narrative
    }

    void pressAt(int x, int y, MouseButton b = MouseButton::Left) {
        app.guard([&] { game.Image2MouseDown(b, x, y); });
        app.guard([&] { game.Image2Click(); });
    }

    // The centre of the first cell of the current room that holds `code`, in picture pixels.
    std::pair<int, int> pointOf(int code) const {
        for (int col = 0; col < kGridColumns; ++col) {
            for (int row = 0; row < kGridRows; ++row) {
                int cell = CellNumber(col, row);
                if (game.RoomCells[size_t(cell)] != code) continue;
                // Prefer a cell whose neighbours hold the same code: the middle of the object.
                bool inner = row > 0 && row < 16 && game.RoomCells[size_t(cell - 1)] == code &&
                             game.RoomCells[size_t(cell + 1)] == code;
                if (!inner) continue;
                return {int((col + 0.5f) * game.CellWidth), int((row + 0.5f) * game.CellHeight)};
            }
        }
        for (int cell = 0; cell < 629; ++cell) {
            if (game.RoomCells[size_t(cell)] == code)
                return {int((cell / 17 + 0.5f) * game.CellWidth), int((cell % 17 + 0.5f) * game.CellHeight)};
        }
        ADD_FAILURE() << "room " << int(game.GameState.Room) << " has no object code " << code;
        return {-1, -1};
    }

    void look(int code) {
        app.guard([&] { game.ChangeCursor(kLookMode); });
        auto [x, y] = pointOf(code);
        pressAt(x, y);
    }
    void doOn(int code) {
        actions.push_back("do " + std::to_string(game.GameState.Room) + "." + std::to_string(code));
        app.guard([&] { game.ChangeCursor(kDoMode); });
        auto [x, y] = pointOf(code);
        pressAt(x, y);
    }
    void use(int item, int code) {
        ASSERT_TRUE(game.Vis(item)) << "item " << item << " is not carried";
        actions.push_back("use " + std::to_string(item) + " on " + std::to_string(game.GameState.Room) + "." + std::to_string(code));
        app.guard([&] { game.itemClick(item); });
        auto [x, y] = pointOf(code);
        pressAt(x, y);
    }
    void combine(int held, int onto) {
        actions.push_back("combine " + std::to_string(held) + " with " + std::to_string(onto));
        app.guard([&] { game.itemClick(held); });
        app.guard([&] { game.itemClick(onto); });
    }

    // Walks the open exits to `room`, through the arrow areas as a player would.
    void walkTo(int target) {
        for (int guard = 0; guard < 40 && game.GameState.Room != target; ++guard) {
            int from = game.GameState.ShownRoom;
            std::optional<ExitStep> next = FirstStepTowards(game.GameState, from, target);
            ASSERT_TRUE(next) << "no way from room " << from << " to room " << target;
            int step = next->room, dir = next->direction;
            Control* areas[4] = {&game.arrowN, &game.arrowS, &game.arrowE, &game.arrowW};
            ASSERT_TRUE(areas[dir]->Visible) << "room " << from << " shows no area for its exit to " << step;
            app.guard([&] {
                if (dir == 0) game.arrowNClick();
                if (dir == 1) game.arrowSClick();
                if (dir == 2) game.arrowEClick();
                if (dir == 3) game.arrowWClick();
            });
            ASSERT_EQ(game.GameState.Room, step);
        }
        ASSERT_EQ(game.GameState.Room, target);
    }

    // Plays the open conversation: Next, and the answers when the box asks for one.
    void talk() {
        TCloseUp& c = *app.CloseUp;
        for (int steps = 0; steps < 400 && platform.isOpen(WindowId::CloseUp); ++steps) {
            if (leaveConversation) {
                c.Exit1Click();
                return;
            }
            if (c.APanel.Visible) {
                int q = std::abs(c.QuestionState) / 10;
                if (wrongFirst && !answeredWrong.count(q)) {
                    answeredWrong.insert(q);
                    c.Answer.Caption = "BANANAS";
                } else {
                    const std::string& a = c.Record.Answers[size_t(answerField)][size_t(q)];
                    // Numbers and single letters must be typed exactly; words may sit in a phrase.
                    c.Answer.Caption = (a.size() >= 2 && !IntCheck(a) ? answerPrefix : std::string()) + a;
                }
                ++answersTyped;
            }
            shownLines.push_back(c.Talk1.Caption);
            c.Next1Click();
        }
        EXPECT_FALSE(platform.isOpen(WindowId::CloseUp)) << "a conversation never ended";
        answeredWrong.clear();
    }

    std::string message() const { return game.text1.Caption; }
    int score() const { return game.GameState.score(); }
    int8_t& P(int i) { return game.GameState.Progress[i]; }
    int8_t& S(int i) { return game.GameState.ObjState[i]; }

    std::filesystem::path user;
    GameFiles files;
    HeadlessPlatform platform;
    Application app;
    TGame& game;

    int aboutAnswer = 0;  // 0 yes/okay, 1 no, 2 close box
    bool autoContinue = true;
    bool pressing = false;
    bool leaveConversation = false;
    bool wrongFirst = false;
    int answerField = 0;
    std::string answerPrefix;
    std::set<int> answeredWrong;
    int answersTyped = 0;
    int continuesPressed = 0;
    std::vector<std::string> shownLines;
    std::vector<std::string> actions;  // every do, use and combine, in the walkthrough's words
};

}  // namespace lnf::testing
