#pragma once

#include "modulepage.h"
#include "wire/ranges.h"

#include <array>

class AecDiagram;
class ButtonRow;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

// Echo cancellation for a video conference: its switch and level over the drawing of the
// signal flow, and the inputs that carry the room's microphones.
class AECWidget : public ModulePage
{
    Q_OBJECT
public:
    AECWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    AecDiagram* diagram() const { return m_diagram; }
    QPushButton* enabledButton() const { return m_enabled; }
    ButtonRow* levelButtons() const { return m_level; }
    QCheckBox* localMicCheckBox(int channel) const { return m_mics[std::size_t(channel)]; }

    void loadEnabled();
    void loadSettings();

public slots:
    void enabledButtonClicked(bool checked);
    void localMicCheckBoxClicked(bool checked);
    void levelButtonGroupButtonClicked(int id);

protected:
    void applyProfile() override;
    void retranslate() override;

private:
    enum Caption
    {
        FromFarEnd,
        ToFarEnd,
        Source,
        Amplifier,
        LocalSetting,
        Canceller,
        Level,
        CaptionCount
    };

    QLabel* caption(const QRectF& rect, Qt::Alignment alignment);
    void refreshNames();

    AecDiagram* m_diagram = nullptr;
    std::array<QLabel*, CaptionCount> m_captions{};
    QPushButton* m_enabled = nullptr;
    ButtonRow* m_level = nullptr;
    QLabel* m_prompt = nullptr;
    std::array<QCheckBox*, wire::kAnalogueInputs> m_mics{};
};
