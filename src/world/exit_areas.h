// The exit areas of every room in picture pixels, for the content compiler's checks: the
// picture must draw each way out where its area lies.
#pragma once

namespace lnf {

struct ExitRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// direction 0 north, 1 south, 2 east, 3 west; width 0 when the room has no such exit. The
// areas the story opens later are included.
ExitRect ExitArea(int room, int direction);

}  // namespace lnf
