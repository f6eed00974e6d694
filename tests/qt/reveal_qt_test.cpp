// The hotspots and the keyboard on the real game window: Tab and the menu item show the
// outlines on the room picture, the keys reach the game, and a game is played from the first
// room through the first conversation with keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include "game_window.h"
#include "conversation/lnf_closeup.h"
#include "qt/about_view.h"
#include "qt/closeup_view.h"
#include "windows/lnf_about.h"

namespace lnf {
namespace {

using test::QtGame;
using test::WaitUntil;

// A key as the window system hands it over: through the application, so that everything
// that watches the keys sees it.
void Press(QWidget* w, int key, bool autoRepeat = false) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
}
void Release(QWidget* w, int key, bool autoRepeat = false) {
    QKeyEvent e(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
}
void Tap(QWidget* w, int key) {
    Press(w, key);
    Release(w, key);
}

class QtReveal : public QtGame {
protected:
    QImage picture() {
        PictureWidget* room = pictureAt(game_.Image2);
        EXPECT_TRUE(room);
        return room ? room->grab().toImage() : QImage();
    }
    // How many pixels of the picture differ between two grabs.
    static int Changed(const QImage& a, const QImage& b) {
        if (a.size() != b.size()) return -1;
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }
    QAction* hotspotsItem() {
        for (QAction* a : view_.findChildren<QAction*>())
            if (a->text() == "Show Hot&spots") return a;
        return nullptr;
    }
};

TEST_F(QtReveal, TabHeldAndTheMenuItemShowTheOutlines) {
    QImage plain = picture();
    QWidget* focus = QApplication::focusWidget();
    Press(&view_, Qt::Key_Tab);
    Press(&view_, Qt::Key_Tab, true);  // held: the key repeats
    Release(&view_, Qt::Key_Tab, true);
    platform_.syncAll();
    EXPECT_TRUE(view_.roomKeys().revealShown());
    QImage shown = picture();
    // Outlines and exits cover a good part of the picture, but it still shows under them.
    int changed = Changed(plain, shown);
    EXPECT_GT(changed, plain.width() * plain.height() / 20);
    EXPECT_LT(changed, plain.width() * plain.height());
    EXPECT_EQ(QApplication::focusWidget(), focus) << "Tab moved the focus instead";
    // The exits are framed and tinted, never painted over: the room shows through them.
    for (const Control* exit : {&game_.arrowN, &game_.arrowE}) {
        ASSERT_TRUE(exit->Visible);
        QPoint at(std::min(exit->Left + exit->Width / 2, plain.width() - 8), exit->Top + exit->Height * 3 / 4);
        QColor before = plain.pixelColor(at), after = shown.pixelColor(at);
        EXPECT_LT(std::abs(before.red() - after.red()) + std::abs(before.green() - after.green()) +
                      std::abs(before.blue() - after.blue()),
                  120)
            << "the exit at (" << at.x() << ", " << at.y() << ") hides the room";
    }
    // A release that the window system did not mark as a repeat, with the key still held.
    Release(&view_, Qt::Key_Tab);
    Press(&view_, Qt::Key_Tab, true);
    EXPECT_FALSE(WaitUntil([&] { return !view_.roomKeys().revealShown(); }, 300)) << "a repeat hid the outlines";
    Release(&view_, Qt::Key_Tab);
    ASSERT_TRUE(WaitUntil([&] { return !view_.roomKeys().revealShown(); }, 2000));
    platform_.syncAll();
    EXPECT_EQ(Changed(plain, picture()), 0) << "the outlines stay after Tab is let go";

    QAction* item = hotspotsItem();
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isCheckable());
    item->trigger();
    platform_.syncAll();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(Changed(shown, picture()), 0) << "the menu item shows what Tab shows";
    // In the next room the outlines are that room's.
    app_.guard([&] { game_.arrowEClick(); });
    platform_.syncAll();
    ASSERT_NE(game_.GameState.Room, 4);
    QImage nextRoom = picture();
    item->trigger();
    platform_.syncAll();
    EXPECT_FALSE(item->isChecked());
    EXPECT_GT(Changed(picture(), nextRoom), 0);
}

TEST_F(QtReveal, ArrowsDigitsAndEnterReachTheGame) {
    KeyboardPlay& keys = view_.roomKeys().play();
    std::vector<KeyTarget> order = keys.reveal().order;
    ASSERT_GE(order.size(), 2u);
    QImage plain = picture();
    Tap(&view_, Qt::Key_Down);
    EXPECT_EQ(keys.highlighted(), order[0]);
    platform_.syncAll();
    EXPECT_GT(Changed(plain, picture()), 0) << "the highlight is not drawn";
    Tap(&view_, Qt::Key_Right);
    EXPECT_EQ(keys.highlighted(), order[1]);
    Tap(&view_, Qt::Key_Up);
    Tap(&view_, Qt::Key_Left);
    EXPECT_EQ(keys.highlighted(), order.back());
    // The digits pick carried items.
    app_.guard([&] { game_.Display(kBottle, true); });
    platform_.syncAll();
    Tap(&view_, Qt::Key_1);
    EXPECT_EQ(game_.CursorMode, kBottle);
    // With a modifier the keys are not the room's.
    QKeyEvent ctrlRight(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
    QApplication::sendEvent(&view_, &ctrlRight);
    EXPECT_EQ(keys.highlighted(), order.back());
}

TEST_F(QtReveal, FromTheFirstRoomThroughTheFirstConversationWithKeys) {
    // The fixture's press has shown the opening narrative; Space turns Look into Do.
    // Keys reach the shortcuts of the active window only.
    QApplication::setActiveWindow(&view_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view_));
    QTest::keyClick(view_.focusWidget() ? view_.focusWidget() : &view_, Qt::Key_Space);
    platform_.syncAll();
    ASSERT_EQ(game_.CursorMode, kDoMode);
    KeyboardPlay& keys = view_.roomKeys().play();
    KeyTarget rose{KeyTarget::Object, 2, North, 0, 0};
    for (int i = 0; i < 20 && keys.highlighted() != rose; ++i) Tap(&view_, Qt::Key_Right);
    ASSERT_EQ(keys.highlighted(), rose);
    // While the conversation is up, Enter goes on to its next line until it is over; a wait
    // for "Continue" in the room is answered with Enter too.
    int conversationKeys = 0, continueKeys = 0;
    bool sawConversation = false;
    QTimer driver;
    driver.setInterval(40);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (closeUp_.isVisible()) {
            sawConversation = true;
            EXPECT_FALSE(app_.CloseUp->APanel.Visible) << "the rose asks no riddle";
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &closeUp_;
            ++conversationKeys;
            Tap(target, Qt::Key_Return);
        } else if (game_.WaitingForContinue && game_.Next1.Visible) {
            ++continueKeys;
            Tap(&view_, Qt::Key_Return);
        }
    });
    driver.start();
    Tap(&view_, Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return sawConversation && !closeUp_.isVisible() && !game_.Busy(); }, 60000));
    driver.stop();
    EXPECT_GT(conversationKeys, 1);
    EXPECT_NE(game_.GameState.ObjState[kRose], 0) << "the rose's conversation did not count";
}

// In a window that is up, Tab walks its buttons and Enter presses the one it is on.
TEST_F(QtReveal, TabAndEnterLeaveAConversationAndAnswerAQuestion) {
    app_.guard([&] { game_.DoButtonClick(); });
    KeyboardPlay& keys = view_.roomKeys().play();
    KeyTarget rose{KeyTarget::Object, 2, North, 0, 0};
    for (int i = 0; i < 20 && keys.highlighted() != rose; ++i) Tap(&view_, Qt::Key_Right);
    ASSERT_EQ(keys.highlighted(), rose);
    bool tabbed = false;
    QTimer driver;
    driver.setInterval(40);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* focus = QApplication::focusWidget();
        if (!closeUp_.isVisible() || !focus || focus->window() != &closeUp_) return;
        if (!tabbed) {
            tabbed = true;
            Tap(focus, Qt::Key_Tab);
            return;
        }
        Tap(focus, Qt::Key_Return);
    });
    driver.start();
    Tap(&view_, Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return tabbed && !closeUp_.isVisible() && !game_.Busy(); }, 20000));
    driver.stop();
    EXPECT_EQ(game_.GameState.ObjState[kRose], 0) << "the conversation was not left early";

    // The question of a new game: Tab to "No", Enter; then Enter on "Yes" at once.
    for (bool tabFirst : {true, false}) {
        bool pressed = false;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget* focus = about_.focusWidget();
            if (pressed || !about_.isVisible() || !focus) return;
            pressed = true;
            if (tabFirst) Tap(focus, Qt::Key_Tab);
            Tap(about_.focusWidget(), Qt::Key_Return);
        });
        driver.start();
        // A question nobody answers is closed, so that a failure cannot hang the tests.
        QTimer::singleShot(10000, &about_, [&] {
            if (about_.isVisible()) app_.guard([&] { app_.About1->CloseBox(); });
        });
        app_.guard([&] {
            app_.About1->Tag = 2;
            app_.About1->ShowModal();
        });
        driver.stop();
        driver.disconnect();
        EXPECT_TRUE(pressed);
        EXPECT_EQ(app_.About1->Tag, tabFirst ? 2 : 0) << (tabFirst ? "No" : "Yes") << " was not pressed";
    }
}

}  // namespace
}  // namespace lnf
