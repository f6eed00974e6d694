#include "qt/intro_view.h"

#include <QKeyEvent>
#include <QToolButton>

#include "windows/lnf_intro.h"

namespace lnf {

IntroView::IntroView(Application& app, QtPlatform& platform, QRect area) : View(app, platform) {
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
    connect(next_, &QToolButton::clicked, this, [this] { press(false); });
    connect(exit_, &QToolButton::clicked, this, [this] { press(true); });
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
    if (shownFaces_ != std::pair(in.NextFace, in.ExitFace)) {
        shownFaces_ = {in.NextFace, in.ExitFace};
        next_->setIcon(QIcon(platform_.bitmap(in.NextFace)));
        exit_->setIcon(QIcon(platform_.bitmap(in.ExitFace)));
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
