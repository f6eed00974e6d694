// The intro's slides, and the conclusion after a won game.
#pragma once

#include <QWidget>
#include <string>
#include <utility>

#include "qt/view.h"
#include "qt/widgets.h"

class QToolButton;

namespace lnf {

class IntroView : public QWidget, public View {
    Q_OBJECT
public:
    IntroView(Application& app, QtPlatform& platform, QRect area);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void press(bool skip);  // Continue (Enter) or Skip (Escape)
    void layOut();

    bool busy_ = false;
    bool skipWaiting_ = false;
    int continuesWaiting_ = 0;
    QWidget* stage_;
    QFrame* panel_;
    PictureWidget* bkg_;
    PictureWidget* slide_;
    QLabel* caption_;
    QToolButton* next_;
    QToolButton* exit_;
    std::pair<std::string, std::string> shownFaces_;
    QSize shownFaceSize_;
    bool firstShow_ = true;
};

}  // namespace lnf
