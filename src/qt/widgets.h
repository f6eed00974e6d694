// The game's own controls on screen (picture, click area, mode button) and the small helpers
// every view draws with.
#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string>

#include "app/controls.h"

class QPainter;

namespace lnf {

// A picture control on screen: paints the model's picture stretched to its size and reports
// presses, clicks and double clicks in the order a player makes them.
class PictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit PictureWidget(QWidget* parent) : QWidget(parent) {}
    void setModel(const PictureControl* model) { model_ = model; }
    void setPixmapSource(QPixmap pm) { fixed_ = std::move(pm); update(); }
    void refresh();
    std::function<void(QPainter&)> overlay;  // drawn over the picture (the authoring grid)
    std::function<void(Qt::MouseButton, QPoint)> onPress;
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    const PictureControl* model_ = nullptr;
    uint64_t shownVersion_ = ~uint64_t(0);
    QPixmap pixmap_;
    QPixmap fixed_;
    bool pressed_ = false;
};

// An invisible click area (the exits, "Continue").
class ClickArea : public QLabel {
    Q_OBJECT
public:
    explicit ClickArea(QWidget* parent) : QLabel(parent) {}
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

// A mode button (Look, Do): its picture face raised and dimmed while the mode is off, pressed
// in and lit while it is on, so the mode shows at a glance.
class ModeButton : public QAbstractButton {
    Q_OBJECT
public:
    ModeButton(QPixmap face, QWidget* parent);
    QSize sizeHint() const override { return {100, 60}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap face_;
};

// Puts the ordinary line breaks of a game text ("\r\n", "\n\r") into one form for display.
QString DisplayText(const std::string& text);

// How large the game is shown now, relative to its 1024 x 768 design (1.0 there; 1.40625 on
// a 1920 x 1080 screen). Every window sizes its fixed parts and fonts with these, so that a
// window added later scales with the rest: the game sets the scale as it lays itself out.
double UiScale();
void SetUiScale(double scale);
int UiPixels(int designPixels);
QRect UiRect(const Control& c);  // a control of a fixed-size window, at the current scale
QFont UiFont(const char* family, int designPixels, bool bold = false);

QColor ToQColor(Rgb c);
QFrame* Panel(QWidget* parent, QColor colour, QFrame::Shadow shadow = QFrame::Plain, int line = 0);
QFont GameFont(const char* family, int pixels, bool bold = false);
// The installed face that stands for a family the game's texts were laid out in.
QString InstalledFamily(const QString& family);
inline const QColor kSilver(192, 192, 192);
inline const QColor kFrameWood(74, 47, 26);  // the dark wood of the game window's frame

// A sync runs each time the game lets the screen draw, also on every wake of a wait for the
// player; these set only what differs, so a sync that finds nothing new posts no event and
// the wait can go back to sleep.
void SetCursor(QWidget* w, const QCursor& c);
void SetStyleSheet(QWidget* w, const QString& sheet);
void SetWindowTitle(QWidget* w, const QString& title);
void SetPixmap(QLabel* l, const QPixmap& pm);
// Shows or hides a control; one that appears comes to the front of its panel (over the room
// picture and any clip), as does every shown one when `restack` asks for it.
void Show(QWidget* w, bool visible, bool restack = false);
// Dialogs open centred over the game, as on any desktop.
void CentreOverParent(QWidget* w);

}  // namespace lnf
