#include "windows/lnf_saved_games.h"

#include <system_error>

#include "app/lnf_game.h"

namespace fs = std::filesystem;

namespace lnf {

std::string SavedGameProblemText(SavedGame::Problem problem) {
    switch (problem) {
        case SavedGame::None: return std::string();
        case SavedGame::WrongVersion: return "Not a saved game of Lanternfall";
        case SavedGame::Damaged: return "Damaged: cannot be opened";
    }
    return std::string();
}

TSavedGames::TSavedGames(Application& a) : app(a) {}

void TSavedGames::ShowModal(SavedGamesMode mode) {
    Mode = mode;
    Caption = mode == SavedGamesMode::Save ? "Save Game" : "Open Saved Game";
    Result = Outcome::Cancelled;
    Chosen.clear();
    SavedName.clear();
    Note.clear();
    Asking = Question::None;
    QuestionText.clear();
    Name.clear();
    Selected = -1;
    Refresh();
    // Opening starts on the latest game that opens, so Enter at once goes on from there.
    if (mode == SavedGamesMode::Open)
        for (size_t i = 0; i < Entries.size() && Selected < 0; ++i)
            if (Entries[i].usable()) Selected = int(i);
    Showing = true;
    app.showModal(WindowId::SavedGames);
    Showing = false;
    Asking = Question::None;
}

void TSavedGames::Refresh() {
    std::string picked = Picked() ? Picked()->path.string() : std::string();
    Entries = ListSavedGames(*app.Game);
    ++ListVersion;
    Selected = -1;
    // The game picked before stays picked, wherever the new list puts it.
    for (size_t i = 0; i < Entries.size(); ++i)
        if (!picked.empty() && Entries[i].path.string() == picked) Selected = int(i);
}

const SavedGameEntry* TSavedGames::Picked() const {
    if (Selected < 0 || size_t(Selected) >= Entries.size()) return nullptr;
    return &Entries[size_t(Selected)];
}

bool TSavedGames::CanOpen() const { return Picked() && Picked()->usable(); }

bool TSavedGames::CanOverwrite() const {
    // The autosave and the quick save belong to the game; only the player's own games are
    // replaced by hand.
    return Mode == SavedGamesMode::Save && Picked() && Picked()->slot == SavedGameEntry::Slot::Named;
}

void TSavedGames::Select(int index) {
    if (Asking != Question::None) return;
    Selected = index >= 0 && size_t(index) < Entries.size() ? index : -1;
    Note.clear();
    // Picking one of the player's games offers its name for saving over it; a file whose
    // extension is not written ".sav" keeps it in the name, so saving finds that very file.
    if (Mode == SavedGamesMode::Save && Picked() && Picked()->slot == SavedGameEntry::Slot::Named) {
        const fs::path& file = Picked()->path;
        Name = file.extension() == kSavedGameExtension ? Picked()->name : file.filename().string();
    }
}

void TSavedGames::SetName(const std::string& name) {
    Name = name;
    Note.clear();
}

void TSavedGames::SaveClick() {
    if (Mode != SavedGamesMode::Save || Asking != Question::None) return;
    SaveNameProblem problem = CheckSaveName(Name);
    if (problem != SaveNameProblem::None) {
        Note = SaveNameProblemText(problem);
        return;
    }
    fs::path path = SavedGamePath(app.files, Name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec))) {
        askedPath_ = path;
        askedName_ = Name;
        Asking = Question::Overwrite;
        QuestionText = "Replace the saved game \"" + path.stem().string() + "\" with this game?";
        return;
    }
    Write(Name);
}

void TSavedGames::OverwriteClick() {
    if (Asking != Question::None) return;
    if (!CanOverwrite()) {
        if (Picked()) Note = "The autosave and the quick save are kept by the game; type a name of your own.";
        return;
    }
    // The file's own name, extension and all: a game saved as "OLD.SAV" is replaced, not
    // joined by an "OLD.sav".
    askedPath_ = Picked()->path;
    askedName_ = Picked()->path.filename().string();
    Asking = Question::Overwrite;
    QuestionText = "Replace the saved game \"" + Picked()->name + "\" with this game?";
}

void TSavedGames::OpenClick() {
    if (Asking != Question::None || !Picked()) return;
    if (!Picked()->usable()) {
        Note = Picked()->problem == SavedGame::WrongVersion ? "This file is not a saved game of Lanternfall."
                                                             : "This saved game is damaged and cannot be opened.";
        return;
    }
    Chosen = Picked()->path;
    Finish(Outcome::Open);
}

void TSavedGames::DeleteClick() {
    if (Asking != Question::None || !Picked()) return;
    askedPath_ = Picked()->path;
    askedName_ = Picked()->name;
    Asking = Question::Delete;
    QuestionText = "Delete the saved game \"" + Picked()->name + "\"? It cannot be brought back.";
}

void TSavedGames::YesClick() {
    Question asked = Asking;
    Asking = Question::None;
    QuestionText.clear();
    if (asked == Question::Overwrite) {
        Write(askedName_);
    } else if (asked == Question::Delete) {
        if (DeleteSavedGame(app.files, askedPath_)) {
            Note = "Deleted \"" + askedName_ + "\".";
            Selected = -1;
        } else {
            Note = "\"" + askedName_ + "\" could not be deleted.";
        }
        Refresh();
    }
}

void TSavedGames::NoClick() {
    Asking = Question::None;
    QuestionText.clear();
}

void TSavedGames::OtherFileClick() {
    if (Asking != Question::None) return;
    Finish(Outcome::OtherFile);
}

void TSavedGames::CancelClick() {
    if (Asking != Question::None) {
        NoClick();
        return;
    }
    Finish(Outcome::Cancelled);
}

void TSavedGames::CloseBox() {
    Asking = Question::None;
    QuestionText.clear();
    Finish(Outcome::Cancelled);
}

void TSavedGames::Write(const std::string& name) {
    // The game says itself why a save failed; the window stays for another try.
    if (!app.Game->SaveNamed(name)) {
        Refresh();
        return;
    }
    SavedName = fs::path(app.Game->LastSaveName).stem().string();
    Chosen = app.Game->LastSaveName;
    Finish(Outcome::Saved);
}

void TSavedGames::Finish(Outcome outcome) {
    Result = outcome;
    app.platform.closeModal(WindowId::SavedGames);
}

}  // namespace lnf

// ----- the game's side -----

namespace lnf {

void TGame::ChooseSavedGame(SavedGamesMode mode) {
    if (mode == SavedGamesMode::Save && (AnimationRunning() || WaitingForContinue)) {
        // A file saved in the middle of a story moment could never be won after a restore.
        app.platform.messageBox("Please wait until this moment of the story is over, then save.", "Save Game");
        return;
    }
    TSavedGames& window = *app.SavedGames;
    window.ShowModal(mode);
    switch (window.Result) {
        case TSavedGames::Outcome::Cancelled: break;
        case TSavedGames::Outcome::Saved:
            text1.FontColor = TextColor;
            text1.Caption = "Game saved as \"" + window.SavedName + "\".";
            break;
        case TSavedGames::Outcome::Open:
            FirstClickHint = false;
            text1.Caption.clear();
            text1.FontColor = TextColor;
            OpenSavedGame(window.Chosen);
            break;
        case TSavedGames::Outcome::OtherFile:
            if (mode == SavedGamesMode::Save) SaveGame();
            else OpenOtherFile();
            break;
    }
}

}  // namespace lnf
