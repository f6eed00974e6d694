// The close-up conversation with a character, and the answer box of its riddles.
#pragma once

#include <QWidget>

#include "qt/view.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lnf {

class PictureWidget;

class CloseUpView : public QWidget, public View {
    Q_OBJECT
public:
    CloseUpView(Application& app, QtPlatform& platform, QWidget* parent);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void scale();
    double shownScale_ = 0;
    PictureWidget* image1_;
    QLabel* talk1_;
    QPushButton* next1_;
    QPushButton* exit1_;
    QWidget* aPanel_;
    QLabel* aLabel_;
    QLineEdit* answer_;
};

}  // namespace lnf
