// The program's command line: the options a player or a packager may give.
#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace lnf {

struct CommandLineOptions {
    std::string dataFolder;  // --data DIR; empty: the installed game folder
    int screenWidth = 0, screenHeight = 0;  // --screen WxH; 0: the real screen
    bool windowed = false;                  // --window [WxH]
    int windowWidth = 1024, windowHeight = 768;
    bool authoring = false;  // --author
    bool check = false;      // --check
};

// What the parse decided: play with `options`, or leave at once with `exitCode` (0 after
// --help or --version, 2 after a mistake) once `out` and `err` have been printed.
struct CommandLineResult {
    std::optional<CommandLineOptions> options;
    int exitCode = 0;
    std::string out, err;
};

// `arguments` includes the program name first, as in argv.
CommandLineResult ParseCommandLine(const QStringList& arguments);

// The usage text printed by --help and after a mistake.
const char* UsageText();

// The game's version, as --version prints it and as the player's folder is stamped.
const char* GameVersion();

// The game folder the build installs (empty when the build did not say).
std::filesystem::path ConfiguredGameFolder();

}  // namespace lnf
