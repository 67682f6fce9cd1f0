#pragma once

#include "wire/commands.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

// The common page of the level strips' commands: a channel list and three rows, each with its
// own generate button whose object name is the row number: the mute switch, a fixed gain and a
// relative gain step. Subclasses name the channels' side by the commands they build.
class CommandLevelWidget : public QWidget
{
    Q_OBJECT
public:
    enum Row
    {
        MuteRow = 0,
        GainRow = 1,
        StepRow = 2,
    };

    explicit CommandLevelWidget(QWidget* parent = nullptr);

    // Lists the channels by name (index = channel), leaving out those whose bit is set.
    void setChannels(const QStringList& names, quint32 hiddenMask);
    int currentChannel() const;

    QComboBox* channelList() const { return m_channels; }
    QPushButton* muteButton() const { return m_mute; }
    QDoubleSpinBox* gainSpinBox() const { return m_gain; }
    QDoubleSpinBox* stepSpinBox() const { return m_step; }
    QPushButton* generateButton(int row) const;

signals:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);

public slots:
    void generateButtonClicked();

protected:
    void changeEvent(QEvent* event) override;
    virtual wire::Command command(int row, quint8 channel) const = 0;

private:
    void retranslate();

    QComboBox* m_channels;
    QPushButton* m_mute;
    QDoubleSpinBox* m_gain;
    QDoubleSpinBox* m_step;
    QLabel* m_channelCaption;
    QLabel* m_captions[3];
    QPushButton* m_generate[3];
};
