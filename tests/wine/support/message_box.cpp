#include "message_box.h"

#include <algorithm>
#include <stdexcept>

#include "handles.h"
#include "input.h"
#include "remote.h"
#include "screen.h"
#include "window_query.h"

namespace harness {

const char* nameOf(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::none: return "no icon";
        case BoxIcon::information: return "information";
        case BoxIcon::error: return "error";
        case BoxIcon::warning: return "warning";
        case BoxIcon::question: return "question";
        case BoxIcon::unknown: return "an unknown icon";
    }
    return "?";
}

std::string MessageBoxWindow::caption() const { return captionOf(box_); }

std::string MessageBoxWindow::text() const {
    HWND textControl = GetDlgItem(box_, 0xFFFF);
    if (!textControl) throw std::runtime_error("the box has no text control");
    return controlText(textControl);
}

std::vector<MessageBoxWindow::Button> MessageBoxWindow::buttons() const {
    std::vector<std::pair<LONG, Button>> found;
    for (HWND child : childrenInStackingOrder(box_)) {
        if (classNameOf(child) != "Button" || !IsWindowVisible(child)) continue;
        found.push_back({windowRectOf(child).left, {GetDlgCtrlID(child), controlText(child)}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Button> result;
    for (auto& [left, button] : found) result.push_back(std::move(button));
    return result;
}

std::vector<int> MessageBoxWindow::buttonIds() const {
    std::vector<int> ids;
    for (const auto& button : buttons()) ids.push_back(button.id);
    return ids;
}

namespace {

HWND iconControlOf(HWND box) {
    for (HWND child : childrenInStackingOrder(box))
        if (classNameOf(child) == "Static" && (styleOf(child) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
            return child;
    return nullptr;
}

}  // namespace

BoxIcon MessageBoxWindow::icon() const {
    HWND control = iconControlOf(box_);
    // Wine keeps the icon control of a box without an icon, empty.
    if (!control || !SendMessageA(control, STM_GETICON, 0, 0)) return BoxIcon::none;
    RECT area = windowRectOf(control);
    area.right = std::min<LONG>(area.right, area.left + GetSystemMetrics(SM_CXICON));
    area.bottom = std::min<LONG>(area.bottom, area.top + GetSystemMetrics(SM_CYICON));
    const ScreenPixels shown = captureScreen(area);
    // The box draws its icon at the control's top-left, at the system icon size, over its own
    // background, which shows at the control's corner.
    const COLORREF background = shown.at(0, 0);
    const SIZE iconSize{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    const std::pair<BoxIcon, LPCSTR> candidates[] = {{BoxIcon::information, IDI_INFORMATION},
                                                     {BoxIcon::error, IDI_ERROR},
                                                     {BoxIcon::warning, IDI_WARNING},
                                                     {BoxIcon::question, IDI_QUESTION}};
    for (const auto& [icon, resource] : candidates)
        if (drawnIcon(LoadIconA(nullptr, resource), iconSize, area, background) == shown) return icon;
    return BoxIcon::unknown;
}

void MessageBoxWindow::answer(int commandId) const { PostMessageA(box_, WM_COMMAND, commandId, 0); }

void MessageBoxWindow::postClose() const { PostMessageA(box_, WM_CLOSE, 0, 0); }

void MessageBoxWindow::pressEscape() const {
    if (!activateByCaptionClick(box_)) throw std::runtime_error("the message box cannot be activated");
    pressKey(VK_ESCAPE);
}

void MessageBoxWindow::clickCloseBox() const {
    const auto closeBox = pointWithHitTest(box_, HTCLOSE);
    if (!closeBox) throw std::runtime_error("the message box has no close box");
    clickAt(*closeBox);
}

bool MessageBoxWindow::waitUntilGone(Timeout timeout) const {
    return waitUntil([&] { return !IsWindow(box_); }, timeout);
}

std::vector<MessageBoxWindow> messageBoxesOf(DWORD processId) {
    std::vector<MessageBoxWindow> boxes;
    for (HWND window : findTopLevelWindows({processId, "#32770", kMessageBoxCaption, true})) boxes.emplace_back(window);
    return boxes;
}

std::optional<MessageBoxWindow> waitForMessageBox(DWORD processId, Timeout timeout) {
    HWND box = waitForTopLevelWindow({processId, "#32770", kMessageBoxCaption, true}, timeout);
    if (!box) return std::nullopt;
    return MessageBoxWindow(box);
}

}  // namespace harness
