#include "qt/command_line.h"

#include <QCommandLineParser>
#include <cstdio>

#ifndef LNF_VERSION
#define LNF_VERSION "unknown"
#endif
#ifndef LNF_INSTALLED_GAME_DIR
#define LNF_INSTALLED_GAME_DIR ""
#endif

namespace lnf {

namespace {

const char* kUsage =
    "Usage: lanternfall [options]\n"
    "\n"
    "  --window [WxH]   play in an ordinary desktop window (default 1024x768)\n"
    "  --screen WxH     lay the game out as for a screen of W x H pixels, centred over\n"
    "                   the black backdrop\n"
    "  --data DIR       read the game files from DIR instead of the installed game folder\n"
    "  --author         show the developer panel (also Ctrl+Shift+D in the game)\n"
    "  --check          start, pass the intro, open the game window in room 4 and exit:\n"
    "                   a quick test of an installation\n"
    "  --version        show the game's version and exit\n"
    "  --help           show this text and exit\n";

bool ParseSize(const QString& s, int& w, int& h) {
    int a = 0, b = 0;
    char tail = 0;
    QByteArray bytes = s.toLatin1();
    if (std::sscanf(bytes.constData(), "%dx%d%c", &a, &b, &tail) != 2) return false;
    if (a < 320 || b < 240 || a > 8192 || b > 8192) return false;
    w = a;
    h = b;
    return true;
}

}  // namespace

const char* UsageText() { return kUsage; }
const char* GameVersion() { return LNF_VERSION; }
std::filesystem::path ConfiguredGameFolder() { return LNF_INSTALLED_GAME_DIR; }

CommandLineResult ParseCommandLine(const QStringList& arguments) {
    CommandLineResult result;
    QCommandLineParser parser;
    // "-window" is not "--window": single-dash words are refused as before.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version("version");
    const QCommandLineOption window("window");
    const QCommandLineOption screen("screen", "", "WxH");
    const QCommandLineOption data("data", "", "DIR");
    const QCommandLineOption author("author");
    const QCommandLineOption check("check");
    parser.addOptions({help, version, window, screen, data, author, check});
    auto mistake = [&](const std::string& text) {
        result.exitCode = 2;
        result.err = "lanternfall: " + text + "\n" + kUsage;
        return result;
    };
    if (!parser.parse(arguments)) return mistake(parser.errorText().toStdString());
    if (parser.isSet(help)) {
        result.out = kUsage;
        return result;
    }
    if (parser.isSet(version)) {
        result.out = std::string("lanternfall ") + LNF_VERSION + "\n";
        return result;
    }
    CommandLineOptions o;
    o.authoring = parser.isSet(author);
    o.check = parser.isSet(check);
    if (parser.isSet(data)) {
        o.dataFolder = parser.values(data).last().toStdString();
        if (o.dataFolder.empty()) return mistake("--data wants a folder");
    }
    if (parser.isSet(screen) && !ParseSize(parser.values(screen).last(), o.screenWidth, o.screenHeight)) {
        result.exitCode = 2;
        result.err = "lanternfall: --screen wants WxH, for example 1024x768\n";
        return result;
    }
    // The one word the command line takes besides options is the size after --window.
    const QStringList words = parser.positionalArguments();
    o.windowed = parser.isSet(window);
    if (!words.isEmpty()) {
        if (!o.windowed || words.size() > 1 || !ParseSize(words.first(), o.windowWidth, o.windowHeight))
            return mistake("unknown option " + words.first().toStdString());
    }
    result.options = o;
    return result;
}

}  // namespace lnf
