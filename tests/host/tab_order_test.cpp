#include "platform/tab_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TabOrder, MainWindowDefinitionGivesTheSevenStopsInOrder) {
    // The main window's controls in definition order, with their keys and tab stops.
    const platform::TabEntry definition[] = {
        {0, false},  // 标签4
        {0, true},   // 单选框2
        {0, true},   // 单选框1
        {0, false},  // 分组框3
        {0, true},   // 超级列表框1
        {0, false},  // 分组框2
        {0, true},   // 按钮1
        {0, false},  // 标签3
        {3, true},   // 编辑框3
        {1, true},   // 编辑框1
        {0, false},  // 标签1
        {0, false},  // 标签2
        {2, true},   // 编辑框2
        {0, false},  // 分组框1
        {0, false},  // 标签_选项1
        {0, false},  // 图片框1
    };
    // 按钮1, 超级列表框1, 单选框1, 单选框2, 编辑框1, 编辑框2, 编辑框3
    EXPECT_EQ(platform::tabOrder(definition), (std::vector<int>{6, 4, 2, 1, 9, 12, 8}));
}

TEST(TabOrder, KeysAscendEqualKeysInReverseDefinitionOrder) {
    struct Case {
        std::vector<platform::TabEntry> definition;
        std::vector<int> order;
    } cases[] = {
        {{}, {}},
        {{{0, false}, {1, false}}, {}},
        {{{5, true}}, {0}},
        {{{0, true}, {0, true}, {0, true}}, {2, 1, 0}},
        {{{2, true}, {1, true}, {0, true}}, {2, 1, 0}},
        {{{1, true}, {0, true}, {1, true}, {0, false}, {0, true}}, {4, 1, 2, 0}},
        {{{-1, true}, {0, true}}, {0, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::tabOrder(c.definition), c.order);
}

}  // namespace
