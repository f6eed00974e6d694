// The close look at one item of the inventory.
#pragma once

#include <QWidget>

#include "qt/view.h"

class QFrame;
class QLabel;
class QPushButton;

namespace lnf {

class PictureWidget;

class InventoryView : public QWidget, public View {
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
    QSize shownSize_;
    QLabel* background_;
    QFrame* panel2_;
    PictureWidget* itemPic_;
    QLabel* inv1_;
    QPushButton* ok_;
};

}  // namespace lnf
