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

// Space anywhere in `window`, and a right press anywhere in it but on `picture` (whose own
// right press already toggles, by the game's rules for the picture), call `toggle`.
class ModeToggleKeys : public QObject {
    Q_OBJECT
public:
    ModeToggleKeys(QWidget* window, QWidget* picture, std::function<void()> toggle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QWidget* picture_;
    std::function<void()> toggle_;
};

}  // namespace lnf
