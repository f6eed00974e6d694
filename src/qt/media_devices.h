// The players behind the game's media devices: the music through Qt Multimedia, the clips
// painted frame by frame into the room picture.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace lnf {

class QtPlatform;

// The music player for MP1, a clip player for the others.
std::unique_ptr<MediaDevice> MakeMediaDevice(QtPlatform& platform, PlayerId id);

}  // namespace lnf
