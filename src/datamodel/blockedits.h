#pragma once

#include "wire/codes.h"
#include "wire/records.h"

#include <QString>

#include <QVector>

class DataModel;

// The edits of the filter, limiter and delay blocks of the processing page: each compares the
// edited record with the mirror, and only when it differs writes the mirror and sends the
// command (drags through the coalescing queue, copies and resets at once). Copies and resets
// also write the mirror of every channel they reach, so that the views show them before the
// unit is read again.
class BlockEdits
{
public:
    enum class Side
    {
        Input,
        Output,
    };

    // Channels a copy wrote, by side.
    struct Targets
    {
        QVector<int> inputs;
        QVector<int> outputs;
    };

    explicit BlockEdits(DataModel& model) : m_model(model) {}

    // The blocks of a channel the unit leaves its factory with.
    static wire::HLPF factoryHpf();
    static wire::HLPF factoryLpf();
    static wire::PEQ factoryPeq(int band);
    static wire::Limiter factoryLimiter();

    // Channels a side edits: 17 inputs (the USB play pair as one), 16 outputs.
    static int channelCount(Side side);
    static bool validChannel(Side side, int channel);

    // Each returns whether the record differed from the mirror (and was sent).
    bool setHpf(Side side, int channel, const wire::HLPF& hpf);
    bool setLpf(Side side, int channel, const wire::HLPF& lpf);
    bool setPeq(Side side, int channel, int band, const wire::PEQ& peq);
    bool setLimiter(Side side, int channel, const wire::Limiter& limiter);
    // Clamped to the side's delay range.
    bool setDelay(Side side, int channel, float ms);

    // Every band on or off; only bands that differ are written and sent. Returns those bands.
    QVector<int> setAllPeqEnabled(Side side, int channel, bool on);
    // True only when all eight bands are on.
    bool allPeqEnabled(Side side, int channel) const;

    void resetFilter(Side side, int channel);
    void resetLimiter(Side side, int channel);

    // Copies the source's block to every channel whose bit is set (inputs 0..16, outputs 0..15;
    // other bits are dropped) and sends the copy with those masks. Returns the channels written.
    Targets copyFilter(Side side, int source, quint32 inputMask, quint32 outputMask);
    Targets copyLimiter(Side side, int source, quint32 inputMask, quint32 outputMask);

private:
    template <typename Record, typename Apply>
    void note(const QString& key, const QString& name, wire::Code code, int channel, int other,
              const Record& before, const Record& after, Apply apply);
    wire::HLPF& hpf(Side side, int channel);
    wire::HLPF& lpf(Side side, int channel);
    wire::PEQ& peq(Side side, int channel, int band);
    wire::Limiter& limiter(Side side, int channel);
    template <typename Assign> Targets copyTo(quint32 inputMask, quint32 outputMask, Assign assign);

    DataModel& m_model;
};
