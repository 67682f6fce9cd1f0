#pragma once

#include <QFrame>

// The level strips of every input and output channel.
class LevelContainerWidget : public QFrame
{
    Q_OBJECT
public:
    explicit LevelContainerWidget(QWidget* parent = nullptr);

    // Hides the channels whose bit is set (bit i = channel i).
    void applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs, quint32 danteInputs,
                            quint32 danteOutputs);

private:
    quint32 m_hiddenInputs = 0;
    quint32 m_hiddenOutputs = 0;
    quint32 m_danteInputs = 0;
    quint32 m_danteOutputs = 0;
};
