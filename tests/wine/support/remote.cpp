#include "remote.h"

#include <commctrl.h>

#include <stdexcept>

#include "window_query.h"

namespace harness {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result))
        throw std::runtime_error("window " + std::to_string(reinterpret_cast<uintptr_t>(window)) +
                                 " did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

// Room for the item or column structure followed by its text.
constexpr size_t kTextOffset = 256;
constexpr size_t kTextCapacity = 4096;

}  // namespace

std::string controlText(HWND control) {
    // The length in UTF-16 units: Wine's ANSI WM_GETTEXTLENGTH to another process asks for the text without
    // the timeout and blocks for good on a hung window. An ANSI character takes at most two bytes.
    DWORD_PTR wideLength = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &wideLength))
        throw std::runtime_error("window " + std::to_string(reinterpret_cast<uintptr_t>(control)) +
                                 " did not answer WM_GETTEXTLENGTH");
    std::string text(2 * static_cast<size_t>(wideLength) + 1, '\0');
    const auto copied = sendWithTimeout(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

RemoteMemory::RemoteMemory(HANDLE process, size_t size)
    : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (!address_) throw std::runtime_error("VirtualAllocEx failed, error " + std::to_string(GetLastError()));
}

RemoteMemory::~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

void RemoteMemory::write(size_t offset, const void* data, size_t size) const {
    if (!WriteProcessMemory(process_, at(offset), data, size, nullptr))
        throw std::runtime_error("WriteProcessMemory failed, error " + std::to_string(GetLastError()));
}

void RemoteMemory::read(size_t offset, void* data, size_t size) const {
    if (!ReadProcessMemory(process_, at(offset), data, size, nullptr))
        throw std::runtime_error("ReadProcessMemory failed, error " + std::to_string(GetLastError()));
}

namespace {

UniqueHandle openForMemory(HWND window) {
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
                    processIdOf(window)));
    if (!process) throw std::runtime_error("cannot open the list view's process");
    return process;
}

}  // namespace

RemoteListView::RemoteListView(HWND listView)
    : listView_(listView), process_(openForMemory(listView)), memory_(process_.get(), kTextOffset + kTextCapacity) {}

LRESULT RemoteListView::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return sendWithTimeout(listView_, message, wParam, lParam);
}

int RemoteListView::rowCount() const { return static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0)); }

HWND RemoteListView::header() const { return reinterpret_cast<HWND>(send(LVM_GETHEADER, 0, 0)); }

int RemoteListView::columnCount() const {
    HWND headerControl = header();
    return headerControl ? static_cast<int>(sendWithTimeout(headerControl, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

RemoteListView::Column RemoteListView::column(int index) const {
    LVCOLUMNA request{};
    request.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    request.pszText = static_cast<char*>(memory_.at(kTextOffset));
    request.cchTextMax = kTextCapacity;
    memory_.write(0, &request, sizeof request);
    const char nothing = '\0';
    memory_.write(kTextOffset, &nothing, 1);
    if (!send(LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(memory_.address())))
        throw std::runtime_error("the list view has no column " + std::to_string(index));
    LVCOLUMNA answer{};
    memory_.read(0, &answer, sizeof answer);
    std::string text(kTextCapacity, '\0');
    memory_.read(kTextOffset, text.data(), text.size());
    text.resize(text.find('\0'));
    return {text, answer.cx, answer.fmt};
}

std::vector<RemoteListView::Column> RemoteListView::columns() const {
    std::vector<Column> result;
    for (int i = 0, count = columnCount(); i < count; ++i) result.push_back(column(i));
    return result;
}

std::string RemoteListView::cellText(int row, int column) const {
    LVITEMA request{};
    request.iSubItem = column;
    request.pszText = static_cast<char*>(memory_.at(kTextOffset));
    request.cchTextMax = kTextCapacity;
    memory_.write(0, &request, sizeof request);
    const auto length = send(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(memory_.address()));
    std::string text(static_cast<size_t>(length), '\0');
    if (length > 0) memory_.read(kTextOffset, text.data(), text.size());
    return text;
}

std::vector<std::vector<std::string>> RemoteListView::rows() const {
    std::vector<std::vector<std::string>> result;
    const int columnTotal = columnCount();
    for (int row = 0, count = rowCount(); row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columnTotal; ++column) cells.push_back(cellText(row, column));
        result.push_back(std::move(cells));
    }
    return result;
}

int RemoteListView::selectedRow() const { return static_cast<int>(send(LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }

DWORD RemoteListView::extendedStyle() const { return static_cast<DWORD>(send(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)); }

}  // namespace harness
