// The programs' texts are ANSI (code page 936); test output is read as UTF-8.
#pragma once
#include <string>

namespace harness {

// `ansi` (bytes of the ANSI code page) as UTF-8, for failure messages.
std::string utf8FromAnsi(const std::string& ansi);

}  // namespace harness
