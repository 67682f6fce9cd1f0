#pragma once

#include "modulepage.h"

class ButtonRow;
class QLabel;

// Noise reduction: the input it runs on and its level there.
class ANCWidget : public ModulePage
{
    Q_OBJECT
public:
    ANCWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    ButtonRow* channelButtons() const { return m_channels; }
    ButtonRow* levelButtons() const { return m_levels; }
    int shownChannel() const;
    int shownLevel() const;
    // Shows the mirror's channel and its level; nothing changes when they are shown already.
    // Returns whether the controls changed.
    bool loadNoiseReduction();

public slots:
    void channelButtonGroupButtonClicked(int id);
    void noiseReductionLevelButtonGroupButtonClicked(int id);

protected:
    void applyProfile() override;
    void retranslate() override;

private:
    void refreshNames();

    QLabel* m_channelLabel = nullptr;
    ButtonRow* m_channels = nullptr;
    QLabel* m_levelLabel = nullptr;
    ButtonRow* m_levels = nullptr;
};
