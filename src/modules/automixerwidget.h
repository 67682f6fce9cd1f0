#pragma once

#include "automixerinfodialog.h"
#include "modulepage.h"

#include <QPointer>
#include <array>

class AutoMixerMeter;
class InfoButton;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The two auto-mixer groups: per input a strip with the mixer's attenuation and the level after
// it, the channel's weight and its group; the groups' switches, the reset and the instructions.
class AutoMixerWidget : public ModulePage
{
    Q_OBJECT
public:
    static constexpr int kChannels = 16;

    AutoMixerWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    QFrame* strip(int channel) const { return m_strips[std::size_t(channel)].frame; }
    QSlider* weightSlider(int channel) const { return m_strips[std::size_t(channel)].slider; }
    QLineEdit* weightEdit(int channel) const { return m_strips[std::size_t(channel)].edit; }
    // Group 1 or 2.
    QPushButton* groupButton(int channel, int group) const;
    AutoMixerMeter* attenuationMeter(int channel) const
    {
        return m_strips[std::size_t(channel)].attenuation;
    }
    AutoMixerMeter* levelMeter(int channel) const { return m_strips[std::size_t(channel)].level; }
    QPushButton* enabledButton(int group) const { return m_enabled[std::size_t(group)]; }
    QPushButton* resetButton() const { return m_reset; }
    InfoButton* infoButton() const { return m_info; }
    AutoMixerInfoDialog* infoDialog() const { return m_infoDialog; }

    void loadWeight(int channel);
    void loadGroup(int channel);
    void loadEnabled();
    void loadMeters();

public slots:
    void weightEditingFinished();
    void weightSliderValueChanged(int value);
    void weightSliderReleased();
    void groupButtonClicked(bool checked);
    void enabledButtonClicked(bool checked);
    void resetButtonClicked();
    void infoButtonClicked();

protected:
    void applyProfile() override;
    void retranslate() override;

private:
    struct Strip
    {
        QFrame* frame = nullptr;
        QLabel* name = nullptr;
        AutoMixerMeter* attenuation = nullptr;
        AutoMixerMeter* level = nullptr;
        QSlider* slider = nullptr;
        QLineEdit* edit = nullptr;
        QPushButton* am1 = nullptr;
        QPushButton* am2 = nullptr;
    };

    void buildStrip(int channel);
    void loadAll();
    void refreshNames();
    void showWeight(int channel, double weight);

    std::array<Strip, kChannels> m_strips;
    std::array<QPushButton*, 2> m_enabled{};
    QPushButton* m_reset = nullptr;
    InfoButton* m_info = nullptr;
    QPointer<AutoMixerInfoDialog> m_infoDialog;
    bool m_finishing = false;
};
