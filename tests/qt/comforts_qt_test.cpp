// The comforts on the real window and the real players: the volume sliders and mute heard
// through the private sound server, the pause of a tune, a clip and a timer, reading aloud
// with the real Flite voice, the Do hand, the item names and the dialogs' faces.
#include <QAbstractButton>
#include <QAction>
#include <QAudio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QMenu>
#include <QSlider>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

#include "game_window.h"
#include "media/clip_decoder.h"
#include "sound.h"
#include "qt/read_aloud.h"
#include "qt/widgets.h"

namespace lnf {
namespace {

using test::QtGame;
using test::Wait;
using test::WaitUntil;

QAction* MenuAction(QWidget& view, const QString& caption) {
    for (QAction* a : view.findChildren<QAction*>())
        if (a->text() == caption) return a;
    return nullptr;
}

double Gain(int volume) {
    return QAudio::convertVolume(volume / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
}

using Voice = ReadAloud::VoiceState;

// Every state the voice process reports, in order.
struct VoiceLog {
    explicit VoiceLog(ReadAloud& reader)
        : connection(QObject::connect(&reader, &ReadAloud::voiceStateChanged, &reader,
                                      [this](Voice s) { states.push_back(s); })) {}
    ~VoiceLog() { QObject::disconnect(connection); }
    VoiceLog(const VoiceLog&) = delete;
    VoiceLog& operator=(const VoiceLog&) = delete;
    QMetaObject::Connection connection;
    bool saw(Voice s) const { return std::find(states.begin(), states.end(), s) != states.end(); }
    std::vector<Voice> states;
};

// Reads a text and waits until the voice process reports it started it and read it to its end.
::testing::AssertionResult ReadToItsEnd(ReadAloud& reader, ReadAloud::Source source, const std::string& text) {
    VoiceLog log(reader);
    reader.shown(source, text, true);
    if (!WaitUntil([&] { return log.saw(Voice::Speaking) && !reader.busy(); }, 30000))
        return ::testing::AssertionFailure() << "\"" << text << "\" was not read to its end";
    if (reader.voiceState() != Voice::Ready) {
        auto failure = ::testing::AssertionFailure() << "the voice went through";
        for (Voice s : log.states) failure << " " << int(s);
        failure << " (" << reader.lastError().toStdString() << ")";
        return failure;
    }
    return ::testing::AssertionSuccess();
}

class QtComforts : public QtGame {
protected:
    QSlider* slider(const char* name) { return view_.findChild<QSlider*>(name); }
    // Plays a tune from its start for `ms` and returns how loud its second after 400 ms was.
    double tuneLevel(test::Recorder& rec, const char* tune, int ms = 1500) {
        app_.guard([&] { game_.Playit(tune); });
        qint64 from = rec.markMs();
        Wait(ms);
        rec.markMs();  // takes in what was recorded meanwhile
        double level = rec.level(from + 400, from + 1400);
        app_.guard([&] { game_.StopMusic(); });
        game_.LastTuneKey = 0;  // the same tune may start again at once
        Wait(300);
        return level;
    }
    double effectLevel(test::Recorder& rec) {
        platform_.playSound("music\\jubjub.wav");
        qint64 from = rec.markMs();
        Wait(1600);
        rec.markMs();
        return rec.level(from + 60, from + 1200);
    }
};

TEST_F(QtComforts, AudibleSlidersSetTheTuneAndTheEffectsAndMuteSilencesBoth) {
    ASSERT_EQ(test::CurrentSound(), test::Sound::Private) << test::SoundProblem();
    QSlider* music = slider("MusicVolume1");
    QSlider* effects = slider("EffectsVolume1");
    ASSERT_TRUE(music && effects) << "the Music menu has no volume sliders";
    EXPECT_EQ(music->value(), 100);
    test::Recorder rec;
    ASSERT_TRUE(rec.start());
    double tuneFull = tuneLevel(rec, "music\\frog.wma");
    double effectFull = effectLevel(rec);
    music->setValue(40);  // as the player drags it
    effects->setValue(40);
    EXPECT_EQ(game_.MusicVolume(), 40);
    EXPECT_EQ(game_.EffectsVolume(), 40);
    double tuneLow = tuneLevel(rec, "music\\frog.wma");
    double effectLow = effectLevel(rec);
    std::printf("heard: tune %.4f at 100, %.4f at 40; effect %.4f at 100, %.4f at 40 (gain %.3f)\n", tuneFull, tuneLow,
                effectFull, effectLow, Gain(40));
    ASSERT_GT(tuneFull, 0.01);
    ASSERT_GT(effectFull, 0.01);
    // The same sound from its start: the level follows the slider's gain.
    EXPECT_NEAR(effectLow / effectFull, Gain(40), Gain(40) * 0.25);
    EXPECT_NEAR(tuneLow / tuneFull, Gain(40), Gain(40) * 0.35);

    // Changes reach the tune as it plays: silent at 0, back when raised, silent when muted.
    app_.guard([&] { game_.Playit("music\\frog.wma"); });
    Wait(800);
    music->setValue(0);
    qint64 zero = rec.markMs();
    Wait(900);
    music->setValue(100);
    qint64 up = rec.markMs();
    Wait(900);
    QAction* mute = MenuAction(view_, "M&ute");
    ASSERT_TRUE(mute);
    EXPECT_EQ(mute->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    mute->trigger();
    EXPECT_TRUE(game_.Muted());
    platform_.playSound("music\\jubjub.wav");  // an effect while muted is not heard either
    qint64 muted = rec.markMs();
    Wait(900);
    mute->trigger();
    qint64 unmuted = rec.markMs();
    Wait(900);
    rec.stop();
    app_.guard([&] { game_.StopMusic(); });
    EXPECT_LT(rec.level(zero + 300, up), 0.002) << "the playing tune kept its level at 0";
    EXPECT_GT(rec.level(up + 300, muted), 0.01) << "the tune did not come back at 100";
    EXPECT_LT(rec.level(muted + 300, unmuted), 0.002) << "mute let the tune or the effect through";
    EXPECT_GT(rec.level(unmuted + 300, unmuted + 800), 0.01) << "the tune stayed silent after mute was lifted";
    EXPECT_EQ(music->value(), 100);
}

TEST_F(QtComforts, AudiblePauseHoldsTheTuneWhereItIsAndGoesOnFromThere) {
    ASSERT_EQ(test::CurrentSound(), test::Sound::Private) << test::SoundProblem();
    QAction* pause = MenuAction(view_, "&Pause");
    ASSERT_TRUE(pause);
    EXPECT_TRUE(pause->shortcuts().contains(QKeySequence(Qt::Key_P)));
    EXPECT_TRUE(pause->shortcuts().contains(QKeySequence(Qt::Key_Pause)));
    test::Recorder rec;
    ASSERT_TRUE(rec.start());
    app_.guard([&] { game_.Playit("music\\frog.wma"); });
    ASSERT_TRUE(WaitUntil([&] { return game_.MP1.Position() > 1200; }, 15000));
    pause->trigger();
    EXPECT_TRUE(game_.Paused);
    qint64 paused = rec.markMs();
    Wait(300);
    int64_t held = game_.MP1.Position();
    Wait(1200);
    EXPECT_NEAR(double(game_.MP1.Position()), double(held), 60.0) << "the tune moved on during the pause";
    auto* veil = view_.findChild<QWidget*>("PausedVeil");
    ASSERT_TRUE(veil);
    EXPECT_TRUE(veil->isVisible());
    pause->trigger();
    qint64 resumed = rec.markMs();
    QElapsedTimer since;
    since.start();
    ASSERT_TRUE(WaitUntil([&] { return game_.MP1.Position() > held + 300; }, 5000));
    // It went on from where it stood: not from the start, not ahead by the pause's length.
    EXPECT_LT(game_.MP1.Position(), held + since.elapsed() + 400);
    Wait(800);
    rec.stop();
    app_.guard([&] { game_.StopMusic(); });
    EXPECT_FALSE(veil->isVisible());
    std::printf("heard: %.4f before the pause, %.5f in it, %.4f after it\n", rec.level(paused - 600, paused),
                rec.level(paused + 300, resumed - 250), rec.level(resumed + 400, resumed + 1000));
    // The marks may fall a little late on a busy machine: the window keeps clear of both ends.
    EXPECT_LT(rec.level(paused + 300, resumed - 250), 0.002) << "the tune was heard during the pause";
    EXPECT_GT(rec.level(resumed + 400, resumed + 1000), 0.01) << "the tune did not go on";
}

TEST_F(QtComforts, APausedClipShowsTheSameFrameUnderTheVeilAndPlaysOnlyItsRest) {
    game_.GameState.Progress[MainStage] = 6;
    app_.guard([&] {
        game_.NewRoom(28);
        game_.ChangeCursor(kDoMode);
    });
    QElapsedTimer playing;
    clickOn(6);  // the tree's clip
    playing.start();
    ASSERT_EQ(game_.MP3.Tag, 1);
    Wait(500);
    app_.guard([&] { game_.PauseClick(); });
    QElapsedTimer pausedClock;
    pausedClock.start();
    platform_.syncAll();
    int64_t at = game_.MP3.Position();
    Wait(1500);
    EXPECT_EQ(game_.MP3.Position(), at) << "the clip's time ran on in the pause";
    EXPECT_EQ(game_.MP3.Tag, 1) << "the clip ended during the pause";
    auto* veil = view_.findChild<QWidget*>("PausedVeil");
    ASSERT_TRUE(veil && veil->isVisible());
    EXPECT_EQ(veil->parentWidget()->children().last(), veil) << "the veil is not over the clip";
    int64_t pausedFor = pausedClock.elapsed();
    app_.guard([&] { game_.PauseClick(); });
    ASSERT_TRUE(WaitUntil([&] { return game_.MP3.Tag == 0; }, 10000));
    // The clip played its whole length: the time before the pause plus its rest after it.
    Clip clip = DecodeClip(files_.find("p2\\TREE.AVI")->string());
    EXPECT_GE(playing.elapsed(), clip.durationMs() + pausedFor - 100) << "the clip skipped ahead";
    EXPECT_LT(playing.elapsed(), clip.durationMs() + pausedFor + 1500) << "the clip started again";
}

TEST_F(QtComforts, APausedTimerFiresOnlyAfterTheTimeItHadLeft) {
    app_.guard([&] {
        game_.NewRoom(17);
        game_.ChangeCursor(kDoMode);
    });
    clickOn(8);  // room 17's picture comes back three seconds later
    ASSERT_TRUE(game_.Reappear.Enabled());
    Wait(1000);
    app_.guard([&] { game_.SetPaused(true); });
    Wait(3500);
    EXPECT_EQ(game_.GameState.Progress[Room17Normal], 0) << "the timer ran on in the pause";
    QElapsedTimer since;
    since.start();
    app_.guard([&] { game_.SetPaused(false); });
    ASSERT_TRUE(WaitUntil([&] { return game_.GameState.Progress[Room17Normal] == 1; }, 8000));
    EXPECT_GE(since.elapsed(), 1700) << "the timer did not keep the time it had left";
}

TEST(ReadAloudVoice, TheFliteVoiceSpeaksAMessageToItsEndAndANewTextCutsTheOldOff) {
    ReadAloud reader;
    // The game does not wait for the voice to start: it answers later, through the event loop.
    EXPECT_EQ(reader.voiceState(), Voice::Starting);
    EXPECT_TRUE(reader.engineName().isEmpty());
    EXPECT_TRUE(reader.available());
    ASSERT_TRUE(WaitUntil([&] { return !reader.engineName().isEmpty() || !reader.available(); }, 20000));
    ASSERT_TRUE(reader.available()) << reader.unavailableReason().toStdString();
    EXPECT_EQ(reader.engineName(), "flite");
    const qint64 firstVoice = reader.voicePid();
    EXPECT_NE(firstVoice, 0);
    EXPECT_NE(firstVoice, QCoreApplication::applicationPid()) << "the voice must not live in the game's process";
    test::Recorder rec;
    const bool hearing = test::CurrentSound() == test::Sound::Private && rec.start();
    // Seen while reading is off: remembered, not read.
    reader.shown(ReadAloud::Source::MessageLine, "An old message.", false);
    EXPECT_TRUE(reader.lastSpoken().isEmpty());
    VoiceLog log(reader);
    reader.shown(ReadAloud::Source::MessageLine, "The frog at the door\r\nlooks   at you -- and waits.", true);
    EXPECT_EQ(reader.lastSpoken(), "The frog at the door looks at you , and waits.");
    ASSERT_TRUE(WaitUntil([&] { return reader.voiceState() == Voice::Speaking; }, 20000))
        << "the voice never started";
    qint64 spoke = hearing ? rec.markMs() : 0;
    ASSERT_TRUE(WaitUntil([&] { return !reader.busy(); }, 30000)) << "it never finished";
    EXPECT_EQ(log.states, (std::vector<Voice>{Voice::Speaking, Voice::Ready}));
    EXPECT_EQ(reader.voicePid(), firstVoice) << "an idle voice reads the next text itself";
    if (hearing) {
        qint64 done = rec.markMs();
        double level = rec.level(spoke, done);
        std::printf("heard: the voice at %.4f over %lld ms\n", level, static_cast<long long>(done - spoke));
        EXPECT_GT(level, 0.005) << "the voice is not heard";
    }
    // The same text again is not read twice.
    reader.shown(ReadAloud::Source::MessageLine, "The frog at the door\r\nlooks   at you -- and waits.", true);
    Wait(200);
    EXPECT_EQ(reader.voiceState(), Voice::Ready);
    EXPECT_FALSE(reader.busy());
    // A new text cuts a long one off: once the short one is read, nothing more is heard, though
    // the long one would have gone on for many seconds.
    QString longText;
    for (int i = 0; i < 6; ++i) longText += "The lantern swings in the wind over the long stone road to the river. ";
    reader.shown(ReadAloud::Source::Conversation, longText.toStdString(), true);
    ASSERT_TRUE(WaitUntil([&] { return reader.voiceState() == Voice::Speaking; }, 20000));
    const qint64 longVoice = reader.voicePid();
    Wait(800);
    ASSERT_TRUE(ReadToItsEnd(reader, ReadAloud::Source::MessageLine, "The kettle stops singing at last."));
    EXPECT_EQ(reader.lastSpoken(), "The kettle stops singing at last.");
    EXPECT_NE(reader.voicePid(), longVoice) << "the voice at work was not replaced";
    EXPECT_EQ(reader.deathsInARow(), 0) << "a voice the game ends is no death";
    if (hearing) {
        qint64 after = rec.markMs();
        Wait(1500);
        qint64 later = rec.markMs();
        double level = rec.level(after + 300, later);
        std::printf("heard: after the new text %.5f\n", level);
        EXPECT_LT(level, 0.002) << "the long text was still heard";
    }
    // Stopped while it speaks, the voice falls silent at once; the next text is read all the same.
    reader.shown(ReadAloud::Source::Conversation, longText.toStdString() + " Again.", true);
    ASSERT_TRUE(WaitUntil([&] { return reader.voiceState() == Voice::Speaking; }, 20000));
    Wait(500);
    reader.stop();
    EXPECT_EQ(reader.voiceState(), Voice::Gone);
    if (hearing) {
        qint64 stopped = rec.markMs();
        Wait(1200);
        qint64 later = rec.markMs();
        EXPECT_LT(rec.level(stopped + 300, later), 0.002) << "the voice went on after the stop";
        rec.stop();
    }
    EXPECT_TRUE(ReadToItsEnd(reader, ReadAloud::Source::MessageLine, "The garden is quiet again."));
    EXPECT_TRUE(reader.available());
}

TEST(ReadAloudVoice, AVoiceKilledMidSentenceLeavesTheGameRunningAndTheNextTextIsRead) {
    ReadAloud reader;
    // A text given before the voice has answered waits for it and is read then.
    reader.shown(ReadAloud::Source::MessageLine, "The ferry waits at the landing for its last passenger.", true);
    ASSERT_TRUE(WaitUntil([&] { return !reader.busy() || !reader.available(); }, 30000)) << "it never finished";
    ASSERT_TRUE(reader.available()) << reader.unavailableReason().toStdString();
    EXPECT_EQ(reader.deathsInARow(), 0);
    QString longText;
    for (int i = 0; i < 4; ++i) longText += "The ferryman counts the lanterns along the far bank of the river. ";
    // Killed twice in a row, it comes back each time; a text read to its end clears the count.
    for (int death = 1; death <= 2; ++death) {
        reader.shown(ReadAloud::Source::Conversation, (longText + QString::number(death)).toStdString(), true);
        ASSERT_TRUE(WaitUntil([&] { return reader.voiceState() == Voice::Speaking; }, 20000));
        const qint64 pid = reader.voicePid();
        ASSERT_GT(pid, 0);
        ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
        ASSERT_TRUE(WaitUntil([&] { return reader.voiceState() == Voice::Gone; }, 10000)) << "the death went unnoticed";
        EXPECT_EQ(reader.deathsInARow(), death);
        EXPECT_EQ(reader.voicePid(), 0);
        EXPECT_TRUE(reader.available()) << "one death does not silence the game for good";
    }
    ASSERT_TRUE(ReadToItsEnd(reader, ReadAloud::Source::MessageLine, "The lantern is lit."));
    EXPECT_EQ(reader.lastSpoken(), "The lantern is lit.");
    EXPECT_EQ(reader.deathsInARow(), 0);
    // A voice that keeps dying is given up, with a reason for the menu item, and the game
    // goes on without it.
    bool givenUp = false;
    QObject::connect(&reader, &ReadAloud::becameUnavailable, &reader, [&] { givenUp = true; });
    for (int death = 1; death <= ReadAloud::kMaxDeathsInARow; ++death) {
        reader.shown(ReadAloud::Source::CloseLook, (longText + "Again " + QString::number(death)).toStdString(), true);
        ASSERT_TRUE(WaitUntil([&] { return reader.voicePid() > 0 && reader.voiceState() == Voice::Speaking; }, 20000));
        ASSERT_EQ(::kill(pid_t(reader.voicePid()), SIGKILL), 0);
        ASSERT_TRUE(WaitUntil([&] { return reader.voiceState() == Voice::Gone; }, 10000));
    }
    EXPECT_TRUE(givenUp);
    EXPECT_FALSE(reader.available());
    EXPECT_TRUE(reader.unavailableReason().contains("fell over")) << reader.unavailableReason().toStdString();
    reader.shown(ReadAloud::Source::MessageLine, "Nothing more is read.", true);
    EXPECT_EQ(reader.voicePid(), 0);
    EXPECT_NE(reader.lastSpoken(), "Nothing more is read.");
}

TEST_F(QtComforts, ReadAloudFollowsTheMessageLineOnceTickedWithCtrlT) {
    QAction* read = MenuAction(view_, "&Read Aloud");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    ASSERT_TRUE(read->isEnabled()) << read->toolTip().toStdString();
    game_.text1.Caption = "Nothing is read before the item is ticked.";
    platform_.syncAll();
    EXPECT_TRUE(platform_.reader().lastSpoken().isEmpty());
    read->trigger();
    EXPECT_TRUE(game_.ReadingAloud());
    EXPECT_TRUE(read->isChecked());
    clickOn(game_.RoomCells[size_t(CellNumber(kGridColumns / 2, kGridRows / 2))]);
    EXPECT_EQ(platform_.reader().lastSpoken(), SpeakableText(game_.text1.Caption));
    // Turning it off silences the voice at once.
    ASSERT_TRUE(WaitUntil([&] { return platform_.reader().voiceState() == ReadAloud::VoiceState::Speaking; }, 20000));
    read->trigger();
    EXPECT_FALSE(game_.ReadingAloud());
    EXPECT_NE(platform_.reader().voiceState(), ReadAloud::VoiceState::Speaking);
    EXPECT_FALSE(platform_.reader().busy());
}

// A voice given up during play greys the item and stops reading, as one never found would.
TEST_F(QtComforts, AVoiceGivenUpInPlayGreysTheItem) {
    QAction* read = MenuAction(view_, "&Read Aloud");
    ASSERT_TRUE(read && read->isEnabled());
    read->trigger();
    ASSERT_TRUE(game_.ReadingAloud());
    emit platform_.reader().becameUnavailable();
    ASSERT_TRUE(WaitUntil([&] { return !read->isEnabled(); }, 5000));
    EXPECT_FALSE(read->isChecked());
    EXPECT_FALSE(game_.ReadingAloud());
}

struct NoVoice {
    NoVoice() { qputenv("LNF_SPEECH_ENGINE", "no-such-voice"); }
    ~NoVoice() { qunsetenv("LNF_SPEECH_ENGINE"); }
};
class QtNoVoice : public NoVoice, public QtComforts {};

TEST_F(QtNoVoice, WithoutAVoiceTheItemIsGreyedAndSaysWhy) {
    QAction* read = MenuAction(view_, "&Read Aloud");
    ASSERT_TRUE(read);
    // The voice says so a moment after the game is up; the game did not wait for it.
    ASSERT_TRUE(WaitUntil([&] { return !read->isEnabled(); }, 20000));
    EXPECT_TRUE(read->toolTip().contains("no-such-voice")) << read->toolTip().toStdString();
    read->trigger();  // a greyed action does nothing, and neither does the command
    app_.guard([&] { game_.ReadAloudClick(); });
    EXPECT_FALSE(game_.ReadingAloud());
}

TEST_F(QtComforts, TheDoHandIsTheGamesOwnAndItemsAreNamed) {
    QCursor hand = platform_.cursor(crHandPoint);
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor) << "the Do mode shows the system's hand";
    EXPECT_EQ(hand.hotSpot(), QPoint(8, 2));  // the tip of the finger
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    app_.guard([&] { game_.ChangeCursor(kDoMode); });
    platform_.syncAll();
    PictureWidget* room = pictureAt(game_.Image2);
    ASSERT_TRUE(room);
    EXPECT_EQ(room->cursor().shape(), Qt::BitmapCursor);
    for (int n = 1; n <= kItems; ++n) {
        auto* item = view_.findChild<PictureWidget*>(QString("item%1").arg(n));
        ASSERT_TRUE(item);
        EXPECT_FALSE(item->toolTip().isEmpty()) << "item " << n << " has no name";
    }
    EXPECT_EQ(view_.findChild<PictureWidget*>("item1")->toolTip(), "Ticket");
    EXPECT_EQ(view_.findChild<PictureWidget*>("item21")->toolTip(), "Kitty");
}

TEST_F(QtComforts, TheDialogsTextsAreSetInInstalledFacesAndFitTheirBoxes) {
    EXPECT_EQ(QFontInfo(GameFont("MS Sans Serif", 16, true)).family().toStdString(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(GameFont("Arial", 16)).family().toStdString(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(GameFont("Times New Roman", 19)).family().toStdString(), "Liberation Serif");
    TAbout1& about = *app_.About1;
    for (int tag : {0, 1, 2}) {
        about.Tag = tag;
        about.FormShow();
        about.FormActivate();
        about_.aboutToShow();
        QLabel* text = nullptr;
        for (QLabel* l : about_.findChildren<QLabel*>())
            if (l->text() == DisplayText(about.Label1.Caption)) text = l;
        ASSERT_TRUE(text) << "dialog " << tag;
        QFontMetrics fm(text->font());
        if (tag != 0) {  // the questions' lines are meant to stand whole, unbroken
            for (const QString& line : text->text().split('\n')) {
                EXPECT_LE(fm.horizontalAdvance(line), text->width()) << "dialog " << tag << ": \"" << line.toStdString() << "\"";
            }
        }
        EXPECT_LE(text->heightForWidth(text->width()), text->height()) << "dialog " << tag;
        for (QAbstractButton* b : about_.findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(&about_)) continue;
            QString caption = b->text().remove('&');
            EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(caption) + 8, b->width())
                << "dialog " << tag << ": button \"" << caption.toStdString() << "\"";
        }
    }
}

}  // namespace
}  // namespace lnf
