#include "app/main_window.h"

#include <array>
#include <functional>

#include "app/start_up.h"
#include "app/tray.h"
#include "hidden/hidden_list.h"
#include "picker/picker.h"
#include "platform/tab_order.h"
#include "resources/version.h"

namespace app {

namespace {
constexpr int width = 445;
constexpr int height = 295;

// One control of the definition: how to make it, where, and its tab-order key.
struct Definition {
    platform::Control& control;
    std::function<void(const platform::ControlArgs&)> create;
    const platform::Control* parent;  // null: the main window
    platform::ControlArgs args;
    int tabKey;
    bool tabStop;
};

template <typename ControlType>
std::function<void(const platform::ControlArgs&)> maker(ControlType& control) {
    return [&control](const platform::ControlArgs& args) { control.create(args); };
}

platform::ControlArgs at(int x, int y, int w, int h, const char* text, DWORD style = 0) {
    return {nullptr, x, y, w, h, text, style, 0};
}
}  // namespace

bool MainWindow::build() {
    if (!form.create({OMBRIX_TITLE, width, height, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN}))
        return false;
    HINSTANCE module = GetModuleHandleA(nullptr);
    form.setIcons(platform::ScopedIcon(
                      static_cast<HICON>(LoadImageA(module, "DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR))),
                  platform::ScopedIcon(
                      static_cast<HICON>(LoadImageA(module, "DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR))));

    // In definition order; each control's parent comes later in it, so it is made in reverse.
    std::array<Definition, 16> definition{{
        {标签4, maker(标签4), nullptr,
         at(8, 243, 392, 16, "注意：请不要尝试隐藏桌面、任务栏等系统窗口，否则后果自负 ^_^", SS_LEFTNOWORDWRAP), 0,
         false},
        {单选框2, maker(单选框2), &分组框3, at(216, 16, 192, 16, "结束所有被隐藏窗口所在的进程"), 0, true},
        {单选框1, maker(单选框1), &分组框3, at(16, 16, 144, 16, "显示所有被隐藏的窗口"), 0, true},
        {分组框3, maker(分组框3), nullptr, at(8, 200, 424, 40, "程序被关闭时"), 0, false},
        {超级列表框1, maker(超级列表框1), &分组框2, at(8, 16, 256, 160, ""), 0, true},
        {分组框2, maker(分组框2), nullptr, at(160, 8, 272, 184, "已隐藏的窗口（双击显示）"), 0, false},
        {按钮1, maker(按钮1), nullptr, at(16, 160, 128, 32, "隐藏窗口"), 0, true},
        {标签3, maker(标签3), &分组框1, at(8, 66, 48, 16, "进程ID", SS_CENTER | SS_CENTERIMAGE), 0, false},
        {编辑框3, maker(编辑框3), &分组框1, at(60, 64, 72, 20, ""), 3, true},
        {编辑框1, maker(编辑框1), &分组框1, at(60, 16, 72, 20, ""), 1, true},
        {标签1, maker(标签1), &分组框1, at(8, 18, 48, 16, "窗口标题", SS_CENTER | SS_CENTERIMAGE), 0, false},
        {标签2, maker(标签2), &分组框1, at(8, 42, 48, 16, "窗口句柄", SS_CENTER | SS_CENTERIMAGE), 0, false},
        {编辑框2, maker(编辑框2), &分组框1, at(60, 40, 72, 20, ""), 2, true},
        {分组框1, maker(分组框1), nullptr, at(8, 56, 144, 96, "窗口信息"), 0, false},
        {标签_选项1, maker(标签_选项1), nullptr,
         at(56, 14, 96, 28, "←拖动此图标至需要隐藏的窗口", SS_CENTER | WS_BORDER), 0, false},
        {图片框1, maker(图片框1), nullptr, at(8, 8, 40, 40, ""), 0, false},
    }};

    auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    form.window().setFont(font);
    for (std::size_t index = definition.size(); index-- > 0;) {
        Definition& entry = definition[index];
        platform::ControlArgs args = entry.args;
        args.parent = entry.parent ? entry.parent->handle() : form.handle();
        entry.create(args);
        entry.control.window().setFont(font);
    }
    超级列表框1.addColumn({"窗口标题", 110});
    超级列表框1.addColumn({"窗口句柄", 60});
    超级列表框1.addColumn({"进程ID", 60});
    单选框1.setChecked(true);

    // Among the children of one parent, the earlier control lies above.
    for (const Definition& entry : definition)
        SetWindowPos(entry.control.handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const Definition& entry : definition) entry.control.window().show(SW_SHOWNA);

    std::array<platform::TabEntry, 16> keys;
    for (std::size_t i = 0; i < definition.size(); ++i) keys[i] = {definition[i].tabKey, definition[i].tabStop};
    std::vector<HWND> tabStops;
    for (int index : platform::tabOrder(keys))
        tabStops.push_back(definition[static_cast<std::size_t>(index)].control.handle());
    form.setTabOrder(std::move(tabStops));
    return true;
}

void MainWindow::bindHandlers() {
    form.onCreated = [this] { onCreated(*this); };
    form.onCloseQuery = [this] { return hidden::closeQuery(hiddenListView()); };
    form.onSizeChanged = [this] { onSizeChanged(form); };
    form.onTray = [this](int code) { onTrayEvent(form, code); };

    const picker::PickerView pick{图片框1, 编辑框1, 编辑框2, 编辑框3};
    图片框1.onLeftPressed = [pick](int, int, int) { picker::onLeftPressed(pick); };
    图片框1.onMouseMoved = [pick](int, int, int) { picker::onMouseMoved(pick); };
    图片框1.onLeftReleased = [pick](int, int, int) { picker::onLeftReleased(pick); };
    图片框1.onCaptureLost = [pick] { picker::onCaptureLost(pick); };

    按钮1.onClicked = [this] { hidden::hideCommand(hiddenListView()); };
    超级列表框1.onDoubleClick = [this](int, int, int) { hidden::restoreFromList(hiddenListView()); };
}

hidden::HiddenListView MainWindow::hiddenListView() { return {form, 编辑框1, 编辑框2, 编辑框3, 超级列表框1, 单选框1}; }

}  // namespace app
