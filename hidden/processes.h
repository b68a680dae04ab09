// The programs behind listed windows.
#pragma once
#include <windows.h>

#include <string>

namespace hidden {

// Shows or hides another program's window without waiting for it: the window's own thread does it
// when it next runs, so a program that stopped answering cannot freeze this one.
inline void showOtherProgramWindow(HWND window, int command) { ShowWindowAsync(window, command); }

// True when the process was terminated; a process id of 0 is never tried.
bool terminateProcessById(DWORD processId);
// The file name of the process's executable; 255 spaces when it cannot be read.
std::string processBaseNameOf(DWORD processId);

}  // namespace hidden
