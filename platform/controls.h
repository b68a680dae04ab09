// The standard controls of the main window. Each kind fixes its own styles and colours; the
// definition of the window adds the rest through ControlArgs.
#pragma once
#include <functional>
#include <string>

#include "platform/toolkit.h"

namespace platform {

// Black text, drawn transparently over the button face colour.
class Label : public Control {
public:
    void create(const ControlArgs& args);

private:
    HBRUSH onColor(HDC dc) override;
};

// A group box is the parent window of the controls drawn inside it.
class GroupBox : public Control {
public:
    void create(const ControlArgs& args);

private:
    HBRUSH onColor(HDC dc) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Read-only, single-line, black on white even while read-only.
class EditBox : public Control {
public:
    void create(const ControlArgs& args);
    std::string text() const { return window().text(); }
    void setText(const std::string& text) const { window().setText(text); }

private:
    HBRUSH onColor(HDC dc) override;
};

class RadioButton : public Control {
public:
    void create(const ControlArgs& args);
    int checked() const { return window().send(BM_GETCHECK) == BST_CHECKED ? 1 : 0; }
    void setChecked(bool checked) const { window().send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }

private:
    HBRUSH onColor(HDC dc) override;
};

class PushButton : public Control {
public:
    void create(const ControlArgs& args);
    std::function<void()> onClicked;

private:
    void onCommand(WORD notification) override;
};

}  // namespace platform
