// The list of hidden windows: hiding the picked window, restoring a listed one, and what happens to
// the listed windows when the program closes. The rows of the list are the only record.
#pragma once
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/list_view.h"

namespace hidden {

// The controls the hidden-window list works with. A row holds title, handle and process id, the
// last two as decimal text.
struct HiddenListView {
    platform::Form& mainWindow;
    platform::EditBox& 编辑框1;
    platform::EditBox& 编辑框2;
    platform::EditBox& 编辑框3;
    platform::ListView& 超级列表框1;
    platform::RadioButton& 单选框1;
};

// Hides the picked window and appends its row.
void hideCommand(const HiddenListView& view);
// Shows the window of the selected row again and removes the row.
void restoreFromList(const HiddenListView& view);
// Asks for confirmation, then shows every listed window again or ends their processes. 0 keeps the
// program running.
int closeQuery(const HiddenListView& view);

}  // namespace hidden
