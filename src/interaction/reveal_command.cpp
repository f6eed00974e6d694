// The menu item that keeps the room's hotspots outlined: a tick and nothing else, since the
// outlines are drawn from the grid as it stands whenever the picture is drawn.
#include "app/lnf_game.h"

namespace lnf {

void TGame::HotspotsClick() {
    MenuItem& m = menu("Hotspots1");
    m.Checked = !m.Checked;
}

bool TGame::HotspotsShown() const {
    for (const MenuItem& top : MainMenu1.Items)
        for (const MenuItem& m : top.Items)
            if (m.Name == "Hotspots1") return m.Checked;
    return false;
}

}  // namespace lnf
