#pragma once

#include "editorpage.h"
#include "pendingcommands.h"

#include <QByteArray>
#include <functional>

// The periodic reads that keep the mirror in step with the unit while the link stands: meters
// every 100 ms, the state every 200 ms (system values, labels, strips, the visible page's block
// and the blocks of the open dialogs), the fan every 500 ms. Reads of the group being edited
// wait until the edit's hold has passed.
class Refresher
{
public:
    // Bits set while a dialog that needs extra reads is open.
    enum Flag : quint8
    {
        Labels = 1 << 0,
        Presets = 1 << 1,
        UsbMedia = 1 << 2,
        DeviceSetup = 1 << 3,
        TouchPanel = 1 << 4,
        StatusRecords = 1 << 5,
    };
    using Read = std::function<void(wire::Code code, const QByteArray& payload)>;

    explicit Refresher(Read read) : m_read(std::move(read)) {}

    // Whether `code` is read every cycle whatever the page and the flags (meters, system
    // values, labels, strips): callers that read blocks themselves can leave it out.
    static bool readsAlways(wire::Code code);

    // Pages outside the processing page's range read no block.
    void setPage(int page, int channel);
    int page() const { return m_page; }
    int channel() const { return m_channel; }
    void setFlag(Flag flag, bool on);
    quint8 flags() const { return m_flags; }

    // The reads due at `tick` (10 ms ticks since the connection attempt).
    void refresh(quint64 tick, const RecentCommand& recent) const;

private:
    void readPage(const RecentCommand& recent) const;
    void readDialogs(const RecentCommand& recent) const;
    void read(wire::Code code, const QByteArray& payload = {}) const { m_read(code, payload); }

    Read m_read;
    int m_page = 0;
    int m_channel = 0;
    quint8 m_flags = 0;
};
