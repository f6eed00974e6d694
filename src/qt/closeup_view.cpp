#include "qt/closeup_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"
#include "qt/read_aloud.h"
#include "qt/widgets.h"

namespace lnf {

namespace {

// The answer box takes Enter itself and lets it go no further: a line edit passes Enter on to
// its window, whose own Enter is a press of "Next >>", and the two steps together would skip
// the reply to a right answer and the hint after a wrong one.
class AnswerBox : public QLineEdit {
public:
    AnswerBox(QWidget* parent, std::function<void()> enter) : QLineEdit(parent), enter_(std::move(enter)) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            e->accept();
            enter_();
            return;
        }
        QLineEdit::keyPressEvent(e);
    }

private:
    std::function<void()> enter_;
};

}  // namespace

CloseUpView::CloseUpView(Application& app, QtPlatform& platform, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), View(app, platform) {
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(622, 443);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    TCloseUp& c = *app_.CloseUp;
    image1_ = new PictureWidget(this);
    image1_->setModel(&c.Image1);
    image1_->setEnabled(false);
    talk1_ = new QLabel(this);
    talk1_->setWordWrap(true);
    talk1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    talk1_->setFont(GameFont("Times New Roman", 19));
    talk1_->setStyleSheet("color: yellow;");
    next1_ = new QPushButton(this);
    next1_->setFont(GameFont("Times New Roman", 27));
    exit1_ = new QPushButton(this);
    exit1_->setFont(GameFont("Times New Roman", 27));
    aPanel_ = Panel(this, Qt::black);
    aLabel_ = new QLabel("Your Answer:", aPanel_);
    aLabel_->setFont(GameFont("Times New Roman", 16, true));
    aLabel_->setStyleSheet("color: yellow;");
    answer_ = new AnswerBox(aPanel_, [this] { act([this] { app_.CloseUp->AnswerKeyPress(13); }); });
    answer_->setMaxLength(20);
    connect(answer_, &QLineEdit::textEdited, this, [this](const QString& t) {
        // The answer box takes upper case only.
        QString up = t.toUpper();
        if (up != t) {
            int pos = answer_->cursorPosition();
            answer_->setText(up);
            answer_->setCursorPosition(pos);
        }
        app_.CloseUp->Answer.Caption = up.toLatin1().toStdString();
    });
    connect(next1_, &QPushButton::clicked, this, [this] {
        act([this] { app_.CloseUp->Next1Click(); });
    });
    connect(exit1_, &QPushButton::clicked, this, [this] {
        act([this] { app_.CloseUp->Exit1Click(); });
    });
}

void CloseUpView::aboutToShow() {
    sync();
    CentreOverParent(this);
    platform_.blendWindowIn(this, 500);
    next1_->setFocus();
}

void CloseUpView::sync() {
    if (syncing_) return;
    syncing_ = true;
    TCloseUp& c = *app_.CloseUp;
    image1_->setGeometry(4, 3, c.Image1.Picture.width > 0 ? c.Image1.Picture.width : 320,
                         c.Image1.Picture.height > 0 ? c.Image1.Picture.height : 300);
    image1_->refresh();
    talk1_->setGeometry(c.Talk1.Left, c.Talk1.Top, c.Talk1.Width, height() - c.Talk1.Top - 8);
    talk1_->setText(DisplayText(c.Talk1.Caption));
    platform_.reader().shown(ReadAloud::Source::Conversation, isVisible() ? c.Talk1.Caption : std::string(),
                             app_.Game->ReadingAloud());
    auto button = [](QPushButton* b, const Control& m) {
        b->setGeometry(m.Left, m.Top, m.Width, m.Height);
        b->setText(QString::fromStdString(m.Caption));
        b->setVisible(m.Visible);
    };
    button(next1_, c.Next1);
    button(exit1_, c.Exit1);
    aPanel_->setGeometry(c.APanel.Left, c.APanel.Top, c.APanel.Width, c.APanel.Height);
    bool wasHidden = !aPanel_->isVisible();
    aPanel_->setVisible(c.APanel.Visible);
    aLabel_->setGeometry(c.ALabel.Left, c.ALabel.Top, 160, 24);
    answer_->setGeometry(c.Answer.Left, c.Answer.Top, c.Answer.Width, c.Answer.Height);
    if (QString::fromLatin1(c.Answer.Caption.c_str()) != answer_->text()) answer_->setText(QString::fromLatin1(c.Answer.Caption.c_str()));
    if (c.APanel.Visible && wasHidden) answer_->setFocus();
    syncing_ = false;
}

void CloseUpView::closeEvent(QCloseEvent* e) {
    e->ignore();
    act([this] { app_.CloseUp->Exit1Click(); });
}

void CloseUpView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        act([this] { app_.CloseUp->FormKeyPress(13); });
        return;
    }
    if (e->key() == Qt::Key_Escape) return;  // the conversation is left with Exit, not Escape
    QWidget::keyPressEvent(e);
}

}  // namespace lnf
