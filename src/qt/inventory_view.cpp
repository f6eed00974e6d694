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
    itemPic_ = new PictureWidget(panel2_);
    itemPic_->setModel(&inv.ItemPic);
    inv1_ = new QLabel(this);
    inv1_->setWordWrap(true);
    inv1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    inv1_->setStyleSheet("color: white; background: transparent;");
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { act([this] { app_.Inventory->OKClick(); }); });
}

void InventoryView::sync() {
    TInventory& inv = *app_.Inventory;
    // The close look keeps its share of the game's area, its text drawn at that size.
    setFixedSize(UiPixels(424), UiPixels(inv.WindowHeight - 26));
    panel2_->setGeometry(UiRect(inv.Panel2));
    itemPic_->setGeometry(UiRect(inv.ItemPic));
    QFont f = UiFont("Arial", 13, true);
    if (inv1_->font() != f) inv1_->setFont(f);
    ok_->setFont(UiFont("Arial", 13));
    background_->setGeometry(0, 0, width(), height());
    SetPixmap(background_, platform_.bitmap(inv.Background));
    if (children().first() != background_) background_->lower();
    itemPic_->refresh();
    Control text = inv.Inv1;
    text.Height = std::max(60, inv.OK.Top - inv.Inv1.Top - 8);
    inv1_->setGeometry(UiRect(text));
    inv1_->setText(DisplayText(inv.Inv1.Caption));
    platform_.reader().shown(ReadAloud::Source::CloseLook, isVisible() ? inv.Inv1.Caption : std::string(),
                             app_.Game->ReadingAloud());
    ok_->setGeometry(UiRect(inv.OK));
    if (isVisible() && size() != shownSize_) CentreOverParent(this);
    shownSize_ = size();
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
