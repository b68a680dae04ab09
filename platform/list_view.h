// A report list view of text cells: rows and columns counted from 0.
#pragma once
#include <functional>
#include <string>

#include "platform/toolkit.h"

namespace platform {

struct ListColumn {
    const char* header;
    int width;
};

class ListView : public Control {
public:
    void create(const ControlArgs& args);
    void addColumn(const ListColumn& column) const;

    // Appends a row whose column 0 holds `text`; the new row's index, or -1 when none was added.
    int insertRow(const std::string& text) const;
    void setCellText(int row, int column, const std::string& text) const;
    // The whole text of a cell; empty for a cell, row or column that does not exist.
    std::string cellText(int row, int column) const;
    int rowCount() const;
    // Rows below move up by one; a row that does not exist changes nothing.
    void deleteRow(int row) const;
    // The lowest selected row, -1 when none is.
    int selectedRow() const;

    // A left double-click on the list's own window (rows or the empty area, not the header), raised
    // before the list handles the double-click itself: it sees the selection the first click left.
    std::function<void(int x, int y, int keys)> onDoubleClick;

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int columnCount() const;
};

}  // namespace platform
