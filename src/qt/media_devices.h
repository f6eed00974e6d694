// The players behind the game's media devices: the music through Qt Multimedia, the clips
// painted frame by frame into the room picture.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace lnf {

class QtPlatform;

// The music player for MP1, a clip player for the others.
std::unique_ptr<MediaDevice> MakeMediaDevice(QtPlatform& platform, PlayerId id);

// What the players do beyond the game's device interface: stand still where they are and go
// on from there, and play at a volume.
class HeldPlayer {
public:
    virtual ~HeldPlayer() = default;
    virtual void hold(bool held) = 0;
    virtual void setVolume(double linear) = 0;  // 0..1
};

}  // namespace lnf
