#include "tray.h"

#include <commctrl.h>
#include <shellapi.h>

#include "handles.h"
#include "remote.h"
#include "window_query.h"

namespace harness {

namespace {

// An icon message that carries nothing but whose icon it is.
bool notifyShell(DWORD action, HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = 0;
    return Shell_NotifyIconA(action, &data) != FALSE;
}

constexpr size_t kTextOffset = 256;
constexpr size_t kTextCapacity = INFOTIPSIZE + 1;

// Wine 8's taskbar draws the icons itself and keeps one tooltip, owned by the taskbar, with one tool per
// icon: the tool's rectangle is the icon's place in the taskbar, and its text is the icon's tip.
std::vector<TrayIcon> iconsOfTooltip(HWND tray, HWND tooltip) {
    UniqueHandle explorer(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processIdOf(tooltip)));
    if (!explorer) return {};
    RemoteMemory memory(explorer.get(), kTextOffset + kTextCapacity);
    auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(tooltip, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
        return result;
    };
    std::vector<TrayIcon> icons;
    const auto toolCount = send(TTM_GETTOOLCOUNT, 0, 0);
    for (WPARAM index = 0; index < toolCount; ++index) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        memory.write(0, &tool, sizeof tool);
        if (!send(TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(memory.address()))) continue;
        memory.read(0, &tool, sizeof tool);
        // A deleted icon leaves its tool behind with an empty rectangle.
        if (tool.hwnd != tray || (tool.uFlags & TTF_IDISHWND) || IsRectEmpty(&tool.rect)) continue;

        tool.lpszText = static_cast<char*>(memory.at(kTextOffset));
        memory.write(0, &tool, sizeof tool);
        const char nothing = '\0';
        memory.write(kTextOffset, &nothing, 1);
        send(TTM_GETTEXTA, kTextCapacity, reinterpret_cast<LPARAM>(memory.address()));
        std::string tip(kTextCapacity, '\0');
        memory.read(kTextOffset, tip.data(), tip.size());
        tip.resize(tip.find('\0'));

        RECT onScreen = tool.rect;
        MapWindowPoints(tray, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
        icons.push_back({onScreen, tip});
    }
    return icons;
}

}  // namespace

bool trayIconExists(HWND owner, UINT id) { return notifyShell(NIM_MODIFY, owner, id); }

bool deleteTrayIcon(HWND owner, UINT id) { return notifyShell(NIM_DELETE, owner, id); }

std::vector<TrayIcon> trayIcons() {
    std::vector<TrayIcon> icons;
    for (HWND tray : findTopLevelWindows({0, "Shell_TrayWnd", std::nullopt, true})) {
        for (HWND tooltip : findTopLevelWindows({processIdOf(tray), TOOLTIPS_CLASSA, std::nullopt, false})) {
            if (GetWindow(tooltip, GW_OWNER) != tray) continue;
            for (auto& icon : iconsOfTooltip(tray, tooltip)) icons.push_back(std::move(icon));
        }
    }
    return icons;
}

}  // namespace harness
