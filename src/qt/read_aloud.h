// Reading the game's texts aloud through the desktop's speech engine: the message line, the
// conversation's lines and the close look of an item. A new text cuts the last one off.
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <string>

class QTextToSpeech;

namespace lnf {

class ReadAloud : public QObject {
    Q_OBJECT
public:
    // Where each text to be read comes from; each source is read when its text changes.
    enum class Source { MessageLine, Conversation, CloseLook };

    // Picks the engine: the environment's LNF_SPEECH_ENGINE if set, else Flite (it needs no
    // speech server), else the speech server's, else any other the system offers.
    explicit ReadAloud(QObject* parent = nullptr);
    ~ReadAloud() override;

    bool available() const { return speech_ != nullptr; }
    // Why nothing can be read aloud here, for the disabled menu item; empty where it can.
    const QString& unavailableReason() const { return reason_; }
    QString engineName() const { return engine_; }
    QTextToSpeech* engine() const { return speech_; }

    // A text shown by a source: read at once when reading is on and the text is new to that
    // source. Texts seen while reading is off are remembered, so turning it on reads only
    // what comes after.
    void shown(Source source, const std::string& text, bool readingOn);
    // The text last handed to the engine.
    const QString& lastSpoken() const { return spoken_; }
    void stop();

private:
    QTextToSpeech* speech_ = nullptr;
    QString engine_;
    QString reason_;
    QString spoken_;
    std::map<Source, std::string> seen_;
};

// The text a speech engine is given: line breaks and runs of spaces become single spaces,
// the "--" of the game's texts a pause; nothing but blanks gives an empty text.
QString SpeakableText(const std::string& text);

}  // namespace lnf
