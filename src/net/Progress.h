#pragma once

#include <QString>

#include <functional>

// How an internet operation reports to the window that shows it: the lines of its progress list, and the moment
// its first transfer starts (the window animates its link picture from then until the operation returns).
struct Progress
{
    std::function<void()> clear;
    std::function<void(const QString&)> add;
    std::function<void()> transferStarted;
};
