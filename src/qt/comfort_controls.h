// The Music menu's sliders and switches, the calm veil that says the game is paused, and the
// keys that go with them.
#pragma once

#include <QWidget>
#include <functional>

#include "app/controls.h"

class QAction;
class QMenu;

namespace lnf {

// A volume slider (0..100) as an item of a menu, with its caption beside it; `changed` is
// called as the slider moves, so the level is heard at once.
QAction* AddVolumeSlider(QMenu* menu, const MenuItem& item, std::function<void(int)> changed);
// Sets a slider item to the model's value without reporting a change.
void SyncVolumeSlider(QAction* action, int value);
// Keys and check marks of the comfort items: P and Pause pause, Ctrl+T reads aloud, Ctrl+M
// mutes.
void SetUpComfortAction(QAction* action, const std::string& name);

// Lies over the room picture while the game is paused: the room dimmed, "Paused" in the
// middle. It takes no presses of its own (the paused game turns them away).
class PausedVeil : public QWidget {
    Q_OBJECT
public:
    explicit PausedVeil(QWidget* parent);
    // Shown over everything in the picture (clips included) while `paused`, sized to it.
    void follow(bool paused);

protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace lnf
