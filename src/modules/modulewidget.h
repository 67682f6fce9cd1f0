#pragma once

#include <QFrame>

// The processing page: one editor page per processing block of the selected channel.
class ModuleWidget : public QFrame
{
    Q_OBJECT
public:
    explicit ModuleWidget(QWidget* parent = nullptr);

    // Hides the channels whose bit is set (bit i = channel i).
    void applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs, quint32 danteInputs,
                            quint32 danteOutputs);

    // Factory 48 V test: every shown analogue input to microphone mode with phantom power on
    // or off, sending only what differs from the unit's state.
    void setAllPhantomPower(bool on);

private:
    quint32 m_hiddenInputs = 0;
    quint32 m_hiddenOutputs = 0;
    quint32 m_danteInputs = 0;
    quint32 m_danteOutputs = 0;
};
