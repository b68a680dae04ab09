#include "platform/list_view.h"

#include <commctrl.h>

#include <vector>

namespace platform {

void ListView::create(const ControlArgs& args) {
    createStandard(WC_LISTVIEWA, args,
                   WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL,
                   WS_EX_CLIENTEDGE);
    window().send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                  LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
    window().send(LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    window().send(LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    window().send(LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
}

void ListView::addColumn(const ListColumn& column) const {
    LVCOLUMNA info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    info.fmt = LVCFMT_LEFT;
    info.cx = column.width;
    info.pszText = const_cast<char*>(column.header);
    window().send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(columnCount()), reinterpret_cast<LPARAM>(&info));
}

int ListView::columnCount() const {
    auto header = reinterpret_cast<HWND>(window().send(LVM_GETHEADER));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

int ListView::insertRow(const std::string& text) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = rowCount();
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(window().send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::setCellText(int row, int column, const std::string& text) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    window().send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    // The list copies at most the buffer and says how much it copied; grow until the text fits.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<std::size_t>(
            window().send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) return {buffer.data(), length};
        buffer.resize(buffer.size() * 2);
    }
}

int ListView::rowCount() const { return static_cast<int>(window().send(LVM_GETITEMCOUNT)); }

void ListView::deleteRow(int row) const {
    if (row < 0 || row >= rowCount()) return;
    window().send(LVM_DELETEITEM, static_cast<WPARAM>(row));
}

int ListView::selectedRow() const {
    return static_cast<int>(window().send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

LRESULT ListView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDBLCLK && onDoubleClick)
        onDoubleClick(LOWORD(lParam), HIWORD(lParam), modifierKeys(wParam));
    return callDefault(message, wParam, lParam);
}

}  // namespace platform
