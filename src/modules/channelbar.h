#pragma once

#include <QWidget>

class QButtonGroup;
class QPushButton;

// The row of channel buttons above an editor that shows one channel at a time: one checkable
// button per channel, exactly one checked; hidden channels have no button.
class ChannelBar : public QWidget
{
    Q_OBJECT
public:
    ChannelBar(int channels, const QString& prefix, QWidget* parent = nullptr);

    int count() const { return m_count; }
    int current() const;
    // Checks the channel's button without emitting channelClicked.
    void setCurrent(int channel);
    // Hides the buttons whose bit is set (bit i = channel i).
    void setHidden(quint32 hidden);
    bool isShown(int channel) const;
    // The first channel that has a button, or -1.
    int firstShown() const;
    QPushButton* button(int channel) const;
    void setLabel(int channel, const QString& text, const QString& toolTip);

signals:
    void channelClicked(int channel);

private:
    int m_count;
    QButtonGroup* m_group;
    quint32 m_hidden = 0;
};
