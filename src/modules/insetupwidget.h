#pragma once

#include "modulepage.h"

#include <array>

class Knob;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The input stage of the analogue inputs, one column each: microphone or line, mute, phantom
// power and the preamp gain, whose range follows the mode. Inputs the profile carries as Dante
// channels take line sources only.
class InSetupWidget : public ModulePage
{
    Q_OBJECT
public:
    static constexpr int kChannels = 16;

    InSetupWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    // Factory 48 V test: every shown input that can take a microphone to microphone mode with
    // phantom power on or off, by clicking the buttons that differ from the mirror.
    void setAllPhantomPower(bool on);
    bool isLineOnly(int channel) const;

    QPushButton* micButton(int channel) const { return m_columns[std::size_t(channel)].mic; }
    QPushButton* lineButton(int channel) const { return m_columns[std::size_t(channel)].line; }
    QPushButton* muteButton(int channel) const { return m_columns[std::size_t(channel)].mute; }
    QPushButton* phantomButton(int channel) const
    {
        return m_columns[std::size_t(channel)].phantom;
    }
    QLineEdit* gainEdit(int channel) const { return m_columns[std::size_t(channel)].gainEdit; }
    Knob* gainKnob(int channel) const { return m_columns[std::size_t(channel)].gainKnob; }
    QFrame* column(int channel) const { return m_columns[std::size_t(channel)].frame; }

    // Loaders of one channel from the mirror.
    void loadMode(int channel);
    void loadMute(int channel);
    void loadPhantom(int channel);
    void loadGain(int channel);

public slots:
    void modeButtonGroupButtonClicked(int id);
    void muteButtonClicked(bool checked);
    void _48VButtonClicked(bool checked);
    void gainEditEditingFinished();
    void gainKnobValueChanged(int value);

protected:
    void applyProfile() override;
    void retranslate() override;

private:
    struct Column
    {
        QFrame* frame = nullptr;
        QLabel* name = nullptr;
        QButtonGroup* mode = nullptr;
        QPushButton* mic = nullptr;
        QPushButton* line = nullptr;
        QPushButton* mute = nullptr;
        QPushButton* phantom = nullptr;
        QLabel* gainLabel = nullptr;
        QLineEdit* gainEdit = nullptr;
        Knob* gainKnob = nullptr;
    };

    void buildColumn(int channel);
    void loadChannel(int channel) override;
    void loadAll();
    void refreshNames();
    void refreshChannels(const QVector<int>& channels);
    void showGain(int channel, double dB);
    // A Dante input still in another mode is brought to line once the unit's own modes are
    // known (while a unit is logged in), never on the mirror's defaults.
    void enforceLineOnly(int channel);

    std::array<Column, kChannels> m_columns;
    bool m_finishing = false;
};
