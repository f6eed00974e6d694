// The real game window offscreen at the sizes a player's screen or window may have: the game
// in the largest 4:3 area on black bars, clicks landing on the objects the room records name,
// everything re-scaled as the window is resized, and the switch to full screen and back.
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "conversation/lnf_closeup.h"
#include "game_window.h"
#include "qt/presentation.h"
#include "world/picture_tables.h"

namespace lnf::test {
namespace {

using test::WaitUntil;

class Presenting : public QtGame {
protected:
    void resizeTo(int w, int h) {
        view_.resize(w, h);
        QApplication::processEvents();
    }
    PictureWidget* picture() { return view_.findChild<PictureWidget*>("Image2"); }
    std::string message() const { return game_.text1.Caption; }
    void key(QWidget* to, int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, k, m);
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, k, m);
        QApplication::sendEvent(to, &release);
        QApplication::processEvents();
    }
};

TEST(FourByThree, LargestCentredArea) {
    EXPECT_EQ(FourByThreeArea({1920, 1080}), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(FourByThreeArea({2560, 1080}), QRect(560, 0, 1440, 1080));
    EXPECT_EQ(FourByThreeArea({1024, 768}), QRect(0, 0, 1024, 768));
    EXPECT_EQ(FourByThreeArea({1024, 1000}), QRect(0, 116, 1024, 768));  // a tall window: bars above and below
    EXPECT_EQ(FourByThreeArea({1280, 800}), QRect(107, 0, 1066, 800));
    EXPECT_TRUE(FourByThreeArea({0, 700}).isEmpty());
    // A window asked for that is larger than the desktop's free area is made to fit it.
    EXPECT_EQ(FittingWindow({1024, 768}, QRect(0, 0, 1024, 740)), QRect(0, 0, 1024, 740));
    EXPECT_EQ(FittingWindow({800, 600}, QRect(0, 30, 1920, 1050)), QRect(560, 255, 800, 600));
}

// Every cell of the rooms, pressed at the centre of where it is drawn on the window, names
// the object the room record puts there; a press under an exit area goes to the exit.
TEST_F(Presenting, ClicksLandOnTheRecordedObjectAtEveryWindowSize) {
    std::vector<uint8_t> records = files_.readPart("2grdata.", 0, size_t(kRooms) * kCellsPerRecord);
    ASSERT_EQ(records.size(), size_t(kRooms) * kCellsPerRecord);
    for (QSize size : {QSize(640, 480), QSize(1024, 768), QSize(1920, 1080), QSize(2560, 1080)}) {
        resizeTo(size.width(), size.height());
        const QRect area = FourByThreeArea(size);
        ASSERT_EQ(app_.screen.width, area.width());
        ASSERT_EQ(app_.screen.height, area.height());
        PictureWidget* pic = picture();
        ASSERT_EQ(pic->geometry(), QRect(game_.Image2.Left, game_.Image2.Top, game_.Image2.Width, game_.Image2.Height));
        // The game's whole window sits in the area: menu at its top, inventory at its right.
        const QRect shown(pic->mapTo(&view_, QPoint(0, 0)), pic->size());
        EXPECT_TRUE(area.contains(shown)) << size.width();
        EXPECT_EQ(view_.findChild<QMenuBar*>()->geometry().topLeft(), area.topLeft());
        const double cellW = kGrid.drawnCellWidth * pic->width() / kGrid.pictureWidth;
        const double cellH = kGrid.drawnCellHeight * pic->height() / kGrid.pictureHeight;
        int wrong = 0, onPicture = 0;
        for (int room = 1; room <= kRooms; ++room) {
            app_.guard([&] { game_.NewRoom(room); game_.ChangeCursor(kLookMode); });
            platform_.syncAll();
            for (int cell = 0; cell < kGridColumns * kGridRows; ++cell) {
                // The middle of the part of the cell on the picture (the last row reaches past it).
                const int col = cell / kGridRows, row = cell % kGridRows;
                const double right = std::min((col + 1) * cellW, double(pic->width()));
                const double bottom = std::min((row + 1) * cellH, double(pic->height()));
                const QPoint at = pic->mapTo(&view_, QPoint(int((col * cellW + right) / 2), int((row * cellH + bottom) / 2)));
                QWidget* hit = view_.childAt(at);
                if (hit != pic) continue;  // an exit area lies over this cell
                ++onPicture;
                game_.text1.Caption = "-";
                const QPoint local = hit->mapFrom(&view_, at);
                QMouseEvent press(QEvent::MouseButtonPress, local, view_.mapToGlobal(at), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(hit, &press);
                QMouseEvent release(QEvent::MouseButtonRelease, local, view_.mapToGlobal(at), Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(hit, &release);
                const int code = records[size_t(room - 1) * kCellsPerRecord + size_t(cell)];
                std::string expected = "-";
                if (code >= 1 && code <= 8)
                    expected = game_.MemoLine((code - 1) + 8 * game_.GameState.ObjState[size_t(ObjectNumber(room, code))]);
                if (game_.ClickedCell != cell || message() != expected) {
                    if (++wrong <= 5)
                        ADD_FAILURE() << size.width() << "x" << size.height() << " room " << room << " cell " << cell
                                      << " hit cell " << game_.ClickedCell;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(onPicture, kRooms * 500);  // the exits cover only the edges
    }
}

TEST_F(Presenting, ResizingRescalesTheWholeGameAtOnce) {
    app_.guard([&] { game_.Display(kWhiteKing, true); });
    const std::string said = message();
    const int score = game_.GameState.score();
    resizeTo(1920, 1080);
    EXPECT_EQ(app_.screen.width, 1440);
    EXPECT_EQ(app_.screen.height, 1080);
    auto* look = view_.findChild<ModeButton*>("Look");
    EXPECT_EQ(look->size(), QSize(140, 84));
    auto* text = [&]() -> QLabel* {
        for (QLabel* l : view_.findChildren<QLabel*>())
            if (l->wordWrap()) return l;
        return nullptr;
    }();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->font().pixelSize(), 27);  // 19 at 1024 x 768
    // The carried item's picture follows its model at the new size.
    auto* item = view_.findChild<PictureWidget*>("item3");
    const PictureControl& m = game_.item[kWhiteKing];
    EXPECT_EQ(item->geometry(), QRect(m.Left, m.Top, m.Width, m.Height));
    EXPECT_EQ(m.Width, 52);
    // The dialogs keep their share too.
    EXPECT_EQ(closeUp_.size(), QSize(875, 623));
    EXPECT_EQ(about_.size(), QSize(411, 412));
    // The bars beside the 4:3 area are black; the game's own teal is inside it.
    QImage shot = view_.grab().toImage();
    EXPECT_EQ(shot.pixelColor(100, 540), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(1800, 540), QColor(Qt::black));
    // Nothing of the game moved.
    EXPECT_EQ(message(), said);
    EXPECT_EQ(game_.GameState.score(), score);
    EXPECT_EQ(game_.GameState.Room, 4);
    resizeTo(1024, 768);
    EXPECT_EQ(look->size(), QSize(100, 60));
    EXPECT_EQ(text->font().pixelSize(), 19);
    EXPECT_EQ(closeUp_.size(), QSize(622, 443));
    EXPECT_FLOAT_EQ(game_.CellWidth, 13.4f * 1.6f);
}

// A clip playing as the window is resized stays on the part of the picture it was drawn for.
TEST_F(Presenting, AClipPlayingKeepsItsPlaceOnThePictureThroughAResize) {
    app_.guard([&] {
        game_.NewRoom(28);
        game_.Tree();
    });
    platform_.syncAll();
    const QRect atDesign(544, 77, 91, 71);
    ASSERT_TRUE(WaitUntil([&] { return clipSurface(atDesign) && clipSurface(atDesign)->isVisible(); }, 2000));
    QLabel* surface = clipSurface(atDesign);
    resizeTo(1920, 1080);
    const double k = picture()->width() / 792.0;
    const QRect now = surface->geometry();
    EXPECT_NEAR(now.x(), 544 * k, 2);
    EXPECT_NEAR(now.y(), 77 * k, 2);
    EXPECT_NEAR(now.width(), 91 * k, 2);
    EXPECT_NEAR(now.height(), 71 * k, 2);
    EXPECT_TRUE(surface->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return game_.MP3.Tag == 0; }, 6000));
}

TEST_F(Presenting, FullScreenAndBackDuringPlayAndConversation) {
    view_.setGeometry(50, 60, 900, 700);
    QApplication::processEvents();
    Presentation presentation(app_, platform_, false, view_.geometry());
    presentation.addStage(&view_);
    presentation.addStage(&intro_);
    app_.guard([&] { game_.NewRoom(12); game_.Display(kWhiteKing, true); });
    game_.text1.Caption = "where we were";
    const auto state = game_.GameState;
    const QRect screen = view_.screen()->geometry();
    key(&view_, Qt::Key_F11);
    EXPECT_TRUE(presentation.fullScreen());
    EXPECT_TRUE(view_.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(view_.geometry(), screen);
    EXPECT_EQ(app_.screen.width, FourByThreeArea(screen.size()).width());
    EXPECT_EQ(message(), "where we were");
    EXPECT_EQ(0, std::memcmp(&game_.GameState, &state, sizeof state));
    EXPECT_TRUE(game_.item[kWhiteKing].Visible);
    // Alt+Enter from inside a conversation switches the game under it back to its window.
    closeUp_.show();
    key(closeUp_.findChild<QPushButton*>(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_FALSE(presentation.fullScreen());
    EXPECT_FALSE(view_.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(view_.geometry(), QRect(50, 60, 900, 700));
    EXPECT_EQ(app_.screen.height, FourByThreeArea(QSize(900, 700)).height());
    EXPECT_EQ(closeUp_.size(), QSize(UiPixels(622), UiPixels(443)));
    closeUp_.hide();
    EXPECT_EQ(message(), "where we were");
    EXPECT_EQ(0, std::memcmp(&game_.GameState, &state, sizeof state));
    // A plain Enter is the game's own key, not a switch.
    key(&view_, Qt::Key_Return);
    EXPECT_FALSE(presentation.fullScreen());
    // The intro, opened over the game from the menu, takes the game's place and switches too.
    view_.hide();
    intro_.aboutToShow();
    intro_.show();
    QApplication::processEvents();
    EXPECT_EQ(intro_.geometry(), QRect(50, 60, 900, 700));
    key(&intro_, Qt::Key_F11);
    EXPECT_TRUE(intro_.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(intro_.geometry(), screen);
    EXPECT_EQ(app_.screen.width, FourByThreeArea(screen.size()).width());
    EXPECT_EQ(app_.Intro->Tag, 1);  // still at its first slide
    intro_.hide();
}

}  // namespace
}  // namespace lnf::test
