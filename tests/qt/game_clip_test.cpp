// The clips inside the real game window: started by a rule, drawn over the room picture while
// the rule changes that picture under them, and gone once the room's own picture takes over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <set>

#include "game_window.h"
#include "conversation/lnf_closeup.h"
#include "sound.h"

namespace lnf {
namespace {

using test::QtGame;
using test::WaitUntil;

TEST_F(QtGame, TheBirdsFlightIsSeenWholeAndThenTheChangedRoomTakesOver) {
    app_.guard([&] {
        game_.NewRoom(15);
        game_.Display(5, true);  // the giant claw
        game_.itemClick(5);
    });
    platform_.syncAll();
    uint64_t before = game_.Image2.PictureVersion;
    clickOn(2);  // the bird
    ASSERT_NE(game_.Image2.PictureVersion, before) << "the rule draws the room's changed look at once";
    const QRect rect(65, 16, 312, 148);
    std::set<qint64> seen;
    bool hiddenWhilePlaying = false;
    QElapsedTimer t;
    t.start();
    WaitUntil([&] {
        QLabel* s = clipSurface(rect);
        if (!s || !s->isVisible()) hiddenWhilePlaying = true;
        else seen.insert(s->pixmap().cacheKey());
        return t.elapsed() > 2500;
    }, 5000);
    EXPECT_FALSE(hiddenWhilePlaying) << "the clip vanished under the changed picture";
    EXPECT_GE(seen.size(), 15u) << "the flight was not seen moving";
    ASSERT_TRUE(WaitUntil([&] { return game_.arrowN.Visible; }, 5000)) << "the bird's end was not handled";
    EXPECT_EQ(game_.GameState.ExitNorth[15], 20);
    // Its last picture is the room's changed look; the next picture takes its place.
    app_.guard([&] { game_.NewRoom(15); });
    platform_.syncAll();
    QLabel* s = clipSurface(rect);
    EXPECT_TRUE(!s || !s->isVisible()) << "the clip outlived the next picture";
}

TEST_F(QtGame, AClipLeftBehindDoesNotFollowThePlayerIntoTheNextRoom) {
    app_.guard([&] { game_.NewRoom(28); });
    platform_.syncAll();
    app_.guard([&] { game_.Tree(); });
    platform_.syncAll();
    const QRect rect(544, 77, 91, 71);
    ASSERT_TRUE(WaitUntil([&] { return clipSurface(rect) && clipSurface(rect)->isVisible(); }, 2000));
    app_.guard([&] { game_.NewRoom(27); });
    platform_.syncAll();
    QLabel* s = clipSurface(rect);
    EXPECT_TRUE(!s || !s->isVisible()) << "the tree's clip is drawn over another room";
    // Its end still comes, and the tree is not faded into the wrong room.
    ASSERT_TRUE(WaitUntil([&] { return game_.MP3.Tag == 0; }, 6000));
    EXPECT_EQ(game_.GameState.Room, 27);
}

TEST_F(QtGame, ARestoredGameInTheSameRoomIsNotDrawnOverByAClipStillPlaying) {
    app_.guard([&] {
        game_.NewRoom(28);
        game_.Tree();
    });
    platform_.syncAll();
    const QRect rect(544, 77, 91, 71);
    ASSERT_TRUE(WaitUntil([&] { return clipSurface(rect) && clipSurface(rect)->isVisible(); }, 2000));
    app_.guard([&] { game_.NewRoom(28); });  // what a restore into this room does
    platform_.syncAll();
    QLabel* s = clipSurface(rect);
    EXPECT_TRUE(!s || !s->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return game_.MP3.Tag == 0; }, 6000));
}

// The music switch of the real menu, heard through a private sound server.
TEST_F(QtGame, AudibleMusicSwitchSilencesTheTuneButNotTheEffects) {
    ASSERT_EQ(test::CurrentSound(), test::Sound::Private) << test::SoundProblem();
    test::Recorder rec;
    ASSERT_TRUE(rec.start());
    app_.guard([&] { game_.Playit("music\\frog.wma"); });
    qint64 on = rec.markMs();
    test::Wait(1500);
    app_.guard([&] { game_.MusicOFFClick(); });
    qint64 off = rec.markMs();
    EXPECT_TRUE(game_.menu("MusicOFF").Checked);
    test::Wait(800);
    platform_.playSound("music\\door.wav");  // effects play whatever the switch says
    qint64 door = rec.markMs();
    test::Wait(1400);
    app_.guard([&] { game_.Playit("music\\goat.wma"); });  // a switched-off game stays silent
    qint64 refused = rec.markMs();
    test::Wait(800);
    app_.guard([&] { game_.MusicOFFClick(); });  // back on: the last tune starts again
    qint64 back = rec.markMs();
    test::Wait(1500);
    rec.stop();
    app_.guard([&] { game_.StopMusic(); });
    EXPECT_GT(rec.level(on + 400, on + 1400), 0.01) << "the tune is not heard";
    EXPECT_LT(rec.level(off + 400, door), 0.002) << "the tune goes on after the switch";
    EXPECT_GT(rec.level(door + 60, door + 600), 0.01) << "the effect is not heard with music off";
    EXPECT_LT(rec.level(refused + 200, back), 0.002) << "a tune started with music switched off";
    EXPECT_GT(rec.level(back + 500, back + 1400), 0.01) << "the tune did not come back";
}

// Enter in the answer box is one step, as a press of "Next >>" is: the reply to a right answer
// and the hint after a wrong one are shown, not skipped on the way to the next line.
TEST_F(QtGame, EnterInTheAnswerBoxTakesOneStepOfTheConversation) {
    TCloseUp& c = *app_.CloseUp;
    std::vector<std::string> afterWrong, afterRight, expected;
    // The script runs once the conversation window is up, and always leaves it.
    auto script = [&] {
        auto* box = closeUp_.findChild<QLineEdit*>();
        ASSERT_NE(box, nullptr);
        auto press = [&](int key, const QString& text) {
            QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(box, &down);
            QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(box, &up);
        };
        auto answer = [&](const QString& typed) {
            box->setFocus();
            for (QChar ch : typed) press(ch.isLetter() ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : Qt::Key_Space, QString(ch));
            press(Qt::Key_Return, "\r");
            platform_.syncAll();
            return c.Talk1.Caption;
        };
        for (int press1 = 0; press1 < 10 && !c.APanel.Visible; ++press1) app_.guard([&] { c.Next1Click(); });
        platform_.syncAll();
        ASSERT_TRUE(c.APanel.Visible);
        expected = {c.Memo1[size_t(c.Record.WrongLine[0])], c.Memo1[size_t(c.Record.RightLine[0] - 1)]};
        afterWrong.push_back(answer("NOTHING LIKE IT"));
        app_.guard([&] { c.Next1Click(); });  // "<<Repeat": the question again, the box open
        platform_.syncAll();
        afterRight.push_back(answer(QString::fromStdString(c.Record.Answers[0][0])));
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &closeUp_, [&] {
        if (!closeUp_.isVisible() || c.Memo1.empty()) return;
        poll.stop();
        script();
        app_.guard([&] { c.Exit1Click(); });
    });
    poll.start(50);
    app_.guard([&] { c.CharacterTalks(1); });
    ASSERT_EQ(expected.size(), 2u);
    ASSERT_EQ(afterWrong.size(), 1u);
    ASSERT_EQ(afterRight.size(), 1u);
    EXPECT_EQ(afterWrong[0], expected[0]) << "the hint after a wrong answer was skipped";
    EXPECT_EQ(afterRight[0], expected[1]) << "the reply to the right answer was skipped";
}

}  // namespace
}  // namespace lnf
