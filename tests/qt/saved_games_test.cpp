// The keys of the game window and the saved-games window, driven on the real widgets: save by
// name and see the game in the list, open it, the questions before overwriting and deleting,
// a damaged file that does not open, F5 then F9, Escape, and the Look/Do toggle from anywhere.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iostream>
#include <functional>
#include <map>

#include "game_window.h"
#include "persistence/save_slots.h"
#include "persistence/saved_game.h"
#include "windows/lnf_saved_games.h"

namespace lnf {
namespace {

using test::QtGame;

std::vector<uint8_t> ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
void WriteBytes(const std::filesystem::path& p, const std::vector<uint8_t>& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

class QtSaves : public QtGame {
protected:
    QtSaves() {
        view_.activateWindow();
        // Keys reach the shortcuts of the active window only.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view_));
    }
    template <class T>
    T* part(QWidget& w, const char* name) {
        return w.findChild<T*>(name);
    }
    QPushButton* button(const char* name) { return part<QPushButton>(savedGames_, name); }
    QListWidget* list() { return part<QListWidget>(savedGames_, "list"); }
    QLineEdit* nameBox() { return part<QLineEdit>(savedGames_, "name"); }
    int row(const QString& name) {
        for (int i = 0; i < list()->count(); ++i)
            if (list()->item(i)->text().section('\n', 0, 0) == name) return i;
        return -1;
    }
    // `during` runs once the window that `open` brings up is on screen; a window left open
    // is closed after a while and reported.
    bool whileOpen(QWidget& window, const std::function<void()>& open, const std::function<void()>& during) {
        bool ran = false, forced = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (ran || !window.isVisible()) return;
            ran = true;
            during();
        });
        poll.start(10);
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [&] {
            forced = true;
            platform_.closeModal(WindowId::SavedGames);
            platform_.closeModal(WindowId::About1);
            platform_.closeModal(WindowId::Inventory);
        });
        safety.start(15000);
        open();
        EXPECT_TRUE(ran) << "the window never showed";
        return !forced;
    }
    // A key pressed in the game window, which a closed dialog has handed the focus back to.
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        // (The offscreen screen has no window manager to do it.)
        if (!view_.isActiveWindow()) QApplication::setActiveWindow(&view_);
        ASSERT_TRUE(view_.isActiveWindow());
        QWidget* target = view_.focusWidget() ? view_.focusWidget() : &view_;
        QTest::keyClick(target, Qt::Key(k), m);
    }
    // A key pressed in the saved-games window, at the control that holds its focus.
    void keyInWindow(int k) {
        QWidget* target = savedGames_.focusWidget() ? savedGames_.focusWidget() : &savedGames_;
        QTest::keyClick(target, Qt::Key(k));
    }
    QString messageLine() {
        for (QLabel* l : view_.findChildren<QLabel*>())
            if (l->wordWrap() && l->geometry() == QRect(game_.text1.Left, game_.text1.Top, game_.text1.Width, game_.text1.Height))
                return l->text();
        return QString();
    }
    std::filesystem::path saves() { return user_.path / "saves"; }
};

TEST_F(QtSaves, TheMenusShowTheirKeys) {
    std::map<QString, QKeySequence> expected = {
        {"&Save Game", QKeySequence("Ctrl+S")}, {"&Open Saved Game...", QKeySequence("Ctrl+O")},
        {"&New Game", QKeySequence("Ctrl+N")},  {"&Quick Save", QKeySequence("F5")},
        {"Quick &Load", QKeySequence("F9")},    {"E&xit", QKeySequence("Ctrl+Q")},
        {"&Contents", QKeySequence("F1")},      {"&Hint", QKeySequence("H")},
    };
    for (QAction* a : view_.findChildren<QAction*>()) {
        auto it = expected.find(a->text());
        if (it == expected.end()) continue;
        EXPECT_EQ(a->shortcut(), it->second) << a->text().toStdString();
        expected.erase(it);
    }
    for (auto& [caption, keys] : expected) ADD_FAILURE() << "no menu item " << caption.toStdString();
}

TEST_F(QtSaves, CtrlSSavesUnderATypedNameAndCtrlOShowsAndOpensIt) {
    app_.guard([&] { game_.NewRoom(12); });
    platform_.syncAll();
    ASSERT_TRUE(whileOpen(savedGames_, [&] { key(Qt::Key_S, Qt::ControlModifier); }, [&] {
        EXPECT_EQ(savedGames_.windowTitle(), "Save Game");
        EXPECT_EQ(savedGames_.focusWidget(), nameBox());
        QTest::keyClicks(nameBox(), "By the well");
        QTest::keyClick(nameBox(), Qt::Key_Return);
    }));
    EXPECT_TRUE(std::filesystem::exists(saves() / "By the well.sav"));
    EXPECT_EQ(messageLine(), "Game saved as \"By the well\".");

    app_.guard([&] { game_.NewRoom(3); });
    platform_.syncAll();
    ASSERT_TRUE(whileOpen(savedGames_, [&] { key(Qt::Key_O, Qt::ControlModifier); }, [&] {
        EXPECT_EQ(savedGames_.windowTitle(), "Open Saved Game");
        int at = row("By the well");
        ASSERT_GE(at, 0);
        EXPECT_FALSE(list()->item(at)->icon().isNull());
        EXPECT_TRUE(list()->item(at)->text().contains("Score"));
        EXPECT_EQ(list()->currentRow(), at);  // the latest game that opens is picked at once
        EXPECT_TRUE(button("open")->isEnabled());
        QTest::mouseClick(button("open"), Qt::LeftButton);
    }));
    EXPECT_EQ(game_.GameState.Room, 12);
}

TEST_F(QtSaves, OverwriteAndDeleteAskInTheWindowFirst) {
    app_.guard([&] { ASSERT_TRUE(game_.SaveNamed("first")); });
    app_.guard([&] { ASSERT_TRUE(game_.SaveNamed("second")); });
    auto before = ReadBytes(saves() / "first.sav");
    app_.guard([&] { game_.NewRoom(12); });
    ASSERT_TRUE(whileOpen(savedGames_, [&] { key(Qt::Key_S, Qt::ControlModifier); }, [&] {
        QWidget* question = part<QLabel>(savedGames_, "question");
        list()->setCurrentRow(row("first"));
        EXPECT_EQ(nameBox()->text(), "first");
        QTest::mouseClick(button("overwrite"), Qt::LeftButton);
        EXPECT_TRUE(question->isVisible());
        EXPECT_TRUE(question->property("text").toString().contains("first"));
        EXPECT_FALSE(button("overwrite")->isVisible());
        QTest::mouseClick(button("no"), Qt::LeftButton);
        EXPECT_FALSE(question->isVisible());

        list()->setCurrentRow(row("second"));
        QTest::mouseClick(button("delete"), Qt::LeftButton);
        EXPECT_TRUE(question->isVisible());
        EXPECT_TRUE(std::filesystem::exists(saves() / "second.sav"));
        keyInWindow(Qt::Key_Escape);  // Escape answers the question "No"
        EXPECT_FALSE(question->isVisible());
        EXPECT_FALSE(platform_.modalClosing(WindowId::SavedGames)) << "Escape on the question closed the window";
        QTest::mouseClick(button("delete"), Qt::LeftButton);
        QTest::mouseClick(button("yes"), Qt::LeftButton);
        EXPECT_FALSE(std::filesystem::exists(saves() / "second.sav"));
        EXPECT_EQ(row("second"), -1);
        EXPECT_GE(row("first"), 0);
        keyInWindow(Qt::Key_Escape);  // and then closes the window
    }));
    EXPECT_FALSE(savedGames_.isVisible());
    EXPECT_EQ(ReadBytes(saves() / "first.sav"), before);

    ASSERT_TRUE(whileOpen(savedGames_, [&] { key(Qt::Key_S, Qt::ControlModifier); }, [&] {
        list()->setCurrentRow(row("first"));
        QTest::mouseClick(button("overwrite"), Qt::LeftButton);
        QTest::mouseClick(button("yes"), Qt::LeftButton);
    }));
    EXPECT_EQ(DecodeSavedGame(ReadBytes(saves() / "first.sav")).state.Room, 12);
}

TEST_F(QtSaves, ADamagedFileShowsAsSuchAndDoesNotOpen) {
    std::filesystem::create_directories(saves());
    std::vector<uint8_t> bytes = game_.SavedGameBytes();
    bytes.resize(60);
    WriteBytes(saves() / "torn.sav", bytes);
    app_.guard([&] { game_.NewRoom(12); });
    ASSERT_TRUE(whileOpen(savedGames_, [&] { key(Qt::Key_O, Qt::ControlModifier); }, [&] {
        int at = row("torn");
        ASSERT_GE(at, 0);
        EXPECT_TRUE(list()->item(at)->text().contains("Damaged"));
        list()->setCurrentRow(at);
        EXPECT_FALSE(button("open")->isEnabled());
        // A double click (its first press picks the game) and Enter both try to open it.
        const QPoint centre = list()->visualItemRect(list()->item(at)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, centre);
        EXPECT_FALSE(platform_.modalClosing(WindowId::SavedGames)) << "a damaged game was taken for opening";
        EXPECT_FALSE(part<QLabel>(savedGames_, "note")->text().isEmpty());
        list()->setFocus();
        keyInWindow(Qt::Key_Return);
        EXPECT_FALSE(platform_.modalClosing(WindowId::SavedGames)) << "a damaged game was taken for opening";
        EXPECT_FALSE(part<QLabel>(savedGames_, "note")->text().isEmpty());
        QTest::mouseClick(button("cancel"), Qt::LeftButton);
    }));
    EXPECT_EQ(game_.GameState.Room, 12);
}

TEST_F(QtSaves, F5ThenF9BringsTheGameBackAndSaysSo) {
    app_.guard([&] { game_.NewRoom(12); });
    platform_.syncAll();
    key(Qt::Key_F5);
    EXPECT_EQ(messageLine(), "Game saved in the quick slot. F9 brings it back.");
    EXPECT_TRUE(std::filesystem::exists(QuickSavePath(files_)));
    app_.guard([&] { game_.NewRoom(3); });
    platform_.syncAll();
    key(Qt::Key_F9);
    EXPECT_EQ(game_.GameState.Room, 12);
    EXPECT_EQ(messageLine(), "Quick save loaded.");
}

TEST_F(QtSaves, EscapeClosesTheCloseLookAndQuitAsksFirstThenAutosaves) {
    app_.guard([&] { game_.Display(2, true); });
    game_.CloseLookItem = 2;
    ASSERT_TRUE(whileOpen(inventory_, [&] { app_.guard([&] { app_.Inventory->ShowModal(); }); },
                          [&] { QTest::keyClick(&inventory_, Qt::Key_Escape); }));
    EXPECT_FALSE(inventory_.isVisible());

    // Ctrl+Q and the window's close box both ask; "No" keeps the game.
    for (bool closeBox : {false, true}) {
        ASSERT_TRUE(whileOpen(about_, [&] {
            if (closeBox) view_.close();
            else key(Qt::Key_Q, Qt::ControlModifier);
        }, [&] {
            EXPECT_TRUE(app_.About1->Label1.Caption.find("quit") != std::string::npos);
            for (QPushButton* b : about_.findChildren<QPushButton*>())
                if (b->text().contains("don't quit")) QTest::mouseClick(b, Qt::LeftButton);
        })) << (closeBox ? "close box" : "Ctrl+Q");
        EXPECT_FALSE(game_.Closed);
        EXPECT_TRUE(view_.isVisible());
    }
    // "Yes" on the close box's question: the game saves itself on the way out.
    game_.GameState.setScore(9);
    ASSERT_FALSE(std::filesystem::exists(AutosavePath(files_)));
    ASSERT_TRUE(whileOpen(about_, [&] { view_.close(); }, [&] {
        for (QPushButton* b : about_.findChildren<QPushButton*>())
            if (b->text() == "&Yes") QTest::mouseClick(b, Qt::LeftButton);
    }));
    EXPECT_TRUE(game_.Closed);
    EXPECT_EQ(DecodeSavedGame(ReadBytes(AutosavePath(files_))).state.score(), 9);
}

TEST_F(QtSaves, SpaceAndTheRightButtonToggleLookAndDoWhereverTheFocusIs) {
    auto* look = part<QAbstractButton>(view_, "Look");
    auto* doButton = part<QAbstractButton>(view_, "DoButton");
    ASSERT_TRUE(look && doButton);
    ASSERT_EQ(game_.CursorMode, kLookMode);
    // The focus on the pressed button itself: its own Space would leave the mode as it is.
    look->setFocus();
    key(Qt::Key_Space);
    EXPECT_EQ(game_.CursorMode, kDoMode);
    doButton->setFocus();
    key(Qt::Key_Space);
    EXPECT_EQ(game_.CursorMode, kLookMode);
    EXPECT_TRUE(look->isChecked());

    // The right button on the message line and on the score: neither is the picture.
    QLabel* score = nullptr;
    for (QLabel* l : view_.findChildren<QLabel*>())
        if (l->text().startsWith("Score")) score = l;
    ASSERT_TRUE(score);
    QTest::mouseClick(score, Qt::RightButton);
    EXPECT_EQ(game_.CursorMode, kDoMode);
    QTest::mouseClick(doButton, Qt::RightButton);
    EXPECT_EQ(game_.CursorMode, kLookMode);
    // On the picture the game's own rule toggles, once, and an exit over the picture is the
    // picture; while the picture is disabled (a story moment), a right press there does nothing.
    PictureWidget* room = pictureAt(game_.Image2);
    ASSERT_TRUE(room);
    QTest::mouseClick(room, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(game_.CursorMode, kDoMode);
    QLabel* exit = nullptr;
    for (QLabel* l : room->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->isVisible() && l->text().isEmpty() && room->geometry().contains(l->geometry().center())) exit = l;
    ASSERT_TRUE(exit) << "no exit shows in room " << int(game_.GameState.Room);
    QTest::mouseClick(exit, Qt::RightButton);
    EXPECT_EQ(game_.CursorMode, kLookMode);
    game_.Image2.Enabled = false;
    platform_.syncAll();
    QTest::mouseClick(room, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(game_.CursorMode, kLookMode);
    game_.Image2.Enabled = true;
}

TEST_F(QtSaves, AnEmptyFolderSaysSoInTheMiddleOfTheListAtEverySize) {
    // The window takes its size from the game's area once it opens; the note must follow.
    view_.resize(1920, 1080);
    platform_.syncAll();
    ASSERT_TRUE(whileOpen(savedGames_, [&] { key(Qt::Key_O, Qt::ControlModifier); }, [&] {
        auto* note = list()->findChild<QLabel*>();
        ASSERT_TRUE(note);
        EXPECT_TRUE(note->isVisible());
        EXPECT_EQ(note->text(), "No saved games yet.");
        const QRect inList(list()->viewport()->mapFromGlobal(note->mapToGlobal(QPoint(0, 0))), note->size());
        EXPECT_TRUE(list()->viewport()->rect().contains(inList));
        EXPECT_LE((inList.center() - list()->viewport()->rect().center()).manhattanLength(), 4);
        EXPECT_GE(inList.width(), note->fontMetrics().horizontalAdvance(note->text()));
        keyInWindow(Qt::Key_Escape);
    }));
}

}  // namespace
}  // namespace lnf
