#include "qt/about_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "qt/widgets.h"
#include "windows/lnf_about.h"

namespace lnf {

AboutView::AboutView(Application& app, QtPlatform& platform, QWidget* parent)
    : QWidget(parent, Qt::Dialog), View(app, platform) {
    setWindowModality(Qt::ApplicationModal);
    background_ = new QLabel(this);
    background_->setScaledContents(true);
    label1_ = new QLabel(this);
    label1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label1_->setWordWrap(true);
    label1_->setStyleSheet("color: white; background: transparent;");
    okay_ = new QPushButton(this);
    no_ = new QPushButton(this);
    // The buttons' captions were fitted in this face too, not in the desktop's wider one.
    for (QPushButton* b : {okay_, no_}) b->setFont(GameFont("MS Sans Serif", 13));
    okay_->setCursor(Qt::PointingHandCursor);
    no_->setCursor(Qt::PointingHandCursor);
    // Enter presses the button the keyboard is on, as in any dialog.
    okay_->setAutoDefault(true);
    no_->setAutoDefault(true);
    connect(okay_, &QPushButton::clicked, this, [this] { act([this] { app_.About1->Okay1Click(); }); });
    connect(no_, &QPushButton::clicked, this, [this] { act([this] { app_.About1->No1Click(); }); });
}

void AboutView::sync() {
    TAbout1& a = *app_.About1;
    if (shownScale_ != UiScale()) {
        // The box keeps its share of the game's area, its text drawn at that size.
        shownScale_ = UiScale();
        setFixedSize(UiPixels(292), UiPixels(293));
        background_->setGeometry(0, 0, width(), height());
        label1_->setGeometry(UiRect(a.Label1));
        label1_->setFont(UiFont("MS Sans Serif", 16, true));
        okay_->setFont(UiFont("MS Sans Serif", 13));
        no_->setFont(UiFont("MS Sans Serif", 13));
        if (isVisible()) CentreOverParent(this);
    }
    SetWindowTitle(this, QString::fromStdString(a.Caption));
    SetPixmap(background_, platform_.bitmap(a.Background));
    label1_->setText(DisplayText(a.Label1.Caption));
    okay_->setGeometry(UiRect(a.Okay1));
    okay_->setText(QString::fromStdString(a.Okay1.Caption));
    no_->setGeometry(UiRect(a.No1));
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
    act([this] { app_.About1->CloseBox(); });
}

void AboutView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        act([this] { app_.About1->CloseBox(); });
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace lnf
