// Playing without a mouse: a highlight that walks the room's objects and open exits in reading
// order, a key that acts on it as a press there would, and keys that put an inventory item on
// the cursor. Plain game logic; the window only turns keys into these calls and draws the
// highlight.
#pragma once

#include <array>
#include <optional>

#include "interaction/reveal.h"

namespace lnf {

class TGame;

class KeyboardPlay {
public:
    explicit KeyboardPlay(TGame& game) : game_(game) {}

    // The room as it stands now: its objects' outlines, its open exits, the reading order.
    RoomReveal reveal() const;
    // The four exit areas on screen now (North, South, East, West).
    std::array<bool, 4> exitsOpen() const;

    // Moves the highlight one place on in reading order (or back, for a negative step),
    // round from the last to the first; the first move shows it.
    void move(int step);
    // The highlighted target, while it is still in the room as it stands.
    std::optional<KeyTarget> highlighted() const;
    void hideHighlight() { shown_.reset(); }

    // What a press would do: "Continue" while the story waits for it, the opening narrative
    // before the first press, otherwise a press on the highlighted object in the current mode
    // (Look, Do or the held item) or a walk through the highlighted exit. True when something
    // was done.
    bool activate();

    // A digit key: 1..9 put the first to ninth carried item on the cursor; 0 then a digit the
    // tenth to nineteenth (0 0 is the tenth). Carried items count in the inventory's order.
    void digit(int d);
    bool pairPending() const { return pairPending_; }
    // The item shown at `position` (1 is the first) in the inventory, or 0.
    int carriedItem(int position) const;

    // The point of the picture, in its own pixels as the game lays it out, where the
    // highlighted object is pressed.
    static std::array<int, 2> PressPoint(const TGame& game, int cell);

private:
    TGame& game_;
    std::optional<KeyTarget> shown_;
    uint64_t shownInEntry_ = 0;  // the room entry the highlight belongs to
    bool pairPending_ = false;
};

}  // namespace lnf
