#pragma once

#include <QtGlobal>

// What the shared NetStatus says about the internet operation that ran last. The numbers are also the cells of
// the link picture that show the outcome.
namespace NetOutcome {

constexpr qint16 Pending = 0; // an operation has begun and has no outcome yet
constexpr qint16 Completed = 4;
constexpr qint16 Failed = 5;

} // namespace NetOutcome
