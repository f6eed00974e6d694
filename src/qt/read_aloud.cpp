#include "qt/read_aloud.h"

#include <QTextToSpeech>

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
        auto* tts = new QTextToSpeech(name, this);
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
    std::string& seen = seen_[source];
    if (seen == text) return;
    seen = text;
    if (!readingOn || !speech_) return;
    QString words = SpeakableText(text);
    if (words.isEmpty()) return;
    speech_->stop();
    spoken_ = words;
    speech_->say(words);
}

void ReadAloud::stop() {
    if (speech_) speech_->stop();
}

}  // namespace lnf
