// Everything the Wine tests use to drive real programs from outside.
#pragma once
#include "gdi_count.h"
#include "handles.h"
#include "input.h"
#include "message_box.h"
#include "ombrix.h"
#include "process.h"
#include "remote.h"
#include "screen.h"
#include "text.h"
#include "tray.h"
#include "wait.h"
#include "window_query.h"
