#include "hidden/hidden_list.h"

#include "hidden/processes.h"
#include "platform/handle_text.h"

namespace hidden {

void hideCommand(const HiddenListView& view) {
    const std::string handle = view.编辑框2.text();
    const std::string processId = view.编辑框3.text();
    if (handle.empty() || handle == "0" || processId.empty() || processId == "0") {
        platform::messageBox("选择窗口错误！", 0);
        return;
    }
    if (handle == platform::handleToText(platform::nativeHandleOf(view.mainWindow))) {
        platform::messageBox("不是吧？你把我隐藏了你还用啥？！", 0);
        return;
    }
    showOtherProgramWindow(platform::handleFromText(handle), SW_HIDE);
    const int row = view.超级列表框1.insertRow(view.编辑框1.text());
    view.超级列表框1.setCellText(row, 1, view.编辑框2.text());
    view.超级列表框1.setCellText(row, 2, view.编辑框3.text());
    view.编辑框1.setText("");
    view.编辑框2.setText("");
    view.编辑框3.setText("");
}

void restoreFromList(const HiddenListView& view) {
    const int row = view.超级列表框1.selectedRow();
    HWND window = platform::handleFromText(view.超级列表框1.cellText(row, 1));
    if (!window) return;
    if (!IsWindow(window)) {
        platform::messageBox("指定窗口不存在！", MB_ICONERROR);
        return;
    }
    showOtherProgramWindow(window, SW_SHOW);
    view.超级列表框1.deleteRow(row);
}

}  // namespace hidden
