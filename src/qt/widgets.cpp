#include "qt/widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "qt/qt_platform.h"

namespace lnf {

QString DisplayText(const std::string& text) {
    QString s = QString::fromLatin1(text.data(), qsizetype(text.size()));
    s.replace("\r\n", "\n");
    s.replace("\n\r", "\n");
    s.remove('\r');
    return s;
}

namespace {
double gUiScale = 1.0;
}

double UiScale() { return gUiScale; }
void SetUiScale(double scale) { gUiScale = scale > 0 ? scale : 1.0; }
int UiPixels(int designPixels) { return int(std::lround(designPixels * gUiScale)); }
QRect UiRect(const Control& c) {
    // Both corners scaled, so that neighbouring controls stay neighbours.
    int l = UiPixels(c.Left), t = UiPixels(c.Top);
    return QRect(l, t, UiPixels(c.Left + c.Width) - l, UiPixels(c.Top + c.Height) - t);
}
QFont UiFont(const char* family, int designPixels, bool bold) {
    // Text is laid out at the screen's own resolution, never as an enlarged bitmap.
    return GameFont(family, std::max(6, UiPixels(designPixels)), bold);
}

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QFrame* Panel(QWidget* parent, QColor colour, QFrame::Shadow shadow, int line) {
    auto* f = new QFrame(parent);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, colour);
    f->setPalette(pal);
    if (line > 0) {
        f->setFrameStyle(QFrame::Panel | shadow);
        f->setLineWidth(line);
    }
    return f;
}

QString InstalledFamily(const QString& family) {
    // The game's texts were measured in these faces; the metric-compatible faces the package
    // installs take their places exactly. A face no desktop has would fall back to a wider one
    // and push the text past its box.
    if (family == "Times New Roman") return "Liberation Serif";
    if (family == "Arial" || family == "MS Sans Serif") return "Liberation Sans";
    return family;
}

QFont GameFont(const char* family, int pixels, bool bold) {
    QFont f;
    f.setFamilies({InstalledFamily(family), family});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void SetCursor(QWidget* w, const QCursor& c) {
    if (!(w->cursor() == c)) w->setCursor(c);
}

void SetStyleSheet(QWidget* w, const QString& sheet) {
    if (w->styleSheet() != sheet) w->setStyleSheet(sheet);
}

void SetWindowTitle(QWidget* w, const QString& title) {
    if (w->windowTitle() != title) w->setWindowTitle(title);
}

void SetPixmap(QLabel* l, const QPixmap& pm) {
    if (l->pixmap().cacheKey() != pm.cacheKey()) l->setPixmap(pm);
}

void Show(QWidget* w, bool visible, bool restack) {
    bool appears = visible && w->isHidden();
    w->setVisible(visible);
    if (visible && (appears || restack)) w->raise();
}

// Dialogs open centred over the game, as on any desktop.
void CentreOverParent(QWidget* w) {
    QWidget* p = w->parentWidget();
    if (!p) return;
    QPoint centre = p->mapToGlobal(p->rect().center());
    w->move(centre.x() - w->width() / 2, centre.y() - w->height() / 2);
}

// ----- PictureWidget -----

void PictureWidget::refresh() {
    if (model_ && model_->PictureVersion != shownVersion_) {
        shownVersion_ = model_->PictureVersion;
        pixmap_ = QPixmap::fromImage(QtPlatform::toQImage(model_->Picture));
        update();
    }
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& pm = fixed_.isNull() ? pixmap_ : fixed_;
    if (!pm.isNull()) p.drawPixmap(rect(), pm);
    if (overlay) overlay(p);
}

void PictureWidget::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    if (onPress) onPress(e->button(), e->position().toPoint());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (pressed_ && rect().contains(e->position().toPoint()) && onClick) onClick();
    pressed_ = false;
}

void PictureWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // A double click arrives as press, click, double click and a second press.
    if (onDoubleClick) onDoubleClick();
    mousePressEvent(e);
}

void ClickArea::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick) onClick();
}

void ClickArea::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
}

// ----- ModeButton -----

ModeButton::ModeButton(QPixmap face, QWidget* parent) : QAbstractButton(parent), face_(std::move(face)) {
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    resize(100, 60);  // the game sizes it with the screen
    setCursor(Qt::PointingHandCursor);
}

void ModeButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const bool on = isChecked() || isDown();
    const QRect r = rect();
    // Pressed in: the face moves down and right by two pixels under a dark upper-left edge.
    const QRect faceRect = on ? r.adjusted(3, 3, -1, -1) : r.adjusted(1, 1, -3, -3);
    p.fillRect(r, on ? QColor(40, 24, 8) : QColor(90, 60, 30));
    if (!face_.isNull()) p.drawPixmap(faceRect, face_);
    if (on) {
        // Lit: a warm light over the face and a gold rim round it.
        p.fillRect(faceRect, QColor(255, 214, 90, 70));
        p.setPen(QPen(QColor(255, 200, 40), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(faceRect.adjusted(1, 1, -2, -2));
        p.setPen(QPen(QColor(0, 0, 0, 170), 2));
        p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(0, 1));
        p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, 0));
    } else {
        // Off: dimmed, standing out with a light upper-left and a dark lower-right edge.
        p.fillRect(faceRect, QColor(20, 12, 4, 110));
        p.setPen(QPen(QColor(255, 240, 210, 160), 1));
        p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
        p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
        p.setPen(QPen(QColor(0, 0, 0, 200), 2));
        p.drawLine(r.bottomLeft() + QPoint(1, 0), r.bottomRight());
        p.drawLine(r.topRight() + QPoint(0, 1), r.bottomRight());
    }
    if (hasFocus()) {
        p.setPen(QPen(QColor(255, 255, 255, 140), 1, Qt::DotLine));
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

}  // namespace lnf
