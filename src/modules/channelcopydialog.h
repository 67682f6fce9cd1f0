#pragma once

#include "deviceprofile.h"
#include "dialog.h"

#include <QVector>

class DataModel;
class QAbstractButton;
class QGroupBox;
class QPushButton;

// Asks which channels a block is copied to: one checkable button per input and per output,
// named after the channels' labels. Channels the profile hides, and those the editor leaves
// out, have no button; the source cannot be chosen.
class ChannelCopyDialog : public Dialog
{
    Q_OBJECT
public:
    ChannelCopyDialog(const DataModel& model, const DeviceProfile& profile,
                      QWidget* parent = nullptr);

    void setProfile(const DeviceProfile& profile);
    void setInputGroupVisible(bool visible);
    void setOutputGroupVisible(bool visible);
    // Leaves one channel out whatever the profile says.
    void hideInput(int channel);
    void hideOutput(int channel);
    // The source of the copy: shown, but not to be checked.
    void disableInput(int channel);
    void disableOutput(int channel);

    QPushButton* inputButton(int channel) const { return m_inputs.value(channel); }
    QPushButton* outputButton(int channel) const { return m_outputs.value(channel); }
    bool isInputGroupVisible() const;
    bool isOutputGroupVisible() const;

    // Bit i set for each checked channel i, read when OK was pressed.
    quint32 inputMask() const { return m_inputMask; }
    quint32 outputMask() const { return m_outputMask; }

public slots:
    void okButtonClicked();

protected:
    void retranslate() override;

private:
    void applyHidden();
    static quint32 checkedMask(const QVector<QPushButton*>& buttons);

    DeviceProfile m_profile;
    QGroupBox* m_inputGroup;
    QGroupBox* m_outputGroup;
    QVector<QPushButton*> m_inputs;
    QVector<QPushButton*> m_outputs;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    quint32 m_leftOutInputs = 0;
    quint32 m_leftOutOutputs = 0;
    quint32 m_inputMask = 0;
    quint32 m_outputMask = 0;
};
