// Reading controls that live in another process.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "handles.h"

namespace harness {

// The text of any control of another process, by WM_GETTEXT. (GetWindowText reads only captions and gives
// "" for another process's edit box.) Throws std::runtime_error if the control does not answer.
std::string controlText(HWND control);

// A block of memory inside another process, for messages whose arguments are pointers.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size);
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory();

    void* address() const { return address_; }
    // The remote address `offset` bytes into the block.
    void* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
    void write(size_t offset, const void* data, size_t size) const;
    void read(size_t offset, void* data, size_t size) const;

private:
    HANDLE process_;
    void* address_;
};

// A report list view of another process, read through list view messages with their structures placed
// in that process's memory.
class RemoteListView {
public:
    explicit RemoteListView(HWND listView);

    struct Column {
        std::string header;
        int width = 0;
        int format = 0;  // LVCFMT_*
    };

    int rowCount() const;
    int columnCount() const;
    Column column(int index) const;
    std::vector<Column> columns() const;
    std::string cellText(int row, int column) const;
    // Every row, each as its cell texts in column order.
    std::vector<std::vector<std::string>> rows() const;
    // The first selected row, or -1.
    int selectedRow() const;
    DWORD extendedStyle() const;
    HWND header() const;

private:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND listView_;
    UniqueHandle process_;
    mutable RemoteMemory memory_;
};

}  // namespace harness
