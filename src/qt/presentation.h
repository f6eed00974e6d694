// How the game meets the real screen: the largest 4:3 area of the window, on black bars, the
// game laid out for that area, and the switch between a window and full screen.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;
class QScreen;

namespace lnf {

class Application;
class QtPlatform;

// The largest 4:3 area that fits `size`, centred in it.
QRect FourByThreeArea(QSize size);

// A window that fits the desktop's free area (taskbars and panels left out), centred in it:
// the asked-for size, made smaller if it does not fit.
QRect FittingWindow(QSize wanted, const QRect& available);

// Lays the whole game (intro and game window) out for an area of that size under a menu bar
// `menuHeight` high, and sets the scale of the fixed parts; false when it was laid out for
// it already.
bool LayOutGame(Application& app, QSize area, int menuHeight);

class Presentation : public QObject {
    Q_OBJECT
public:
    // `fullScreen`: how the game starts; `normal`: where the window goes when it is a window.
    Presentation(Application& app, QtPlatform& platform, bool fullScreen, QRect normal);
    ~Presentation() override;

    // The one presentation of the run, for the views (null in tests that build none).
    static Presentation* current();

    // A stage window (intro or game) about to be shown takes the game's present mode.
    void adopt(QWidget* window);
    // Window <-> full screen, for the stage window on screen now.
    void toggleFullScreen();
    bool fullScreen() const { return fullScreen_; }
    void setBackdrop(QWidget* black) { backdrop_ = black; }
    void addStage(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* shownStage() const;
    QRect screenGeometry(QWidget* window) const;
    void apply(QWidget* window);

    Application& app_;
    QtPlatform& platform_;
    bool fullScreen_;
    QRect normal_;
    QPointer<QWidget> backdrop_;
    std::vector<QPointer<QWidget>> stages_;
};

}  // namespace lnf
