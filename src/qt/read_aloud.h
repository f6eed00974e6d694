// Reading the game's texts aloud through the desktop's speech engine: the message line, the
// conversation's lines and the close look of an item. A new text cuts the last one off.
//
// The engine runs in a process of its own (this same program started with --voice), talked to
// line by line: Qt 6.4's Flite voice falls over in its own thread when a text is cut off, and
// such a fall must never take the player's game with it.
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <string>

class QProcess;

namespace lnf {

class ReadAloud : public QObject {
    Q_OBJECT
public:
    // Where each text to be read comes from; each source is read when its text changes.
    enum class Source { MessageLine, Conversation, CloseLook };
    // What the voice process last said of itself.
    enum class VoiceState { Starting, Ready, Speaking, Error, Gone };
    // Deaths in a row, with no text read to its end between them, after which the voice
    // is given up for the run.
    static constexpr int kMaxDeathsInARow = 3;

    // Starts the voice process, which says soon after whether it has a voice; until it does,
    // available() is true and a text waits for it. It picks the engine: the environment's LNF_SPEECH_ENGINE if set, else Flite (it needs no
    // speech server), else the speech server's, else any other the system offers.
    explicit ReadAloud(QObject* parent = nullptr);
    ~ReadAloud() override;

    // False once the voice said it has no engine, did not answer, or was given up.
    bool available() const { return available_; }
    // Why nothing can be read aloud here, for the disabled menu item; empty where it can.
    const QString& unavailableReason() const { return reason_; }
    // Empty until the voice has answered.
    QString engineName() const { return engine_; }

    // A text shown by a source: read at once when reading is on and the text is new to that
    // source. Texts seen while reading is off are remembered, so turning it on reads only
    // what comes after.
    void shown(Source source, const std::string& text, bool readingOn);
    // The text last handed to the voice.
    const QString& lastSpoken() const { return spoken_; }
    void stop();

    VoiceState voiceState() const { return state_; }
    // The voice process's id while one runs, else 0.
    qint64 voicePid() const;
    // A text handed to the voice and not yet read to its end (or failed).
    bool busy() const { return busy_; }
    // Voice processes that died on their own since the last text read to its end.
    int deathsInARow() const { return deaths_; }
    // What the engine last said went wrong.
    const QString& lastError() const { return error_; }

signals:
    void voiceStateChanged(lnf::ReadAloud::VoiceState state);
    // The voice has no engine, did not answer, or was given up after dying too often;
    // unavailableReason() says which.
    void becameUnavailable();

private:
    void startVoice();
    void dropVoice();
    QProcess* releaseVoice();
    void giveUp(const QString& reason);
    bool answered() const { return !engine_.isEmpty() || !available_; }
    void readVoice();
    void handleLine(const QString& line);
    void voiceDied();
    void setState(VoiceState s);
    void send(const QString& words);

    QProcess* voice_ = nullptr;
    bool available_ = false;
    bool busy_ = false;  // a text was sent and is not read to its end yet
    static constexpr int kRetries = 3;
    int retries_ = 0;    // fresh voices the text in hand was given to after one gave up on it
    uint64_t sent_ = 0;  // counts the texts handed over, so a late retry knows it is stale
    VoiceState state_ = VoiceState::Gone;
    int deaths_ = 0;
    QString engine_;
    QString reason_;
    QString spoken_;
    QString error_;
    QString waiting_;  // the text for a voice that is still starting
    std::map<Source, std::string> seen_;
};

// The text a speech engine is given: line breaks and runs of spaces become single spaces,
// the "--" of the game's texts a pause; nothing but blanks gives an empty text.
QString SpeakableText(const std::string& text);

// The voice process: asked for by the first argument, "--voice". RunVoice owns the program
// from there: it reads "say <text>" lines on stdin and writes "engine <name>" or
// "unavailable <reason>" at its start, then "speaking", "ready" and "error <reason>" as the
// engine goes. It ends when stdin closes.
bool IsVoiceMode(int argc, char** argv);
int RunVoice(int argc, char** argv);

}  // namespace lnf
