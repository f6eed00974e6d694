#include "qt/read_aloud.h"

#include <QTextToSpeech>
#include <map>

namespace lnf {

namespace {
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

// One voice per engine for the whole run, never torn down: Qt 6.4's Flite voice falls over in
// its own thread when it is destroyed while it still works through a text, even one it was
// told to stop, and nothing tells when it is done.
QTextToSpeech* Voice(const QString& name) {
    static std::map<QString, QTextToSpeech*> voices;
    auto it = voices.find(name);
    if (it != voices.end()) return it->second;
    auto* tts = new QTextToSpeech(name);
    if (tts->state() == QTextToSpeech::Error) return tts;  // the caller deletes a voice that never started
    voices.emplace(name, tts);
    return tts;
}
}  // namespace

QString SpeakableText(const std::string& text) {
    QString s = QString::fromLatin1(text.c_str());
    s.replace("--", ", ");
    return s.simplified();
}

ReadAloud::ReadAloud(QObject* parent) : QObject(parent) {
    const QStringList order = EngineOrder();
    if (order.isEmpty()) {
        reason_ = qEnvironmentVariableIsSet("LNF_SPEECH_ENGINE")
                      ? "The speech engine \"" + qEnvironmentVariable("LNF_SPEECH_ENGINE") + "\" is not installed."
                      : "No speech engine is installed (the Qt speech plugins, e.g. its Flite voice).";
        return;
    }
    QStringList failed;
    for (const QString& name : order) {
        QTextToSpeech* tts = Voice(name);
        if (tts->state() != QTextToSpeech::Error) {
            speech_ = tts;
            engine_ = name;
            return;
        }
        failed << name + ": " + (tts->errorString().isEmpty() ? "it does not start" : tts->errorString());
        delete tts;
    }
    reason_ = "No speech engine could be started (" + failed.join("; ") + ").";
}

ReadAloud::~ReadAloud() { stop(); }

void ReadAloud::shown(Source source, const std::string& text, bool readingOn) {
    if (!readingOn) stop();  // turning reading off silences the voice at once
    std::string& seen = seen_[source];
    if (seen == text) return;
    seen = text;
    if (!readingOn || !speech_) return;
    QString words = SpeakableText(text);
    if (words.isEmpty()) return;
    // say() cuts the text being read off by itself; a stop() first (or on an idle voice)
    // brings the Flite voice of Qt 6.4 down in its own thread.
    spoken_ = words;
    speech_->say(words);
}

void ReadAloud::stop() {
    // Qt 6.4's Flite voice falls over on the next text after a stop(); a text with nothing to
    // say cuts the last one off just as well.
    if (speech_ && speech_->state() == QTextToSpeech::Speaking) speech_->say(QStringLiteral(" "));
}

}  // namespace lnf
