// The saved-games window: every game in the saves folder with its picture, name, date, score
// and level; a name typed to save a new one, one picked to overwrite, open or delete, and the
// file dialogs for a game kept anywhere else. Questions are asked inside the window itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "persistence/save_slots.h"

namespace lnf {

enum class SavedGamesMode { Save, Open };

class TSavedGames {
public:
    explicit TSavedGames(Application& app);
    Application& app;

    enum class Question { None, Overwrite, Delete };
    enum class Outcome { Cancelled, Saved, Open, OtherFile };

    SavedGamesMode Mode = SavedGamesMode::Open;
    std::string Caption;
    std::vector<SavedGameEntry> Entries;
    uint64_t ListVersion = 0;  // counts the list's reloads, so a view rebuilds only then
    int Selected = -1;         // index into Entries, -1 for none
    std::string Name;          // the name box of the save mode
    std::string Note;          // why the last command did nothing, or what it did
    Question Asking = Question::None;
    std::string QuestionText;
    bool Showing = false;

    // How the window was left, and the file that goes with it.
    Outcome Result = Outcome::Cancelled;
    std::filesystem::path Chosen;
    std::string SavedName;

    void ShowModal(SavedGamesMode mode);
    void Refresh();
    void Select(int index);
    void SetName(const std::string& name);
    void SaveClick();       // under the typed name; asks before replacing a game of that name
    void OverwriteClick();  // the picked game; asks first
    void OpenClick();       // the picked game; a damaged or foreign one is refused
    void DeleteClick();     // the picked game; asks first
    void YesClick();
    void NoClick();
    void OtherFileClick();
    // Cancel and Escape: a question is answered "No" first, then the window closes.
    void CancelClick();
    // The window's close box: the window goes, whatever was asked.
    void CloseBox();

    const SavedGameEntry* Picked() const;
    bool CanOpen() const;
    bool CanOverwrite() const;
    bool CanDelete() const { return Picked() != nullptr; }

private:
    void Finish(Outcome outcome);
    void Write(const std::string& name);
    std::filesystem::path askedPath_;
    std::string askedName_;
};

// What the list says of a game that cannot be opened.
std::string SavedGameProblemText(SavedGame::Problem problem);

}  // namespace lnf
