// The order in which Tab visits the tab stops. Pure code: no windows.h.
#pragma once
#include <span>
#include <vector>

namespace platform {

struct TabEntry {
    int key = 0;           // the control's tab-order key
    bool tabStop = false;  // only tab stops take part
};

// Indices into `definition` (which is in definition order) of the tab stops, in ascending key and,
// for equal keys, in reverse definition order.
std::vector<int> tabOrder(std::span<const TabEntry> definition);

}  // namespace platform
