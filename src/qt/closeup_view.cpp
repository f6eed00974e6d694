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
    talk1_->setStyleSheet("color: yellow;");
    next1_ = new QPushButton(this);
    exit1_ = new QPushButton(this);
    aPanel_ = Panel(this, Qt::black);
    aLabel_ = new QLabel("Your Answer:", aPanel_);
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
    scale();
    Control picture;
    picture.setBounds(4, 3, c.Image1.Picture.width > 0 ? c.Image1.Picture.width : 320,
                      c.Image1.Picture.height > 0 ? c.Image1.Picture.height : 300);
    image1_->setGeometry(UiRect(picture));
    image1_->refresh();
    Control talk = c.Talk1;
    talk.Height = 443 - c.Talk1.Top - 8;
    talk1_->setGeometry(UiRect(talk));
    talk1_->setText(DisplayText(c.Talk1.Caption));
    platform_.reader().shown(ReadAloud::Source::Conversation, isVisible() ? c.Talk1.Caption : std::string(),
                             app_.Game->ReadingAloud());
    auto button = [](QPushButton* b, const Control& m) {
        b->setGeometry(UiRect(m));
        b->setText(QString::fromStdString(m.Caption));
        b->setVisible(m.Visible);
    };
    button(next1_, c.Next1);
    button(exit1_, c.Exit1);
    aPanel_->setGeometry(UiRect(c.APanel));
    bool wasHidden = !aPanel_->isVisible();
    aPanel_->setVisible(c.APanel.Visible);
    Control label = c.ALabel;
    label.Width = 160;
    label.Height = 24;
    aLabel_->setGeometry(UiRect(label));
    answer_->setGeometry(UiRect(c.Answer));
    if (QString::fromLatin1(c.Answer.Caption.c_str()) != answer_->text()) answer_->setText(QString::fromLatin1(c.Answer.Caption.c_str()));
    if (c.APanel.Visible && wasHidden) answer_->setFocus();
    syncing_ = false;
}

void CloseUpView::scale() {
    // The window, its text and its buttons keep their share of the game's area.
    if (shownScale_ == UiScale()) return;
    shownScale_ = UiScale();
    setFixedSize(UiPixels(622), UiPixels(443));
    talk1_->setFont(UiFont("Times New Roman", 19));
    next1_->setFont(UiFont("Times New Roman", 27));
    exit1_->setFont(UiFont("Times New Roman", 27));
    aLabel_->setFont(UiFont("Times New Roman", 16, true));
    answer_->setFont(UiFont("Arial", 16));
    if (isVisible()) CentreOverParent(this);
}

void CloseUpView::closeEvent(QCloseEvent* e) {
    e->ignore();
    act([this] { app_.CloseUp->Exit1Click(); });
}

void CloseUpView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        // Enter presses the button the keyboard is on: "Exit" when it was tabbed to.
        if (exit1_->hasFocus() && exit1_->isVisible()) act([this] { app_.CloseUp->Exit1Click(); });
        else act([this] { app_.CloseUp->FormKeyPress(13); });
        return;
    }
    if (e->key() == Qt::Key_Escape) return;  // the conversation is left with Exit, not Escape
    QWidget::keyPressEvent(e);
}

}  // namespace lnf
