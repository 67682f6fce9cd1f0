#pragma once

#include "datamodel.h"
#include "dynamicsedits.h"
#include "dynamicsparameter.h"
#include "modulepage.h"

#include <vector>

class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;

// The gates of all input strips side by side, one column each: the channel's name, the switch,
// the state the unit reports (lit while the gate holds the channel closed), and threshold,
// attack and decay. Every control carries its channel number as its object name; an edit goes
// into the model's gate record of that channel and to the unit at once.
class GateWidget : public ModulePage
{
    Q_OBJECT
public:
    struct Column
    {
        Column(QWidget* parent);

        QFrame* frame;
        QLabel* name;
        QPushButton* enabled;
        QLabel* state;
        DynamicsParameter threshold;
        DynamicsParameter attack;
        DynamicsParameter decay;
    };

    GateWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    int columnCount() const { return int(m_columns.size()); }
    const Column& column(int channel) const { return m_columns[std::size_t(channel)]; }

    // Loaders; channels outside the strips are ignored.
    void loadGate(int channel, const DataModel::Gate& gate);
    void loadGateState(int channel, bool active);
    void setChannelLabel(int channel, const QString& text, const QString& toolTip);

public slots:
    void enabledButtonClicked(bool checked);
    void thresholdEditEditingFinished();
    void thresholdKnobValueChanged(int value);
    void attackEditEditingFinished();
    void attackKnobValueChanged(int value);
    void decayEditEditingFinished();
    void decayKnobValueChanged(int value);

protected:
    // Every column shows its channel: the page has no selector.
    void loadChannel(int channel) override;
    void applyProfile() override;
    void retranslate() override;

private:
    void addColumn(int channel);
    void updateColumnWidths();
    // The channel of the control that sent the signal being handled, or -1.
    int senderChannel() const;
    void showGate(int channel);
    void refreshLabel(int channel);

    DynamicsEdits m_edits;
    QWidget* m_columnsPane = nullptr;
    QGridLayout* m_grid = nullptr;
    QLabel* m_stateLabel = nullptr;
    QLabel* m_thresholdLabel = nullptr;
    QLabel* m_attackLabel = nullptr;
    QLabel* m_decayLabel = nullptr;
    std::vector<Column> m_columns;
};
