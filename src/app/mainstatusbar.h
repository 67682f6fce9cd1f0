#pragma once

#include <QStatusBar>

class DataModel;
class QLabel;
class QPushButton;
class ReportRouter;

// The unit's vital signs along the bottom of the main window: DSP usage, serial number,
// system mute, temperature, fan and the firmware versions.
class MainStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    MainStatusBar(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    // Each re-reads its value from the model.
    void refreshDspUsage();
    void refreshSerialNumber();
    void refreshTemperature();
    void refreshFan();
    void refreshArmVersion();
    void refreshDspVersion();
    void refreshSystemMute();
    void refreshAll();

    QPushButton* muteButton() const { return m_muteButton; }

public slots:
    void systemMuteButtonClicked(bool checked);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    static QString fanTip();

    DataModel& m_model;
    QLabel* m_dspUsage = nullptr;
    QLabel* m_serialNumber = nullptr;
    QPushButton* m_muteButton = nullptr;
    QLabel* m_temperature = nullptr;
    QLabel* m_fan = nullptr;
    QLabel* m_armVersion = nullptr;
    QLabel* m_dspVersion = nullptr;
    QLabel* m_pcVersion = nullptr;
};
