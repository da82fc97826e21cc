#pragma once

#include "core/Settings.h"

// Brings every value read from a settings file into the range the program works with, so that a damaged or
// hand-edited file cannot steer it into arithmetic that overflows or a state no window can show. Values the program
// itself writes stay exactly as they are. The main window's start-up corrects a small window size on its own.
void bringIntoRange(Settings& settings);
