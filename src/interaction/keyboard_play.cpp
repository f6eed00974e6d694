#include "interaction/keyboard_play.h"

#include <algorithm>
#include <vector>

#include "app/lnf_game.h"

namespace lnf {

std::array<bool, 4> KeyboardPlay::exitsOpen() const {
    const TGame& g = game_;
    return {g.arrowN.Visible, g.arrowS.Visible, g.arrowE.Visible, g.arrowW.Visible};
}

RoomReveal KeyboardPlay::reveal() const {
    const TGame& g = game_;
    return RevealRoom(GridCells(g.RoomCells.data(), size_t(kGridColumns * kGridRows)), g.GameState, g.GameState.Room,
                      exitsOpen());
}

std::optional<KeyTarget> KeyboardPlay::highlighted() const {
    if (!shown_ || shownInEntry_ != game_.RoomEntries) return std::nullopt;
    RoomReveal r = reveal();
    if (std::find(r.order.begin(), r.order.end(), *shown_) == r.order.end()) return std::nullopt;
    return shown_;
}

void KeyboardPlay::move(int step) {
    std::vector<KeyTarget> order = reveal().order;
    if (order.empty()) {
        shown_.reset();
        return;
    }
    std::optional<KeyTarget> now = highlighted();
    auto at = now ? std::find(order.begin(), order.end(), *now) : order.end();
    long n = long(order.size()), i;
    if (at == order.end()) i = step >= 0 ? 0 : n - 1;  // a new room starts from its first target
    else i = ((at - order.begin() + step) % n + n) % n;
    shown_ = order[size_t(i)];
    shownInEntry_ = game_.RoomEntries;
}

std::array<int, 2> KeyboardPlay::PressPoint(const TGame& game, int cell) {
    return {int(CellMiddleX(cell) * game.CellWidth), int(CellMiddleY(cell) * game.CellHeight)};
}

bool KeyboardPlay::activate() {
    TGame& g = game_;
    if (g.WaitingForContinue) {
        if (!g.Next1.Visible) return false;
        g.Next1Click();
        return true;
    }
    if (g.FirstClickHint) {
        // Any press first shows the opening narrative; nothing is acted on yet.
        g.Image2MouseDown(MouseButton::Left, 0, 0);
        g.Image2Click();
        return true;
    }
    std::optional<KeyTarget> t = highlighted();
    if (!t) return false;
    if (t->kind == KeyTarget::Exit) {
        switch (t->direction) {
            case North: g.arrowNClick(); break;
            case South: g.arrowSClick(); break;
            case East: g.arrowEClick(); break;
            case West: g.arrowWClick(); break;
        }
        return true;
    }
    RoomReveal r = reveal();
    for (const ObjectReveal& o : r.objects) {
        if (o.code != t->code) continue;
        auto [x, y] = PressPoint(g, o.clickCell);
        g.Image2MouseDown(MouseButton::Left, x, y);
        g.Image2Click();
        return true;
    }
    return false;
}

int KeyboardPlay::carriedItem(int position) const {
    std::vector<int> carried;
    for (int n = 1; n <= kItems; ++n)
        if (game_.item[size_t(n)].Visible) carried.push_back(n);
    // As the column shows them: row by row, left to right.
    std::stable_sort(carried.begin(), carried.end(), [&](int a, int b) {
        const PictureControl &pa = game_.item[size_t(a)], &pb = game_.item[size_t(b)];
        return pa.Top != pb.Top ? pa.Top < pb.Top : pa.Left < pb.Left;
    });
    if (position < 1 || position > int(carried.size())) return 0;
    return carried[size_t(position - 1)];
}

void KeyboardPlay::digit(int d) {
    if (d < 0 || d > 9) return;
    int position;
    if (pairPending_) {
        pairPending_ = false;
        position = 10 + d;
    } else if (d == 0) {
        pairPending_ = true;
        return;
    } else {
        position = d;
    }
    if (int n = carriedItem(position)) game_.itemClick(n);
}

}  // namespace lnf
