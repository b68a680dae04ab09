// The processes behind listed windows.
#pragma once
#include <windows.h>

#include <string>

namespace hidden {

// True when the process was terminated; a process id of 0 is never tried.
bool terminateProcessById(DWORD processId);
// The file name of the process's executable; 255 spaces when it cannot be read.
std::string processBaseNameOf(DWORD processId);

}  // namespace hidden
