#pragma once

#include <QFrame>
#include <QVector>

class DragScrollArea;
class LevelWidget;
class Splitter;

// The level strips of every input and output channel, the lower pane of the main window.
// It writes the user's changes into the model and sends them to the unit, carries them over to
// the other channels of the same level group (and to the linked stereo pair of inputs 1 and 2),
// and refreshes the strips from the model when the unit reports a change.
class LevelContainerWidget : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kInputStrips = 17;
    static constexpr int kOutputStrips = 16;

    explicit LevelContainerWidget(QWidget* parent = nullptr);
    ~LevelContainerWidget() override;

    LevelWidget* inputLevelWidget() const { return m_inputs; }
    LevelWidget* outputLevelWidget() const { return m_outputs; }
    Splitter* splitter() const { return m_splitter; }

    // Hides the channels whose bit is set (bit i = channel i) and lays the inputs out for the
    // profile's USB play channel.
    void applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs, quint32 danteInputs,
                            quint32 danteOutputs);

    // Refreshes from the model, after the unit's reports.
    void refreshInputMute(int channel);
    void refreshInputGain(int channel);
    void refreshInputInvert(int channel);
    void refreshInputGroup(int channel);
    void refreshInputFaderRange(int channel);
    void refreshOutputMute(int channel);
    void refreshOutputGain(int channel);
    void refreshOutputInvert(int channel);
    void refreshOutputGroup(int channel);
    void refreshOutputFaderRange(int channel);
    void refreshInputMeters();
    void refreshOutputMeters();
    void refreshInputLabel(int channel);
    void refreshOutputLabel(int channel);
    // Every strip from the model.
    void refreshAll();

    // The range a strip's fader covers: the unit's configured range, within the strip's own
    // limits (-56 dB at the bottom; +12 dB at the top, 0 dB for the USB play channel).
    float inputFaderMinimum(int channel) const;
    float inputFaderMaximum(int channel) const;
    float outputFaderMinimum(int channel) const;
    float outputFaderMaximum(int channel) const;

signals:
    void preLevelGainChanged(uchar channel, float dB);
    void outLevelGainChanged(uchar channel, float dB);
    void preLevelMuteChanged(uchar channel, bool on);
    void outLevelMuteChanged(uchar channel, bool on);

public slots:
    void preLevelWidgetGroupChanged(uchar channel, uchar group);
    void preLevelWidgetInvertChanged(uchar channel, bool on);
    void preLevelWidgetMuteChanged(uchar channel, bool on);
    void preLevelWidgetGainChanged(uchar channel, float dB);
    void outLevelWidgetGroupChanged(uchar channel, uchar group);
    void outLevelWidgetInvertChanged(uchar channel, bool on);
    void outLevelWidgetMuteChanged(uchar channel, bool on);
    void outLevelWidgetGainChanged(uchar channel, float dB);
    // The USB record/playback dialog has changed the model and the unit; these only display.
    void onPlayGainChanged(float dB);
    void onRecordGainChanged(float dB);
    void onPlayMuteChanged(bool on);
    void onRecordMuteChanged(bool on);

private:
    // The other input channels that follow a change of `channel`: the rest of its level group
    // and, in stereo input mode, its partner of the linked pair 0/1.
    QVector<int> inputFollowers(int channel, bool withGroup) const;
    QVector<int> outputFollowers(int channel) const;
    QWidget* buildRow(LevelWidget* row, DragScrollArea*& area);

    LevelWidget* m_inputs = nullptr;
    LevelWidget* m_outputs = nullptr;
    Splitter* m_splitter = nullptr;
    DragScrollArea* m_inputArea = nullptr;
    DragScrollArea* m_outputArea = nullptr;
    bool m_splitterRestored = false;
    int m_usbPlayInput = -1;
    int m_usbRecordOutput = -1;
    quint32 m_hiddenInputs = 0;
    quint32 m_hiddenOutputs = 0;
    quint32 m_danteInputs = 0;
    quint32 m_danteOutputs = 0;
};
