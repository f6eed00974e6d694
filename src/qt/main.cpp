// The program entry: finds the game folder, creates the six windows in order and runs the
// message loop until the backdrop closes.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/application.h"
#include "app/lnf_game.h"
#include "pictures/resources.h"
#include "qt/command_line.h"
#include "qt/presentation.h"
#include "qt/qt_platform.h"
#include "qt/read_aloud.h"
#include "qt/views.h"
#include "windows/lnf_black.h"
#include "windows/lnf_intro.h"
#include "world/data_folders.h"

namespace fs = std::filesystem;
using namespace lnf;

namespace {

fs::path ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : exe.parent_path();
}

// Files without which the game cannot start.
const char* const kStartFiles[] = {"2grdata.", "data\\zerodata", "data\\grid04.dlg", "intro\\intro.jpg",
                                   "intro\\bkgd.jpg", "veska.ico"};

int Fail(const QString& text) {
    std::cerr << "lanternfall: " << text.toStdString() << "\n";
    // On a screen the player sees the message; without one (offscreen runs) stderr says it.
    QString screenKind = QGuiApplication::platformName();
    if (screenKind != "offscreen" && screenKind != "minimal") QMessageBox::critical(nullptr, "Lanternfall", text);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // The game's own voice process, started by the game itself (never by a player): no
    // windows, no game folder, only the speech engine.
    if (IsVoiceMode(argc, argv)) return RunVoice(argc, argv);
    QElapsedTimer sinceStart;
    sinceStart.start();
    // Qt Multimedia's GStreamer backend plays the music here; its FFmpeg backend crashes
    // without a sound server.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineResult parsed = ParseCommandLine(arguments);
    std::cout << parsed.out << std::flush;
    std::cerr << parsed.err;
    if (!parsed.options) return parsed.exitCode;
    const CommandLineOptions& options = *parsed.options;
    const std::string& dataArg = options.dataFolder;
    int screenW = options.screenWidth, screenH = options.screenHeight;
    int windowW = options.windowWidth, windowH = options.windowHeight;
    bool windowed = options.windowed, authoring = options.authoring, check = options.check;

    QApplication qapp(argc, argv);
    QApplication::setApplicationName("lanternfall");
    QApplication::setApplicationDisplayName(Application::kTitle);
    // Desktops match the window to its entry (and its icon) by this name.
    QGuiApplication::setDesktopFileName("org.lanternfall.Lanternfall");

    std::vector<fs::path> candidates;
    if (!dataArg.empty()) {
        candidates.push_back(fs::absolute(dataArg));
    } else {
        candidates = GameFolderCandidates(
            {ExecutableFolder(), ConfiguredGameFolder(), qEnvironmentVariable("XDG_DATA_DIRS").toStdString()});
    }
    fs::path gameFolder = ChooseGameFolder(candidates).value_or(fs::path());
    QString looked;
    for (const fs::path& c : candidates) looked += "\n  " + QString::fromStdString(c.string());
    if (gameFolder.empty()) return Fail("The game folder cannot be found. Looked in:" + looked);

    fs::path userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/lanternfall";
    std::error_code ec;
    fs::create_directories(userFolder, ec);
    RetireStaleComposedPictures(userFolder, GameVersion());
    GameFiles files(userFolder, {gameFolder});
    files.setOwnNames(PlayerFolderNames());
    QStringList missing;
    for (const char* f : kStartFiles) {
        if (!files.exists(f)) missing << QString::fromStdString(NormalizeGameName(f));
    }
    if (!missing.isEmpty())
        return Fail("The game folder lacks files the game needs: " + missing.join(", ") +
                    ". Looked in:\n  " + QString::fromStdString(files.searchedFolders()));

    const ResourcePack& resources = EmbeddedResources();
    QtPlatform platform(files, resources);
    QApplication::setWindowIcon(QIcon(QString::fromStdString(files.find("veska.ico")->string())));

    QScreen* primary = QGuiApplication::primaryScreen();
    QRect real = primary ? primary->geometry() : QRect(0, 0, 1024, 768);
    QRect available = primary ? primary->availableGeometry() : real;
    // The game starts in the window manager's full screen, or in a window that fits the
    // desktop's free area; --screen shows it as on a screen of that size, centred on this one.
    QRect area = real;
    if (windowed) area = FittingWindow(QSize(windowW, windowH), available);
    else if (screenW > 0) area = QRect((real.width() - screenW) / 2 + real.x(), (real.height() - screenH) / 2 + real.y(), screenW, screenH);
    const bool fullScreen = !windowed && screenW <= 0;
    const QRect stage = FourByThreeArea(area.size());
    ScreenSize screen{stage.width(), stage.height()};

    Application app(platform, files, resources, screen);
    BlackView black(app, platform, real);
    platform.setView(WindowId::Black, &black);
    IntroView intro(app, platform, area);
    GameView game(app, platform, windowed, authoring);
    game.setGeometry(area);
    AboutView about(app, platform, &game);
    InventoryView inventory(app, platform, &game);
    CloseUpView closeUp(app, platform, &game);
    // Full screen switched off shows the game in a window of the design's size.
    Presentation presentation(app, platform, fullScreen, fullScreen ? FittingWindow(QSize(1024, 768), available) : area);
    if (!windowed && screenW > 0) {
        for (QWidget* w : {static_cast<QWidget*>(&intro), static_cast<QWidget*>(&game)})
            w->setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    } else if (fullScreen) {
        presentation.setBackdrop(&black);
    }
    presentation.addStage(&intro);
    presentation.addStage(&game);
    SavedGamesView savedGames(app, platform, &game);
    platform.setView(WindowId::SavedGames, &savedGames);
    platform.setView(WindowId::Intro, &intro);
    platform.setView(WindowId::Game, &game);
    platform.setView(WindowId::About1, &about);
    platform.setView(WindowId::Inventory, &inventory);
    platform.setView(WindowId::CloseUp, &closeUp);
    platform.onQuit = [&] { QTimer::singleShot(0, &qapp, &QApplication::quit); };
    if (check) {
        // Plays the start as a player would: skip the intro, wait for the game window.
        auto* poll = new QTimer(&qapp);
        QObject::connect(poll, &QTimer::timeout, [&] {
            if (app.Intro->Showing) {
                app.guard([&] { app.Intro->exitbuttonClick(); });
            } else if (game.isVisible() && app.Game->GameState.Room == 4 && app.Game->Image2.Picture.width > 0) {
                game.repaint();  // the first painted game frame
                std::cout << "lanternfall: reached the game window in room " << int(app.Game->GameState.Room)
                          << " after " << sinceStart.elapsed() << " ms (" << files.searchedFolders() << ")"
                          << std::endl;
                std::exit(0);
            }
        });
        poll->start(100);
        QTimer::singleShot(20000, [] {
            std::cerr << "lanternfall: the game window did not open\n";
            std::exit(1);
        });
    }
    if (!windowed) black.show();
    int rc = qapp.exec();
    return rc;
}
