// The Qt media tests run offscreen, with the sound LNF_SOUND asks for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstring>

#include "qt/read_aloud.h"
#include "sound.h"

int main(int argc, char** argv) {
    // The readers the tests make start this program as their voice, as the game starts itself.
    if (lnf::IsVoiceMode(argc, argv)) return lnf::RunVoice(argc, argv);
    bool listing = false;
    for (int i = 1; i < argc; ++i) listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_MEDIA_BACKEND", "gstreamer");
    // Nothing a test saves reaches the player's own data folder.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    if (!listing) lnf::test::PrepareSound();
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    lnf::test::StopSound();
    return result;
}
