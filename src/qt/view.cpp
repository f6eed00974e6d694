#include "qt/view.h"

#include "app/application.h"

namespace lnf {

void View::act(const std::function<void()>& handler) {
    if (syncing_) return;
    app_.guard(handler);
    platform_.syncAll();
}

}  // namespace lnf
