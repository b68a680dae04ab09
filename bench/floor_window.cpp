#include "bench/floor_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/version.h"

namespace bench {

namespace {

constexpr int width = 445;
constexpr int height = 295;
constexpr UINT trayMessage = WM_APP + 1;
constexpr int firstControlId = 100;
constexpr char mainClass[] = "OmbrixFloorWindow";
constexpr char pictureClass[] = "OmbrixFloorPicture";

// What the one floor window of the process owns, for its window procedures.
struct FloorState {
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HICON crosshair = nullptr;
    NOTIFYICONDATAA tray{};
    bool trayAdded = false;
    UINT taskbarCreated = 0;
    WNDPROC groupBoxProc = nullptr;
} state;

void addTrayIcon() { state.trayAdded = Shell_NotifyIconA(NIM_ADD, &state.tray) != FALSE; }

// The window's end gives back everything it owns.
void releaseOwned() {
    if (state.trayAdded) Shell_NotifyIconA(NIM_DELETE, &state.tray);
    const HICON icons[] = {state.bigIcon, state.smallIcon, state.crosshair};
    for (HICON icon : icons)
        if (icon) DestroyIcon(icon);
    state = FloorState{};
}

enum class Kind { label, groupBox, editBox, radioButton, pushButton, listView, pictureBox };

struct ControlDefinition {
    Kind kind;
    int parent;  // index in the definition; -1 for the main window
    int x, y, w, h;
    const char* text;
    DWORD style;
};

// In the main window's definition order; a control's parent comes later, so they are made in reverse.
constexpr ControlDefinition definition[16] = {
    {Kind::label, -1, 8, 243, 392, 16, "注意：请不要尝试隐藏桌面、任务栏等系统窗口，否则后果自负 ^_^",
     SS_LEFTNOWORDWRAP},
    {Kind::radioButton, 3, 216, 16, 192, 16, "结束所有被隐藏窗口所在的进程", 0},
    {Kind::radioButton, 3, 16, 16, 144, 16, "显示所有被隐藏的窗口", 0},
    {Kind::groupBox, -1, 8, 200, 424, 40, "程序被关闭时", 0},
    {Kind::listView, 5, 8, 16, 256, 160, "", 0},
    {Kind::groupBox, -1, 160, 8, 272, 184, "已隐藏的窗口（双击显示）", 0},
    {Kind::pushButton, -1, 16, 160, 128, 32, "隐藏窗口", 0},
    {Kind::label, 13, 8, 66, 48, 16, "进程ID", SS_CENTER | SS_CENTERIMAGE},
    {Kind::editBox, 13, 60, 64, 72, 20, "", 0},
    {Kind::editBox, 13, 60, 16, 72, 20, "", 0},
    {Kind::label, 13, 8, 18, 48, 16, "窗口标题", SS_CENTER | SS_CENTERIMAGE},
    {Kind::label, 13, 8, 42, 48, 16, "窗口句柄", SS_CENTER | SS_CENTERIMAGE},
    {Kind::editBox, 13, 60, 40, 72, 20, "", 0},
    {Kind::groupBox, -1, 8, 56, 144, 96, "窗口信息", 0},
    {Kind::label, -1, 56, 14, 96, 28, "←拖动此图标至需要隐藏的窗口", SS_CENTER | WS_BORDER},
    {Kind::pictureBox, -1, 8, 8, 40, 40, "", 0},
};
constexpr int radioShowAll = 2;
constexpr int listView = 4;

// The colours Ombrix gives its controls: black text on the button face, read-only fields white.
LRESULT controlColor(WPARAM dcParam, LPARAM controlParam) {
    auto dc = reinterpret_cast<HDC>(dcParam);
    const int index = GetDlgCtrlID(reinterpret_cast<HWND>(controlParam)) - firstControlId;
    const Kind kind = index >= 0 && index < 16 ? definition[index].kind : Kind::label;
    SetTextColor(dc, RGB(0, 0, 0));
    if (kind == Kind::editBox) {
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (kind == Kind::label) SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// Group boxes are parents here: they paint their inside and colour the controls in them.
LRESULT CALLBACK groupBoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: return controlColor(wParam, lParam);
        default: return CallWindowProcA(state.groupBoxProc, window, message, wParam, lParam);
    }
}

LRESULT CALLBACK pictureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (state.crosshair)
        DrawIconEx(dc, (client.right - 32) / 2, (client.bottom - 32) / 2, state.crosshair, 32, 32, 0, nullptr,
                   DI_NORMAL);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: return controlColor(wParam, lParam);
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_NCDESTROY: releaseOwned(); return DefWindowProcA(window, message, wParam, lParam);
        default:
            // The shell restarted: the icon must be added again.
            if (message == state.taskbarCreated && state.taskbarCreated != 0) {
                addTrayIcon();
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void registerClasses(HINSTANCE instance) {
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, mainClass, &existing)) return;
    WNDCLASSA main{};
    main.lpfnWndProc = mainWindowProc;
    main.hInstance = instance;
    main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = mainClass;
    RegisterClassA(&main);
    WNDCLASSA picture{};
    picture.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    picture.lpfnWndProc = pictureWindowProc;
    picture.hInstance = instance;
    picture.hCursor = main.hCursor;
    picture.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    picture.lpszClassName = pictureClass;
    RegisterClassA(&picture);
}

HWND createControl(int index, HWND parent, HINSTANCE instance) {
    const ControlDefinition& control = definition[index];
    const char* className = "STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | control.style;
    DWORD exStyle = 0;
    switch (control.kind) {
        case Kind::label: break;
        case Kind::groupBox:
            className = "BUTTON";
            style |= WS_CLIPCHILDREN | BS_GROUPBOX | BS_LEFT;
            break;
        case Kind::editBox:
            className = "EDIT";
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::radioButton:
            className = "BUTTON";
            style |= WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER;
            break;
        case Kind::pushButton:
            className = "BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
            break;
        case Kind::listView:
            className = WC_LISTVIEWA;
            style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::pictureBox:
            className = pictureClass;
            exStyle = WS_EX_CLIENTEDGE;
            break;
    }
    return CreateWindowExA(exStyle, className, control.text, style, control.x, control.y, control.w, control.h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + index)), instance, nullptr);
}

HICON loadIcon(HINSTANCE instance, const char* name, UINT type, int size) {
    return static_cast<HICON>(LoadImageA(instance, name, type, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

HWND createFloorWindow(HINSTANCE instance) {
    registerClasses(instance);

    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window =
        CreateWindowExA(0, mainClass, OMBRIX_TITLE, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x, y,
                        width, height, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    state.taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    state.bigIcon = loadIcon(instance, "DEFAULT_ICON", IMAGE_ICON, 32);
    state.smallIcon = loadIcon(instance, "DEFAULT_ICON", IMAGE_ICON, 16);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state.bigIcon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(state.smallIcon));
    state.crosshair = loadIcon(instance, "CROSSHAIR", IMAGE_CURSOR, 0);

    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    HWND made[16]{};
    for (int index = 15; index >= 0; --index) {
        HWND parent = definition[index].parent < 0 ? window : made[definition[index].parent];
        made[index] = createControl(index, parent, instance);
        SendMessageA(made[index], WM_SETFONT, font, FALSE);
        if (definition[index].kind == Kind::editBox) SendMessageA(made[index], EM_LIMITTEXT, 0, 0);
        if (definition[index].kind == Kind::groupBox)
            state.groupBoxProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(made[index], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&groupBoxWindowProc)));
    }
    HWND list = made[listView];
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
    const struct {
        const char* header;
        int width;
    } columns[] = {{"窗口标题", 110}, {"窗口句柄", 60}, {"进程ID", 60}};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNA info{};
        info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        info.fmt = LVCFMT_LEFT;
        info.cx = columns[column].width;
        info.pszText = const_cast<char*>(columns[column].header);
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    }
    SendMessageA(made[radioShowAll], BM_SETCHECK, BST_CHECKED, 0);

    // The first layout of the structure, as Ombrix uses.
    state.tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
    state.tray.hWnd = window;
    state.tray.uID = 1;
    state.tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    state.tray.uCallbackMessage = trayMessage;
    state.tray.hIcon = state.smallIcon;
    lstrcpynA(state.tray.szTip, "Ombrix", sizeof state.tray.szTip);
    addTrayIcon();
    return window;
}

}  // namespace bench
