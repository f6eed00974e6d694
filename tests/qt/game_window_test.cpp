// What the player meets in the real windows: the item on the cursor, the mode buttons, the
// intro's buttons and keys while it blends, and a wait for "Continue" that sleeps.
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "game_window.h"
#include "pictures/jpeg.h"

namespace lnf {
namespace {

using test::QtGame;
using test::WaitUntil;

// A left click as the window system delivers it: queued, then handled by the event loop.
void PostClick(QWidget* w) {
    QPointF at(w->width() / 2.0, w->height() / 2.0);
    QPointF global = w->mapToGlobal(at);
    QCoreApplication::postEvent(
        w, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        w, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// ----- the cursor -----

TEST_F(QtGame, AnItemPutOnTheCursorShowsTheFirstTime) {
    for (int n : {2, 12}) {  // the kitten, then the stick: each selected for the first time
        app_.guard([&] { game_.Display(n, true); });
        platform_.syncAll();
        PictureWidget* item = pictureAt(game_.item[size_t(n)]);
        PictureWidget* room = pictureAt(game_.Image2);
        ASSERT_TRUE(item && room);
        PostClick(item);
        ASSERT_TRUE(WaitUntil([&] { return game_.CursorMode == n; }, 2000));
        EXPECT_EQ(room->cursor().shape(), Qt::BitmapCursor) << "item " << n << " is not on the pointer";
        EXPECT_FALSE(room->cursor().pixmap().isNull()) << "item " << n;
    }
}

// ----- the mode buttons -----

TEST_F(QtGame, ThePressedModeButtonIsPlainlyLit) {
    // The two picture buttons of the control panel.
    QAbstractButton *look = nullptr, *doButton = nullptr;
    for (QAbstractButton* b : view_.findChildren<QAbstractButton*>()) {
        if (!b->isCheckable() || b->size() != QSize(100, 60)) continue;
        (look && b->x() > look->x() ? doButton : look) = b;
        if (look && doButton && doButton->x() < look->x()) std::swap(look, doButton);
    }
    ASSERT_TRUE(look && doButton);
    auto shot = [&](QAbstractButton* b) { return b->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    app_.guard([&] { game_.LookClick(); });
    platform_.syncAll();
    QImage lookOn = shot(look), doOff = shot(doButton);
    app_.guard([&] { game_.DoButtonClick(); });
    platform_.syncAll();
    QImage lookOff = shot(look), doOn = shot(doButton);
    for (auto [on, off, name] : {std::tuple{lookOn, lookOff, "Look"}, std::tuple{doOn, doOff, "Do"}}) {
        ASSERT_EQ(on.size(), off.size());
        int changed = 0, total = on.width() * on.height();
        double sum = 0;
        for (int y = 0; y < on.height(); ++y) {
            for (int x = 0; x < on.width(); ++x) {
                QRgb a = on.pixel(x, y), b = off.pixel(x, y);
                int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
                sum += d;
                if (d >= 60) ++changed;
            }
        }
        std::cout << name << ": " << 100 * changed / total << "% of the pixels differ by 60 or more, "
                  << int(sum / total) << " of 255 on average\n";
        EXPECT_GT(changed, total / 2) << name << ": pressed and released look alike";
        // Lit: the pressed face is brighter than the released one.
        auto brightness = [](const QImage& i) {
            double s = 0;
            for (int y = 0; y < i.height(); ++y)
                for (int x = 0; x < i.width(); ++x) s += qGray(i.pixel(x, y));
            return s / (i.width() * i.height());
        };
        EXPECT_GT(brightness(on), brightness(off) + 30) << name;
    }
}

// ----- the frame -----

TEST_F(QtGame, TheStatusBarAndTheBandUnderTheMessageLineAreNotDesktopGrey) {
    QLabel* score = nullptr;
    for (QLabel* l : view_.findChildren<QLabel*>())
        if (l->text().startsWith("Score:")) score = l;
    ASSERT_TRUE(score);
    QWidget* statusBar = score->parentWidget();
    QWidget* band = statusBar->parentWidget();  // round the message line, above the bar
    for (QWidget* w : {statusBar, band}) {
        QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int grey = 0, total = 0;
        for (int y = 0; y < shot.height(); y += 2) {
            for (int x = 0; x < shot.width(); x += 2, ++total) {
                QRgb p = shot.pixel(x, y);
                if (std::abs(qRed(p) - qGreen(p)) < 8 && std::abs(qGreen(p) - qBlue(p)) < 8 && qRed(p) > 60) ++grey;
            }
        }
        EXPECT_LT(grey, total / 10) << w->metaObject()->className() << " " << w->geometry().width() << "x"
                                    << w->geometry().height() << " is grey";
    }
}

// ----- the intro -----

class QtIntro : public QtGame {
protected:
    QToolButton* button(bool exit) {
        for (QToolButton* b : intro_.findChildren<QToolButton*>())
            if ((b->y() > 30) == exit) return b;
        return nullptr;
    }
    // Shows the intro as the game does; `during` runs on its loop. A run that hangs is closed
    // after a while and reported.
    bool runIntro(const std::function<void()>& during) {
        QTimer::singleShot(0, &intro_, during);
        bool forced = false;
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [&] {
            forced = true;
            platform_.closeModal(WindowId::Intro);
        });
        safety.start(15000);
        app_.guard([&] { app_.Intro->ShowModal(); });
        return !forced;
    }
};

TEST_F(QtIntro, SkipDuringTheOpeningBlendClosesTheIntro) {
    bool blending = false;
    ASSERT_TRUE(runIntro([&] {
        QTimer::singleShot(150, &intro_, [&] {
            blending = intro_.windowOpacity() < 1.0;
            PostClick(button(true));
        });
    })) << "the intro stayed open after Skip";
    EXPECT_TRUE(blending) << "Skip was not pressed during the opening blend";
    EXPECT_FALSE(app_.Intro->Image1.Visible);
    // Shown again from the menu, it opens solid and from the title picture.
    EXPECT_TRUE(WaitUntil([&] { return intro_.windowOpacity() == 1.0; }, 1000));
    EXPECT_EQ(app_.Intro->Tag, 1);
}

TEST_F(QtIntro, EscapeDuringTheOpeningBlendClosesTheIntro) {
    ASSERT_TRUE(runIntro([&] {
        QTimer::singleShot(100, &intro_, [&] {
            QCoreApplication::postEvent(&intro_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
    })) << "the intro stayed open after Escape";
}

TEST_F(QtIntro, PressesDuringASlideEachShowTheNextSlideWithItsCaption) {
    // Continue twice and Enter once in quick succession, the later ones while the first
    // slide is still blending in: three slides on, each with its own caption.
    int tag = 0;
    std::string caption;
    Image shown;
    ASSERT_TRUE(runIntro([&] {
        QTimer::singleShot(1200, &intro_, [&] {  // after the opening blend
            PostClick(button(false));
            PostClick(button(false));
            QCoreApplication::postEvent(&intro_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
            WaitUntil([&] { return false; }, 5500);  // three slides of a second each, and a pause
            tag = app_.Intro->Tag;
            caption = app_.Intro->Introbox.Caption;
            shown = app_.Intro->Image1.Picture;
            PostClick(button(true));
        });
    }));
    EXPECT_EQ(tag, 4);
    EXPECT_EQ(caption, app_.text("intro3"));
    EXPECT_TRUE(shown == DecodeJpeg(files_.read("intro\\intro3.jpg")).image) << "the slide is not the third";
}

// ----- waiting for the player -----

TEST_F(QtGame, AContinueWaitSleepsInTheEventLoop) {
    // LNF_IDLE_MS sets how long the wait is watched (scripts/idle-cpu watches 5 s).
    const char* env = std::getenv("LNF_IDLE_MS");
    const int watchMs = env ? std::max(200, std::atoi(env)) : 1000;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    int wakes = 0;
    bool counting = false;
    auto counter = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [&] { wakes += counting; });
    double cpuMs = 0;
    QTimer::singleShot(1300, &view_, [&] {  // past the first second, in which "Continue" waits to show
        counting = true;
        double cpu0 = ProcessCpuMs();
        QTimer::singleShot(watchMs, &view_, [&, cpu0] {
            counting = false;
            cpuMs = ProcessCpuMs() - cpu0;
            for (ClickArea* c : view_.findChildren<ClickArea*>())
                if (c->text() == "Continue") PostClick(c);
        });
    });
    app_.guard([&] { game_.DrawPic("cauldx", 0, 0, false); });
    QObject::disconnect(counter);
    std::cout << "waiting " << watchMs << " ms for Continue: " << cpuMs << " ms of processor time ("
              << 100.0 * cpuMs / watchMs << " % of a core), " << wakes << " wake-ups\n";
    EXPECT_EQ(game_.Next1.Tag, 0) << "the wait did not end with Continue";
    // A wait that spins keeps a core busy; one that sleeps uses next to nothing.
    EXPECT_LT(cpuMs, watchMs / 10.0) << "the wait does not sleep";
}

}  // namespace
}  // namespace lnf
