#include "qt/intro_view.h"

#include <QKeyEvent>
#include <QToolButton>

#include "app/lnf_game.h"
#include "qt/presentation.h"
#include "windows/lnf_intro.h"

namespace lnf {

IntroView::IntroView(Application& app, QtPlatform& platform, QRect area) : View(app, platform) {
    setWindowTitle(Application::kTitle);
    setGeometry(area);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    TIntro& in = *app_.Intro;
    stage_ = new QWidget(this);
    bkg_ = new PictureWidget(stage_);
    bkg_->setModel(&in.BKG);
    slide_ = new PictureWidget(stage_);
    slide_->setModel(&in.Image1);
    panel_ = Panel(stage_, Qt::black);
    caption_ = new QLabel(panel_);
    caption_->setWordWrap(true);
    caption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caption_->setStyleSheet("color: yellow;");
    auto makeButton = [&] {
        auto* b = new QToolButton(panel_);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    next_ = makeButton();
    exit_ = makeButton();
    connect(next_, &QToolButton::clicked, this, [this] { press(false); });
    connect(exit_, &QToolButton::clicked, this, [this] { press(true); });
    layOut();
}

void IntroView::resizeEvent(QResizeEvent*) {
    // As the game window does: the largest 4:3 area of the window, on black.
    const QRect area = FourByThreeArea(size());
    stage_->setGeometry(area);
    const int menuH = app_.Game->ClientWidth == app_.screen.width ? app_.screen.height - app_.Game->ClientHeight : 0;
    if (LayOutGame(app_, area.size(), menuH)) platform_.syncAll();
    layOut();
}

void IntroView::layOut() {
    TIntro& in = *app_.Intro;
    panel_->setGeometry(in.Panel1.Left, in.Panel1.Top, in.Panel1.Width, in.Panel1.Height);
    // The caption's points are those of the 1024 x 768 design, grown or shrunk with the area.
    QFont f = UiFont("Arial", 21, true);
    if (caption_->font() != f) caption_->setFont(f);
    caption_->setGeometry(in.Introbox.Left, in.Introbox.Top, in.Introbox.Width, in.Introbox.Height);
    for (auto [b, c] : {std::pair(next_, &in.nextbutton), std::pair(exit_, &in.exitbutton)}) {
        b->setGeometry(in.Panel2.Left + c->Left, c->Top, c->Width, c->Height);
        b->setIconSize(QSize(std::max(1, c->Width - 4), std::max(1, c->Height - 4)));
    }
    bkg_->setGeometry(in.BKG.Left, in.BKG.Top, in.BKG.Width, in.BKG.Height);
    slide_->setGeometry(in.Image1.Left, in.Image1.Top, in.Image1.Width, in.Image1.Height);
}

void IntroView::press(bool skip) {
    // A slide lets pending presses run while it is drawn; one that comes in then waits for
    // the slide to finish, so every press does what it says and slide and caption stay
    // together.
    if (busy_) {
        if (skip) skipWaiting_ = true;
        else ++continuesWaiting_;
        return;
    }
    busy_ = true;
    bool nextSkip = skip;
    for (;;) {
        act([this, nextSkip] {
            if (nextSkip) app_.Intro->exitbuttonClick();
            else app_.Intro->nextbuttonClick();
        });
        if (platform_.modalClosing(WindowId::Intro) || nextSkip) break;  // what waits is for a closed window
        if (skipWaiting_) nextSkip = true;
        else if (continuesWaiting_ > 0) --continuesWaiting_;
        else break;
    }
    skipWaiting_ = false;
    continuesWaiting_ = 0;
    busy_ = false;
}

void IntroView::aboutToShow() {
    if (Presentation* p = Presentation::current()) p->adopt(this);
    resizeEvent(nullptr);
    sync();
    if (firstShow_) {
        firstShow_ = false;
        platform_.blendWindowIn(this, 1000);  // the intro opens with the slow blend
    }
}

void IntroView::sync() {
    TIntro& in = *app_.Intro;
    layOut();
    bkg_->refresh();
    slide_->setVisible(in.Image1.Visible);
    slide_->refresh();
    caption_->setText(DisplayText(in.Introbox.Caption));
    if (shownFaces_ != std::pair(in.NextFace, in.ExitFace) || shownFaceSize_ != next_->iconSize()) {
        shownFaces_ = {in.NextFace, in.ExitFace};
        shownFaceSize_ = next_->iconSize();
        // An icon is never drawn larger than its picture: the faces are scaled to the button.
        auto face = [&](const std::string& name) {
            return QIcon(platform_.bitmap(name).scaled(shownFaceSize_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        };
        next_->setIcon(face(in.NextFace));
        exit_->setIcon(face(in.ExitFace));
    }
}

void IntroView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        press(true);
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        press(false);
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace lnf
