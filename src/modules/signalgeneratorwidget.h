#pragma once

#include "modulepage.h"
#include "wire/ranges.h"

#include <array>

class ButtonRow;
class Knob;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The test-signal generator: its mute, the kind of signal, the frequency of the sine, the level
// and the outputs it feeds.
class SignalGeneratorWidget : public ModulePage
{
    Q_OBJECT
public:
    enum Type
    {
        PinkNoise = 0,
        SineWave = 1,
        WhiteNoise = 2,
    };

    SignalGeneratorWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    QPushButton* muteButton() const { return m_mute; }
    ButtonRow* typeButtons() const { return m_type; }
    QLineEdit* freqEdit() const { return m_freqEdit; }
    Knob* freqKnob() const { return m_freqKnob; }
    QLineEdit* gainEdit() const { return m_gainEdit; }
    Knob* gainKnob() const { return m_gainKnob; }
    QPushButton* outputButton(int output) const { return m_outputs[std::size_t(output)]; }

    // Loaders from the mirror.
    void loadMute();
    void loadType();
    void loadFrequency();
    void loadGain();
    void loadRouting(int output);

public slots:
    void muteButtonClicked(bool checked);
    void typeButtonClicked(int id);
    void freqEditingFinished();
    void gainEditingFinished();
    void outputButtonClicked(bool checked);
    void freqKnobValueChanged(int value);
    void gainKnobValueChanged(int value);

protected:
    void applyProfile() override;
    void retranslate() override;

private:
    void refreshNames();
    void showFrequency(int hz);
    void showGain(int dB);

    QPushButton* m_mute = nullptr;
    QLabel* m_typeLabel = nullptr;
    ButtonRow* m_type = nullptr;
    QLabel* m_freqLabel = nullptr;
    QLineEdit* m_freqEdit = nullptr;
    Knob* m_freqKnob = nullptr;
    QLabel* m_gainLabel = nullptr;
    QLineEdit* m_gainEdit = nullptr;
    Knob* m_gainKnob = nullptr;
    QGroupBox* m_outputBox = nullptr;
    std::array<QPushButton*, wire::kOutputCount> m_outputs{};
    bool m_finishing = false;
};
