#include "qt/views.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QHBoxLayout>

#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"
#include "windows/lnf_about.h"
#include "windows/lnf_black.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_inventory.h"

namespace lnf {

QString DisplayText(const std::string& text) {
    QString s = QString::fromLatin1(text.data(), qsizetype(text.size()));
    s.replace("\r\n", "\n");
    s.replace("\n\r", "\n");
    s.remove('\r');
    return s;
}

namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QFrame* Panel(QWidget* parent, QColor colour, QFrame::Shadow shadow = QFrame::Plain, int line = 0) {
    auto* f = new QFrame(parent);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, colour);
    f->setPalette(pal);
    if (line > 0) {
        f->setFrameStyle(QFrame::Panel | shadow);
        f->setLineWidth(line);
    }
    return f;
}

QFont GameFont(const char* family, int pixels, bool bold = false) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

const QColor kSilver(192, 192, 192);

}  // namespace

// ----- PictureWidget -----

void PictureWidget::refresh() {
    if (model_ && model_->PictureVersion != shownVersion_) {
        shownVersion_ = model_->PictureVersion;
        pixmap_ = QPixmap::fromImage(QtPlatform::toQImage(model_->Picture));
        update();
    }
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& pm = fixed_.isNull() ? pixmap_ : fixed_;
    if (!pm.isNull()) p.drawPixmap(rect(), pm);
    if (overlay) overlay(p);
}

void PictureWidget::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    if (onPress) onPress(e->button(), e->position().toPoint());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (pressed_ && rect().contains(e->position().toPoint()) && onClick) onClick();
    pressed_ = false;
}

void PictureWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // A double click arrives as press, click, double click and a second press.
    if (onDoubleClick) onDoubleClick();
    mousePressEvent(e);
}

void ClickArea::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick) onClick();
}

void ClickArea::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
}

// ----- BlackView -----

BlackView::BlackView(QRect screen) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setWindowTitle("Black");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setGeometry(screen);
}

// ----- GameView -----

GameView::GameView(Application& app, QtPlatform& platform, bool windowed, bool authoring)
    : app_(app), platform_(platform), windowed_(windowed), authoring_(authoring) {
    setWindowTitle(Application::kTitle);
    if (!windowed_) setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));  // teal
    setPalette(pal);
    build();
}

void GameView::handle(const std::function<void()>& f) {
    if (syncing_) return;
    app_.guard(f);
    platform_.syncAll();
}

void GameView::build() {
    TGame& g = *app_.Game;
    menuBar_ = new QMenuBar(this);
    buildMenu(menuBar_);
    client_ = new QWidget(this);

    rightPanel_ = Panel(client_, Qt::black);
    image3_ = new PictureWidget(rightPanel_);
    image3_->setModel(&g.Image3);
    panelInventory_ = Panel(rightPanel_, kSilver, QFrame::Raised, 1);
    for (int n = 1; n <= kItems; ++n) {
        auto* w = new PictureWidget(rightPanel_);
        w->setPixmapSource(platform_.bitmap("ITEM" + std::to_string(n)));
        w->setToolTip(QString());
        w->onClick = [this, n] { handle([this, n] { app_.Game->itemClick(n); }); };
        w->onDoubleClick = [this, n] { handle([this, n] { app_.Game->itemDblClick(n); }); };
        w->hide();
        items_[size_t(n)] = w;
    }
    topPanel_ = Panel(client_, QColor(12, 20, 15));
    mainPanel_ = Panel(topPanel_, kSilver, QFrame::Sunken, 2);
    image2_ = new PictureWidget(mainPanel_);
    image2_->setModel(&g.Image2);
    image2_->onPress = [this](Qt::MouseButton b, QPoint p) {
        MouseButton button = b == Qt::RightButton ? MouseButton::Right
                             : b == Qt::MiddleButton ? MouseButton::Middle
                                                     : MouseButton::Left;
        handle([this, button, p] { app_.Game->Image2MouseDown(button, p.x(), p.y()); });
    };
    image2_->onClick = [this] { handle([this] { app_.Game->Image2Click(); }); };
    image2_->onDoubleClick = [this] { handle([this] { app_.Game->Image2DblClick(); }); };
    auto makeArrow = [this](void (TGame::*handler)()) {
        auto* a = new ClickArea(mainPanel_);
        a->onClick = [this, handler] { handle([this, handler] { (app_.Game.get()->*handler)(); }); };
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
    next1_->onClick = [this] { handle([this] { app_.Game->Next1Click(); }); };
    next1_->hide();

    controlPanel_ = Panel(topPanel_, kSilver);
    textPanel_ = Panel(controlPanel_, kSilver, QFrame::Sunken, 2);
    panel1_ = Panel(textPanel_, Qt::black);
    text1_ = new QLabel(panel1_);
    text1_->setWordWrap(true);
    text1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text1_->setFont(GameFont("Times New Roman", 19));
    panelControl_ = Panel(controlPanel_, kSilver, QFrame::Raised, 1);
    score_ = new QLabel("Score: ", panelControl_);
    score_->setAlignment(Qt::AlignCenter);
    score_->setFont(GameFont("Arial", 16, true));
    score_->setStyleSheet("color: navy;");
    auto makeMode = [this](const char* bitmap, void (TGame::*handler)()) {
        auto* b = new QToolButton(panelControl_);
        b->setCheckable(true);
        b->setAutoRaise(false);
        QPixmap face = platform_.bitmap(bitmap);
        b->setIcon(QIcon(face));
        b->setIconSize(QSize(96, 56));
        b->setFixedSize(100, 60);
        connect(b, &QToolButton::clicked, this, [this, handler] { handle([this, handler] { (app_.Game.get()->*handler)(); }); });
        return b;
    };
    look_ = makeMode("BTNLOOK", &TGame::LookClick);
    do_ = makeMode("BTNDO", &TGame::DoButtonClick);
    image2_->overlay = [this](QPainter& p) {
        if (app_.Game->a_Off.Tag != 0) drawGrid(p);
    };
    buildAuthoringPanel();
    // Clips are drawn inside the room picture, which also clips a rectangle that reaches
    // past the picture's edge.
    platform_.videoParent = [this] { return static_cast<QWidget*>(image2_); };
    platform_.videoOrigin = [] { return QPoint(0, 0); };
    platform_.onVideoStarted = [this](QWidget* surface) {
        std::erase_if(clips_, [&](const ShownClip& c) { return c.surface == surface; });
        clips_.push_back({surface, app_.Game->RoomEntries, std::nullopt});
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
        connect(b, &QPushButton::clicked, this, [this, handler] { handle([this, handler] { (app_.Game.get()->*handler)(); }); });
        row->addWidget(b);
        return b;
    };
    aOff_ = button(g.a_Off, &TGame::a_OffClick);
    aPlus_ = button(g.a_plus, &TGame::a_plusClick);
    aSave_ = button(g.a_Save, &TGame::a_SaveClick);
    aReset_ = button(g.a_reset, &TGame::a_resetClick);
    label3_ = new ClickArea(authorPanel_);
    label3_->onClick = [this] { handle([this] { app_.Game->Label3Click(); }); };
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
    connect(edit1_, &QLineEdit::returnPressed, this, [this] { handle([this] { app_.Game->Edit1KeyDown(13); }); });
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
            QAction* a = menu->addAction(QString::fromStdString(child.Caption));
            if (child.Radio) {
                if (!group) {
                    group = new QActionGroup(menu);
                    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
                }
                a->setCheckable(true);
                group->addAction(a);
            }
            if (child.Name == "MusicOFF") a->setCheckable(true);
            if (child.Name == "Hint1") a->setShortcut(QKeySequence(Qt::Key_H));
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

void GameView::runMenu(const std::string& name) {
    handle([this, name] {
        TGame& g = *app_.Game;
        if (name == "Introduction1") g.Introduction1Click();
        else if (name == "Exit1") g.Exit1Click();
        else if (name == "MusicOFF") g.MusicOFFClick();
        else if (name == "Contents1") g.Contents1Click();
        else if (name == "About") g.AboutClick();
        else if (name == "Hint1") g.HintClick();
        else if (name == "Level1") g.Level1Click();
        else if (name == "Level2") g.Level2Click();
        else if (name == "New1") g.New1Click();
        else if (name == "Open1") g.Open1Click();
        else if (name == "SaveAs1") g.SaveAs1Click();
        else if (name.size() > 1 && name.back() == '1') g.FontColorClick(name);
    });
}

void GameView::place(QWidget* w, const Control& c) {
    w->setGeometry(c.Left, c.Top, c.Width, c.Height);
    w->setVisible(c.Visible);
}

void GameView::resizeEvent(QResizeEvent*) {
    int menuH = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuH);
    client_->setGeometry(0, menuH, width(), height() - menuH);
    app_.Game->ArrangeControls(client_->width(), client_->height());
    sync();
}

void GameView::aboutToShow() {
    resizeEvent(nullptr);
}

void GameView::sync() {
    if (syncing_) return;
    syncing_ = true;
    TGame& g = *app_.Game;
    place(rightPanel_, g.RightPanel);
    place(image3_, g.Image3);
    image3_->refresh();
    place(panelInventory_, g.PanelInventory);
    place(topPanel_, g.TopPanel);
    place(mainPanel_, g.MainPanel);
    place(image2_, g.Image2);
    image2_->refresh();
    image2_->setEnabled(g.Image2.Enabled);
    image2_->setCursor(platform_.cursor(g.Image2.Cursor));
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
        w->setVisible(c.Visible);
        w->setCursor(platform_.cursor(c.Cursor));
        if (c.Visible) w->raise();
    };
    placeArrow(arrowN_, g.arrowN);
    placeArrow(arrowS_, g.arrowS);
    placeArrow(arrowE_, g.arrowE);
    placeArrow(arrowW_, g.arrowW);
    next1_->move(g.Image2.Left + g.Next1.Left, g.Image2.Top + g.Image2.Height - next1_->height() - 16);
    next1_->setVisible(g.Next1.Visible);
    if (g.Next1.Visible) next1_->raise();
    for (int n = 1; n <= kItems; ++n) {
        const PictureControl& m = g.item[size_t(n)];
        items_[size_t(n)]->setGeometry(m.Left, m.Top, m.Width, m.Height);
        items_[size_t(n)]->setVisible(m.Visible);
        items_[size_t(n)]->setCursor(platform_.cursor(m.Cursor));
        if (m.Visible) items_[size_t(n)]->raise();
    }
    place(controlPanel_, g.ControlPanel);
    place(textPanel_, g.TextPanel);
    place(panel1_, g.Panel1);
    place(text1_, g.text1);
    text1_->setText(DisplayText(g.text1.Caption));
    text1_->setStyleSheet(QString("color: %1;").arg(ToQColor(g.text1.FontColor).name()));
    place(panelControl_, g.PanelControl);
    score_->setGeometry(g.ScoreLabel.Left, g.ScoreLabel.Top, g.ScoreLabel.Width, g.ScoreLabel.Height);
    score_->setText(QString::fromStdString(g.ScoreLabel.Caption));
    look_->move(g.Panel3.Left + 1, 0);
    do_->move(g.Panel3.Left + 101, 0);
    look_->setChecked(g.Look.Down);
    do_->setChecked(g.DoButton.Down);
    for (int id = 1; id <= 34; ++id) {
        if (!g.InstalledCursors[size_t(id)].empty()) platform_.installCursor(id, g.InstalledCursors[size_t(id)]);
    }
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
    if (authorPanel_ && authorPanel_->isVisible()) {
        aOff_->setText(QString::fromStdString(g.a_Off.Caption));
        label3_->setText(QString::fromStdString(g.Label3.Caption));
        image2_->update();
    }
    syncing_ = false;
}

void GameView::closeEvent(QCloseEvent* e) {
    // Closing goes through the quit question; the window only goes when the game agrees.
    e->ignore();
    handle([this] { app_.Game->Close(); });
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

// ----- IntroView -----

IntroView::IntroView(Application& app, QtPlatform& platform, QRect area) : app_(app), platform_(platform) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setGeometry(area);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    TIntro& in = *app_.Intro;
    bkg_ = new PictureWidget(this);
    bkg_->setModel(&in.BKG);
    slide_ = new PictureWidget(this);
    slide_->setModel(&in.Image1);
    auto* panel = Panel(this, Qt::black);
    panel->setGeometry(in.Panel1.Left, in.Panel1.Top, in.Panel1.Width, in.Panel1.Height);
    caption_ = new QLabel(panel);
    caption_->setWordWrap(true);
    caption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f("Arial");
    f.setPointSize(in.CaptionPoints);
    f.setBold(true);
    caption_->setFont(f);
    caption_->setStyleSheet("color: yellow;");
    caption_->setGeometry(in.Introbox.Left, in.Introbox.Top, in.Introbox.Width, in.Introbox.Height);
    auto makeButton = [&](const Control& c) {
        auto* b = new QToolButton(panel);
        b->setGeometry(in.Panel2.Left + c.Left, c.Top, c.Width, c.Height);
        b->setIconSize(QSize(c.Width - 4, c.Height - 4));
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    next_ = makeButton(in.nextbutton);
    exit_ = makeButton(in.exitbutton);
    connect(next_, &QToolButton::clicked, this, [this] {
        app_.guard([this] { app_.Intro->nextbuttonClick(); });
        platform_.syncAll();
    });
    connect(exit_, &QToolButton::clicked, this, [this] {
        app_.guard([this] { app_.Intro->exitbuttonClick(); });
        platform_.syncAll();
    });
}

void IntroView::aboutToShow() {
    sync();
    if (firstShow_) {
        firstShow_ = false;
        platform_.blendWindowIn(this, 1000);  // the intro opens with the slow blend
    }
}

void IntroView::sync() {
    TIntro& in = *app_.Intro;
    bkg_->setGeometry(in.BKG.Left, in.BKG.Top, in.BKG.Width, in.BKG.Height);
    bkg_->refresh();
    slide_->setGeometry(in.Image1.Left, in.Image1.Top, in.Image1.Picture.width, in.Image1.Picture.height);
    slide_->setVisible(in.Image1.Visible);
    slide_->refresh();
    caption_->setText(DisplayText(in.Introbox.Caption));
    next_->setIcon(QIcon(platform_.bitmap(in.NextFace)));
    exit_->setIcon(QIcon(platform_.bitmap(in.ExitFace)));
}

void IntroView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        app_.guard([this] { app_.Intro->exitbuttonClick(); });
        platform_.syncAll();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        app_.guard([this] { app_.Intro->nextbuttonClick(); });
        platform_.syncAll();
        return;
    }
    QWidget::keyPressEvent(e);
}

// ----- AboutView -----

AboutView::AboutView(Application& app, QtPlatform& platform, QWidget* parent)
    : QWidget(parent, Qt::Dialog), app_(app), platform_(platform) {
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(292, 293);
    background_ = new QLabel(this);
    background_->setGeometry(0, 0, 292, 293);
    background_->setScaledContents(true);
    TAbout1& a = *app_.About1;
    label1_ = new QLabel(this);
    label1_->setGeometry(a.Label1.Left, a.Label1.Top, a.Label1.Width, a.Label1.Height);
    label1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label1_->setWordWrap(true);
    label1_->setFont(GameFont("MS Sans Serif", 16, true));
    label1_->setStyleSheet("color: white; background: transparent;");
    okay_ = new QPushButton(this);
    no_ = new QPushButton(this);
    okay_->setCursor(Qt::PointingHandCursor);
    no_->setCursor(Qt::PointingHandCursor);
    connect(okay_, &QPushButton::clicked, this, [this] { app_.guard([this] { app_.About1->Okay1Click(); }); });
    connect(no_, &QPushButton::clicked, this, [this] { app_.guard([this] { app_.About1->No1Click(); }); });
}

namespace {
// Dialogs open centred over the game, as on any desktop.
void CentreOverParent(QWidget* w) {
    QWidget* p = w->parentWidget();
    if (!p) return;
    QPoint centre = p->mapToGlobal(p->rect().center());
    w->move(centre.x() - w->width() / 2, centre.y() - w->height() / 2);
}
}  // namespace

void AboutView::sync() {
    TAbout1& a = *app_.About1;
    setWindowTitle(QString::fromStdString(a.Caption));
    background_->setPixmap(platform_.bitmap(a.Background));
    label1_->setText(DisplayText(a.Label1.Caption));
    okay_->setGeometry(a.Okay1.Left, a.Okay1.Top, a.Okay1.Width, a.Okay1.Height);
    okay_->setText(QString::fromStdString(a.Okay1.Caption));
    no_->setGeometry(a.No1.Left, a.No1.Top, a.No1.Width, a.No1.Height);
    no_->setText(QString::fromStdString(a.No1.Caption));
    no_->setVisible(a.No1.Visible);
    if (a.Showing) okay_->setFocus();
}

void AboutView::aboutToShow() {
    sync();
    CentreOverParent(this);
}

void AboutView::closeEvent(QCloseEvent* e) {
    e->ignore();
    app_.guard([this] { app_.About1->CloseBox(); });
}

void AboutView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        app_.guard([this] { app_.About1->CloseBox(); });
        return;
    }
    QWidget::keyPressEvent(e);
}

// ----- InventoryView -----

InventoryView::InventoryView(Application& app, QtPlatform& platform, QWidget* parent)
    : QWidget(parent, Qt::Tool), app_(app), platform_(platform) {
    setWindowTitle("Inventory");
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x45, 0x30, 0x58));
    setPalette(pal);
    background_ = new QLabel(this);
    background_->setScaledContents(true);
    TInventory& inv = *app_.Inventory;
    panel2_ = Panel(this, QColor(0x57, 0x3E, 0x39), QFrame::Sunken, 5);
    panel2_->setGeometry(inv.Panel2.Left, inv.Panel2.Top, inv.Panel2.Width, inv.Panel2.Height);
    itemPic_ = new PictureWidget(panel2_);
    itemPic_->setModel(&inv.ItemPic);
    itemPic_->setGeometry(inv.ItemPic.Left, inv.ItemPic.Top, inv.ItemPic.Width, inv.ItemPic.Height);
    inv1_ = new QLabel(this);
    inv1_->setWordWrap(true);
    inv1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    inv1_->setFont(GameFont("Arial", 13, true));
    inv1_->setStyleSheet("color: white; background: transparent;");
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { app_.guard([this] { app_.Inventory->OKClick(); }); });
}

void InventoryView::sync() {
    TInventory& inv = *app_.Inventory;
    setFixedSize(424, inv.WindowHeight - 26);
    background_->setGeometry(0, 0, width(), height());
    background_->setPixmap(platform_.bitmap(inv.Background));
    background_->lower();
    itemPic_->refresh();
    inv1_->setGeometry(inv.Inv1.Left, inv.Inv1.Top, inv.Inv1.Width, std::max(60, inv.OK.Top - inv.Inv1.Top - 8));
    inv1_->setText(DisplayText(inv.Inv1.Caption));
    ok_->setGeometry(inv.OK.Left, inv.OK.Top, inv.OK.Width, inv.OK.Height);
}

void InventoryView::aboutToShow() {
    sync();
    CentreOverParent(this);
}

void InventoryView::closeEvent(QCloseEvent* e) {
    e->ignore();
    app_.guard([this] { app_.Inventory->OKClick(); });
}

void InventoryView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        app_.guard([this] { app_.Inventory->OKClick(); });
        return;
    }
    QWidget::keyPressEvent(e);
}

// ----- CloseUpView -----

CloseUpView::CloseUpView(Application& app, QtPlatform& platform, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), app_(app), platform_(platform) {
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(622, 443);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    TCloseUp& c = *app_.CloseUp;
    image1_ = new PictureWidget(this);
    image1_->setModel(&c.Image1);
    image1_->setEnabled(false);
    talk1_ = new QLabel(this);
    talk1_->setWordWrap(true);
    talk1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    talk1_->setFont(GameFont("Times New Roman", 19));
    talk1_->setStyleSheet("color: yellow;");
    next1_ = new QPushButton(this);
    next1_->setFont(GameFont("Times New Roman", 27));
    exit1_ = new QPushButton(this);
    exit1_->setFont(GameFont("Times New Roman", 27));
    aPanel_ = Panel(this, Qt::black);
    aLabel_ = new QLabel("Your Answer:", aPanel_);
    aLabel_->setFont(GameFont("Times New Roman", 16, true));
    aLabel_->setStyleSheet("color: yellow;");
    answer_ = new QLineEdit(aPanel_);
    answer_->setMaxLength(20);
    connect(answer_, &QLineEdit::textEdited, this, [this](const QString& t) {
        // The answer box takes upper case only.
        QString up = t.toUpper();
        if (up != t) {
            int pos = answer_->cursorPosition();
            answer_->setText(up);
            answer_->setCursorPosition(pos);
        }
        app_.CloseUp->Answer.Caption = up.toLatin1().toStdString();
    });
    connect(answer_, &QLineEdit::returnPressed, this, [this] {
        app_.guard([this] { app_.CloseUp->AnswerKeyPress(13); });
        platform_.syncAll();
    });
    connect(next1_, &QPushButton::clicked, this, [this] {
        app_.guard([this] { app_.CloseUp->Next1Click(); });
        platform_.syncAll();
    });
    connect(exit1_, &QPushButton::clicked, this, [this] {
        app_.guard([this] { app_.CloseUp->Exit1Click(); });
        platform_.syncAll();
    });
}

void CloseUpView::aboutToShow() {
    sync();
    CentreOverParent(this);
    platform_.blendWindowIn(this, 500);
    next1_->setFocus();
}

void CloseUpView::sync() {
    if (syncing_) return;
    syncing_ = true;
    TCloseUp& c = *app_.CloseUp;
    image1_->setGeometry(4, 3, c.Image1.Picture.width > 0 ? c.Image1.Picture.width : 320,
                         c.Image1.Picture.height > 0 ? c.Image1.Picture.height : 300);
    image1_->refresh();
    talk1_->setGeometry(c.Talk1.Left, c.Talk1.Top, c.Talk1.Width, height() - c.Talk1.Top - 8);
    talk1_->setText(DisplayText(c.Talk1.Caption));
    auto button = [](QPushButton* b, const Control& m) {
        b->setGeometry(m.Left, m.Top, m.Width, m.Height);
        b->setText(QString::fromStdString(m.Caption));
        b->setVisible(m.Visible);
    };
    button(next1_, c.Next1);
    button(exit1_, c.Exit1);
    aPanel_->setGeometry(c.APanel.Left, c.APanel.Top, c.APanel.Width, c.APanel.Height);
    bool wasHidden = !aPanel_->isVisible();
    aPanel_->setVisible(c.APanel.Visible);
    aLabel_->setGeometry(c.ALabel.Left, c.ALabel.Top, 160, 24);
    answer_->setGeometry(c.Answer.Left, c.Answer.Top, c.Answer.Width, c.Answer.Height);
    if (QString::fromLatin1(c.Answer.Caption.c_str()) != answer_->text()) answer_->setText(QString::fromLatin1(c.Answer.Caption.c_str()));
    if (c.APanel.Visible && wasHidden) answer_->setFocus();
    syncing_ = false;
}

void CloseUpView::closeEvent(QCloseEvent* e) {
    e->ignore();
    app_.guard([this] { app_.CloseUp->Exit1Click(); });
}

void CloseUpView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        app_.guard([this] { app_.CloseUp->FormKeyPress(13); });
        platform_.syncAll();
        return;
    }
    if (e->key() == Qt::Key_Escape) return;  // the conversation is left with Exit, not Escape
    QWidget::keyPressEvent(e);
}

}  // namespace lnf
