#pragma once

#include <QtGlobal>
#include <functional>

// The one source of wall-clock time (milliseconds since the epoch) for the model. Tests
// replace it to drive the timing rules by hand.
namespace Clock {
qint64 now();
void setSource(std::function<qint64()> source);
void resetSource();
} // namespace Clock
