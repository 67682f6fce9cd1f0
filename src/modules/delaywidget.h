#pragma once

#include "blockedits.h"
#include "modulepage.h"

#include <QVector>

class Knob;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;

// The delay of every input or every output, one column each: the time, the distance sound
// travels in it in metres and feet, and a knob. Any of the four sets the others; the delay goes
// to the page, which stores and sends it.
class DelayWidget : public ModulePage
{
    Q_OBJECT
public:
    DelayWidget(DataModel& model, ReportRouter& router, BlockEdits::Side side,
                QWidget* parent = nullptr);

    BlockEdits::Side side() const { return m_side; }
    int channelCount() const { return int(m_columns.size()); }
    QDoubleSpinBox* millisecondsBox(int channel) const { return m_columns[channel].ms; }
    QDoubleSpinBox* metersBox(int channel) const { return m_columns[channel].metres; }
    QDoubleSpinBox* feetBox(int channel) const { return m_columns[channel].feet; }
    Knob* delayKnob(int channel) const { return m_columns[channel].knob; }

    // Shows the mirror's delay of a channel.
    void loadDelay(int channel);

signals:
    void dataChanged(uchar channel, float ms);

public slots:
    void millisecondsBoxValueChanged(double value);
    void metersBoxValueChanged(double value);
    void feetBoxValueChanged(double value);
    void delayKnobValueChanged(int value);

protected:
    void applyProfile() override;
    void retranslate() override;

private:
    struct Column
    {
        QLabel* name = nullptr;
        QDoubleSpinBox* ms = nullptr;
        QDoubleSpinBox* metres = nullptr;
        QDoubleSpinBox* feet = nullptr;
        Knob* knob = nullptr;
    };

    bool input() const { return m_side == BlockEdits::Side::Input; }
    void buildColumn(QGridLayout* grid, int channel);
    void refreshNames();
    // Shows `ms` in every control of the channel without their change signals.
    void show(int channel, double ms);
    void changed(int channel, double ms);

    BlockEdits::Side m_side;
    QLabel* m_msLabel = nullptr;
    QLabel* m_metresLabel = nullptr;
    QLabel* m_feetLabel = nullptr;
    QVector<Column> m_columns;
};
