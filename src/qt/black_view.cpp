#include "qt/black_view.h"

namespace lnf {

BlackView::BlackView(Application& app, QtPlatform& platform, QRect screen) : View(app, platform) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setWindowTitle("Black");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setGeometry(screen);
}

}  // namespace lnf
