// The room's hotspots on screen and the keys that play without a mouse: Tab held (or the menu
// item ticked) outlines every object and open exit over the room picture; the arrow keys walk
// a highlight over them, Enter acts on it, the digits pick up carried items.
#pragma once

#include <QObject>
#include <QSizeF>
#include <QTimer>
#include <functional>

#include "interaction/keyboard_play.h"

class QPainter;
class QWidget;

namespace lnf {

class TGame;

class RoomKeys : public QObject {
    Q_OBJECT
public:
    // `window` is the game window whose keys these are, `picture` the room picture drawn on,
    // `act` the road every player input takes into the game.
    RoomKeys(TGame& game, QWidget* window, QWidget* picture, std::function<void(const std::function<void()>&)> act);
    ~RoomKeys() override;

    // Draws the outlines and the highlight over the room picture, in the picture widget's own
    // pixels: the game's cells scaled by how the widget's size stands to the game's picture.
    void paint(QPainter& p) const;
    // After the game's state was mirrored: asks for a new drawing only when what is drawn
    // would change.
    void sync();

    bool revealShown() const;
    bool tabHeld() const { return tabHeld_; }
    KeyboardPlay& play() { return play_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool forThisWindow(QObject* watched) const;
    bool handleKey(int key, Qt::KeyboardModifiers mods, bool press, bool autoRepeat);
    QSizeF scale() const;

    TGame& game_;
    QWidget* window_;
    QWidget* picture_;
    std::function<void(const std::function<void()>&)> act_;
    KeyboardPlay play_;
    bool tabHeld_ = false;
    QTimer tabLetGo_;
    static constexpr int kTabLetGoMs = 90;
    QByteArray drawn_;  // what the last drawing showed, to tell when it is out of date
};

}  // namespace lnf
