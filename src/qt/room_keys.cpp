#include "qt/room_keys.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include "app/lnf_game.h"

namespace lnf {

namespace {

const QColor kLiveColour(255, 214, 90);      // warm lantern gold: the story still has a use for it
const QColor kSpentColour(200, 200, 210);    // pale: only its look and its text are left
const QColor kExitColour(110, 225, 255);     // the exits' cool blue
const QColor kHighlightColour(255, 255, 255);

const char* const kArrows[4] = {"\u2191", "\u2193", "\u2192", "\u2190"};

// A line with a soft glow round it: wide faint strokes under the sharp one.
void GlowStroke(QPainter& p, const QPainterPath& path, QColor colour, qreal width, int alpha) {
    p.setBrush(Qt::NoBrush);
    for (auto [grow, a] : {std::pair{6.0, alpha / 6}, {3.5, alpha / 3}, {1.6, alpha / 2}}) {
        QColor c = colour;
        c.setAlpha(std::max(1, a));
        p.setPen(QPen(c, width * grow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    QColor c = colour;
    c.setAlpha(alpha);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

}  // namespace

RoomKeys::RoomKeys(TGame& game, QWidget* window, QWidget* picture,
                   std::function<void(const std::function<void()>&)> act)
    : QObject(window), game_(game), window_(window), picture_(picture), act_(std::move(act)), play_(game) {
    tabLetGo_.setSingleShot(true);
    tabLetGo_.setInterval(kTabLetGoMs);
    connect(&tabLetGo_, &QTimer::timeout, this, [this] {
        tabHeld_ = false;
        sync();
    });
    qApp->installEventFilter(this);
}

RoomKeys::~RoomKeys() { qApp->removeEventFilter(this); }

bool RoomKeys::revealShown() const { return tabHeld_ || game_.HotspotsShown(); }

QSizeF RoomKeys::scale() const {
    // The game lays the picture out at its size; the widget may be drawn larger or smaller.
    const PictureControl& m = game_.Image2;
    qreal sx = m.Width > 0 ? picture_->width() / qreal(m.Width) : 1.0;
    qreal sy = m.Height > 0 ? picture_->height() / qreal(m.Height) : 1.0;
    return {sx, sy};
}

void RoomKeys::paint(QPainter& p) const {
    std::optional<KeyTarget> lit = play_.highlighted();
    bool reveal = revealShown();
    if (!reveal && !lit) return;
    const TGame& g = game_;
    QSizeF s = scale();
    const qreal cw = g.CellWidth * s.width(), ch = g.CellHeight * s.height();
    RoomReveal room = play_.reveal();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    auto ringsPath = [&](const ObjectReveal& o) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const OutlineRing& ring : o.rings) {
            path.moveTo(ring.front().x * cw, ring.front().y * ch);
            for (size_t i = 1; i < ring.size(); ++i) path.lineTo(ring[i].x * cw, ring[i].y * ch);
            path.closeSubpath();
        }
        return path;
    };
    const Control* areas[4] = {&g.arrowN, &g.arrowS, &g.arrowE, &g.arrowW};
    auto exitRect = [&](Direction d) {
        const Control& a = *areas[d];
        // Some areas reach past the picture's edge; what shows of them is inside it.
        return QRectF(a.Left * s.width(), a.Top * s.height(), a.Width * s.width(), a.Height * s.height())
            .intersected(QRectF(picture_->rect()));
    };
    const qreal line = std::max<qreal>(1.5, ch / 12);
    QFont f = p.font();
    f.setPixelSize(std::max(10, int(ch * 0.6)));
    f.setBold(true);
    p.setFont(f);
    auto drawExit = [&](Direction d, QColor colour, int alpha, qreal width) {
        QRectF r = exitRect(d).adjusted(line, line, -line, -line);
        QPainterPath path;
        path.addRoundedRect(r, line * 3, line * 3);
        QColor fill = colour;
        fill.setAlpha(alpha / 6);
        p.fillPath(path, fill);
        GlowStroke(p, path, colour, width, alpha);
        QString label = QString::fromUtf8(kArrows[d]) + " " + kDirectionNames[d];
        QRectF box = p.fontMetrics().boundingRect(label);
        box.moveCenter(r.center());
        box.adjust(-line * 2, -line, line * 2, line);
        // A narrow exit at the picture's edge keeps its whole label on the picture.
        QRectF inside = QRectF(picture_->rect()).adjusted(line, line, -line, -line);
        box.moveLeft(std::clamp(box.left(), inside.left(), std::max(inside.left(), inside.right() - box.width())));
        box.moveTop(std::clamp(box.top(), inside.top(), std::max(inside.top(), inside.bottom() - box.height())));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 150));
        p.drawRoundedRect(box, line * 2, line * 2);
        p.setPen(colour);
        p.drawText(box, Qt::AlignCenter, label);
    };
    if (reveal) {
        for (const ObjectReveal& o : room.objects) {
            QPainterPath path = ringsPath(o);
            QColor colour = o.live ? kLiveColour : kSpentColour;
            int alpha = o.live ? 235 : 110;
            QColor fill = colour;
            fill.setAlpha(o.live ? 34 : 14);
            p.fillPath(path, fill);
            GlowStroke(p, path, colour, line, alpha);
        }
        for (const ExitReveal& e : room.exits) drawExit(e.direction, kExitColour, 235, line);
    }
    if (lit) {
        if (lit->kind == KeyTarget::Exit) {
            drawExit(lit->direction, kHighlightColour, 255, line * 2);
        } else {
            for (const ObjectReveal& o : room.objects) {
                if (o.code != lit->code) continue;
                QPainterPath path = ringsPath(o);
                QColor fill = kHighlightColour;
                fill.setAlpha(60);
                p.fillPath(path, fill);
                GlowStroke(p, path, kHighlightColour, line * 2, 255);
                // Where Enter will press.
                QPointF at(CellMiddleX(o.clickCell) * cw, CellMiddleY(o.clickCell) * ch);
                p.setPen(QPen(QColor(0, 0, 0, 200), line * 1.5));
                p.setBrush(kHighlightColour);
                p.drawEllipse(at, ch / 4, ch / 4);
            }
        }
    }
    p.restore();
}

void RoomKeys::sync() {
    // Everything the drawing depends on, in a few bytes: redrawn only when one of them moved.
    QByteArray now;
    const TGame& g = game_;
    auto put = [&](int64_t v) { now.append(reinterpret_cast<const char*>(&v), sizeof v); };
    put(revealShown());
    std::optional<KeyTarget> lit = play_.highlighted();
    put(lit ? (lit->kind == KeyTarget::Exit ? 100 + lit->direction : lit->code) : -1);
    if (revealShown() || lit) {
        put(int64_t(g.RoomEntries));
        put(g.GameState.Room);
        for (const Control* a : {&g.arrowN, &g.arrowS, &g.arrowE, &g.arrowW}) {
            put(a->Visible);
            put(a->Left);
            put(a->Top);
            put(a->Width);
            put(a->Height);
        }
        if (g.GameState.Room >= 1 && g.GameState.Room <= kRooms)
            for (int c = 1; c <= 8; ++c) put(g.GameState.ObjState[ObjectNumber(g.GameState.Room, c)]);
        now.append(reinterpret_cast<const char*>(g.RoomCells.data()), int(g.RoomCells.size()));
        put(int64_t(g.CellWidth * 1000));
        put(int64_t(g.CellHeight * 1000));
    }
    if (now != drawn_) {
        drawn_ = now;
        picture_->update();
    }
}

bool RoomKeys::forThisWindow(QObject* watched) const {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != window_ || !window_->isVisible()) return false;
    // A conversation, a close look, a question or a message box has the keys while it is up.
    QWidget* modal = QApplication::activeModalWidget();
    return !modal || modal == window_;
}

bool RoomKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride: {
            if (!forThisWindow(watched)) return false;
            auto* k = static_cast<QKeyEvent*>(event);
            if (event->type() == QEvent::ShortcutOverride) {
                // Our keys are ours in the room, before any menu shortcut sees them.
                bool ours = handleKey(k->key(), k->modifiers(), false, true) ;
                if (ours) event->accept();
                return false;
            }
            return handleKey(k->key(), k->modifiers(), event->type() == QEvent::KeyPress, k->isAutoRepeat());
        }
        case QEvent::WindowDeactivate:
            // A Tab let go in another window never reaches us.
            if (watched == window_ && tabHeld_) {
                tabLetGo_.stop();
                tabHeld_ = false;
                sync();
            }
            return false;
        default:
            return false;
    }
}

// With `press` false and `autoRepeat` true this only tells whether the key is ours.
bool RoomKeys::handleKey(int key, Qt::KeyboardModifiers mods, bool press, bool autoRepeat) {
    mods &= ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) return false;
    const bool probe = !press && autoRepeat;
    switch (key) {
        case Qt::Key_Tab:
            if (probe) return true;
            if (press) {
                tabLetGo_.stop();
                tabHeld_ = true;
                sync();
            } else if (!autoRepeat) {
                // A held key repeats as a release and a press; the window system does not
                // always mark the release as a repeat, so a let-go counts once no press
                // follows it.
                tabLetGo_.start();
            }
            return true;
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            if (probe) return true;
            if (press) {
                play_.move(key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1);
                sync();
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (probe) return true;
            if (press && !autoRepeat) act_([this] { play_.activate(); });
            return true;
        default:
            if (key >= Qt::Key_0 && key <= Qt::Key_9) {
                if (probe) return true;
                if (press && !autoRepeat) act_([this, key] { play_.digit(key - Qt::Key_0); });
                return true;
            }
            return false;
    }
}

}  // namespace lnf
