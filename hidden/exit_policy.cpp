#include <algorithm>
#include <vector>

#include "hidden/hidden_list.h"
#include "hidden/processes.h"
#include "platform/handle_text.h"

namespace hidden {

namespace {
void showListedWindow(const platform::ListView& list, int row) {
    showOtherProgramWindow(platform::handleFromText(list.cellText(row, 1)), SW_SHOW);
}
}  // namespace

int closeQuery(const HiddenListView& view) {
    if (platform::messageBox("确定要退出吗？", MB_OKCANCEL | MB_ICONINFORMATION) != 0) return 0;
    const platform::ListView& list = view.超级列表框1;
    const bool showAll = view.单选框1.checked() == 1;
    const int rows = list.rowCount();
    if (showAll) {
        for (int row = 0; row < rows; ++row) showListedWindow(list, row);
        return 1;
    }
    // Several rows can share one process; once it is ended in this pass, its later rows are done too.
    std::vector<DWORD> terminated;
    for (int row = 0; row < rows; ++row) {
        const auto processId = static_cast<DWORD>(platform::textToInt(list.cellText(row, 2)));
        if (std::find(terminated.begin(), terminated.end(), processId) != terminated.end()) continue;
        if (terminateProcessById(processId)) {
            terminated.push_back(processId);
            continue;
        }
        platform::messageBox("结束进程 " + processBaseNameOf(processId) + " 失败！现将该窗口还原！", MB_ICONERROR);
        showListedWindow(list, row);
    }
    return 1;
}

}  // namespace hidden
