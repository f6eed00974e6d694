// The windows on screen. Each mirrors its model and forwards what the player does to the
// model's handlers; none holds game rules.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "qt/qt_platform.h"

class QMenuBar;
class QAction;
class QToolButton;
class QPushButton;
class QLineEdit;
class QFrame;
class QPainter;

namespace lnf {

class Application;
struct PictureControl;
struct Control;
struct MenuItem;

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

class GameView : public QWidget, public WindowView {
    Q_OBJECT
public:
    GameView(Application& app, QtPlatform& platform, bool windowed, bool authoring);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void build();
    void buildMenu(QMenuBar* bar);
    void place(QWidget* w, const Control& c);
    void handle(const std::function<void()>& f);
    void runMenu(const std::string& name);
    void toggleAuthoring();

    Application& app_;
    QtPlatform& platform_;
    bool windowed_;
    bool authoring_;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    QFrame *rightPanel_ = nullptr, *panelInventory_ = nullptr, *topPanel_ = nullptr, *mainPanel_ = nullptr,
           *controlPanel_ = nullptr, *textPanel_ = nullptr, *panel1_ = nullptr, *panelControl_ = nullptr;
    PictureWidget* image3_ = nullptr;
    PictureWidget* image2_ = nullptr;
    std::array<PictureWidget*, 22> items_{};
    ClickArea *arrowN_ = nullptr, *arrowS_ = nullptr, *arrowE_ = nullptr, *arrowW_ = nullptr, *next1_ = nullptr;
    QLabel* text1_ = nullptr;
    QLabel* score_ = nullptr;
    ModeButton *look_ = nullptr, *do_ = nullptr;
    void buildAuthoringPanel();
    void drawGrid(QPainter& p);
    QWidget* authorPanel_ = nullptr;
    ClickArea* label3_ = nullptr;
    QLineEdit *edit1_ = nullptr, *edit2_ = nullptr, *edit3_ = nullptr, *edit4_ = nullptr;
    QPushButton *aOff_ = nullptr, *aPlus_ = nullptr, *aSave_ = nullptr, *aReset_ = nullptr, *button1_ = nullptr;
    std::map<std::string, QAction*> actions_;
    // A clip stays on screen while it plays, even as the picture changes under it (the rule
    // that starts it also draws the room's changed look), and after its end until the picture
    // changes again. Entering a room (even the same one, as a restored game does) takes it
    // away at once.
    struct ShownClip {
        QPointer<QWidget> surface;
        uint64_t roomEntry = 0;
        std::optional<uint64_t> endedAtPicture;  // the picture shown when the clip ended
    };
    std::vector<ShownClip> clips_;
    uint64_t clipStarts_ = 0, stackedAtClip_ = 0;
    bool syncing_ = false;
};

class BlackView : public QWidget, public WindowView {
    Q_OBJECT
public:
    explicit BlackView(QRect screen);
    QWidget* widget() override { return this; }
    void sync() override {}
};

class IntroView : public QWidget, public WindowView {
    Q_OBJECT
public:
    IntroView(Application& app, QtPlatform& platform, QRect area);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void press(bool skip);  // Continue (Enter) or Skip (Escape)

    Application& app_;
    QtPlatform& platform_;
    bool busy_ = false;
    bool skipWaiting_ = false;
    int continuesWaiting_ = 0;
    PictureWidget* bkg_;
    PictureWidget* slide_;
    QLabel* caption_;
    QToolButton* next_;
    QToolButton* exit_;
    std::pair<std::string, std::string> shownFaces_;
    bool firstShow_ = true;
};

class AboutView : public QWidget, public WindowView {
    Q_OBJECT
public:
    AboutView(Application& app, QtPlatform& platform, QWidget* parent);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Application& app_;
    QtPlatform& platform_;
    QLabel* background_;
    QLabel* label1_;
    QPushButton* okay_;
    QPushButton* no_;
};

class InventoryView : public QWidget, public WindowView {
    Q_OBJECT
public:
    InventoryView(Application& app, QtPlatform& platform, QWidget* parent);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Application& app_;
    QtPlatform& platform_;
    QLabel* background_;
    QFrame* panel2_;
    PictureWidget* itemPic_;
    QLabel* inv1_;
    QPushButton* ok_;
};

class CloseUpView : public QWidget, public WindowView {
    Q_OBJECT
public:
    CloseUpView(Application& app, QtPlatform& platform, QWidget* parent);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Application& app_;
    QtPlatform& platform_;
    PictureWidget* image1_;
    QLabel* talk1_;
    QPushButton* next1_;
    QPushButton* exit1_;
    QWidget* aPanel_;
    QLabel* aLabel_;
    QLineEdit* answer_;
    bool syncing_ = false;
};

// Puts the ordinary line breaks of a game text ("\r\n", "\n\r") into one form for display.
QString DisplayText(const std::string& text);

}  // namespace lnf
