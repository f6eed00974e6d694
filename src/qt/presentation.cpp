#include "qt/presentation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "app/application.h"
#include "app/lnf_game.h"
#include "qt/qt_platform.h"
#include "qt/widgets.h"
#include "windows/lnf_intro.h"

namespace lnf {

namespace {
Presentation* gCurrent = nullptr;
}

QRect FourByThreeArea(QSize size) {
    const int w = size.width(), h = size.height();
    if (w <= 0 || h <= 0) return {};
    int areaW = w, areaH = w * 3 / 4;
    if (areaH > h) {
        areaH = h;
        areaW = std::min(w, h * 4 / 3);
    }
    return QRect((w - areaW) / 2, (h - areaH) / 2, areaW, areaH);
}

QRect FittingWindow(QSize wanted, const QRect& available) {
    QSize size = wanted.boundedTo(available.size());
    if (size.isEmpty()) size = available.size();
    QRect r(QPoint(0, 0), size);
    r.moveCenter(available.center());
    return r;
}

bool LayOutGame(Application& app, QSize area, int menuHeight) {
    if (area.isEmpty()) return false;
    TGame& game = *app.Game;
    const int clientH = std::max(0, area.height() - menuHeight);
    if (app.screen.width == area.width() && app.screen.height == area.height() && game.ClientWidth == area.width() &&
        game.ClientHeight == clientH)
        return false;
    app.screen = {area.width(), area.height()};
    SetUiScale(game.UiScale());
    app.Intro->FormCreate();
    game.Relayout(app.screen, menuHeight);
    return true;
}

Presentation::Presentation(Application& app, QtPlatform& platform, bool fullScreen, QRect normal)
    : app_(app), platform_(platform), fullScreen_(fullScreen), normal_(normal) {
    gCurrent = this;
    qApp->installEventFilter(this);
}

Presentation::~Presentation() {
    qApp->removeEventFilter(this);
    if (gCurrent == this) gCurrent = nullptr;
}

Presentation* Presentation::current() { return gCurrent; }

void Presentation::addStage(QWidget* window) { stages_.emplace_back(window); }

QWidget* Presentation::shownStage() const {
    // The game when it is up (a conversation or dialog over it included), else the intro.
    QWidget* shown = nullptr;
    for (const QPointer<QWidget>& w : stages_)
        if (w && w->isVisible() && (!shown || w->isActiveWindow() || w->isAncestorOf(QApplication::activeWindow())))
            shown = w;
    return shown;
}

QRect Presentation::screenGeometry(QWidget* window) const {
    QScreen* s = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

void Presentation::apply(QWidget* w) {
    if (fullScreen_) {
        w->setWindowState(w->windowState() | Qt::WindowFullScreen);
        // Without a window manager the state alone leaves the window as it was.
        w->setGeometry(screenGeometry(w));
    } else {
        // A window on the desktop stands alone: the black backdrop would hide the desktop.
        if (backdrop_) backdrop_->hide();
        w->setWindowState(w->windowState() & ~Qt::WindowFullScreen);
        w->setGeometry(normal_);
    }
}

void Presentation::adopt(QWidget* window) {
    // The stage windows share one place: the intro opened from the menu shows where the game is.
    if (!fullScreen_) {
        for (const QPointer<QWidget>& w : stages_)
            if (w && w != window && w->isVisible()) normal_ = w->geometry();
    }
    apply(window);
}

void Presentation::toggleFullScreen() {
    QWidget* w = shownStage();
    if (!w) return;
    if (!fullScreen_) normal_ = w->geometry();
    fullScreen_ = !fullScreen_;
    apply(w);
    w->raise();
    w->activateWindow();
    // A conversation or dialog open over the game stays over it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != w) {
        modal->raise();
        modal->activateWindow();
    }
}

bool Presentation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool toggle = (key->key() == Qt::Key_F11 && !(key->modifiers() & ~Qt::KeypadModifier)) ||
                            (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier);
        if (toggle) {
            // One press, one switch: the override that comes first only claims the key.
            if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) toggleFullScreen();
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lnf
