// The main window and its sixteen controls, named as in the window's definition.
#pragma once
#include "hidden/hidden_list.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/list_view.h"
#include "platform/picture_box.h"

namespace app {

struct MainWindow {
    platform::Form form;
    platform::PictureBox 图片框1;
    platform::Label 标签_选项1;
    platform::GroupBox 分组框1;
    platform::Label 标签1;
    platform::EditBox 编辑框1;
    platform::Label 标签2;
    platform::EditBox 编辑框2;
    platform::Label 标签3;
    platform::EditBox 编辑框3;
    platform::PushButton 按钮1;
    platform::GroupBox 分组框2;
    platform::ListView 超级列表框1;
    platform::GroupBox 分组框3;
    platform::RadioButton 单选框1;
    platform::RadioButton 单选框2;
    platform::Label 标签4;

    // Builds the window and its controls, all hidden but the controls, without raising any event.
    // False when the window could not be made.
    bool build();
    // Binds every handler of the program to its event.
    void bindHandlers();

private:
    hidden::HiddenListView hiddenListView();
};

}  // namespace app
