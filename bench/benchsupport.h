#pragma once

#include <QtGlobal>
#include <functional>

// What the benchmarks that run a virtual unit beside a model share.
namespace bench {

// A loopback port nothing listens on at the moment of asking.
quint16 freeTcpPort();
quint16 freeUdpPort();

// Runs the event loop until `done` or `ms` have passed, sleeping between events (a time-limited
// processEvents() would spin and be measured as the model's CPU).
bool waitFor(const std::function<bool()>& done, qint64 ms);

} // namespace bench
