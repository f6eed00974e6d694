#include "qt/game_keys.h"

#include <QApplication>
#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>
#include <map>

namespace lnf {

QKeySequence MenuShortcut(const std::string& itemName) {
    static const std::map<std::string, QKeySequence> keys = {
        {"New1", QKeySequence(Qt::CTRL | Qt::Key_N)},  {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"SaveAs1", QKeySequence(Qt::CTRL | Qt::Key_S)}, {"QuickSave", QKeySequence(Qt::Key_F5)},
        {"QuickLoad", QKeySequence(Qt::Key_F9)},       {"Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"Contents1", QKeySequence(Qt::Key_F1)},
    };
    auto it = keys.find(itemName);
    return it == keys.end() ? QKeySequence() : it->second;
}

ModeToggleKeys::ModeToggleKeys(QWidget* window, QWidget* picture, std::function<void()> toggle,
                               std::function<void()> pictureRight)
    : QObject(window),
      window_(window),
      picture_(picture),
      toggle_(std::move(toggle)),
      pictureRight_(std::move(pictureRight)) {
    // A window shortcut, so Space toggles whichever control holds the focus; it goes before
    // the focused button's own Space.
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), window);
    space->setContext(Qt::WindowShortcut);
    connect(space, &QShortcut::activated, this, [this] { toggle_(); });
    // Presses reach the window's controls first; the filter sees each one once, at the
    // control it is aimed at, before that control can keep it.
    qApp->installEventFilter(this);
}

bool ModeToggleKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (mouse->button() != Qt::RightButton || !w || w->window() != window_) return false;
    if (w == picture_ || picture_->isAncestorOf(w)) return false;  // the picture handles its own
    const QRect pictureArea(picture_->mapToGlobal(QPoint(0, 0)), picture_->size());
    if (picture_->isVisible() && pictureArea.contains(mouse->globalPosition().toPoint())) pictureRight_();
    else toggle_();
    return true;
}

}  // namespace lnf
