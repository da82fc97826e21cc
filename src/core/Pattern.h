#pragma once

#include <QStringView>

// The one wildcard test of the program, case-sensitive: "*" any run of characters (also none), "?" any one
// character, "#" one digit 0-9, "[a-cx]" one character of the set, "[!a-cx]" one character outside it. A "[" without
// a closing "]" stands for itself, and so does every other character. Time grows with text length times pattern
// length at worst.
bool matchesPattern(QStringView text, QStringView pattern);
