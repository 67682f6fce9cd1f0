#pragma once

#include "deviceprofile.h"
#include "leveledits.h"

#include <QFrame>
#include <QVector>

class DataModel;
class DragScrollArea;
class LevelWidget;
class ReportRouter;
class Splitter;

// The level strips of every input and output channel, the lower pane of the main window.
// The user's changes go through the level edits of the core (the mirror, the followers in the
// level group and the linked stereo pair of inputs 1 and 2, the fader travel, the command);
// the strips follow the unit's reports of levels, meters and labels.
class LevelContainerWidget : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kInputStrips = wire::kInputStrips;
    static constexpr int kOutputStrips = wire::kOutputCount;

    LevelContainerWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);
    ~LevelContainerWidget() override;

    LevelWidget* inputLevelWidget() const { return m_inputs; }
    LevelWidget* outputLevelWidget() const { return m_outputs; }
    Splitter* splitter() const { return m_splitter; }

    // Hides the profile's hidden channels and lays the inputs out for its USB play channel.
    void setProfile(const DeviceProfile& profile);

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
    QWidget* buildRow(LevelWidget* row, DragScrollArea*& area);
    void subscribeToReports();

    LevelWidget* m_inputs = nullptr;
    LevelWidget* m_outputs = nullptr;
    Splitter* m_splitter = nullptr;
    DragScrollArea* m_inputArea = nullptr;
    DragScrollArea* m_outputArea = nullptr;
    bool m_splitterRestored = false;
    DataModel& m_model;
    ReportRouter& m_router;
    LevelEdits m_edits;
    DeviceProfile m_profile;
};
