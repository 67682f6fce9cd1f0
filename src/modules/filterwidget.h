#pragma once

#include "blockedits.h"
#include "datamodel.h"
#include "modulepage.h"

#include <QMessageBox>
#include <array>
#include <functional>

class ButtonRow;
class FilterGraph;
class Knob;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

Q_DECLARE_METATYPE(DataModel::Filter::HLPF*)
Q_DECLARE_METATYPE(DataModel::Filter::PEQ*)

// The filter block of one channel: high-pass, low-pass and eight parametric bands, with their
// response drawn above them. The controls are the editor's state: every edit rebuilds the
// record from them and emits it for the page to store and send. The editor reads the model only
// to show the channel, the band or a report of the unit.
class FilterWidget : public ModulePage
{
    Q_OBJECT
public:
    // Asks for a band file: `save` picks a name to write, otherwise a file to read. Returns an
    // empty path when the user cancels.
    using FileChooser = std::function<QString(bool save, const QString& title)>;

    FilterWidget(DataModel& model, ReportRouter& router, BlockEdits::Side side,
                 QWidget* parent = nullptr);
    ~FilterWidget() override;

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    BlockEdits::Side side() const { return m_side; }
    FilterGraph* graph() const { return m_graph; }
    int selectedBand() const;

    // Loaders: each is ignored unless the channel is the one shown; a band other than the
    // selected one reaches the graph only.
    void loadHpf(int channel, const DataModel::Filter::HLPF& hpf);
    void loadLpf(int channel, const DataModel::Filter::HLPF& lpf);
    void loadBand(int channel, int band, const DataModel::Filter::PEQ& peq);
    void setAllEnabled(int channel, bool on);

signals:
    void channelCopy(uchar channel, uint inputMask, uint outputMask);
    void channelReset(uchar channel);
    void hpfChanged(uchar channel, DataModel::Filter::HLPF* hpf);
    void lpfChanged(uchar channel, DataModel::Filter::HLPF* lpf);
    void peqAllEnabled(uchar channel, bool on);
    void peqBandChanged(uchar channel, uchar band);
    void peqChanged(uchar channel, uchar band, DataModel::Filter::PEQ* peq);

public slots:
    void filterGraphHPFFreqChanged(float freq);
    void filterGraphLPFFreqChanged(float freq);
    void filterGraphPEQChanged(uchar band, float freq, float gain);
    void filterGraphCurrentBandChanged(uchar band);
    void copyToButtonClicked();
    void resetButtonClicked();
    void importButtonClicked();
    void exportButtonClicked();
    void hpfEnabledButtonClicked(bool checked);
    void hpfTypeButtonGroupButtonClicked(int id);
    void hpfSlopeButtonGroupButtonClicked(int id);
    void hpfFreqEditEditingFinished();
    void hpfFreqKnobValueChanged(int value);
    void peqAllEnabledButtonClicked(bool checked);
    void peqBandButtonGroupButtonClicked(int id);
    void peqEnabledButtonClicked(bool checked);
    void peqTypeButtonGroupButtonClicked(int id);
    void peqFreqEditEditingFinished();
    void peqFreqKnobValueChanged(int value);
    void peqGainEditEditingFinished();
    void peqGainKnobValueChanged(int value);
    void peqQKnobValueChanged(int value);
    void lpfEnabledButtonClicked(bool checked);
    void lpfTypeButtonGroupButtonClicked(int id);
    void lpfSlopeButtonGroupButtonClicked(int id);
    void lpfFreqEditEditingFinished();
    void lpfFreqKnobValueChanged(int value);

protected:
    void loadChannel(int channel) override;
    void retranslate() override;

private:
    // The controls of one pass filter; the high-pass and the low-pass are built alike.
    struct PassControls
    {
        QGroupBox* box = nullptr;
        QPushButton* enabled = nullptr;
        QLabel* typeLabel = nullptr;
        ButtonRow* type = nullptr;
        QLabel* slopeLabel = nullptr;
        ButtonRow* slope = nullptr;
        QLabel* freqLabel = nullptr;
        QLineEdit* freqEdit = nullptr;
        Knob* freqKnob = nullptr;
        double freq = 0.0; // as shown
    };

    QWidget* buildPass(PassControls& c, const QString& name, double freq);
    QWidget* buildPeq();
    void connectPass(PassControls& c, bool high);
    void showFrequency(QLineEdit* edit, Knob* knob, double f);
    void showPass(PassControls& c, const DataModel::Filter::HLPF& record);
    void showBand(const DataModel::Filter::PEQ& record);
    void showGain(double g);
    void showQ(int index);
    DataModel::Filter::HLPF passRecord(const PassControls& c) const;
    DataModel::Filter::PEQ bandRecord() const;
    // Ends an edit of a line edit once: leaving it by focus must not finish it again.
    void finishEdit(QLineEdit* edit);
    void passEdited(bool high);
    void passFrequencyTyped(bool high);
    void passFrequencyStepped(bool high, int step);
    void setPassFrequency(bool high, double f);
    void bandEdited();
    void selectBand(int band, bool announce);
    void updateGraphPass(bool high);
    void updateGraphBand();
    void refreshAllEnabled();
    std::array<DataModel::Filter::PEQ, wire::kPeqBands> channelBands() const;
    void sendImportedBands(int channel,
                           const std::array<DataModel::Filter::PEQ, wire::kPeqBands>& bands);
    void tell(QMessageBox::Icon icon, const QString& text, const QString& details = QString());

    BlockEdits::Side m_side;
    FilterGraph* m_graph = nullptr;
    FileChooser m_chooseFile;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_copyButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    PassControls m_hpf;
    PassControls m_lpf;
    QGroupBox* m_peqBox = nullptr;
    QPushButton* m_allEnabled = nullptr;
    QLabel* m_bandLabel = nullptr;
    ButtonRow* m_band = nullptr;
    QPushButton* m_peqEnabled = nullptr;
    QLabel* m_peqTypeLabel = nullptr;
    ButtonRow* m_peqType = nullptr;
    QLabel* m_peqFreqLabel = nullptr;
    QLineEdit* m_peqFreqEdit = nullptr;
    Knob* m_peqFreqKnob = nullptr;
    QLabel* m_gainLabel = nullptr;
    QLineEdit* m_gainEdit = nullptr;
    Knob* m_gainKnob = nullptr;
    QLabel* m_qLabel = nullptr;
    QLineEdit* m_qEdit = nullptr;
    Knob* m_qKnob = nullptr;
    double m_peqFreq = 100.0;
    double m_gain = 0.0;
    bool m_finishing = false;
};
