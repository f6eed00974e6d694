// The game window: everything of the play. Its methods are defined by subsystem, in world/,
// interaction/, story/, persistence/, media/ and authoring/.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/controls.h"
#include "pictures/image.h"
#include "world/game_state.h"
#include "world/picture_tables.h"

namespace lnf {

// Every point the game gives, summed over one play to the end (the walkthrough checks it).
constexpr int kFullScore = 122;
// How long the final score stays on the message line before the game window closes.
constexpr int kFinalScorePauseMs = 3000;

enum class MouseButton { Left, Right, Middle };

// The inventory picture that combines with the held item (0: none).
int CombinationPartner(int held);

// What starts a step of the game window, and so how it is turned away when it arrives while
// another step runs: a press on the picture is dropped (the picture looks busy), the other
// player's inputs are refused with a word on the message line, closing the window asks at once
// and closes when the step is over, timer ticks and clip ends wait for the step's end.
enum class StepInput { Press, Exit, Item, Menu, Close, Tick };

class TGame;
enum class SavedGamesMode;

// One step of the game window: a player's input, a timer tick or a clip's end, with everything
// it does until it returns, the events it lets run included. An input that arrives while a step
// runs (from the pending events the step lets run, or from a modal window it opened) is never
// run inside it. A handler that the step calls itself joins the step.
class GameStep {
public:
    GameStep(TGame& game, StepInput input);
    ~GameStep();
    GameStep(const GameStep&) = delete;
    GameStep& operator=(const GameStep&) = delete;
    explicit operator bool() const { return admitted_; }

private:
    TGame& game_;
    bool admitted_;
};

// Holds the rule book's re-entry guard for one rule, however the rule ends.
class RuleGuard {
public:
    explicit RuleGuard(bool& busy) : busy_(busy) { busy_ = true; }
    ~RuleGuard() { busy_ = false; }
    RuleGuard(const RuleGuard&) = delete;
    RuleGuard& operator=(const RuleGuard&) = delete;

private:
    bool& busy_;
};

class TGame {
public:
    explicit TGame(Application& app);

    Application& app;

    // ----- saved state and working values -----
    GameStateRecord GameState{};
    int32_t CursorMode = 0;
    int32_t ClickedCell = 0;
    std::array<uint8_t, 650> RoomCells{};
    std::array<uint8_t, kRoomTextSize> RoomText{};
    std::string RoomPicture;
    float ScaleX = 0, ScaleY = 0;
    float CellWidth = kGrid.cellWidth, CellHeight = kGrid.cellHeight;
    Rgb TextColor{255, 255, 255};
    int32_t MainPanelHeight = 250;
    static constexpr int32_t kDesignItemStep = 28;
    int32_t ItemStep = kDesignItemStep;
    bool FirstClickHint = true;
    uint64_t RoomEntries = 0;  // counts every room entry, a restored game's included
    Image JpegBitmap;   // shared work bitmap on which pictures are composed
    Image JpegPicture;  // shared work picture into which a resource is decoded
    int8_t ActionResult = 0;
    bool RuleBusy = false;
    std::array<uint8_t, 34> CursorLoaded{};
    int32_t CloseLookItem = 0;
    int8_t CloseLookVariant = 0;
    char LastTuneKey = 0;
    int64_t LastTuneStart = 0;
    int32_t AuthorCellCode = 0;
    int Tag = 0;  // 1 = the last conversation ran to its end
    bool Activated = false;
    bool WaitingForContinue = false;
    bool AskingToQuit = false;
    // A close that arrives during a step: the question is asked at once (it changes nothing),
    // the window goes when the step is over.
    void QuitDuringStep();

    // ----- steps (see GameStep) -----
    int StepDepth = 0;     // the running step and the handlers it called itself
    int StepPumpBase = 0;  // app.PumpDepth when the running step began
    bool QuitRequested = false;  // the player agreed to quit during a step: closes at its end
    uint64_t StepsRun = 0;
    uint64_t StepsRefused = 0;
    bool Busy() const { return StepDepth > 0; }
    // True for an input that reaches a handler from the events a running step let run.
    bool ArrivedInsideStep() const { return StepDepth > 0 && app.PumpDepth > StepPumpBase; }
    // The outermost step has ended: a quit agreed meanwhile closes, waiting ticks run.
    void StepEnded();
    static constexpr const char* kWaitMessage = "Please wait until this moment of the story is over.";
    // What the message line said before the wait message; it comes back when the step ends,
    // unless the step has said something new meanwhile.
    std::string MessageBeforeWait;

    // ----- failures said once (a file that cannot be kept or played) -----
    std::vector<std::string> Reported;
    bool ReportOnce(const std::string& what);

    // ----- controls -----
    Control Window;  // the game window itself (its width is read by the layout)
    Control RightPanel, PanelInventory, TopPanel, MainPanel, ControlPanel, TextPanel, Panel1,
        PanelControl, Panel3;
    PictureControl Image3;  // inventory background
    std::array<PictureControl, 22> item;  // item[1]..item[21]
    PictureControl Image2;                 // room picture and click surface
    Control arrowN, arrowS, arrowE, arrowW;
    Control Next1;  // "Continue"
    Control text1;  // the message line
    Control ScoreLabel;
    SpeedButton Look, DoButton;
    std::vector<std::string> Memo;  // the current room text, one entry per line
    Control Label3, Edit1, Edit2, Edit3, Edit4, Button1, a_Save, a_plus, a_Off, a_reset;

    MenuItem MainMenu1;
    MenuItem& menu(const std::string& name);

    Timer Reappear, XForm, TimeJab, BigTime;
    MediaPlayer MP1, MP, MP2, MP3;

    // ----- window lifecycle -----
    void FormCreate();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void Initialize();
    void ShowModal();
    // A request to close the window (menu, close box): asks unless the game was won.
    void Close();
    // New game, restore and closing stop the animations so none lands in another game.
    void StopTimers();
    // Lays the panels out inside the window's client area (width x height).
    void ArrangeControls(int clientWidth, int clientHeight);
    // Lays the window out again for another screen area (a window resized, full screen on or
    // off): the creation arithmetic from its design values, the exit areas and the carried
    // items placed for the new scale, the panels arranged in the client area below a menu bar
    // `menuHeight` high. What is shown and the game itself stay as they are.
    void Relayout(ScreenSize area, int menuHeight);
    // The size of the fixed parts (buttons, bars, borders, fonts) relative to the 1024 x 768
    // design: the area's height over 768.
    double UiScale() const { return app.screen.height / 768.0; }
    // Where the carried item n sits in the inventory column at the current scale.
    void PlaceItem(int n);
    // The exit areas of the room at the current scale, each kept shown or hidden as it is.
    void ScaleArrows();
    int ClientWidth = 934, ClientHeight = 610;
    bool Closed = false;

    // ----- menu commands -----
    void Introduction1Click();
    void Exit1Click();
    void FontColorClick(const std::string& itemName);
    void Contents1Click();
    void AboutClick();
    // A hint for the next step of the story; never changes the game.
    void HintClick();
    std::string LastHintName;  // the hint given last, so that asking again gives its pointer
    // Ticks or clears the menu item that keeps the room's hotspots outlined.
    void HotspotsClick();
    bool HotspotsShown() const;

    // ----- world: navigation, room data, composing -----
    void NewRoom(int room);
    void SetArrows();
    void Special();
    // The room picture file a state shows ("0": the room's own resource picture).
    static std::string RoomPictureFor(const GameStateRecord& state);
    void OpenDoor(int room);
    void Door(bool open);
    void GetDirections();
    void arrowNClick();
    void arrowSClick();
    void arrowEClick();
    void arrowWClick();
    void ReadMessages();
    // Exits and the commands that replace the game wait while a rule waits for "Continue".
    bool NavigationAllowed() const { return !WaitingForContinue; }
    std::string MemoLine(int index) const;

    void UpDateJPG(std::string resourceName, int x, int y, std::string overlayFile, std::string outputFile);
    void UpDateJPG2(std::string baseFile, int x, int y, std::string overlayFile, std::string outputFile);
    void DrawCorner(int object);
    // Lays an overlay piece over the room's picture, or over the kept composed one.
    void ComposePiece(const OverlayPiece& piece, bool onComposed);
    bool OtherPieceShown(const OverlayPiece& piece) const;
    void UpDateScreen(int room, int show);
    // Lays the picture resource `name` at (x, y) over the shown room picture.
    void LayOver(const std::string& name, int x, int y);
    void DrawJpg();
    // Composes a changed room picture again from the progress bytes, for a room whose kept
    // picture is missing or unreadable (a saved game opened in a fresh profile); false if the
    // file is not a composed picture.
    bool ComposeAgain(const std::string& file);

    // ----- saved games, new game, levels -----
    void SaveAs1Click();
    void SaveGame();
    void Open1Click();
    void RestoreItems();
    void New1Click();
    bool Restart();
    void Level1Click();
    void Level2Click();
    void LevelClick(int level);
    bool AnimationRunning() const;
    std::string LastSaveName;

    // ----- the saves folder, autosave and quick save (save_slots.cpp) -----
    // Restores a saved-game file; a foreign or damaged one is refused with a message box and
    // the game goes on unchanged. True when the game was restored.
    bool RestoreSavedGame(const std::string& path);
    // Opens a saved game chosen from the saved-games list, when the game allows it.
    bool OpenSavedGame(const std::filesystem::path& path);
    // Saves the game under a name in the saves folder; the caller has asked before
    // overwriting. False (after telling the player why) when nothing was written.
    bool SaveNamed(const std::string& name);
    std::vector<uint8_t> SavedGameBytes() const;
    // A rule at work, a wait for "Continue", an animation or a restore: no save may cut in.
    bool InMiddleOfStep() const;
    void AutosaveOnEntry();  // called as a room is entered
    bool Autosave();         // true when the autosave slot was written
    void QuickSave();        // F5
    void QuickLoad();        // F9
    std::optional<int64_t> LastAutosaveMs;
    // The saved-games window behind "&Save Game" and "&Open Saved Game...", then what the
    // player chose in it; "Other file..." leads to the file dialogs.
    void ChooseSavedGame(SavedGamesMode mode);
    void OpenOtherFile();  // the open dialog, for a saved game kept anywhere
    // The keys' own commands, each one step: F5, F9, and Space or the right mouse button
    // anywhere in the window.
    void QuickSaveClick();
    void QuickLoadClick();
    void ToggleLookDo();
    int Restoring = 0;
    // The room picture a saved state shows once restored, composed as the restore would.
    Image RestoredRoomPicture(const GameStateRecord& state) const;
    Image RoomImage(int room, const std::string& picture) const;
    Image Room14Picture(const GameStateRecord& state) const;

    // ----- developer panel -----
    void a_OffClick();
    void a_plusClick();
    void a_SaveClick();
    void a_resetClick();
    void Label3Click();
    void Edit1KeyDown(int key);
    void Button1Enter();
    void Button1Click();
    void Test(const std::string& code);
    static const char* JumpCommand(int n);  // 1..20

    // ----- pictures -----
    Image LoadResourcePicture(const std::string& name) const;
    Image LoadFilePicture(const std::string& file) const;
    void SaveJpeg(const Image& image, const std::string& file);

    // ----- interaction -----
    void ChangeCursor(int mode);
    void GetCursor(int n);
    void LookClick();
    void DoButtonClick();
    void itemClick(int n);
    void itemDblClick(int n);
    void Image2MouseDown(MouseButton button, int x, int y);
    void Image2Click();
    void Image2DblClick();
    void GetHint();
    void Looks(int cell);
    void Does(int cell);
    void Use(int cell);
    void ActOn(int8_t value, int a1, int a2, int a3, int a4, int a5);
    bool Say(int code);
    void UseOut(int object);
    bool SpecialUse(int object);
    std::string GetSpec(int object);
    int8_t GridCondition(int object);
    void Display(int n, bool shown);
    bool Vis(int n) const;
    void Score(int points);
    // "Your score: N of 122": on the message line as the game is won, and in the conclusion.
    std::string FinalScoreText() const;
    void ShowFinalScore();
    // Installed screen cursors: id -> cursor resource name.
    std::array<std::string, 35> InstalledCursors;

    // Helpers for the object under a cell.
    int CellCode(int cell) const;

    // ----- music and sound -----
    void Playit(const std::string& file);
    void StopMusic();
    void MusicOFFClick();
    void IntroMusic();
    void MP1Notify();

    // ----- story events -----
    void DrawPic(const std::string& name, int x, int y, bool noWait);
    void Next1Click();
    bool MeetThem(int n);
    bool Puzzle(int n);
    void Cauldron(bool complete);
    void Catfish();
    bool Bridge(int fromRoom, int picture);
    void Tree();
    void Transforms();
    void Case1(int o, int8_t& r);
    void Case4(int o, int8_t& r);
    void Case11(int o, int8_t& r);
    void Case18(int o, int8_t& r);
    void Case19(int8_t& r);

    // ----- timed animations -----
    void FadeOn(const std::string& name, int x, int y);
    void Draws(const std::string& name, int x, int y);
    void Big();
    void XFormTimer();
    void TimeJabTimer();
    void BigTimeTimer();
    void ReappearTimer();

    // ----- video -----
    void PlayVid(MediaPlayer& player, PlayerId id, int x, int y, int w, int h);
    // Plays the clip of that player in its rectangle.
    void PlayClip(PlayerId id);
    void MPNotify();
    void MP3Notify();

    // After an error inside a handler: the picture takes presses again, the exits show and
    // the guards are released, so the game stays playable.
    void RecoverAfterError();

    // ----- sound levels, pause and reading aloud (comforts.cpp) -----
    // Settings for this run only: the game keeps no settings file. None of them is a step of
    // the game, so each works at any moment, in the middle of an animation or a clip too.
    bool Paused = false;
    void PauseClick();  // P, the Pause key, the menu
    void SetPaused(bool paused);
    void MuteClick();
    void ReadAloudClick();  // Ctrl+T, the menu
    // A volume slider moved: "MusicVolume1" or "EffectsVolume1", 0..100.
    void VolumeChange(const std::string& itemName, int value);
    int MusicVolume() const;
    int EffectsVolume() const;
    bool Muted() const;
    bool ReadingAloud() const;
    static constexpr const char* kPausedText = "Paused";

    // ----- messages -----
    void SetMessage(const std::string& text) { text1.Caption = text; }

private:
    void BuildMenus();
};

// The Music menu's items beside "Music OFF": the two volume sliders, mute, pause and reading
// aloud.
void AddComfortItems(MenuItem& music);

}  // namespace lnf
