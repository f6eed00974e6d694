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
    // The buttons' captions were fitted in this face too, not in the desktop's wider one.
    for (QPushButton* b : {okay_, no_}) b->setFont(GameFont("MS Sans Serif", 13));
    okay_->setCursor(Qt::PointingHandCursor);
    no_->setCursor(Qt::PointingHandCursor);
    connect(okay_, &QPushButton::clicked, this, [this] { act([this] { app_.About1->Okay1Click(); }); });
    connect(no_, &QPushButton::clicked, this, [this] { act([this] { app_.About1->No1Click(); }); });
}

void AboutView::sync() {
    TAbout1& a = *app_.About1;
    SetWindowTitle(this, QString::fromStdString(a.Caption));
    SetPixmap(background_, platform_.bitmap(a.Background));
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
