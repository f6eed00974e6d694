// The real game window and its five companions offscreen, on the real shipped data, with the
// game shown in room 4 past its opening narrative.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <filesystem>

#include "app/application.h"
#include "app/lnf_game.h"
#include "pictures/resources.h"
#include "qt/qt_platform.h"
#include "qt/views.h"
#include "support.h"
#include "windows/lnf_about.h"
#include "windows/lnf_black.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_inventory.h"

namespace lnf::test {

namespace fs = std::filesystem;

class QtGame : public ::testing::Test {
protected:
    QtGame()
        : user_("lnf-qtgame"),
          files_(user_.path, {fs::path(LNF_GAME_DIR)}),
          platform_(files_, EmbeddedResources()),
          app_(platform_, files_, EmbeddedResources(), ScreenSize{1024, 768}),
          black_(app_, platform_, QRect(0, 0, 1024, 768)),
          intro_(app_, platform_, QRect(0, 0, 1024, 768)),
          view_(app_, platform_, false, false),
          about_(app_, platform_, &view_),
          inventory_(app_, platform_, &view_),
          closeUp_(app_, platform_, &view_),
          savedGames_(app_, platform_, &view_),
          game_(*app_.Game) {
        platform_.setView(WindowId::Black, &black_);
        platform_.setView(WindowId::Intro, &intro_);
        platform_.setView(WindowId::Game, &view_);
        platform_.setView(WindowId::About1, &about_);
        platform_.setView(WindowId::Inventory, &inventory_);
        platform_.setView(WindowId::CloseUp, &closeUp_);
        platform_.setView(WindowId::SavedGames, &savedGames_);
        app_.Black->Time1.setEnabled(false);
        view_.setGeometry(0, 0, 1024, 768);
        app_.guard([&] {
            game_.FormShow();
            game_.FormActivate();
            // The first click only shows the opening narrative.
            game_.Image2MouseDown(MouseButton::Left, 100, 100);
            game_.Image2Click();
        });
        view_.aboutToShow();
        view_.show();
        platform_.syncAll();
    }
    // A click on the first cell of the room that holds `code`, as the picture receives it.
    void clickOn(int code) {
        for (int cell = 0; cell < kGridColumns * kGridRows; ++cell) {
            if (game_.RoomCells[size_t(cell)] != code) continue;
            int x = int((cell / kGridRows + 0.5f) * game_.CellWidth), y = int((cell % kGridRows + 0.5f) * game_.CellHeight);
            app_.guard([&] { game_.Image2MouseDown(MouseButton::Left, x, y); });
            app_.guard([&] { game_.Image2Click(); });
            platform_.syncAll();
            return;
        }
        FAIL() << "no object code " << code << " in room " << int(game_.GameState.Room);
    }
    QLabel* clipSurface(const QRect& r) { return LabelAt(view_, r); }
    // The picture on screen that shows a picture control of the game window.
    PictureWidget* pictureAt(const PictureControl& c) {
        for (PictureWidget* w : view_.findChildren<PictureWidget*>())
            if (w->geometry() == QRect(c.Left, c.Top, c.Width, c.Height) && w->isVisible()) return w;
        return nullptr;
    }
    UserFolder user_;
    GameFiles files_;
    QtPlatform platform_;
    Application app_;
    BlackView black_;
    IntroView intro_;
    GameView view_;
    AboutView about_;
    InventoryView inventory_;
    CloseUpView closeUp_;
    SavedGamesView savedGames_;
    TGame& game_;
};

}  // namespace lnf::test
