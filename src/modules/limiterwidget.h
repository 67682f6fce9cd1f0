#pragma once

#include "blockedits.h"
#include "datamodel.h"
#include "dynamicsparameter.h"
#include "modulepage.h"

class LimiterGraph;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;

Q_DECLARE_METATYPE(DataModel::Limiter*)

// The limiter of one input or output channel: its transfer curve beside the switch and the
// threshold, ratio, attack and decay controls. The controls are the editor's state: every edit
// rebuilds the record from them and emits it for the page to store and send. The editor reads
// the model only to show a channel or a report of the unit.
class LimiterWidget : public ModulePage
{
    Q_OBJECT
public:
    LimiterWidget(DataModel& model, ReportRouter& router, BlockEdits::Side side,
                  QWidget* parent = nullptr);

    BlockEdits::Side side() const { return m_side; }
    LimiterGraph* graph() const { return m_graph; }
    // The record the controls show.
    DataModel::Limiter record() const;

    // Ignored unless the channel is the one shown.
    void loadLimiter(int channel, const DataModel::Limiter& limiter);

signals:
    void channelCopy(uchar channel, uint inputMask, uint outputMask);
    void channelReset(uchar channel);
    void dataChanged(uchar channel, DataModel::Limiter* limiter);

public slots:
    void limiterGraphThresholdChanged(double threshold);
    void limiterGraphRatioChanged(double ratio);
    void channelButtonGroupButtonClicked(int id);
    void copyToButtonClicked();
    void resetButtonClicked();
    void enabledButtonClicked(bool checked);
    void thresholdEditEditingFinished();
    void thresholdKnobValueChanged(int value);
    void ratioEditEditingFinished();
    void ratioKnobValueChanged(int value);
    void attackEditEditingFinished();
    void attackKnobValueChanged(int value);
    void decayEditEditingFinished();
    void decayKnobValueChanged(int value);

protected:
    void loadChannel(int channel) override;
    void retranslate() override;

private:
    void addRow(int row, QLabel* caption, DynamicsParameter& parameter, const QString& name);
    void edited();

    BlockEdits::Side m_side;
    LimiterGraph* m_graph = nullptr;
    QPushButton* m_copyButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QGroupBox* m_box = nullptr;
    QPushButton* m_enabled = nullptr;
    QGridLayout* m_grid = nullptr;
    QLabel* m_thresholdLabel = nullptr;
    QLabel* m_ratioLabel = nullptr;
    QLabel* m_attackLabel = nullptr;
    QLabel* m_decayLabel = nullptr;
    DynamicsParameter m_threshold;
    DynamicsParameter m_ratio;
    DynamicsParameter m_attack;
    DynamicsParameter m_decay;
};
