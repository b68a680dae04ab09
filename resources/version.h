// Texts shared by the program and its resource script.
#pragma once

#define OMBRIX_TITLE "Ombrix 【窗口隐身术】"
#define OMBRIX_VERSION_TEXT "1.0.0.0"
#define OMBRIX_VERSION_NUMBERS 1, 0, 0, 0
