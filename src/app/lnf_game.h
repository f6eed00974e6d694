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

namespace lnf {

// Rule codes returned by the room rules.
enum : int8_t { kRuleOwnMessage = -1, kRuleNone = 0, kRuleSuccess = 1, kRuleNotApplicable = 3 };

constexpr int kLookMode = 30;
constexpr int kDoMode = 31;

enum class MouseButton { Left, Right, Middle };

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
    float CellWidth = 13.4f, CellHeight = 15.0f;
    Rgb TextColor{255, 255, 255};
    int32_t MainPanelHeight = 250;
    int32_t ItemStep = 28;
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
    int ClientWidth = 934, ClientHeight = 610;
    bool Closed = false;

    // ----- menu commands -----
    void Introduction1Click();
    void Exit1Click();
    void FontColorClick(const std::string& itemName);
    void Contents1Click();
    void AboutClick();

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
    // A start record or saved state is used only if its rooms and exits can exist.
    static bool StartRecordUsable(const GameStateRecord& record, size_t bytesRead);
    // Exits and the commands that replace the game wait while a rule waits for "Continue".
    bool NavigationAllowed() const { return !WaitingForContinue; }
    std::string MemoLine(int index) const;

    void UpDateJPG(std::string resourceName, int x, int y, std::string overlayFile, std::string outputFile);
    void UpDateJPG2(std::string baseFile, int x, int y, std::string overlayFile, std::string outputFile);
    void DrawCorner(int object);
    void UpDateScreen(int room, int show);
    void DrawJpg();

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
    void MPNotify();
    void MP3Notify();

    // After an error inside a handler: the picture takes presses again, the exits show and
    // the guards are released, so the game stays playable.
    void RecoverAfterError();

    // ----- messages -----
    void SetMessage(const std::string& text) { text1.Caption = text; }

private:
    void BuildMenus();
};

}  // namespace lnf
