// The command line as a player types it: every option, --version, and mistakes that give the
// usage and exit 2.
#include <gtest/gtest.h>

#include <string>

#include "qt/command_line.h"

using namespace lnf;

namespace {
CommandLineResult Parse(QStringList words) {
    words.prepend("lanternfall");
    return ParseCommandLine(words);
}
}  // namespace

TEST(CommandLine, EveryOptionAsBefore) {
    CommandLineResult r = Parse({});
    ASSERT_TRUE(r.options);
    EXPECT_FALSE(r.options->windowed);
    EXPECT_EQ(r.options->screenWidth, 0);
    EXPECT_TRUE(r.out.empty() && r.err.empty());

    r = Parse({"--window", "--author", "--check", "--data", "/tmp/game folder", "--screen", "640x480"});
    ASSERT_TRUE(r.options);
    EXPECT_TRUE(r.options->windowed && r.options->authoring && r.options->check);
    EXPECT_EQ(r.options->windowWidth, 1024);
    EXPECT_EQ(r.options->windowHeight, 768);
    EXPECT_EQ(r.options->dataFolder, "/tmp/game folder");
    EXPECT_EQ(r.options->screenWidth, 640);
    EXPECT_EQ(r.options->screenHeight, 480);

    // The window's size may follow --window, before or after other options.
    r = Parse({"--window", "800x600", "--check"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->windowWidth, 800);
    EXPECT_EQ(r.options->windowHeight, 600);
    r = Parse({"--data=/g", "--window"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->dataFolder, "/g");
}

TEST(CommandLine, HelpAndVersionPrintAndLeave) {
    for (const char* h : {"--help", "-h"}) {
        CommandLineResult r = Parse({h, "--window"});
        EXPECT_FALSE(r.options);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, UsageText());
    }
    EXPECT_NE(std::string(UsageText()).find("  --window [WxH]   play in an ordinary desktop window"), std::string::npos);
    EXPECT_NE(std::string(UsageText()).find("  --version        show the game's version and exit"), std::string::npos);
    CommandLineResult r = Parse({"--version"});
    EXPECT_FALSE(r.options);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, std::string("lanternfall ") + GameVersion() + "\n");
    EXPECT_NE(std::string(GameVersion()), "unknown");
}

TEST(CommandLine, MistakesGiveTheUsageAndExitTwo) {
    const QStringList mistakes[] = {
        {"--fly"}, {"-window"}, {"--data"}, {"--screen"}, {"800x600"}, {"--window", "800x600", "900x700"},
        {"--window", "big"}, {"--help=yes"},
    };
    for (const QStringList& m : mistakes) {
        CommandLineResult r = Parse(m);
        EXPECT_FALSE(r.options) << m.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 2) << m.join(' ').toStdString();
        EXPECT_EQ(r.err.rfind("lanternfall: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(UsageText()), std::string::npos) << m.join(' ').toStdString();
        EXPECT_TRUE(r.out.empty());
    }
    // A malformed size says what it wants, as before.
    for (const char* size : {"10x10", "800", "800x600x2", "9000x600"}) {
        CommandLineResult r = Parse({"--screen", size});
        EXPECT_FALSE(r.options);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, "lanternfall: --screen wants WxH, for example 1024x768\n") << size;
    }
}
