// The game window: the room picture, the message line, the score, the mode buttons, the
// inventory and the menu.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qt/room_keys.h"
#include "qt/view.h"
#include "qt/widgets.h"

class QAction;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace lnf {

class GameView : public QWidget, public View {
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
    void runMenu(const std::string& name);
    void toggleAuthoring();

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
    class PausedVeil* veil_ = nullptr;
    void buildComforts();
    void greyReadAloud();
    void syncComforts();
    // A clip stays on screen while it plays, even as the picture changes under it (the rule
    // that starts it also draws the room's changed look), and after its end until the picture
    // changes again. Entering a room (even the same one, as a restored game does) takes it
    // away at once.
    struct ShownClip {
        QPointer<QWidget> surface;
        uint64_t roomEntry = 0;
        std::optional<uint64_t> endedAtPicture;  // the picture shown when the clip ended
        QRect startGeometry;                     // where it started, on a picture this size:
        QSize startImage;
    };
    void applyScale();
    double shownScale_ = 0;
    std::vector<ShownClip> clips_;
    uint64_t clipStarts_ = 0, stackedAtClip_ = 0;
    QSize statusBarSize_, inventoryBarSize_;
    RoomKeys* roomKeys_ = nullptr;  // the hotspots and the keys of the room

public:
    RoomKeys& roomKeys() { return *roomKeys_; }
};

}  // namespace lnf
