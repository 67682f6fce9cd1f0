#pragma once

#include "matrixedits.h"
#include "modulepage.h"

class MatrixTableWidget;
class QPushButton;

// The "Matrix" page: every input's feed into every output, with "All Mix" and "Reset" for the
// whole grid. The grid's edits are written into the model's input records and sent at once
// (switches) or through the queue (gains); the unit's crosspoint reports reload the cells they
// changed. Rows and columns follow the channels' labels and the profile's hidden channels.
class MatrixWidget : public ModulePage
{
    Q_OBJECT
public:
    MatrixWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    MatrixTableWidget* table() const { return m_table; }
    QPushButton* allMixButton() const { return m_allMix; }
    QPushButton* resetButton() const { return m_reset; }

    // Loaders: each shows what the model holds, without sending anything.
    void loadEnabled(int input, int output);
    void loadGain(int input, int output);
    void loadAll();
    void loadLabels();

public slots:
    void tableWidgetEnabledChanged(QByteArray inputs, uchar output, bool enabled);
    void tableWidgetGainChanged(QByteArray inputs, uchar output, qint8 gain);
    // Either button: asks first, then brings every crosspoint to 0 dB, on ("All Mix") or off.
    void allMixButtonClicked();

protected:
    void loadChannel(int channel) override;
    void applyProfile() override;
    void retranslate() override;

private:
    void askAll(bool mix);
    // A report of one crosspoint (or, with 255, of a whole column or row) of a code.
    void reportArrived(bool enable, quint8 input, quint8 output);

    MatrixEdits m_edits;
    MatrixTableWidget* m_table = nullptr;
    QPushButton* m_allMix = nullptr;
    QPushButton* m_reset = nullptr;
};
