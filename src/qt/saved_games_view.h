// The saved-games window: the list with each game's room picture, the name box for a new
// save, and the commands on the picked game, with the window's own questions.
#pragma once

#include <QWidget>
#include <cstdint>

#include "qt/view.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace lnf {

class SavedGamesView : public QWidget, public View {
    Q_OBJECT
public:
    SavedGamesView(Application& app, QtPlatform& platform, QWidget* parent);
    QWidget* widget() override { return this; }
    void sync() override;
    void aboutToShow() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void rebuildList();
    void applyScale();
    void useRow();  // Enter or a double click on a game: open it, or save over it
    // The window follows the game window's size: 1.0 at a 1024 x 768 game area.
    double scale_ = 1.0;
    uint64_t shownList_ = ~uint64_t(0);
    QLabel* heading_;
    QListWidget* list_;
    QLabel* empty_;
    QLabel* note_;
    QWidget* nameRow_;
    QLabel* nameLabel_;
    QLineEdit* name_;
    QPushButton* save_;
    QWidget* commandRow_;
    QPushButton* open_;
    QPushButton* overwrite_;
    QPushButton* delete_;
    QPushButton* other_;
    QPushButton* cancel_;
    QWidget* questionRow_;
    QLabel* question_;
    QPushButton* yes_;
    QPushButton* no_;
};

}  // namespace lnf
