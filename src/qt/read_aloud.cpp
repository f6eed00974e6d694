#include "qt/read_aloud.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QTextToSpeech>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <unistd.h>

namespace lnf {

namespace {

// How long the voice process has to say whether it has a voice: a loaded machine takes a while
// to start a second Qt program and load a voice.
constexpr int kAnswerMs = 15000;

QStringList EngineOrder() {
    QStringList engines = QTextToSpeech::availableEngines();
    QStringList order;
    QString wanted = qEnvironmentVariable("LNF_SPEECH_ENGINE");
    if (!wanted.isEmpty()) return engines.contains(wanted) ? QStringList{wanted} : QStringList{};
    for (const char* preferred : {"flite", "speechd"})
        if (engines.contains(preferred)) order << preferred;
    for (const QString& e : engines)
        if (!order.contains(e)) order << e;
    return order;
}

// One line to the game. Written straight to the descriptor so nothing sits in a buffer when
// the engine falls over.
void Tell(const QString& line) {
    QByteArray bytes = line.toUtf8();
    bytes.replace('\n', ' ');
    bytes += '\n';
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(STDOUT_FILENO, p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) std::_Exit(0);  // the game is gone
        p += n;
        left -= n;
    }
}

// Leaves without tearing the voice down: Qt 6.4's Flite voice falls over in its own thread
// when it is destroyed while it still works through a text.
[[noreturn]] void Leave(int code) { std::_Exit(code); }

}  // namespace

QString SpeakableText(const std::string& text) {
    QString s = QString::fromLatin1(text.c_str());
    s.replace("--", ", ");
    return s.simplified();
}

bool IsVoiceMode(int argc, char** argv) { return argc >= 2 && std::strcmp(argv[1], "--voice") == 0; }

int RunVoice(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList order = EngineOrder();
    if (order.isEmpty()) {
        Tell("unavailable " +
             (qEnvironmentVariableIsSet("LNF_SPEECH_ENGINE")
                  ? "The speech engine \"" + qEnvironmentVariable("LNF_SPEECH_ENGINE") + "\" is not installed."
                  : QString("No speech engine is installed (the Qt speech plugins, e.g. its Flite voice).")));
        Leave(2);
    }
    QTextToSpeech* tts = nullptr;
    QStringList failed;
    for (const QString& name : order) {
        auto* candidate = new QTextToSpeech(name);
        if (candidate->state() != QTextToSpeech::Error) {
            tts = candidate;
            Tell("engine " + name);
            break;
        }
        failed << name + ": " +
                      (candidate->errorString().isEmpty() ? QString("it does not start") : candidate->errorString());
        delete candidate;
    }
    if (!tts) {
        Tell("unavailable No speech engine could be started (" + failed.join("; ") + ").");
        Leave(2);
    }
    QObject::connect(tts, &QTextToSpeech::stateChanged, [tts](QTextToSpeech::State s) {
        switch (s) {
            case QTextToSpeech::Speaking: Tell("speaking"); break;
            case QTextToSpeech::Ready: Tell("ready"); break;
            case QTextToSpeech::Error:
                Tell("error " + (tts->errorString().isEmpty() ? QString("the engine failed") : tts->errorString()));
                break;
            default: break;
        }
    });
    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
        if (n <= 0) Leave(0);  // the game closed the line, or is gone
        pending.append(buffer, n);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            // The game sends a text only to an idle voice; to cut a text off it ends this
            // process and starts another, as stopping the voice is what makes it fall over.
            if (line.startsWith("say ")) tts->say(line.mid(4));
            else if (line == "quit") Leave(0);
        }
    });
    return app.exec();
}

ReadAloud::ReadAloud(QObject* parent) : QObject(parent) {
    // The game does not wait for the answer: the item stays usable until the voice says it has
    // no engine (a text given meanwhile waits for it), and greys then.
    available_ = true;
    startVoice();
    QTimer::singleShot(kAnswerMs, this, [this] {
        if (!answered()) giveUp("The voice did not say in time whether it has an engine.");
    });
}

ReadAloud::~ReadAloud() {
    dropVoice();
    // Voices killed a moment ago are reaped before their objects go with this one.
    for (QProcess* voice : findChildren<QProcess*>()) voice->waitForFinished(2000);
}

qint64 ReadAloud::voicePid() const { return voice_ ? voice_->processId() : 0; }

void ReadAloud::setState(VoiceState s) {
    if (state_ == s) return;
    state_ = s;
    emit voiceStateChanged(s);
}

void ReadAloud::startVoice() {
    voice_ = new QProcess(this);
    voice_->setReadChannel(QProcess::StandardOutput);
    // The engine's own complaints reach the game's stderr, where a player's report finds them.
    voice_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(voice_, &QProcess::readyReadStandardOutput, this, &ReadAloud::readVoice);
    connect(voice_, &QProcess::finished, this, &ReadAloud::voiceDied);
    connect(voice_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) voiceDied();
    });
    setState(VoiceState::Starting);
    voice_->start(QCoreApplication::applicationFilePath(), {"--voice"});
}

// Ends the voice process at once: a killed process takes its text with it, where a stopped
// engine would fall over. The object goes once the system has reaped the process and control
// is back in the event loop, as this may run inside one of the object's own signals.
void ReadAloud::dropVoice() {
    QProcess* old = releaseVoice();
    if (!old) return;
    if (old->state() == QProcess::NotRunning) {
        old->deleteLater();
        return;
    }
    connect(old, &QProcess::finished, old, &QObject::deleteLater);
    old->kill();
}

QProcess* ReadAloud::releaseVoice() {
    QProcess* old = std::exchange(voice_, nullptr);
    if (!old) return nullptr;
    old->disconnect(this);
    busy_ = false;
    waiting_.clear();
    setState(VoiceState::Gone);
    return old;
}

void ReadAloud::giveUp(const QString& reason) {
    dropVoice();
    reason_ = reason;
    if (std::exchange(available_, false)) emit becameUnavailable();
}

void ReadAloud::readVoice() {
    while (voice_ && voice_->canReadLine()) {
        const QString line = QString::fromUtf8(voice_->readLine()).chopped(1);
        handleLine(line);
    }
}

void ReadAloud::handleLine(const QString& line) {
    if (line.startsWith("engine ")) {
        engine_ = line.mid(7);
        available_ = true;
        reason_.clear();
        setState(VoiceState::Ready);
        // A text handed over before the voice was set up goes to it now: given at once, the
        // Flite voice sometimes fails its first text.
        if (!waiting_.isEmpty()) voice_->write(("say " + std::exchange(waiting_, QString()) + "\n").toUtf8());
    } else if (line.startsWith("unavailable ")) {
        giveUp(line.mid(12));
    } else if (line == "speaking") {
        setState(VoiceState::Speaking);
    } else if (line == "ready") {
        if (busy_ && state_ == VoiceState::Speaking) {
            busy_ = false;  // the text was read to its end
            deaths_ = 0;
        }
        setState(VoiceState::Ready);
    } else if (line.startsWith("error")) {
        error_ = line.mid(6);
        const bool retry = busy_ && retries_ < kRetries;
        busy_ = false;
        setState(VoiceState::Error);
        // On a loaded machine the Flite voice now and then runs dry in the middle of a text
        // and gives up on it (it is starved of time, so it can happen twice running); a fresh
        // voice reads the text again from its start, a few times at most.
        if (retry) {
            // Each try waits longer: a voice that fails straight after another was ended
            // fails again if it follows at once.
            const int retries = retries_ + 1;
            const QString words = spoken_;
            const uint64_t sent = sent_;
            dropVoice();
            busy_ = true;  // the text is still in hand
            QTimer::singleShot(300 << retries_, this, [this, words, retries, sent] {
                if (sent_ != sent || !available_) return;  // a newer text or a stop came first
                send(words);
                retries_ = retries;
            });
        }
    }
}

void ReadAloud::voiceDied() {
    if (!voice_) return;
    // Whatever it still said before it went counts.
    readVoice();
    if (!voice_) return;
    if (!answered()) {
        giveUp(voice_->error() == QProcess::FailedToStart
                   ? "The voice could not be started (" + voice_->errorString() + ")."
                   : QString("The voice ended before it said whether it has an engine (exit code %1).")
                         .arg(voice_->exitCode()));
        return;
    }
    dropVoice();
    if (!available_) return;
    if (++deaths_ >= kMaxDeathsInARow)
        giveUp(QString("The voice stopped working: its speech engine fell over %1 times in a row.").arg(deaths_));
}

void ReadAloud::send(const QString& words) {
    retries_ = 0;
    ++sent_;
    if (!voice_) startVoice();
    spoken_ = words;
    if (state_ == VoiceState::Starting) waiting_ = words;
    else voice_->write(("say " + words + "\n").toUtf8());
    // Until the voice says it read the text to its end, a next text must not reach it.
    busy_ = true;
}

void ReadAloud::shown(Source source, const std::string& text, bool readingOn) {
    if (!readingOn) stop();  // turning reading off silences the voice at once
    std::string& seen = seen_[source];
    if (seen == text) return;
    seen = text;
    if (!readingOn || !available_) return;
    QString words = SpeakableText(text);
    if (words.isEmpty()) return;
    // A voice at work on a text is replaced, not interrupted.
    if (busy_) dropVoice();
    send(words);
}

void ReadAloud::stop() {
    ++sent_;  // a retry still to come is called off too
    if (busy_) dropVoice();
    busy_ = false;
}

}  // namespace lnf
