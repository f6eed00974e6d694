// The about box, which also asks the game's questions (quit, start again).
#pragma once

#include <QWidget>

#include "qt/view.h"

class QLabel;
class QPushButton;

namespace lnf {

class AboutView : public QWidget, public View {
    Q_OBJECT
public:
    AboutView(Application& app, QtPlatform& platform, QWidget* parent);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    double shownScale_ = 0;
    QLabel* background_;
    QLabel* label1_;
    QPushButton* okay_;
    QPushButton* no_;
};

}  // namespace lnf
