#pragma once

#include "datamodel.h"
#include "dynamicsedits.h"
#include "dynamicsparameter.h"
#include "modulepage.h"

class AGCGraph;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;

// The automatic gain control of one input: its static curve beside the switch and the
// threshold, target, ratio, attack and decay controls. Every edit goes into the model's AGC
// record of the shown input and to the unit; copies and resets are sent from here too.
class AGCWidget : public ModulePage
{
    Q_OBJECT
public:
    AGCWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    AGCGraph* graph() const { return m_graph; }

    // Ignored unless the channel is the one shown.
    void loadAgc(int channel, const DataModel::AGC& agc);

public slots:
    void agcGraphThresholdChanged(float threshold);
    void agcGraphTargetChanged(float target);
    void agcGraphRatioChanged(float ratio);
    void channelButtonGroupButtonClicked(int id);
    void copyToButtonClicked();
    void resetButtonClicked();
    void enabledButtonClicked(bool checked);
    void thresholdEditEditingFinished();
    void thresholdKnobValueChanged(int value);
    void targetEditEditingFinished();
    void targetKnobValueChanged(int value);
    void ratioEditEditingFinished();
    void ratioKnobValueChanged(int value);
    void attackEditEditingFinished();
    void attackKnobValueChanged(int value);
    void decayEditEditingFinished();
    void decayKnobValueChanged(int value);

protected:
    void loadChannel(int channel) override;
    void retranslate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addRow(int row, QLabel* caption, DynamicsParameter& parameter, const QString& name);
    // Shows the model's record of the shown input.
    void refresh();

    DynamicsEdits m_edits;
    AGCGraph* m_graph = nullptr;
    QPushButton* m_copyButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QGroupBox* m_box = nullptr;
    QGridLayout* m_grid = nullptr;
    QPushButton* m_enabled = nullptr;
    QLabel* m_thresholdLabel = nullptr;
    QLabel* m_targetLabel = nullptr;
    QLabel* m_ratioLabel = nullptr;
    QLabel* m_attackLabel = nullptr;
    QLabel* m_decayLabel = nullptr;
    DynamicsParameter m_threshold;
    DynamicsParameter m_target;
    DynamicsParameter m_ratio;
    DynamicsParameter m_attack;
    DynamicsParameter m_decay;
};
