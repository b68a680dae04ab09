#include "platform/tab_order.h"

#include <algorithm>

namespace platform {

std::vector<int> tabOrder(std::span<const TabEntry> definition) {
    std::vector<int> order;
    for (int i = static_cast<int>(definition.size()) - 1; i >= 0; --i)
        if (definition[static_cast<std::size_t>(i)].tabStop) order.push_back(i);
    // Collected in reverse definition order, so a stable sort by key keeps that order among equals.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return definition[static_cast<std::size_t>(a)].key < definition[static_cast<std::size_t>(b)].key;
    });
    return order;
}

}  // namespace platform
