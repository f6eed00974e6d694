// The game window's life: creation and layout, showing, the one activation, closing, and the
// menu commands handled by the window itself.
#include "app/lnf_game.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "conversation/lnf_closeup.h"
#include "windows/lnf_about.h"
#include "windows/lnf_intro.h"

namespace lnf {

namespace {
MenuItem Item(const std::string& name, const std::string& caption, bool radio = false, bool checked = false) {
    MenuItem m;
    m.Name = name;
    m.Caption = caption;
    m.Radio = radio;
    m.Checked = checked;
    return m;
}

MenuItem* FindMenu(MenuItem& root, const std::string& name) {
    if (root.Name == name) return &root;
    for (MenuItem& child : root.Items) {
        if (MenuItem* m = FindMenu(child, name)) return m;
    }
    return nullptr;
}

struct FontColorItem {
    const char* name;
    Rgb color;
};
constexpr FontColorItem kFontColors[] = {
    {"White1", {255, 255, 255}}, {"Pink1", {255, 201, 254}}, {"Lime1", {0, 255, 0}},
    {"Blue1", {0, 0, 255}},      {"Yellow1", {255, 255, 0}}, {"Aqua1", {0, 255, 255}},
    {"Red1", {255, 0, 0}},       {"Purple1", {128, 0, 128}},
};
}  // namespace

TGame::TGame(Application& application)
    : app(application),
      Reappear(application.platform, TimerId::Reappear, 3000),
      XForm(application.platform, TimerId::XForm, 3000),
      TimeJab(application.platform, TimerId::TimeJab, 200),
      BigTime(application.platform, TimerId::BigTime, 7000),
      MP1(application.platform, PlayerId::MP1),
      MP(application.platform, PlayerId::MP),
      MP2(application.platform, PlayerId::MP2),
      MP3(application.platform, PlayerId::MP3) {
    Window.setBounds(0, 0, 934, 610);
    for (int n = 1; n <= kItems; ++n) item[size_t(n)].Visible = false;
    for (Control* a : {&arrowN, &arrowS, &arrowE, &arrowW}) a->Visible = false;
    arrowN.Cursor = 31;
    arrowS.Cursor = 32;
    arrowE.Cursor = 33;
    arrowW.Cursor = 34;
    Next1.Caption = "Continue";
    Next1.Visible = false;
    Next1.Left = 182;
    Next1.FontColor = {255, 255, 255};
    text1.FontColor = {0, 255, 255};  // the designed aqua, until the first click applies TextColor
    ScoreLabel.Caption = "Score: ";
    ScoreLabel.FontColor = {0, 0, 128};
    Look.Down = true;
    Look.setBounds(0, 0, 100, 60);
    DoButton.setBounds(100, 0, 100, 60);
    for (Control* c : {&Label3, &Edit1, &Edit2, &Edit3, &Edit4, &Button1, &a_Save, &a_plus, &a_Off, &a_reset})
        c->Visible = false;
    Label3.Caption = "Label3";
    Edit2.Caption = "14";
    Edit3.Caption = "312";
    Edit4.Caption = "148";
    Button1.Caption = "test";
    a_Save.Caption = "SAVE";
    a_plus.Caption = "+";
    a_Off.Caption = "OFF";
    a_reset.Caption = "reset";
    MP.FileName = ClipOf(PlayerId::MP).file;
    MP2.FileName = ClipOf(PlayerId::MP2).file;
    MP3.FileName = ClipOf(PlayerId::MP3).file;
    BuildMenus();
}

void TGame::BuildMenus() {
    MainMenu1 = Item("MainMenu1", "");
    MenuItem file = Item("File1", "&File");
    file.Items.push_back(Item("Introduction1", "&Introduction"));
    MenuItem puzzles = Item("Puzzles", "&Puzzles");
    puzzles.Items.push_back(Item("Level1", "&Level 1", true, true));
    MenuItem level2 = Item("Level2", "&Level 2", true, false);
    level2.Enabled = false;
    puzzles.Items.push_back(level2);
    file.Items.push_back(puzzles);
    file.Items.push_back(Item("New1", "&New Game"));
    file.Items.push_back(Item("Open1", "&Open Saved Game..."));
    file.Items.push_back(Item("SaveAs1", "&Save Game"));
    // The quick slot, also on F5 and F9.
    file.Items.push_back(Item("QuickSave", "&Quick Save"));
    file.Items.push_back(Item("QuickLoad", "Quick &Load"));
    file.Items.push_back(Item("N1", "-"));
    file.Items.push_back(Item("Exit1", "E&xit"));
    MainMenu1.Items.push_back(file);
    MainMenu1.Items.push_back(Item("N2", ""));
    MenuItem music = Item("MusicOptions1", "&Music");
    music.Items.push_back(Item("MusicOFF", "&Music OFF"));
    AddComfortItems(music);
    MainMenu1.Items.push_back(music);
    MainMenu1.Items.push_back(Item("N3", ""));
    MenuItem colors = Item("FontColor1", "Font Color");
    const char* captions[] = {"White", "Pink", "Lime", "Blue", "Yellow", "Aqua", "Red", "Purple"};
    for (size_t i = 0; i < 8; ++i) colors.Items.push_back(Item(kFontColors[i].name, captions[i], true, i == 0));
    MainMenu1.Items.push_back(colors);
    MainMenu1.Items.push_back(Item("N4", ""));
    MenuItem help = Item("Help1", "&Help");
    help.Items.push_back(Item("Contents1", "&Contents"));
    MenuItem search = Item("SearchforHelpOn1", "&Search for Help On...");
    search.Visible = search.Enabled = false;
    help.Items.push_back(search);
    MenuItem howto = Item("HowtoUseHelp1", "&How to Use Help");
    howto.Visible = howto.Enabled = false;
    help.Items.push_back(howto);
    help.Items.push_back(Item("Hint1", "&Hint"));
    // What can be clicked, outlined over the room while ticked (or while Tab is held).
    help.Items.push_back(Item("Hotspots1", "Show Hot&spots"));
    help.Items.push_back(Item("About", "&About..."));
    MainMenu1.Items.push_back(help);
    MainMenu1.Items.push_back(Item("N5", ""));
}

MenuItem& TGame::menu(const std::string& name) {
    MenuItem* m = FindMenu(MainMenu1, name);
    if (!m) throw std::logic_error("no menu item " + name);
    return *m;
}

void TGame::FormCreate() {
    double W = app.screen.width, H = app.screen.height;
    double sx = W * 0.0015625, sy = H / 480.0;
    ScaleX = float(W / 1024.0);
    ScaleY = float(H / 768.0);
    int picW = int(std::trunc(sx * 495)), picH = int(std::trunc(sy * 245)), textH = int(std::trunc(sy * 140));
    CellWidth = float(CellWidth * sx);
    CellHeight = float(CellHeight * sy);
    RightPanel.Width = app.screen.width - picW - 22;
    Label3.Caption = std::to_string(RightPanel.Width);
    TextPanel.Height = textH;
    TextPanel.Width = picW + 22;
    MainPanelHeight = picH + 22;
    text1.Width = int(std::trunc(400 * sx));  // the message line's minimum width
    // The window's design width, before it is maximised, decides the inventory pitch.
    if (Window.Width > 640) ItemStep += 10;
    if (Window.Width > 800) ItemStep += 10;
    if (Window.Width > 1024) ItemStep += 10;
    // The pitch grows and shrinks with the pictures it spaces: at 640 x 480 the third column
    // would fall outside the panel, and on a large screen the pictures would overlap.
    ItemStep = int(std::trunc(ItemStep * ScaleX));
    MainPanel.Height = MainPanelHeight;
    Image2.setBounds(11, 11, picW, picH);
}

void TGame::ArrangeControls(int clientWidth, int clientHeight) {
    ClientWidth = clientWidth;
    ClientHeight = clientHeight;
    // The bars, borders and buttons are drawn for 1024 x 768 and keep their share of the area.
    const double u = UiScale();
    auto px = [u](int design) { return int(std::trunc(design * u)); };
    const int bar = px(60), buttons = px(202);
    RightPanel.setBounds(clientWidth - RightPanel.Width, 0, RightPanel.Width, clientHeight);
    PanelInventory.setBounds(0, clientHeight - bar, RightPanel.Width, bar);
    Image3.setBounds(0, 0, RightPanel.Width, clientHeight - bar);
    TopPanel.setBounds(0, 0, clientWidth - RightPanel.Width, clientHeight);
    MainPanel.setBounds(0, 0, TopPanel.Width, MainPanelHeight);
    ControlPanel.setBounds(0, MainPanelHeight, TopPanel.Width, std::max(0, clientHeight - MainPanelHeight));
    TextPanel.Left = 0;
    TextPanel.Top = 0;
    Panel1.setBounds(px(8), px(8), std::max(0, TextPanel.Width - px(16)), std::max(0, TextPanel.Height - px(16)));
    text1.Left = px(6);
    text1.Top = px(4);
    text1.Width = std::max(text1.Width, Panel1.Width - px(12));
    text1.Height = std::max(0, Panel1.Height - px(8));
    PanelControl.setBounds(0, ControlPanel.Height - bar, ControlPanel.Width, bar);
    Panel3.setBounds(PanelControl.Width - buttons, 0, buttons, bar);
    ScoreLabel.setBounds(0, 0, PanelControl.Width - buttons, bar);
    Look.setBounds(0, 0, px(100), bar);
    DoButton.setBounds(px(100), 0, px(100), bar);
    Next1.Top = std::max(0, Image2.Top + Image2.Height - bar);
}

void TGame::Relayout(ScreenSize area, int menuHeight) {
    app.screen = area;
    // The creation arithmetic scales the cell size and the pitch in place: it starts again
    // from their design values.
    CellWidth = kGrid.cellWidth;
    CellHeight = kGrid.cellHeight;
    ItemStep = kDesignItemStep;
    FormCreate();
    ScaleArrows();
    for (int n = 1; n <= kItems; ++n)
        if (item[size_t(n)].Visible) PlaceItem(n);
    ArrangeControls(area.width, std::max(0, area.height - menuHeight));
}

void TGame::FormShow() {
    GameStep step(*this, StepInput::Tick);
    Image3.setPicture(LoadResourcePicture("woodrt"));
    NewRoom(4);
    for (int id : {30, 31, 32, 33, 34}) {
        static const char* names[] = {"look", "north", "south", "east", "west"};
        InstalledCursors[size_t(id)] = names[id - 30];
    }
    app.processMessages();
    ChangeCursor(kLookMode);
    menu("Level2").Enabled = true;
    text1.Caption =
        "Game Tip: Use your Right Mouse Button to change the cursor and the ACTION mode.  Now -- please click on the "
        "screen to start the game!";
}

void TGame::FormActivate() {
    if (Activated) return;  // once per run: modal windows hand the focus back without it
    Activated = true;
    GetDirections();
}

bool TGame::FormCloseQuery() {
    if (app.Tag != 0) return true;
    app.About1->Tag = 1;
    app.About1->ShowModal();
    return app.About1->Tag == 0;
}

void TGame::FormClose() {
    Autosave();  // refused in the middle of a step
    StopTimers();
    StopMusic();
    Closed = true;
}

void TGame::ShowModal() {
    FormShow();
    FormActivate();
    app.showModal(WindowId::Game);
}

void TGame::Close() {
    GameStep step(*this, StepInput::Close);
    if (!step) return;
    if (Closed) return;
    if (!FormCloseQuery()) return;
    FormClose();
    app.platform.closeModal(WindowId::Game);
}

std::string TGame::FinalScoreText() const {
    return "Your score: " + std::to_string(GameState.score()) + " of " + std::to_string(kFullScore);
}

void TGame::ShowFinalScore() {
    // The last points come as the game ends: the player reads the total before the window goes.
    text1.Caption = FinalScoreText();
    app.processMessages();
    app.platform.sleep(kFinalScorePauseMs);
}

void TGame::StopTimers() {
    // No step waits for "Continue" here (new game, restore and closing never run inside one),
    // so "Continue" is left as it is: the next picture waits for its own press.
    for (Timer* t : {&Reappear, &XForm, &TimeJab, &BigTime}) t->setEnabled(false);
    // The paused moment belonged to the game that is being left.
    SetPaused(false);
}

void TGame::QuitDuringStep() {
    if (QuitRequested || AskingToQuit || Closed) return;
    AskingToQuit = true;
    bool yes = false;
    try {
        yes = FormCloseQuery();
    } catch (...) {
        AskingToQuit = false;
        throw;
    }
    AskingToQuit = false;
    if (yes) QuitRequested = true;  // a wait for "Continue" lets go; the step then ends
}

void TGame::StepEnded() {
    if (text1.Caption == kWaitMessage) text1.Caption = MessageBeforeWait;
    if (QuitRequested && !Closed) {
        QuitRequested = false;
        FormClose();
        app.platform.closeModal(WindowId::Game);
        return;
    }
    app.runDeferred();
}

bool TGame::ReportOnce(const std::string& what) {
    if (std::find(Reported.begin(), Reported.end(), what) != Reported.end()) return false;
    Reported.push_back(what);
    return true;
}

GameStep::GameStep(TGame& game, StepInput input) : game_(game), admitted_(true) {
    // A paused game takes no press, exit or item (the room says "Paused"): a click kept for
    // later would act on a moment the player no longer sees. The menu still works, so a save
    // keeps the paused state.
    if (game.Paused && (input == StepInput::Press || input == StepInput::Exit || input == StepInput::Item)) {
        admitted_ = false;
        ++game.StepsRefused;
        return;
    }
    if (game.ArrivedInsideStep()) {
        admitted_ = false;
        ++game.StepsRefused;
        switch (input) {
            case StepInput::Press:
            case StepInput::Tick: break;
            case StepInput::Close: game.QuitDuringStep(); break;
            case StepInput::Exit:
            case StepInput::Item:
            case StepInput::Menu:
                if (game.text1.Caption != TGame::kWaitMessage) game.MessageBeforeWait = game.text1.Caption;
                game.SetMessage(TGame::kWaitMessage);
                break;
        }
        return;
    }
    if (game.StepDepth++ == 0) {
        game.StepPumpBase = game.app.PumpDepth;
        ++game.StepsRun;
    }
}

GameStep::~GameStep() {
    if (!admitted_) return;
    if (--game_.StepDepth == 0 && std::uncaught_exceptions() == 0) game_.StepEnded();
}

void TGame::Initialize() {
    GetDirections();
    BigTime.Tag = 0;
    TimeJab.Tag = 0;
    NewRoom(GameState.Room);
    Score(0);
}

void TGame::Introduction1Click() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    SetPaused(false);  // the introduction plays its tune and clip from their start
    Playit("music\\intro.wma");
    app.Intro->ShowModal();
}

void TGame::Exit1Click() {
    GameStep step(*this, StepInput::Close);
    if (!step) return;
    Close();
}

void TGame::FontColorClick(const std::string& itemName) {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    for (const FontColorItem& c : kFontColors) {
        bool chosen = itemName == c.name;
        menu(c.name).Checked = chosen;
        if (chosen) {
            TextColor = c.color;
            text1.FontColor = c.color;
        }
    }
}

void TGame::Contents1Click() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    app.platform.showHelp("help\\veska.html");
}

void TGame::AboutClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    app.About1->Tag = 0;
    app.About1->ShowModal();
}

}  // namespace lnf
