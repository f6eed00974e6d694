// The sound the Qt media tests run with, chosen by LNF_SOUND before Qt starts:
//   private - a PulseAudio of the test's own with one null sink whose monitor can be recorded
//   none    - no sound server at all, as on a machine without a sound device
#pragma once

#include <QByteArray>
#include <QProcess>
#include <string>

namespace lnf::test {

enum class Sound { Default, Private, None };

// Called by main before the QApplication exists; returns what the run has.
Sound PrepareSound();
Sound CurrentSound();
// Why the private server could not start, when it could not.
const std::string& SoundProblem();
void StopSound();

// Records the private server's sink while it lives: signed 16-bit stereo at 44100 Hz.
class Recorder {
public:
    static constexpr int kRate = 44100;
    static constexpr int kFrameBytes = 4;
    bool start();
    void stop();
    // Samples arrive a little late; the mark is where "now" falls in the recording so far.
    qint64 markMs();
    // Root mean square of both channels between two points of the recording, 0..1.
    double level(qint64 fromMs, qint64 toMs) const;
    qint64 lengthMs() const { return pcm_.size() / kFrameBytes * 1000 / kRate; }

private:
    void drain();
    QProcess process_;
    QByteArray pcm_;
};

}  // namespace lnf::test
