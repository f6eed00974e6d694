#include "qt/saved_games_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "qt/widgets.h"
#include "windows/lnf_saved_games.h"

namespace lnf {

namespace {

const QColor kCream(246, 231, 193);
// The room picture's own shape (495 x 245), at the list's size.
constexpr int kPreviewWidth = 180, kPreviewHeight = 89;

// The picture of a game that opens but whose room picture this machine has not composed yet.
QPixmap PictureToCome(QSize size) {
    QPixmap pm(size);
    pm.fill(QColor(34, 24, 14));
    QPainter p(&pm);
    p.setPen(QPen(QColor(110, 80, 50), 1));
    p.drawRect(QRectF(pm.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    QFont f = GameFont("Times New Roman", std::max(9, size.height() / 7));
    f.setItalic(true);
    p.setFont(f);
    p.setPen(QColor(200, 180, 140));
    p.drawText(pm.rect(), Qt::AlignCenter, "The picture shows\nonce it is opened");
    return pm;
}

// The picture of a game that cannot be opened: the frame of a picture with nothing in it.
QPixmap MissingPicture(QSize size) {
    QPixmap pm(size);
    pm.fill(QColor(24, 16, 10));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 60, 40), std::max(2, size.width() / 60)));
    QRectF r = QRectF(pm.rect()).adjusted(size.width() * 0.38, size.height() * 0.22, -size.width() * 0.38,
                                          -size.height() * 0.22);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
    p.setPen(QPen(QColor(110, 80, 50), 1));
    p.drawRect(QRectF(pm.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    return pm;
}

// One game of the list: its picture, then its name in bold over the date and the score.
class EntryDelegate : public QStyledItemDelegate {
public:
    EntryDelegate(QObject* parent, const double& scale) : QStyledItemDelegate(parent), scale_(scale) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        const int pad = int(std::lround(6 * scale_));
        p->save();
        const bool picked = o.state & QStyle::State_Selected;
        if (picked) p->fillRect(o.rect, QColor(120, 84, 34));
        QRect r = o.rect.adjusted(pad, pad, -pad, -pad);
        const QSize icon = o.decorationSize;
        p->drawPixmap(QRect(QPoint(r.left(), r.top() + (r.height() - icon.height()) / 2), icon), o.icon.pixmap(icon));
        if (picked) {
            p->setPen(QPen(QColor(255, 200, 40), std::max(1, int(std::lround(2 * scale_)))));
            p->drawRect(QRect(QPoint(r.left(), r.top() + (r.height() - icon.height()) / 2), icon).adjusted(0, 0, -1, -1));
        }
        QRect text = r.adjusted(icon.width() + 2 * pad, 0, 0, 0);
        const QStringList lines = index.data(Qt::DisplayRole).toString().split('\n');
        QFont font = o.font;
        font.setPixelSize(QFontInfo(o.font).pixelSize());
        QFont nameFont = font;
        nameFont.setBold(true);
        nameFont.setPixelSize(int(std::lround(font.pixelSize() * 1.15)));
        QColor ink = index.data(Qt::ForegroundRole).isValid() ? index.data(Qt::ForegroundRole).value<QColor>() : kCream;
        if (picked) ink = ink.lighter(135);  // to read on the lit row
        QFontMetrics nameMetrics(nameFont), metrics(font);
        int y = text.top() + (text.height() - nameMetrics.height() - metrics.height() * int(lines.size() - 1)) / 2;
        for (int i = 0; i < lines.size(); ++i) {
            p->setFont(i == 0 ? nameFont : font);
            p->setPen(i == 0 ? (picked ? QColor(Qt::white) : kCream) : ink);
            const QFontMetrics& m = i == 0 ? nameMetrics : metrics;
            p->drawText(QRect(text.left(), y, text.width(), m.height()), Qt::AlignLeft | Qt::AlignVCenter,
                        m.elidedText(lines[i], Qt::ElideRight, text.width()));
            y += m.height();
        }
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        // As wide as the list shows, so the text never runs off to the side.
        const int pad = int(std::lround(6 * scale_));
        auto* view = qobject_cast<QListWidget*>(parent());
        int width = view ? view->viewport()->width() - 2 * view->spacing() : option.rect.width();
        return {std::max(width, 1), option.decorationSize.height() + 2 * pad};
    }

private:
    const double& scale_;
};

QString EntryText(const SavedGameEntry& e) {
    QString text = QString::fromStdString(e.name) + "\n" + QString::fromStdString(e.modifiedText) + "\n";
    if (e.usable()) text += QString("Score %1    Level %2").arg(e.score).arg(e.level);
    else text += QString::fromStdString(SavedGameProblemText(e.problem));
    return text;
}

}  // namespace

SavedGamesView::SavedGamesView(Application& app, QtPlatform& platform, QWidget* parent)
    : QWidget(parent, Qt::Dialog), View(app, platform) {
    setObjectName("SavedGames");
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kFrameWood);
    pal.setColor(QPalette::WindowText, kCream);
    setPalette(pal);

    auto* column = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setObjectName("heading");
    column->addWidget(heading_);

    list_ = new QListWidget(this);
    list_->setObjectName("list");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    list_->setWordWrap(false);
    list_->setTextElideMode(Qt::ElideRight);
    list_->setItemDelegate(new EntryDelegate(list_, scale_));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setResizeMode(QListView::Adjust);
    column->addWidget(list_, 1);
    // Laid out in the list's viewport, so it stays centred whatever size the window takes.
    empty_ = new QLabel("No saved games yet.", list_->viewport());
    empty_->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(list_->viewport()))->addWidget(empty_);

    note_ = new QLabel(this);
    note_->setObjectName("note");
    note_->setWordWrap(true);
    column->addWidget(note_);

    nameRow_ = new QWidget(this);
    auto* nameLine = new QHBoxLayout(nameRow_);
    nameLine->setContentsMargins(0, 0, 0, 0);
    nameLabel_ = new QLabel("Name:", nameRow_);
    name_ = new QLineEdit(nameRow_);
    name_->setObjectName("name");
    name_->setMaxLength(80);
    save_ = new QPushButton("&Save", nameRow_);
    save_->setObjectName("save");
    nameLine->addWidget(nameLabel_);
    nameLine->addWidget(name_, 1);
    nameLine->addWidget(save_);
    column->addWidget(nameRow_);

    commandRow_ = new QWidget(this);
    auto* commands = new QHBoxLayout(commandRow_);
    commands->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* caption, const char* name) {
        auto* b = new QPushButton(caption, commandRow_);
        b->setObjectName(name);
        commands->addWidget(b);
        return b;
    };
    open_ = button("&Open", "open");
    overwrite_ = button("O&verwrite", "overwrite");
    delete_ = button("&Delete", "delete");
    commands->addStretch(1);
    other_ = button("Other &file...", "other");
    cancel_ = button("Cancel", "cancel");
    column->addWidget(commandRow_);

    questionRow_ = new QWidget(this);
    auto* asking = new QHBoxLayout(questionRow_);
    asking->setContentsMargins(0, 0, 0, 0);
    question_ = new QLabel(questionRow_);
    question_->setObjectName("question");
    question_->setWordWrap(true);
    yes_ = new QPushButton("&Yes", questionRow_);
    yes_->setObjectName("yes");
    no_ = new QPushButton("&No", questionRow_);
    no_->setObjectName("no");
    asking->addWidget(question_, 1);
    asking->addWidget(yes_);
    asking->addWidget(no_);
    column->addWidget(questionRow_);
    questionRow_->hide();

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing_) act([this, row] { app_.SavedGames->Select(row); });
    });
    // A double click (never a single one, whatever the desktop's habit) opens or overwrites.
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        int row = list_->row(item);
        act([this, row] {
            app_.SavedGames->Select(row);
            useRow();
        });
    });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& t) {
        app_.SavedGames->SetName(t.toStdString());
        act([] {});
    });
    connect(name_, &QLineEdit::returnPressed, this, [this] { act([this] { app_.SavedGames->SaveClick(); }); });
    auto wire = [&](QPushButton* b, void (TSavedGames::*handler)()) {
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, handler] { act([this, handler] { (app_.SavedGames.get()->*handler)(); }); });
    };
    wire(save_, &TSavedGames::SaveClick);
    wire(open_, &TSavedGames::OpenClick);
    wire(overwrite_, &TSavedGames::OverwriteClick);
    wire(delete_, &TSavedGames::DeleteClick);
    wire(other_, &TSavedGames::OtherFileClick);
    wire(cancel_, &TSavedGames::CancelClick);
    wire(yes_, &TSavedGames::YesClick);
    wire(no_, &TSavedGames::NoClick);
}

void SavedGamesView::applyScale() {
    // The window keeps its share of the game's 4:3 area at every size.
    double s = std::clamp(UiScale(), 0.6, 3.0);
    scale_ = s;
    auto px = [s](double v) { return std::max(1, int(std::lround(v * s))); };
    setFixedSize(px(720), px(600));
    heading_->setFont(GameFont("Times New Roman", px(30), true));
    QFont text = GameFont("Times New Roman", px(18));
    QFont small = GameFont("Times New Roman", px(16));
    for (QWidget* w : {static_cast<QWidget*>(list_), static_cast<QWidget*>(name_), static_cast<QWidget*>(nameLabel_),
                       static_cast<QWidget*>(question_)})
        w->setFont(text);
    note_->setFont(small);
    empty_->setFont(text);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setFont(small);
        b->setMinimumHeight(px(32));
    }
    list_->setIconSize(QSize(px(kPreviewWidth), px(kPreviewHeight)));
    list_->setSpacing(px(3));
    layout()->setContentsMargins(px(16), px(12), px(16), px(14));
    layout()->setSpacing(px(8));
    setStyleSheet(QString("QListWidget { background: black; color: rgb(246, 231, 193); border: %1px solid rgb(40, 24, 8);"
                          " outline: none; }"
                          "QLineEdit { background: black; color: white; border: 1px solid rgb(150, 110, 60);"
                          " padding: %2px; }"
                          "QPushButton { background: rgb(104, 70, 38); color: rgb(246, 231, 193);"
                          " border: 1px solid rgb(190, 150, 90); border-radius: %2px; padding: %2px %3px; }"
                          "QPushButton:hover { background: rgb(128, 88, 46); }"
                          "QPushButton:pressed { background: rgb(60, 38, 16); }"
                          "QPushButton:disabled { color: rgb(140, 120, 96); border-color: rgb(100, 76, 50); }"
                          "QLabel { color: rgb(246, 231, 193); }"
                          "QLabel#note { color: rgb(255, 214, 120); }"
                          "QLabel#question { color: white; }")
                      .arg(px(2))
                      .arg(px(4))
                      .arg(px(12)));
    shownList_ = ~uint64_t(0);  // the pictures are made again at the new size
}

void SavedGamesView::rebuildList() {
    TSavedGames& w = *app_.SavedGames;
    shownList_ = w.ListVersion;
    list_->clear();
    const QSize icon = list_->iconSize();
    for (const SavedGameEntry& e : w.Entries) {
        QPixmap pm;
        if (e.usable() && e.preview.width > 0)
            pm = QPixmap::fromImage(QtPlatform::toQImage(e.preview)).scaled(icon, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        else if (e.usable())
            pm = PictureToCome(icon);
        else
            pm = MissingPicture(icon);
        auto* item = new QListWidgetItem(QIcon(pm), EntryText(e), list_);
        item->setForeground(e.usable() ? QColor(214, 196, 160) : QColor(232, 132, 108));
        item->setToolTip(QString::fromStdString(e.path.filename().string()));
    }
}

void SavedGamesView::sync() {
    if (syncing_) return;
    syncing_ = true;
    TSavedGames& w = *app_.SavedGames;
    SetWindowTitle(this, QString::fromStdString(w.Caption));
    heading_->setText(QString::fromStdString(w.Caption));
    if (shownList_ != w.ListVersion) rebuildList();
    if (list_->currentRow() != w.Selected) list_->setCurrentRow(w.Selected);
    if (w.Selected < 0) list_->clearSelection();
    empty_->setVisible(w.Entries.empty());
    const bool saving = w.Mode == SavedGamesMode::Save;
    const bool asking = w.Asking != TSavedGames::Question::None;
    nameRow_->setVisible(saving);
    if (name_->text().toStdString() != w.Name) name_->setText(QString::fromStdString(w.Name));
    note_->setText(QString::fromStdString(w.Note));
    open_->setVisible(!saving);
    overwrite_->setVisible(saving);
    open_->setEnabled(w.CanOpen());
    overwrite_->setEnabled(w.CanOverwrite());
    delete_->setEnabled(w.CanDelete());
    commandRow_->setVisible(!asking);
    nameRow_->setEnabled(!asking);
    list_->setEnabled(!asking);
    bool wasAsking = questionRow_->isVisible();
    questionRow_->setVisible(asking);
    question_->setText(QString::fromStdString(w.QuestionText));
    if (asking && !wasAsking) no_->setFocus();
    if (!asking && wasAsking) (saving ? static_cast<QWidget*>(name_) : list_)->setFocus();
    syncing_ = false;
}

void SavedGamesView::aboutToShow() {
    applyScale();
    questionRow_->hide();
    sync();
    CentreOverParent(this);
    (app_.SavedGames->Mode == SavedGamesMode::Save ? static_cast<QWidget*>(name_) : list_)->setFocus();
}

void SavedGamesView::useRow() {
    TSavedGames& s = *app_.SavedGames;
    if (s.Mode == SavedGamesMode::Open) s.OpenClick();
    else s.OverwriteClick();
}

void SavedGamesView::hideEvent(QHideEvent*) {
    // The keys go back to the game at once, with or without a window manager to hand them.
    if (QWidget* game = parentWidget(); game && game->isVisible()) game->activateWindow();
}

void SavedGamesView::closeEvent(QCloseEvent* e) {
    e->ignore();
    act([this] { app_.SavedGames->CloseBox(); });
}

void SavedGamesView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        act([this] { app_.SavedGames->CancelClick(); });
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && list_->hasFocus()) {
        act([this] { useRow(); });
        return;
    }
    if (e->key() == Qt::Key_Delete && !name_->hasFocus()) {
        act([this] { app_.SavedGames->DeleteClick(); });
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace lnf
