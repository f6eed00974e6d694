// The story from any sequence of player actions: each input byte picks an action (a press on a
// cell, an exit, an item onto the cursor, combining, a menu command, time passing, an answer to
// type, a prepared story point), played through the real handlers on the headless platform
// against the shipped data. After every action the game must be whole: no step left running,
// every byte of the record within what the rules write, the score never falling except by a
// new game or a restore, every shown exit area leading somewhere.
#include <cstring>
#include <deque>
#include <memory>
#include <string>

#include "fuzz_common.h"
#include "pictures/jpeg.h"
#include "windows/lnf_about.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_inventory.h"
#include "world/record_check.h"

namespace {

using namespace lnf;

constexpr int kMaxActions = 32;

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool more() const { return at < size; }
    uint8_t next() { return at < size ? data[at++] : 0; }
};

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

// The record as it was when last found whole: most actions change nothing in it, and checking
// each of its bytes after every action was a tenth of an input's time.
GameStateRecord lastWhole;
bool lastWholeKnown = false;

void CheckWhole(TGame& t, int32_t scoreBefore, bool scoreMayFall) {
    Check(!t.Busy());
    Check(!t.RuleBusy);
    Check(!t.WaitingForContinue);
    if (!lastWholeKnown || std::memcmp(&lastWhole, &t.GameState, sizeof(GameStateRecord)) != 0) {
        Check(RecordUsable(t.GameState, sizeof(GameStateRecord)));
        std::memcpy(&lastWhole, &t.GameState, sizeof(GameStateRecord));
        lastWholeKnown = true;
    }
    Check(scoreMayFall || t.GameState.score() >= scoreBefore);
    const GameStateRecord& s = t.GameState;
    int room = s.ShownRoom;
    if (!t.Closed) {
        Check(!t.arrowN.Visible || s.ExitNorth[room] != 0);
        Check(!t.arrowS.Visible || s.ExitSouth[room] != 0);
        Check(!t.arrowE.Visible || s.ExitEast[room] != 0);
        Check(!t.arrowW.Visible || s.ExitWest[room] != 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Restore();
    fuzz::FuzzGame g;
    TGame& t = *g.app.Game;
    std::deque<bool> answers;  // typed answers to come: right or wrong
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        TCloseUp& c = *g.app.CloseUp;
        for (int i = 0; i < 300 && g.platform.isOpen(WindowId::CloseUp); ++i) {
            if (c.APanel.Visible) {
                bool right = answers.empty() || answers.front();
                if (!answers.empty()) answers.pop_front();
                int q = std::abs(c.QuestionState) / 10 % 5;
                c.Answer.Caption = right ? c.Record.Answers[0][size_t(q)] : std::string("BANANAS");
            }
            c.Next1Click();
        }
        if (g.platform.isOpen(WindowId::CloseUp)) c.Exit1Click();
    };
    int aboutAnswer = 1;
    g.platform.modalScripts[WindowId::About1] = [&] {
        if (aboutAnswer == 0) g.app.About1->Okay1Click();
        else g.app.About1->No1Click();
    };
    g.platform.modalScripts[WindowId::Inventory] = [&] { g.app.Inventory->OKClick(); };
    g.platform.modalScripts[WindowId::Intro] = [&] { g.app.Intro->exitbuttonClick(); };
    bool pressing = false;  // "Continue" lets events run itself: one press at a time
    g.platform.onIdle = [&] {
        if (pressing || !t.WaitingForContinue || !t.Next1.Visible || t.Next1.Tag != 0) return;
        pressing = true;
        t.Next1Click();
        pressing = false;
    };
    std::string saved = (fuzz::GameCopy() / "user" / "story.sav").string();
    g.app.guard([&] { t.FormShow(); t.FormActivate(); });
    g.app.guard([&] { t.Image2MouseDown(MouseButton::Left, 10, 10); });  // the opening hint

    // Thirty-two actions at most: a prepared point of the story puts any part of it within
    // reach of a few actions, and an input's time grows with every action it holds, so longer
    // inputs would only slow the search down (the bytes after them are not read).
    Reader in{data, size};
    for (int step = 0; step < kMaxActions && in.more() && !t.Closed; ++step) {
        int32_t score = t.GameState.score();
        bool mayFall = false;
        uint8_t op = in.next();
        uint8_t arg = in.next();
        switch (op % 12) {
            case 0:
            case 1: {  // a press on a cell of the picture, in the current mode
                int cell = arg * 629 / 256;
                int x = int((cell / 17 + 0.5f) * t.CellWidth), y = int((cell % 17 + 0.5f) * t.CellHeight);
                g.app.guard([&] { t.Image2MouseDown(MouseButton::Left, x, y); });
                g.app.guard([&] { t.Image2Click(); });
                break;
            }
            case 2:  // an exit area, as far as it is shown
                g.app.guard([&] {
                    switch (arg % 4) {
                        case 0: if (t.arrowN.Visible) t.arrowNClick(); break;
                        case 1: if (t.arrowS.Visible) t.arrowSClick(); break;
                        case 2: if (t.arrowE.Visible) t.arrowEClick(); break;
                        default: if (t.arrowW.Visible) t.arrowWClick(); break;
                    }
                });
                break;
            case 3: {  // an item onto the cursor, or onto the item held (combining)
                int n = arg % kItems + 1;
                if (t.Vis(n)) g.app.guard([&] { t.itemClick(n); });
                break;
            }
            case 4:
                g.app.guard([&] {
                    if (arg % 3 == 0) t.LookClick();
                    else if (arg % 3 == 1) t.DoButtonClick();
                    else t.Image2MouseDown(MouseButton::Right, 5, 5);
                });
                break;
            case 5: {  // a menu command
                aboutAnswer = (arg >> 4) & 1;
                mayFall = true;
                switch (arg % 10) {
                    case 0:
                        g.platform.fileAnswers.push_back(saved);
                        g.app.guard([&] { t.SaveAs1Click(); });
                        break;
                    case 1:
                        g.platform.fileAnswers.push_back(saved);
                        g.app.guard([&] { t.Open1Click(); });
                        break;
                    case 2: g.app.guard([&] { t.New1Click(); }); break;
                    case 3: g.app.guard([&] { t.Level1Click(); }); break;
                    case 4: g.app.guard([&] { t.Level2Click(); }); break;
                    case 5: g.app.guard([&] { t.MusicOFFClick(); }); break;
                    case 6: g.app.guard([&] { t.FontColorClick("Lime1"); }); break;
                    case 7: g.app.guard([&] { t.AboutClick(); }); break;
                    case 8: g.app.guard([&] { t.Introduction1Click(); }); break;
                    default: g.app.guard([&] { t.Exit1Click(); }); break;
                }
                g.platform.fileAnswers.clear();
                break;
            }
            case 6: g.platform.advance(int64_t(arg) * 100); break;
            case 7: answers.push_back((arg & 1) == 0); break;
            case 8: {
                int n = arg % kItems + 1;
                if (t.Vis(n)) g.app.guard([&] { t.itemDblClick(n); });
                break;
            }
            case 9:  // a prepared point of the story, as the developer panel offers them
                // (never in the middle of an animation, which keeps its room's exits hidden)
                if (!t.AnimationRunning()) g.app.guard([&] { t.Test(TGame::JumpCommand(arg % 20 + 1)); });
                break;
            case 10: {  // a press that arrives while the next step runs
                int cell = arg * 629 / 256;
                auto sent = std::make_shared<bool>(false);
                g.platform.onProcessMessages = [&g, &t, cell, sent, saved] {
                    if (*sent) return;
                    *sent = true;
                    g.app.guard([&] { t.Image2MouseDown(MouseButton::Left, (cell / 17) * 21 + 5, (cell % 17) * 24 + 5); });
                    g.app.guard([&] { t.arrowWClick(); });
                    g.platform.fileAnswers.push_back(saved);
                    g.app.guard([&] { t.SaveAs1Click(); });
                    g.platform.fileAnswers.clear();
                };
                break;
            }
            default:
                g.app.guard([&] { t.ChangeCursor(kDoMode); });
                break;
        }
        CheckWhole(t, score, mayFall);
    }
    g.platform.advance(30000);
    CheckWhole(t, 0, true);
    return 0;
}
