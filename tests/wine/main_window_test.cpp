// The real ombrix.exe, started as another process and looked at from outside as a user's tools would:
// its main window, the sixteen controls, the keyboard, the single-instance guard, the tray icon and the
// crosshair in the picture box.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <map>
#include <optional>
#include <sstream>

#include "harness.h"

using namespace harness;
using namespace harness::ombrix;

namespace {

// One flag or field of a window style and the value it must have.
struct StyleBits {
    LONG mask;
    LONG value;
    const char* what;
};
#define HAS(flag) \
    StyleBits { static_cast<LONG>(flag), static_cast<LONG>(flag), #flag }
#define LACKS(flag) \
    StyleBits { static_cast<LONG>(flag), 0, "no " #flag }
#define FIELD(mask, value) \
    StyleBits { static_cast<LONG>(mask), static_cast<LONG>(value), #mask " = " #value }

void expectStyle(LONG style, const std::vector<StyleBits>& expected, const char* which) {
    for (const auto& bits : expected)
        EXPECT_EQ(style & bits.mask, bits.value)
            << which << ": expected " << bits.what << std::hex << " in 0x" << style;
}

struct ControlDefinition {
    const char* id;    // for test names
    std::string name;  // the control's name in the window definition
    std::string className;
    std::string parent;  // "" for the main window
    RECT rect;           // relative to the parent's client area
    std::string text;
    int ordinal;  // among siblings of its class with the same text, top to bottom
    std::vector<StyleBits> style;
    std::vector<StyleBits> extendedStyle;
};

void PrintTo(const ControlDefinition& definition, std::ostream* out) { *out << definition.id; }

RECT xywh(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

const std::vector<StyleBits> kLabelCentred = {FIELD(SS_TYPEMASK, SS_CENTER), HAS(SS_CENTERIMAGE), LACKS(WS_BORDER),
                                              LACKS(WS_TABSTOP)};
const std::vector<StyleBits> kEditBox = {
    HAS(ES_READONLY),    HAS(ES_AUTOHSCROLL), HAS(WS_TABSTOP),     FIELD(ES_CENTER | ES_RIGHT, ES_LEFT),
    LACKS(ES_MULTILINE), LACKS(ES_PASSWORD),  LACKS(ES_NOHIDESEL), LACKS(ES_UPPERCASE),
    LACKS(ES_LOWERCASE), LACKS(ES_NUMBER),    LACKS(WS_HSCROLL),   LACKS(WS_VSCROLL)};
const std::vector<StyleBits> kGroupBox = {FIELD(BS_TYPEMASK, BS_GROUPBOX), FIELD(BS_CENTER, BS_LEFT),
                                          LACKS(WS_TABSTOP)};
const std::vector<StyleBits> kRadio = {FIELD(BS_TYPEMASK, BS_AUTORADIOBUTTON),
                                       HAS(BS_MULTILINE),
                                       FIELD(BS_CENTER, BS_LEFT),
                                       FIELD(BS_VCENTER, BS_VCENTER),
                                       HAS(WS_TABSTOP),
                                       LACKS(BS_PUSHLIKE),
                                       LACKS(BS_FLAT),
                                       LACKS(BS_LEFTTEXT),
                                       LACKS(BS_BITMAP),
                                       LACKS(BS_ICON)};
const std::vector<StyleBits> kSunken = {HAS(WS_EX_CLIENTEDGE)};

// In definition order.
const std::vector<ControlDefinition> kControls = {
    {"Label4",
     "标签4",
     "Static",
     "",
     xywh(8, 243, 392, 16),
     "注意：请不要尝试隐藏桌面、任务栏等系统窗口，否则后果自负 ^_^",
     0,
     {FIELD(SS_TYPEMASK, SS_LEFTNOWORDWRAP), LACKS(SS_CENTERIMAGE), LACKS(WS_BORDER), LACKS(WS_TABSTOP)},
     {}},
    {"Radio2", "单选框2", "Button", "分组框3", xywh(216, 16, 192, 16), "结束所有被隐藏窗口所在的进程", 0, kRadio, {}},
    {"Radio1", "单选框1", "Button", "分组框3", xywh(16, 16, 144, 16), "显示所有被隐藏的窗口", 0, kRadio, {}},
    {"Group3", "分组框3", "Button", "", xywh(8, 200, 424, 40), "程序被关闭时", 0, kGroupBox, {}},
    {"List1",
     "超级列表框1",
     WC_LISTVIEWA,
     "分组框2",
     xywh(8, 16, 256, 160),
     "",
     0,
     {FIELD(LVS_TYPEMASK, LVS_REPORT), HAS(LVS_SINGLESEL), HAS(WS_CLIPSIBLINGS), HAS(WS_CLIPCHILDREN), HAS(WS_TABSTOP),
      LACKS(LVS_NOSORTHEADER), LACKS(LVS_NOCOLUMNHEADER), LACKS(LVS_SHOWSELALWAYS), LACKS(LVS_EDITLABELS),
      LACKS(LVS_SORTASCENDING), LACKS(LVS_SORTDESCENDING), LACKS(LVS_AUTOARRANGE)},
     kSunken},
    {"Group2", "分组框2", "Button", "", xywh(160, 8, 272, 184), "已隐藏的窗口（双击显示）", 0, kGroupBox, {}},
    {"Button1",
     "按钮1",
     "Button",
     "",
     xywh(16, 160, 128, 32),
     "隐藏窗口",
     0,
     {FIELD(BS_TYPEMASK, BS_PUSHBUTTON), HAS(BS_MULTILINE), FIELD(BS_CENTER, BS_CENTER), FIELD(BS_VCENTER, BS_VCENTER),
      HAS(WS_TABSTOP), LACKS(BS_BITMAP), LACKS(BS_ICON)},
     {}},
    {"Label3", "标签3", "Static", "分组框1", xywh(8, 66, 48, 16), "进程ID", 0, kLabelCentred, {}},
    {"Edit3", "编辑框3", "Edit", "分组框1", xywh(60, 64, 72, 20), "", 2, kEditBox, kSunken},
    {"Edit1", "编辑框1", "Edit", "分组框1", xywh(60, 16, 72, 20), "", 0, kEditBox, kSunken},
    {"Label1", "标签1", "Static", "分组框1", xywh(8, 18, 48, 16), "窗口标题", 0, kLabelCentred, {}},
    {"Label2", "标签2", "Static", "分组框1", xywh(8, 42, 48, 16), "窗口句柄", 0, kLabelCentred, {}},
    {"Edit2", "编辑框2", "Edit", "分组框1", xywh(60, 40, 72, 20), "", 1, kEditBox, kSunken},
    {"Group1", "分组框1", "Button", "", xywh(8, 56, 144, 96), "窗口信息", 0, kGroupBox, {}},
    {"LabelOption1",
     "标签_选项1",
     "Static",
     "",
     xywh(56, 14, 96, 28),
     "←拖动此图标至需要隐藏的窗口",
     0,
     {FIELD(SS_TYPEMASK, SS_CENTER), LACKS(SS_CENTERIMAGE), HAS(WS_BORDER), LACKS(WS_TABSTOP)},
     {}},
    {"PictureBox1", "图片框1", kPictureBoxClass, "", xywh(8, 8, 40, 40), "", 0, {LACKS(WS_TABSTOP)}, kSunken},
};

const ControlDefinition& definitionOf(const std::string& name) {
    for (const auto& definition : kControls)
        if (definition.name == name) return definition;
    throw std::invalid_argument("no control " + utf8FromAnsi(name));
}

std::string describe(const RECT& rect) {
    std::ostringstream out;
    out << "(" << rect.left << ", " << rect.top << ") " << rect.right - rect.left << " x " << rect.bottom - rect.top;
    return out.str();
}

// A running copy of the program, ended in tear-down whatever the test did.
class OmbrixTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the tests expect the 1024 x 768 virtual desktop";
        ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
        start();
    }

    // Starts a copy and waits until it is ready for the user: shown, active, idle, and with the focus
    // placed and staying put. (Wine activates a new window a little after showing it, and the program
    // then puts the focus on a control; a click in between would be undone.)
    void start() {
        controls_.clear();
        ombrix_.emplace(startOmbrix());
        mainWindow_ = waitForMainWindow(*ombrix_);
        ASSERT_NE(mainWindow_, nullptr) << "no visible " << kMainWindowClass
                                        << " window: " << whyNoMainWindow(*ombrix_);
        WaitForInputIdle(ombrix_->handle(), kDefaultTimeout.milliseconds);
        HWND settledFocus = nullptr;
        ASSERT_TRUE(waitUntilHeld(
            [&] {
                HWND now = GetForegroundWindow() == mainWindow_ ? focus() : nullptr;
                const bool same = now == settledFocus;
                settledFocus = now;
                return now && same;
            },
            300_ms))
            << "the main window did not become active with a focused control";
    }

    const ChildProcess& ombrix() const { return *ombrix_; }

    // The control as a user finds it: among the children of its parent, by class and text (and, for the
    // empty edit boxes, by their order from top to bottom).
    HWND control(const std::string& name) {
        if (auto known = controls_.find(name); known != controls_.end()) return known->second;
        const ControlDefinition& definition = definitionOf(name);
        HWND parent = definition.parent.empty() ? mainWindow_ : control(definition.parent);
        if (!parent) return nullptr;
        std::vector<HWND> candidates;
        for (HWND child : childrenInStackingOrder(parent))
            if (classNameOf(child) == definition.className && controlText(child) == definition.text)
                candidates.push_back(child);
        std::sort(candidates.begin(), candidates.end(),
                  [](HWND a, HWND b) { return windowRectOf(a).top < windowRectOf(b).top; });
        HWND found =
            definition.ordinal < static_cast<int>(candidates.size()) ? candidates[definition.ordinal] : nullptr;
        if (found) controls_[name] = found;
        return found;
    }

    std::string nameOf(HWND window) {
        if (window == mainWindow_) return "the main window";
        for (const auto& definition : kControls)
            if (control(definition.name) == window) return utf8FromAnsi(definition.name);
        std::ostringstream out;
        out << (window ? "another window " + classNameOf(window) : std::string("no window"));
        return out.str();
    }

    HWND focus() const { return focusOfThread(ombrix_->mainThreadId()); }

    // Waits for the focus to reach the control; on the way notes every control the focus passed, for
    // the failure message.
    bool waitForFocus(const std::string& name) {
        HWND wanted = control(name);
        focusTrail_.clear();
        HWND last = reinterpret_cast<HWND>(-1);
        return wanted && waitUntil(
                             [&] {
                                 HWND now = focus();
                                 if (now != last)
                                     focusTrail_ += (focusTrail_.empty() ? "" : " -> ") + nameOf(last = now);
                                 return now == wanted;
                             },
                             5_s);
    }
    std::string focusTrail_;

    // A real click on a control, which activates the window and gives the control the focus.
    void focusByClick(const std::string& name) {
        HWND target = control(name);
        ASSERT_NE(target, nullptr) << utf8FromAnsi(name);
        const POINT point = centreOf(windowRectOf(target));
        const std::string before = nameOf(focus());
        clickAt(point);
        ASSERT_TRUE(waitForFocus(name)) << "the click did not focus " << utf8FromAnsi(name) << "; focus is on "
                                        << nameOf(focus()) << "; under the pointer: " << nameOf(WindowFromPoint(point))
                                        << "; foreground: " << nameOf(GetForegroundWindow()) << "; the focus went "
                                        << focusTrail_ << "; before the click it was on " << before;
        ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == mainWindow_; }, 5_s));
    }

    LRESULT ask(const std::string& name, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(control(name), message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
            << utf8FromAnsi(name) << " did not answer message " << message;
        return static_cast<LRESULT>(result);
    }

    LRESULT checkState(const std::string& radio) { return ask(radio, BM_GETCHECK); }

    std::optional<ChildProcess> ombrix_;
    HWND mainWindow_ = nullptr;
    std::map<std::string, HWND> controls_;
};

// ---- The main window ----

TEST_F(OmbrixTest, MainWindowHasItsTitleAndOpensCentredAtItsSize) {
    EXPECT_EQ(captionOf(mainWindow_), kTitle) << utf8FromAnsi(captionOf(mainWindow_));
    const RECT rect = windowRectOf(mainWindow_);
    EXPECT_EQ(describe(rect), describe(xywh(289, 236, 445, 295)));
}

TEST_F(OmbrixTest, MainWindowHasAFixedFrameWithoutMaximiseBox) {
    expectStyle(styleOf(mainWindow_),
                {HAS(WS_CAPTION), HAS(WS_SYSMENU), HAS(WS_MINIMIZEBOX), HAS(WS_CLIPCHILDREN), HAS(WS_VISIBLE),
                 LACKS(WS_THICKFRAME), LACKS(WS_MAXIMIZEBOX), LACKS(WS_CHILD), LACKS(WS_DISABLED), LACKS(WS_MINIMIZE),
                 LACKS(WS_MAXIMIZE)},
                "main window");
    // WS_EX_WINDOWEDGE is what the system adds to every captioned window; the program asks for nothing.
    EXPECT_EQ(extendedStyleOf(mainWindow_) & ~WS_EX_WINDOWEDGE, 0) << std::hex << extendedStyleOf(mainWindow_);
    EXPECT_EQ(GetWindow(mainWindow_, GW_OWNER), nullptr);
    EXPECT_EQ(GetAncestor(mainWindow_, GA_PARENT), GetDesktopWindow());
}

TEST_F(OmbrixTest, MainWindowOffersMinimiseAndCloseButNoResizing) {
    // The system draws a maximise button beside a minimise button anyway, but unavailable.
    TITLEBARINFO titleBar{};
    titleBar.cbSize = sizeof titleBar;
    ASSERT_TRUE(GetTitleBarInfo(mainWindow_, &titleBar));
    constexpr DWORD kUnusable = STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE;
    EXPECT_EQ(titleBar.rgstate[2] & kUnusable, 0u) << "minimise button";
    EXPECT_NE(titleBar.rgstate[3] & kUnusable, 0u) << "maximise button";
    EXPECT_EQ(titleBar.rgstate[5] & kUnusable, 0u) << "close button";
    EXPECT_TRUE(pointWithHitTest(mainWindow_, HTCLOSE).has_value());
    EXPECT_TRUE(pointWithHitTest(mainWindow_, HTMINBUTTON).has_value());

    // No edge or corner of the frame offers a sizing grip.
    const RECT rect = windowRectOf(mainWindow_);
    const POINT centre = centreOf(rect);
    const POINT edges[] = {{rect.left, centre.y},        {rect.right - 1, centre.y},
                           {centre.x, rect.bottom - 1},  {centre.x, rect.top},
                           {rect.left, rect.top},        {rect.right - 1, rect.top},
                           {rect.left, rect.bottom - 1}, {rect.right - 1, rect.bottom - 1}};
    for (const POINT edge : edges) {
        DWORD_PTR hit = 0;
        ASSERT_TRUE(SendMessageTimeoutA(mainWindow_, WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y), SMTO_ABORTIFHUNG,
                                        5000, &hit));
        EXPECT_FALSE(hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
            << "sizing hit-test code " << hit << " at (" << edge.x << ", " << edge.y << ")";
    }
}

// Wine answers neither WM_GETICON nor WM_GETFONT across processes, so the icon is looked for where the
// caption shows it: the 16 x 16 image of the executable's DEFAULT_ICON, at the left of the caption.
TEST_F(OmbrixTest, CaptionShowsTheApplicationIcon) {
    HMODULE executable = LoadLibraryExA(pathBesideThisProgram("ombrix.exe").c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(executable, nullptr);
    std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> unload(executable, FreeLibrary);
    HICON small = static_cast<HICON>(LoadImageA(executable, "DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ASSERT_NE(small, nullptr) << "no icon group DEFAULT_ICON in ombrix.exe";
    std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&DestroyIcon)> destroy(small, DestroyIcon);

    const auto systemMenu = pointWithHitTest(mainWindow_, HTSYSMENU);
    ASSERT_TRUE(systemMenu.has_value()) << "no system menu in the caption";
    const RECT window = windowRectOf(mainWindow_);
    const RECT captionStart{window.left, window.top, window.left + 40, window.top + GetSystemMetrics(SM_CYCAPTION) + 8};
    EXPECT_TRUE(waitUntil([&] { return findIcon(captureScreen(captionStart), small, 16, 16).has_value(); }, 5_s));
}

TEST_F(OmbrixTest, MainWindowBackgroundIsTheButtonFaceColour) {
    // A spot of the client area that no control covers: right of 标签4, below 分组框3.
    POINT spot{420, 250};
    ClientToScreen(mainWindow_, &spot);
    const RECT area{spot.x, spot.y, spot.x + 1, spot.y + 1};
    EXPECT_TRUE(waitUntil([&] { return captureScreen(area).at(0, 0) == GetSysColor(COLOR_BTNFACE); }, 5_s))
        << std::hex << captureScreen(area).at(0, 0);
}

// ---- The sixteen controls ----

class ControlTest : public OmbrixTest, public testing::WithParamInterface<ControlDefinition> {};

TEST_P(ControlTest, SitsInItsParentWithItsTextAndStyle) {
    const ControlDefinition& definition = GetParam();
    SCOPED_TRACE(utf8FromAnsi(definition.name));
    HWND window = control(definition.name);
    ASSERT_NE(window, nullptr) << "no " << definition.className << " with the text \"" << utf8FromAnsi(definition.text)
                               << "\" among the children of "
                               << (definition.parent.empty() ? std::string("the main window")
                                                             : utf8FromAnsi(definition.parent));

    EXPECT_EQ(describe(rectInParent(window)), describe(definition.rect));
    EXPECT_EQ(controlText(window), definition.text) << utf8FromAnsi(controlText(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(window));
    expectStyle(styleOf(window), definition.style, "style");
    expectStyle(styleOf(window), {HAS(WS_CHILD)}, "style");
    expectStyle(extendedStyleOf(window), definition.extendedStyle, "extended style");
}

INSTANTIATE_TEST_SUITE_P(Definition, ControlTest, testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.id); });

// The columns and rows of a capture where anything but `background` shows.
std::optional<RECT> inkBounds(const ScreenPixels& pixels, COLORREF background) {
    std::optional<RECT> bounds;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            if (pixels.at(x, y) == background) continue;
            if (!bounds) bounds = RECT{x, y, x + 1, y + 1};
            bounds->left = std::min<LONG>(bounds->left, x);
            bounds->right = std::max<LONG>(bounds->right, x + 1);
            bounds->top = std::min<LONG>(bounds->top, y);
            bounds->bottom = std::max<LONG>(bounds->bottom, y + 1);
        }
    return bounds;
}

SIZE textExtent(const std::string& text, int stockFont) {
    WindowDC screen(nullptr);
    HGDIOBJ previous = SelectObject(screen.get(), GetStockObject(stockFont));
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen.get(), previous);
    return size;
}

// Wine does not answer WM_GETFONT across processes; the font shows in the width of 标签4's one line of
// text, which this process measures in the stock DEFAULT_GUI_FONT and, to be sure the two differ, in
// the system font that a control has when nobody sets one.
TEST_F(OmbrixTest, LabelsDrawTheirTextInTheDefaultGuiFont) {
    const std::string text = definitionOf("标签4").text;
    const SIZE guiFont = textExtent(text, DEFAULT_GUI_FONT), systemFont = textExtent(text, SYSTEM_FONT);
    ASSERT_GT(std::abs(guiFont.cx - systemFont.cx), 20) << "the two fonts cannot be told apart by width";

    HWND label = control("标签4");
    ASSERT_NE(label, nullptr);
    std::optional<RECT> ink;
    waitUntil(
        [&] {
            ink = inkBounds(captureScreen(clientRectOnScreen(label)), GetSysColor(COLOR_BTNFACE));
            return ink.has_value();
        },
        5_s);
    ASSERT_TRUE(ink.has_value()) << "标签4 shows no text";
    EXPECT_NEAR(ink->right - ink->left, guiFont.cx, 3)
        << "ink from " << ink->left << " to " << ink->right << "; DEFAULT_GUI_FONT gives " << guiFont.cx
        << ", the system font " << systemFont.cx;
    EXPECT_LE(ink->bottom - ink->top, guiFont.cy);
}

TEST_F(OmbrixTest, ThereAreExactlySixteenControls) {
    std::vector<HWND> descendants;
    EnumChildWindows(
        mainWindow_,
        [](HWND window, LPARAM context) {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&descendants));
    for (const auto& definition : kControls) {
        ASSERT_NE(control(definition.name), nullptr) << utf8FromAnsi(definition.name);
    }
    HWND listHeader = reinterpret_cast<HWND>(ask("超级列表框1", LVM_GETHEADER));
    for (HWND window : descendants) {
        if (window == listHeader) continue;
        EXPECT_NE(nameOf(window).rfind("another window", 0), 0u) << "unexpected " << nameOf(window);
    }
    EXPECT_EQ(descendants.size(), kControls.size() + 1) << "the sixteen controls and the list's header";
}

TEST_F(OmbrixTest, SiblingsAreStackedInDefinitionOrderFirstOnTop) {
    for (const std::string parent : {"", "分组框1", "分组框2", "分组框3"}) {
        SCOPED_TRACE(parent.empty() ? std::string("main window") : utf8FromAnsi(parent));
        HWND parentWindow = parent.empty() ? mainWindow_ : control(parent);
        ASSERT_NE(parentWindow, nullptr);
        std::vector<std::string> expected, actual;
        for (const auto& definition : kControls)
            if (definition.parent == parent) expected.push_back(utf8FromAnsi(definition.name));
        for (HWND child : childrenInStackingOrder(parentWindow)) actual.push_back(nameOf(child));
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(OmbrixTest, PictureBoxHasItsClassStylesAndA36By36ClientArea) {
    HWND pictureBox = control("图片框1");
    ASSERT_NE(pictureBox, nullptr);
    RECT client{};
    GetClientRect(pictureBox, &client);
    EXPECT_EQ(describe(client), describe(xywh(0, 0, 36, 36)));
    const DWORD classStyle = GetClassLongA(pictureBox, GCL_STYLE);
    EXPECT_EQ(classStyle & (CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW),
              static_cast<DWORD>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW))
        << std::hex << classStyle;
}

TEST_F(OmbrixTest, EditBoxesStartEmptyReadOnlyAndUnlimited) {
    for (const char* name : {"编辑框1", "编辑框2", "编辑框3"}) {
        SCOPED_TRACE(utf8FromAnsi(name));
        ASSERT_NE(control(name), nullptr);
        EXPECT_EQ(controlText(control(name)), "");
        EXPECT_TRUE(styleOf(control(name)) & ES_READONLY);
        // EM_LIMITTEXT with 0 lifts the default limit of 30000 to the most a single-line box holds.
        EXPECT_EQ(ask(name, EM_GETLIMITTEXT), 0x7FFFFFFE);
        EXPECT_EQ(ask(name, EM_GETSEL), 0) << "selection start and end are 0";
    }
}

TEST_F(OmbrixTest, FirstRadioButtonIsCheckedAndTheSecondIsNot) {
    EXPECT_EQ(checkState("单选框1"), BST_CHECKED);
    EXPECT_EQ(checkState("单选框2"), BST_UNCHECKED);
}

TEST_F(OmbrixTest, ListViewHasThreeColumnsAndNoRows) {
    HWND list = control("超级列表框1");
    ASSERT_NE(list, nullptr);
    RemoteListView view(list);
    const auto columns = view.columns();
    const std::pair<std::string, int> expected[] = {{"窗口标题", 110}, {"窗口句柄", 60}, {"进程ID", 60}};
    ASSERT_EQ(columns.size(), std::size(expected));
    for (size_t i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE("column " + std::to_string(i));
        EXPECT_EQ(columns[i].header, expected[i].first) << utf8FromAnsi(columns[i].header);
        EXPECT_EQ(columns[i].width, expected[i].second);
        EXPECT_EQ(columns[i].format & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
        EXPECT_EQ(columns[i].format & LVCFMT_IMAGE, 0);
    }
    EXPECT_EQ(view.rowCount(), 0);
    EXPECT_EQ(view.selectedRow(), -1);
}

TEST_F(OmbrixTest, ListViewHasExactlyItsExtendedStylesColoursAndNoImages) {
    HWND list = control("超级列表框1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(RemoteListView(list).extendedStyle(),
              static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES))
        << std::hex << RemoteListView(list).extendedStyle();
    EXPECT_EQ(ask("超级列表框1", LVM_GETTEXTCOLOR), 0);
    EXPECT_EQ(ask("超级列表框1", LVM_GETTEXTBKCOLOR), 0xFFFFFF);
    EXPECT_EQ(ask("超级列表框1", LVM_GETBKCOLOR), 0xFFFFFF);
    for (const int imageList : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE})
        EXPECT_EQ(ask("超级列表框1", LVM_GETIMAGELIST, imageList), 0) << "image list " << imageList;
}

// ---- The keyboard ----

const std::vector<std::string> kTabOrder = {"按钮1",   "超级列表框1", "单选框1", "单选框2",
                                            "编辑框1", "编辑框2",     "编辑框3"};

TEST_F(OmbrixTest, TabAndShiftTabVisitTheSevenTabStopsInACycle) {
    focusByClick("编辑框1");
    const size_t start = 4;  // 编辑框1 in kTabOrder
    for (size_t step = 1; step <= kTabOrder.size(); ++step) {
        const std::string& next = kTabOrder[(start + step) % kTabOrder.size()];
        pressKey(VK_TAB);
        ASSERT_TRUE(waitForFocus(next)) << "Tab number " << step << " should reach " << utf8FromAnsi(next)
                                        << ", the focus is on " << nameOf(focus());
    }
    for (size_t step = 1; step <= kTabOrder.size(); ++step) {
        const std::string& previous = kTabOrder[(start + kTabOrder.size() - step) % kTabOrder.size()];
        pressKey(VK_TAB, true);
        ASSERT_TRUE(waitForFocus(previous)) << "Shift+Tab number " << step << " should reach " << utf8FromAnsi(previous)
                                            << ", the focus is on " << nameOf(focus());
    }
}

TEST_F(OmbrixTest, ArrowKeysMoveToTheOtherRadioButtonAndCheckIt) {
    focusByClick("单选框1");
    ASSERT_EQ(checkState("单选框1"), BST_CHECKED);
    // With two radio buttons every arrow key reaches the other one, wrapping around.
    const struct {
        WORD key;
        const char* name;
    } steps[] = {{VK_RIGHT, "Right"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_DOWN, "Down"},
                 {VK_LEFT, "Left"},   {VK_LEFT, "Left"},   {VK_UP, "Up"},     {VK_UP, "Up"}};
    std::string current = "单选框1";
    for (const auto& step : steps) {
        const std::string other = current == "单选框1" ? "单选框2" : "单选框1";
        pressKey(step.key);
        ASSERT_TRUE(waitUntil(
            [&] {
                return focus() == control(other) && checkState(other) == BST_CHECKED &&
                       checkState(current) == BST_UNCHECKED;
            },
            5_s))
            << step.name << " from " << utf8FromAnsi(current) << ": focus on " << nameOf(focus()) << ", checks "
            << checkState("单选框1") << " / " << checkState("单选框2");
        current = other;
    }
}

// Keys that must change nothing are followed by a Tab: once the Tab has moved the focus, the earlier keys
// have been handled too.
TEST_F(OmbrixTest, ArrowKeysOutsideTheRadioButtonsMoveNothing) {
    focusByClick("编辑框1");
    for (WORD key : {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}) pressKey(key);
    pressKey(VK_TAB);
    EXPECT_TRUE(waitForFocus("编辑框2")) << "the focus is on " << nameOf(focus());
    EXPECT_EQ(checkState("单选框1"), BST_CHECKED);
    EXPECT_EQ(checkState("单选框2"), BST_UNCHECKED);
}

TEST_F(OmbrixTest, EnterAndF1DoNothingInAnEditBoxOrOnTheButton) {
    focusByClick("编辑框3");
    pressKey(VK_RETURN);
    pressKey(VK_F1);
    pressKey(VK_TAB);
    ASSERT_TRUE(waitForFocus("按钮1")) << "the focus is on " << nameOf(focus());
    pressKey(VK_RETURN);
    pressKey(VK_F1);
    pressKey(VK_TAB);
    ASSERT_TRUE(waitForFocus("超级列表框1")) << "the focus is on " << nameOf(focus());

    EXPECT_TRUE(messageBoxesOf(ombrix().pid()).empty()) << "a message box appeared";
    EXPECT_TRUE(ombrix().running());
    EXPECT_TRUE(IsWindowVisible(mainWindow_));
    EXPECT_EQ(RemoteListView(control("超级列表框1")).rowCount(), 0);
    for (const char* edit : {"编辑框1", "编辑框2", "编辑框3"}) EXPECT_EQ(controlText(control(edit)), "");
}

struct FocusedControl {
    const char* id;
    const char* name;
};
void PrintTo(const FocusedControl& focused, std::ostream* out) { *out << focused.id; }

class EscapeTest : public OmbrixTest, public testing::WithParamInterface<FocusedControl> {};

TEST_P(EscapeTest, EscapeClosesTheProgramWithExitCodeZero) {
    const std::string focused = GetParam().name;
    focusByClick(focused);
    pressKey(VK_ESCAPE);
    const auto exitCode = confirmExitAndWait(ombrix());
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end after Escape in " << utf8FromAnsi(focused)
                                      << "; boxes open: " << messageBoxesOf(ombrix().pid()).size();
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_FALSE(IsWindow(mainWindow_));
}

INSTANTIATE_TEST_SUITE_P(FromAControl, EscapeTest,
                         testing::Values(FocusedControl{"Edit1", "编辑框1"}, FocusedControl{"Edit3", "编辑框3"},
                                         FocusedControl{"Radio1", "单选框1"}, FocusedControl{"List1", "超级列表框1"}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST_F(OmbrixTest, CloseBoxClosesTheProgramWithExitCodeZero) {
    const auto closeBox = pointWithHitTest(mainWindow_, HTCLOSE);
    ASSERT_TRUE(closeBox.has_value());
    clickAt(*closeBox);
    const auto exitCode = confirmExitAndWait(ombrix());
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end";
    EXPECT_EQ(*exitCode, 0u);
}

// ---- One copy at a time ----

enum class Dismissal { postedOk, escapeKey, closeBox };

class SecondCopyTest : public OmbrixTest, public testing::WithParamInterface<Dismissal> {};

TEST_P(SecondCopyTest, ShowsOnlyItsMessageAndEndsWithExitCodeZero) {
    const RECT firstPlace = windowRectOf(mainWindow_);
    auto second = startOmbrix();
    const auto box = waitForMessageBox(second.pid());
    ASSERT_TRUE(box.has_value()) << "the second copy showed no message box";

    EXPECT_EQ(box->text(), kAlreadyRunningText) << utf8FromAnsi(box->text());
    EXPECT_EQ(box->owner(), nullptr);
    EXPECT_EQ(box->buttonIds(), std::vector<int>{IDOK});
    EXPECT_TRUE(waitUntil([&] { return box->icon() == BoxIcon::information; }, 5_s)) << harness::nameOf(box->icon());
    // The box is all the second copy shows.
    EXPECT_EQ(findTopLevelWindows({second.pid(), "", std::nullopt, true}), std::vector<HWND>{box->handle()});

    switch (GetParam()) {
        case Dismissal::postedOk: box->answer(IDOK); break;
        case Dismissal::escapeKey: box->pressEscape(); break;
        case Dismissal::closeBox: box->clickCloseBox(); break;
    }
    bool mainWindowShown = false;
    EXPECT_TRUE(waitUntil([&] {
        mainWindowShown = mainWindowShown || waitForMainWindow(second, 0_ms) != nullptr;
        return !second.running();
    })) << "the second copy did not end";
    EXPECT_FALSE(mainWindowShown) << "the second copy showed its main window";
    EXPECT_EQ(second.waitForExit(0_ms), 0u);

    // The first copy goes on as it was.
    EXPECT_TRUE(ombrix().running());
    EXPECT_TRUE(IsWindowVisible(mainWindow_));
    EXPECT_EQ(describe(windowRectOf(mainWindow_)), describe(firstPlace));
    EXPECT_TRUE(messageBoxesOf(ombrix().pid()).empty());
    EXPECT_TRUE(trayIconExists(mainWindow_, kTrayIconId));
}

INSTANTIATE_TEST_SUITE_P(Dismissed, SecondCopyTest,
                         testing::Values(Dismissal::postedOk, Dismissal::escapeKey, Dismissal::closeBox),
                         [](const auto& info) {
                             switch (info.param) {
                                 case Dismissal::postedOk: return std::string("WithOk");
                                 case Dismissal::escapeKey: return std::string("WithEscape");
                                 case Dismissal::closeBox: return std::string("WithCloseBox");
                             }
                             return std::string("?");
                         });

TEST_F(OmbrixTest, ANewCopyStartsNormallyOnceTheFirstHasEnded) {
    PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    ASSERT_EQ(confirmExitAndWait(ombrix()), 0u);

    start();
    EXPECT_TRUE(messageBoxesOf(ombrix().pid()).empty());
}

TEST_F(OmbrixTest, ANewCopyStartsNormallyAfterTheFirstWasKilled) {
    ombrix_->terminate();
    start();
    EXPECT_TRUE(messageBoxesOf(ombrix().pid()).empty());
}

// ---- The tray icon ----

size_t trayIconsWithTip(const std::string& tip) {
    size_t count = 0;
    for (const auto& icon : trayIcons()) count += icon.tip == tip;
    return count;
}

TEST_F(OmbrixTest, TrayIconWithItsTipIsThereWhileTheProgramRuns) {
    EXPECT_TRUE(trayIconExists(mainWindow_, kTrayIconId));
    const size_t tipsWhileRunning = trayIconsWithTip(kTrayTip);
    EXPECT_GE(tipsWhileRunning, 1u) << "no icon in the notification area has the tip " << kTrayTip;

    PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    ASSERT_EQ(confirmExitAndWait(ombrix()), 0u);
    EXPECT_FALSE(trayIconExists(mainWindow_, kTrayIconId)) << "the icon outlived the program";
    // Icons of copies killed by earlier runs may linger; this copy's own must be gone.
    EXPECT_EQ(trayIconsWithTip(kTrayTip), tipsWhileRunning - 1);
}

// ---- The crosshair in the picture box ----

using CrosshairMask = std::array<std::array<bool, 32>, 32>;

// The cursor image, opaque pixels true: three rings around (15, 15), two hair lines and their forks.
CrosshairMask crosshairMask() {
    CrosshairMask mask{};
    auto dot = [&](int x, int y) { mask[y][x] = true; };
    auto mirrored = [&](int x, int y) { dot(x, y), dot(30 - x, y); };
    for (int x = 14; x <= 16; ++x) dot(x, 13), dot(x, 17);  // inner ring
    for (int y = 14; y <= 16; ++y) dot(13, y), dot(17, y);
    for (int x = 13; x <= 17; ++x) dot(x, 8), dot(x, 22);  // middle ring, radius 7
    for (int y : {9, 21}) mirrored(11, y), mirrored(12, y);
    for (int y : {10, 20}) mirrored(10, y);
    for (int y : {11, 12, 18, 19}) mirrored(9, y);
    for (int y = 13; y <= 17; ++y) mirrored(8, y);
    for (int x = 13; x <= 17; ++x) dot(x, 4), dot(x, 26);  // outer ring, radius 11
    for (int y : {5, 25})
        for (int x = 10; x <= 12; ++x) mirrored(x, y);
    for (int i = 0; i < 4; ++i) mirrored(9 - i, 6 + i), mirrored(9 - i, 24 - i);
    for (int y : {10, 11, 12, 18, 19, 20}) mirrored(5, y);
    for (int y = 13; y <= 17; ++y) mirrored(4, y);
    for (int i = 2; i <= 29; ++i)  // hair lines, stopping at the inner ring
        if (i <= 13 || i >= 17) dot(15, i), dot(i, 15);
    for (int i : {14, 16}) dot(i, 1), dot(i, 30), dot(1, i), dot(30, i);  // forks
    return mask;
}

// The 36 x 36 client area as it must look: the crosshair at (2, 2), black, over the button face.
ScreenPixels expectedPictureBox(const RECT& client) {
    const CrosshairMask mask = crosshairMask();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    std::vector<uint32_t> pixels(36 * 36, background);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (mask[y][x]) pixels[(y + 2) * 36 + x + 2] = 0;
    return ScreenPixels(client, std::move(pixels));
}

std::string asciiArt(const ScreenPixels& pixels) {
    std::string art;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const COLORREF colour = pixels.at(x, y);
            art += colour == 0 ? '#' : colour == GetSysColor(COLOR_BTNFACE) ? '.' : '?';
        }
        art += '\n';
    }
    return art;
}

TEST_F(OmbrixTest, PictureBoxShowsTheCrosshairTwoPixelsFromEachEdge) {
    HWND pictureBox = control("图片框1");
    ASSERT_NE(pictureBox, nullptr);
    const RECT client = clientRectOnScreen(pictureBox);
    ASSERT_EQ(describe(xywh(0, 0, client.right - client.left, client.bottom - client.top)),
              describe(xywh(0, 0, 36, 36)));
    const ScreenPixels expected = expectedPictureBox(client);
    EXPECT_TRUE(waitUntil([&] { return captureScreen(client) == expected; }, 5_s))
        << "on the screen ('#' black, '.' button face):\n"
        << asciiArt(captureScreen(client)) << "expected:\n"
        << asciiArt(expected);

    // The same, told by a few pixels that tell a missing, moved or scaled picture.
    const ScreenPixels shown = captureScreen(client);
    const POINT origin{2, 2};
    auto at = [&](int x, int y) { return shown.at(origin.x + x, origin.y + y); };
    EXPECT_NE(at(15, 15), RGB(0, 0, 0)) << "the hotspot is transparent";
    for (const POINT black : {POINT{15, 13}, POINT{13, 15}, POINT{17, 15}, POINT{15, 17}, POINT{15, 8}, POINT{4, 15},
                              POINT{26, 15}, POINT{15, 2}, POINT{15, 29}, POINT{14, 1}, POINT{30, 16}})
        EXPECT_EQ(at(black.x, black.y), RGB(0, 0, 0)) << "(" << black.x << ", " << black.y << ") should be black";
    for (const POINT clear : {POINT{15, 0}, POINT{15, 1}, POINT{0, 15}, POINT{16, 16}, POINT{14, 14}, POINT{31, 31}})
        EXPECT_NE(at(clear.x, clear.y), RGB(0, 0, 0)) << "(" << clear.x << ", " << clear.y << ") should be clear";
}

}  // namespace
