#include "qt/game_view.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include "app/lnf_game.h"
#include "qt/presentation.h"
#include "qt/game_keys.h"
#include "qt/comfort_controls.h"
#include "qt/read_aloud.h"

namespace lnf {

GameView::GameView(Application& app, QtPlatform& platform, bool windowed, bool authoring)
    : View(app, platform), windowed_(windowed), authoring_(authoring) {
    setWindowTitle(Application::kTitle);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);  // the bars beside the 4:3 area
    setPalette(pal);
    build();
}

void GameView::build() {
    TGame& g = *app_.Game;
    menuBar_ = new QMenuBar(this);
    buildMenu(menuBar_);
    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    QPalette teal = client_->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    client_->setPalette(teal);
    menuBar_->setPalette(teal);  // the menu bar on the game's teal, as ever, not on the bars' black

    rightPanel_ = Panel(client_, Qt::black);
    image3_ = new PictureWidget(rightPanel_);
    image3_->setModel(&g.Image3);
    panelInventory_ = Panel(rightPanel_, kFrameWood);
    for (int n = 1; n <= kItems; ++n) {
        auto* w = new PictureWidget(rightPanel_);
        w->setObjectName(QString("item%1").arg(n));
        w->setPixmapSource(platform_.bitmap("ITEM" + std::to_string(n)));
        // Resting on a picture names the item (from its picture's own title).
        w->setToolTip(QString::fromStdString(app_.text("ITEMNAME" + std::to_string(n))));
        w->onClick = [this, n] { act([this, n] { app_.Game->itemClick(n); }); };
        w->onDoubleClick = [this, n] { act([this, n] { app_.Game->itemDblClick(n); }); };
        w->hide();
        items_[size_t(n)] = w;
    }
    topPanel_ = Panel(client_, QColor(12, 20, 15));
    mainPanel_ = Panel(topPanel_, kSilver, QFrame::Sunken, 2);
    image2_ = new PictureWidget(mainPanel_);
    image2_->setObjectName("Image2");
    image2_->setModel(&g.Image2);
    image2_->onPress = [this](Qt::MouseButton b, QPoint p) {
        MouseButton button = b == Qt::RightButton ? MouseButton::Right
                             : b == Qt::MiddleButton ? MouseButton::Middle
                                                     : MouseButton::Left;
        act([this, button, p] { app_.Game->Image2MouseDown(button, p.x(), p.y()); });
    };
    image2_->onClick = [this] { act([this] { app_.Game->Image2Click(); }); };
    image2_->onDoubleClick = [this] { act([this] { app_.Game->Image2DblClick(); }); };
    auto makeArrow = [this](void (TGame::*handler)()) {
        auto* a = new ClickArea(mainPanel_);
        a->onClick = [this, handler] { act([this, handler] { (app_.Game.get()->*handler)(); }); };
        a->onDoubleClick = a->onClick;
        a->hide();
        return a;
    };
    arrowN_ = makeArrow(&TGame::arrowNClick);
    arrowS_ = makeArrow(&TGame::arrowSClick);
    arrowE_ = makeArrow(&TGame::arrowEClick);
    arrowW_ = makeArrow(&TGame::arrowWClick);
    next1_ = new ClickArea(mainPanel_);
    next1_->setText("Continue");
    QFont nf = GameFont("Times New Roman", 24, true);
    nf.setUnderline(true);
    next1_->setFont(nf);
    next1_->setStyleSheet("color: white; background: transparent;");
    next1_->setCursor(Qt::PointingHandCursor);
    next1_->adjustSize();
    next1_->onClick = [this] { act([this] { app_.Game->Next1Click(); }); };
    next1_->hide();

    // The band round the message line and the status bar are of the game's dark wood, not
    // the desktop's grey.
    controlPanel_ = Panel(topPanel_, kFrameWood);
    textPanel_ = Panel(controlPanel_, kFrameWood, QFrame::Sunken, 2);
    panel1_ = Panel(textPanel_, Qt::black);
    text1_ = new QLabel(panel1_);
    text1_->setWordWrap(true);
    text1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text1_->setFont(GameFont("Times New Roman", 19));
    panelControl_ = Panel(controlPanel_, kFrameWood);
    score_ = new QLabel("Score: ", panelControl_);
    score_->setAlignment(Qt::AlignCenter);
    score_->setFont(GameFont("Arial", 16, true));
    score_->setStyleSheet("color: rgb(246, 231, 193);");  // cream, to read on the wood
    auto makeMode = [this](const char* bitmap, const char* name, void (TGame::*handler)()) {
        auto* b = new ModeButton(platform_.bitmap(bitmap), panelControl_);
        b->setObjectName(name);
        connect(b, &QAbstractButton::clicked, this, [this, handler] { act([this, handler] { (app_.Game.get()->*handler)(); }); });
        return b;
    };
    look_ = makeMode("BTNLOOK", "Look", &TGame::LookClick);
    do_ = makeMode("BTNDO", "DoButton", &TGame::DoButtonClick);
    roomKeys_ = new RoomKeys(g, this, image2_, [this](const std::function<void()>& h) { act(h); });
    image2_->overlay = [this](QPainter& p) {
        if (app_.Game->a_Off.Tag != 0) drawGrid(p);
        roomKeys_->paint(p);
    };
    buildAuthoringPanel();
    new ModeToggleKeys(
        this, image2_, [this] { act([this] { app_.Game->ToggleLookDo(); }); },
        [this] { act([this] { app_.Game->Image2MouseDown(MouseButton::Right, -1, -1); }); });
    buildComforts();
    // Clips are drawn inside the room picture, which also clips a rectangle that reaches
    // past the picture's edge.
    platform_.videoParent = [this] { return static_cast<QWidget*>(image2_); };
    platform_.videoOrigin = [] { return QPoint(0, 0); };
    platform_.onVideoStarted = [this](QWidget* surface) {
        ++clipStarts_;
        std::erase_if(clips_, [&](const ShownClip& c) { return c.surface == surface; });
        clips_.push_back({surface, app_.Game->RoomEntries, std::nullopt, surface->geometry(), image2_->size()});
    };
    platform_.onVideoEnded = [this](QWidget* surface) {
        for (ShownClip& c : clips_)
            if (c.surface == surface) c.endedAtPicture = app_.Game->Image2.PictureVersion;
    };
}

void GameView::buildAuthoringPanel() {
    // The developer panel is a small tool window of its own, for authors only.
    authorPanel_ = new QWidget(this, Qt::Tool);
    authorPanel_->setWindowTitle("Developer panel");
    auto* row = new QHBoxLayout(authorPanel_);
    TGame& g = *app_.Game;
    auto button = [&](const Control& c, void (TGame::*handler)()) {
        auto* b = new QPushButton(QString::fromStdString(c.Caption), authorPanel_);
        connect(b, &QPushButton::clicked, this, [this, handler] { act([this, handler] { (app_.Game.get()->*handler)(); }); });
        row->addWidget(b);
        return b;
    };
    aOff_ = button(g.a_Off, &TGame::a_OffClick);
    aPlus_ = button(g.a_plus, &TGame::a_plusClick);
    aSave_ = button(g.a_Save, &TGame::a_SaveClick);
    aReset_ = button(g.a_reset, &TGame::a_resetClick);
    label3_ = new ClickArea(authorPanel_);
    label3_->onClick = [this] { act([this] { app_.Game->Label3Click(); }); };
    label3_->setMinimumWidth(60);
    row->addWidget(label3_);
    auto edit = [&](Control& c) {
        auto* e = new QLineEdit(QString::fromStdString(c.Caption), authorPanel_);
        e->setFixedWidth(56);
        connect(e, &QLineEdit::textChanged, this, [&c](const QString& t) { c.Caption = t.toStdString(); });
        row->addWidget(e);
        return e;
    };
    edit1_ = edit(g.Edit1);
    edit2_ = edit(g.Edit2);
    edit3_ = edit(g.Edit3);
    edit4_ = edit(g.Edit4);
    connect(edit1_, &QLineEdit::returnPressed, this, [this] { act([this] { app_.Game->Edit1KeyDown(13); }); });
    button1_ = button(g.Button1, &TGame::Button1Click);
    authorPanel_->setVisible(authoring_);
}

void GameView::drawGrid(QPainter& p) {
    // What a click will hit: the grid with each cell's object code.
    TGame& g = *app_.Game;
    static const QColor colours[9] = {Qt::black, QColor(255, 255, 255), QColor(255, 80, 80), QColor(80, 200, 255),
                                      QColor(255, 220, 0), QColor(120, 255, 120), QColor(255, 120, 255),
                                      QColor(255, 160, 60), QColor(180, 140, 255)};
    QFont f = p.font();
    f.setPixelSize(std::max(8, int(g.CellHeight * 0.55f)));
    f.setBold(true);
    p.setFont(f);
    for (int col = 0; col < kGridColumns; ++col) {
        for (int row = 0; row < kGridRows; ++row) {
            int code = g.RoomCells[size_t(CellNumber(col, row))];
            QRectF cell(col * g.CellWidth, row * g.CellHeight, g.CellWidth, g.CellHeight);
            QColor c = colours[code >= 1 && code <= 8 ? code : 0];
            QColor fill = c;
            fill.setAlpha(55);
            p.fillRect(cell, fill);
            p.setPen(QColor(0, 0, 0, 90));
            p.drawRect(cell);
            p.setPen(c);
            p.drawText(cell, Qt::AlignCenter, QString::number(code));
        }
    }
}

void GameView::buildMenu(QMenuBar* bar) {
    TGame& g = *app_.Game;
    std::map<std::string, QActionGroup*> groups;
    std::function<void(QMenu*, const MenuItem&)> fill = [&](QMenu* menu, const MenuItem& m) {
        QActionGroup* group = nullptr;
        for (const MenuItem& child : m.Items) {
            if (child.Caption == "-") {
                menu->addSeparator();
                continue;
            }
            if (!child.Items.empty()) {
                QMenu* sub = menu->addMenu(QString::fromStdString(child.Caption));
                fill(sub, child);
                continue;
            }
            if (child.Value >= 0) {  // a volume slider
                std::string name = child.Name;
                actions_[name] = AddVolumeSlider(menu, child, [this, name](int v) {
                    act([this, name, v] { app_.Game->VolumeChange(name, v); });
                });
                continue;
            }
            QAction* a = menu->addAction(QString::fromStdString(child.Caption));
            SetUpComfortAction(a, child.Name);
            if (child.Radio) {
                if (!group) {
                    group = new QActionGroup(menu);
                    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
                }
                a->setCheckable(true);
                group->addAction(a);
            }
            if (child.Name == "MusicOFF" || child.Name == "Hotspots1") a->setCheckable(true);
            if (child.Name == "Hint1") a->setShortcut(QKeySequence(Qt::Key_H));
            if (QKeySequence key = MenuShortcut(child.Name); !key.isEmpty()) a->setShortcut(key);
            std::string name = child.Name;
            connect(a, &QAction::triggered, this, [this, name] { runMenu(name); });
            actions_[name] = a;
        }
    };
    for (const MenuItem& top : g.MainMenu1.Items) {
        if (top.Items.empty()) {
            // The blank items of the menu bar: a gap without a command.
            QAction* gap = bar->addAction("   ");
            gap->setEnabled(false);
            continue;
        }
        QMenu* menu = bar->addMenu(QString::fromStdString(top.Caption));
        fill(menu, top);
    }
}

namespace {
// The menu's commands by item name; the font colours, named after their colours, share one.
const std::map<std::string, void (TGame::*)()>& MenuCommands() {
    static const std::map<std::string, void (TGame::*)()> commands = {
        {"Introduction1", &TGame::Introduction1Click}, {"Exit1", &TGame::Exit1Click},
        {"MusicOFF", &TGame::MusicOFFClick},           {"Contents1", &TGame::Contents1Click},
        {"About", &TGame::AboutClick},                 {"Level1", &TGame::Level1Click},
        {"Level2", &TGame::Level2Click},               {"New1", &TGame::New1Click},
        {"Open1", &TGame::Open1Click},                 {"SaveAs1", &TGame::SaveAs1Click},
        {"Hint1", &TGame::HintClick},
        {"QuickSave", &TGame::QuickSaveClick},         {"QuickLoad", &TGame::QuickLoadClick},
        {"Hotspots1", &TGame::HotspotsClick},
        {"Mute1", &TGame::MuteClick},                  {"Pause1", &TGame::PauseClick},
        {"ReadAloud1", &TGame::ReadAloudClick},
    };
    return commands;
}
}  // namespace

void GameView::runMenu(const std::string& name) {
    act([this, name] {
        TGame& g = *app_.Game;
        auto command = MenuCommands().find(name);
        if (command != MenuCommands().end()) (g.*command->second)();
        else if (name.size() > 1 && name.back() == '1') g.FontColorClick(name);
    });
}

void GameView::place(QWidget* w, const Control& c) {
    w->setGeometry(c.Left, c.Top, c.Width, c.Height);
    w->setVisible(c.Visible);
}

void GameView::resizeEvent(QResizeEvent*) {
    // The game keeps its proportions: the largest 4:3 area of the window, on black bars.
    const QRect area = FourByThreeArea(size());
    const QSize imageBefore = image2_->size();
    SetUiScale(area.height() / 768.0);
    QFont menuFont = menuBar_->font();
    menuFont.setPixelSize(std::max(11, UiPixels(14)));
    menuBar_->setFont(menuFont);
    for (QMenu* m : menuBar_->findChildren<QMenu*>()) m->setFont(menuFont);
    int menuH = menuBar_->sizeHint().height();
    menuBar_->setGeometry(area.x(), area.y(), area.width(), menuH);
    client_->setGeometry(area.x(), area.y() + menuH, area.width(), std::max(0, area.height() - menuH));
    if (!LayOutGame(app_, area.size(), menuH)) app_.Game->ArrangeControls(client_->width(), client_->height());
    applyScale();
    platform_.syncAll();
    // A clip keeps its place on the picture, which has changed size under it.
    if (imageBefore != image2_->size()) {
        for (ShownClip& c : clips_) {
            if (!c.surface || c.startImage.isEmpty()) continue;
            const double kx = double(image2_->width()) / c.startImage.width();
            const double ky = double(image2_->height()) / c.startImage.height();
            const QRect& r = c.startGeometry;
            c.surface->setGeometry(int(r.x() * kx), int(r.y() * ky), int(r.width() * kx), int(r.height() * ky));
        }
    }
}

void GameView::applyScale() {
    // Fonts and the fixed-size parts follow the scale the layout was made for.
    if (shownScale_ == UiScale()) return;
    shownScale_ = UiScale();
    QFont nf = UiFont("Times New Roman", 24, true);
    nf.setUnderline(true);
    next1_->setFont(nf);
    next1_->adjustSize();
    text1_->setFont(UiFont("Times New Roman", 19));
    score_->setFont(UiFont("Arial", 16, true));
}

void GameView::aboutToShow() {
    if (Presentation* p = Presentation::current()) p->adopt(this);
    resizeEvent(nullptr);
}

void GameView::sync() {
    if (syncing_) return;
    syncing_ = true;
    TGame& g = *app_.Game;
    // Cursors the game has just loaded are installed before any control asks for one: an
    // item put on the cursor shows at once.
    for (int id = 1; id <= 34; ++id) {
        if (!g.InstalledCursors[size_t(id)].empty()) platform_.installCursor(id, g.InstalledCursors[size_t(id)]);
    }
    place(rightPanel_, g.RightPanel);
    place(image3_, g.Image3);
    image3_->refresh();
    place(panelInventory_, g.PanelInventory);
    place(topPanel_, g.TopPanel);
    place(mainPanel_, g.MainPanel);
    place(image2_, g.Image2);
    image2_->refresh();
    image2_->setEnabled(g.Image2.Enabled);
    SetCursor(image2_, platform_.cursor(g.Image2.Cursor));
    const bool restack = clipStarts_ != stackedAtClip_;  // a new clip went on top of the arrows
    stackedAtClip_ = clipStarts_;
    for (auto it = clips_.begin(); it != clips_.end();) {
        bool gone = !it->surface || it->roomEntry != g.RoomEntries ||
                    (it->endedAtPicture && *it->endedAtPicture != g.Image2.PictureVersion);
        if (gone) {
            if (it->surface) it->surface->hide();
            it = clips_.erase(it);
        } else {
            ++it;
        }
    }
    auto placeArrow = [&](ClickArea* w, const Control& c) {
        w->setGeometry(g.Image2.Left + c.Left, g.Image2.Top + c.Top, c.Width, c.Height);
        Show(w, c.Visible, restack);
        SetCursor(w, platform_.cursor(c.Cursor));
    };
    placeArrow(arrowN_, g.arrowN);
    placeArrow(arrowS_, g.arrowS);
    placeArrow(arrowE_, g.arrowE);
    placeArrow(arrowW_, g.arrowW);
    next1_->move(g.Image2.Left + int(g.Next1.Left * g.UiScale()),
                 g.Image2.Top + g.Image2.Height - next1_->height() - UiPixels(16));
    Show(next1_, g.Next1.Visible, restack);
    for (int n = 1; n <= kItems; ++n) {
        const PictureControl& m = g.item[size_t(n)];
        items_[size_t(n)]->setGeometry(m.Left, m.Top, m.Width, m.Height);
        Show(items_[size_t(n)], m.Visible);
        SetCursor(items_[size_t(n)], platform_.cursor(m.Cursor));
    }
    place(controlPanel_, g.ControlPanel);
    place(textPanel_, g.TextPanel);
    place(panel1_, g.Panel1);
    place(text1_, g.text1);
    text1_->setText(DisplayText(g.text1.Caption));
    SetStyleSheet(text1_, QString("color: %1;").arg(ToQColor(g.text1.FontColor).name()));
    place(panelControl_, g.PanelControl);
    // The status bar, under the room and under the inventory, is the carved board.
    for (QFrame* bar : {panelControl_, panelInventory_}) {
        QSize& shown = bar == panelControl_ ? statusBarSize_ : inventoryBarSize_;
        if (bar->size() == shown) continue;
        shown = bar->size();
        QPalette pal = bar->palette();
        pal.setBrush(QPalette::Window,
                     QBrush(platform_.bitmap("WOODBOT").scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        bar->setPalette(pal);
    }
    score_->setGeometry(g.ScoreLabel.Left, g.ScoreLabel.Top, g.ScoreLabel.Width, g.ScoreLabel.Height);
    score_->setText(QString::fromStdString(g.ScoreLabel.Caption));
    look_->setGeometry(g.Panel3.Left + g.Look.Left + 1, g.Look.Top, g.Look.Width, g.Look.Height);
    do_->setGeometry(g.Panel3.Left + g.DoButton.Left + 1, g.DoButton.Top, g.DoButton.Width, g.DoButton.Height);
    look_->setChecked(g.Look.Down);
    do_->setChecked(g.DoButton.Down);
    std::function<void(const MenuItem&)> menus = [&](const MenuItem& m) {
        auto it = actions_.find(m.Name);
        if (it != actions_.end()) {
            it->second->setChecked(m.Checked);
            it->second->setEnabled(m.Enabled);
            it->second->setVisible(m.Visible);
        }
        for (const MenuItem& c : m.Items) menus(c);
    };
    menus(g.MainMenu1);
    roomKeys_->sync();
    syncComforts();
    if (authorPanel_ && authorPanel_->isVisible()) {
        aOff_->setText(QString::fromStdString(g.a_Off.Caption));
        label3_->setText(QString::fromStdString(g.Label3.Caption));
        image2_->update();
    }
    syncing_ = false;
}

void GameView::buildComforts() {
    veil_ = new PausedVeil(image2_);
    ReadAloud& reader = platform_.reader();
    if (!reader.available()) greyReadAloud();
    // A voice that keeps falling over is given up during play: the item greys as if there had
    // never been one. Queued, as the news may come while the screen is being brought up to date.
    connect(&reader, &ReadAloud::becameUnavailable, this, [this] { greyReadAloud(); }, Qt::QueuedConnection);
}

void GameView::greyReadAloud() {
    // The item stays in the menu, greyed and unticked, and says why when the mouse rests on it.
    MenuItem& item = app_.Game->menu("ReadAloud1");
    item.Enabled = false;
    item.Checked = false;
    const QString reason = platform_.reader().unavailableReason();
    QAction* a = actions_["ReadAloud1"];
    a->setToolTip(reason);
    a->setStatusTip(reason);
    for (QObject* o : a->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o)) menu->setToolTipsVisible(true);
    sync();
}

void GameView::syncComforts() {
    TGame& g = *app_.Game;
    platform_.setVolumes(g.MusicVolume(), g.EffectsVolume(), g.Muted());
    for (const char* name : {"MusicVolume1", "EffectsVolume1"}) SyncVolumeSlider(actions_[name], g.menu(name).Value);
    veil_->follow(g.Paused);
    platform_.reader().shown(ReadAloud::Source::MessageLine, g.text1.Caption, g.ReadingAloud());
}

void GameView::closeEvent(QCloseEvent* e) {
    // Closing goes through the quit question; the window only goes when the game agrees.
    e->ignore();
    act([this] { app_.Game->Close(); });
}

void GameView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_D && e->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) {
        toggleAuthoring();
        return;
    }
    QWidget::keyPressEvent(e);
}

void GameView::toggleAuthoring() {
    authoring_ = !authoring_;
    authorPanel_->setVisible(authoring_);
    if (authoring_) authorPanel_->move(mapToGlobal(QPoint(20, height() - 120)));
}

}  // namespace lnf
