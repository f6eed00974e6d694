#include "qt/comfort_controls.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <QWidgetAction>

#include "app/lnf_game.h"
#include "qt/widgets.h"

namespace lnf {

QAction* AddVolumeSlider(QMenu* menu, const MenuItem& item, std::function<void(int)> changed) {
    auto* action = new QWidgetAction(menu);
    action->setObjectName(QString::fromStdString(item.Name));
    auto* row = new QWidget(menu);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(28, 4, 12, 4);
    QString caption = QString::fromStdString(item.Caption);
    caption.remove('&');
    auto* label = new QLabel(caption, row);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("Effects Volume") + 8);
    auto* slider = new QSlider(Qt::Horizontal, row);
    slider->setObjectName(QString::fromStdString(item.Name));
    slider->setRange(0, 100);
    slider->setSingleStep(5);
    slider->setPageStep(20);
    slider->setValue(item.Value);
    slider->setMinimumWidth(140);
    slider->setAccessibleName(caption);
    auto* value = new QLabel(QString::number(item.Value), row);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("100") + 2);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(label);
    layout->addWidget(slider, 1);
    layout->addWidget(value);
    QObject::connect(slider, &QSlider::valueChanged, row, [value, changed](int v) {
        value->setText(QString::number(v));
        changed(v);
    });
    action->setDefaultWidget(row);
    menu->addAction(action);
    return action;
}

void SyncVolumeSlider(QAction* action, int value) {
    auto* w = static_cast<QWidgetAction*>(action)->defaultWidget();
    auto* slider = w ? w->findChild<QSlider*>() : nullptr;
    if (!slider || slider->value() == value) return;
    // Moved by the model (never by the player here): the label follows, no change is reported.
    QSignalBlocker block(slider);
    slider->setValue(value);
    if (auto labels = w->findChildren<QLabel*>(); !labels.isEmpty()) labels.back()->setText(QString::number(value));
}

void SetUpComfortAction(QAction* action, const std::string& name) {
    if (name == "Mute1") {
        action->setCheckable(true);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    } else if (name == "Pause1") {
        action->setCheckable(true);
        action->setShortcuts({QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)});
    } else if (name == "ReadAloud1") {
        action->setCheckable(true);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    }
}

PausedVeil::PausedVeil(QWidget* parent) : QWidget(parent) {
    setObjectName("PausedVeil");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void PausedVeil::follow(bool paused) {
    if (!paused) {
        if (isVisible()) hide();
        return;
    }
    if (geometry() != parentWidget()->rect()) setGeometry(parentWidget()->rect());
    if (!isVisible()) {
        show();
        raise();  // over a clip that stands still under it
    }
}

void PausedVeil::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(8, 14, 24, 120));
    QFont f = GameFont("Times New Roman", std::max(18, height() / 9));
    f.setItalic(true);
    f.setLetterSpacing(QFont::PercentageSpacing, 112);
    p.setFont(f);
    QString text = TGame::kPausedText;
    // Measured with the italic's overhang, so the last letter stays inside the pill.
    const int padX = p.fontMetrics().height(), padY = p.fontMetrics().height() / 5;
    QRect box(0, 0, p.fontMetrics().horizontalAdvance(text) + p.fontMetrics().averageCharWidth() / 2 + 2 * padX,
              p.fontMetrics().height() + 2 * padY);
    box.moveCenter(rect().center());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 26, 40, 170));
    p.drawRoundedRect(box, box.height() / 2.0, box.height() / 2.0);
    p.setPen(QColor(246, 231, 193));  // the cream of the score, calm on the dim room
    p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace lnf
