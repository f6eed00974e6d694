#include "qt/inventory_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "app/lnf_game.h"
#include "qt/read_aloud.h"
#include "qt/widgets.h"
#include "windows/lnf_inventory.h"

namespace lnf {

InventoryView::InventoryView(Application& app, QtPlatform& platform, QWidget* parent)
    : QWidget(parent, Qt::Tool), View(app, platform) {
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
    connect(ok_, &QPushButton::clicked, this, [this] { act([this] { app_.Inventory->OKClick(); }); });
}

void InventoryView::sync() {
    TInventory& inv = *app_.Inventory;
    setFixedSize(424, inv.WindowHeight - 26);
    background_->setGeometry(0, 0, width(), height());
    SetPixmap(background_, platform_.bitmap(inv.Background));
    if (children().first() != background_) background_->lower();
    itemPic_->refresh();
    inv1_->setGeometry(inv.Inv1.Left, inv.Inv1.Top, inv.Inv1.Width, std::max(60, inv.OK.Top - inv.Inv1.Top - 8));
    inv1_->setText(DisplayText(inv.Inv1.Caption));
    platform_.reader().shown(ReadAloud::Source::CloseLook, isVisible() ? inv.Inv1.Caption : std::string(),
                             app_.Game->ReadingAloud());
    ok_->setGeometry(inv.OK.Left, inv.OK.Top, inv.OK.Width, inv.OK.Height);
}

void InventoryView::aboutToShow() {
    sync();
    CentreOverParent(this);
}

void InventoryView::closeEvent(QCloseEvent* e) {
    e->ignore();
    act([this] { app_.Inventory->OKClick(); });
}

void InventoryView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        act([this] { app_.Inventory->OKClick(); });
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace lnf
