// The game window's keys: the menu commands' shortcuts (shown beside them in the menus), and
// Space and the right mouse button, which toggle Look/Do wherever the focus is.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <functional>
#include <string>

class QWidget;

namespace lnf {

// The key of a menu item, by the item's name; empty for an item without one.
QKeySequence MenuShortcut(const std::string& itemName);

// Space anywhere in `window`, and a right press anywhere in it off `picture`, call `toggle`.
// The picture's own right press toggles by the game's rules for the picture (not while it is
// disabled, the hint before the first click); a right press within the picture's rectangle
// that another control got (an exit, "Continue", the picture's frame while the picture is
// disabled) goes to those rules too, through `pictureRight`.
class ModeToggleKeys : public QObject {
    Q_OBJECT
public:
    ModeToggleKeys(QWidget* window, QWidget* picture, std::function<void()> toggle,
                   std::function<void()> pictureRight);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QWidget* picture_;
    std::function<void()> toggle_;
    std::function<void()> pictureRight_;
};

}  // namespace lnf
