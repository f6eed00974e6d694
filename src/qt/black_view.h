// The black backdrop behind every window of the run.
#pragma once

#include <QWidget>

#include "qt/view.h"

namespace lnf {

class BlackView : public QWidget, public View {
    Q_OBJECT
public:
    BlackView(Application& app, QtPlatform& platform, QRect screen);
    QWidget* widget() override { return this; }
    void sync() override {}
};

}  // namespace lnf
