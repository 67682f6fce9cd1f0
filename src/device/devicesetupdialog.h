#pragma once

#include "devicesetupedits.h"
#include "editorwindow.h"

#include <QVector>
#include <functional>

class DoubleClickLabel;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

// The connected unit's identity and health, and its system settings: location and
// description, network, gate report, serial port, fan test, login password and the fader
// range of every level strip. Each control shows the model's value; a change is sent at once
// and the unit's next report confirms it.
class DeviceSetupDialog : public EditorWindow
{
    Q_OBJECT
public:
    using Strip = DeviceSetupEdits::Strip;
    using Limit = DeviceSetupEdits::Limit;

    DeviceSetupDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);
    ~DeviceSetupDialog() override;

    // The spin box of one end of a strip's range.
    QSpinBox* limitBox(Strip strip, int channel, Limit limit) const;
    QFrame* statusIndicator(int bit) const { return m_indicators.value(bit); }
    bool isTemperatureRowShown() const;
    bool isMacRowShown() const;
    bool isBlinking() const;
    // How the password is asked for; tests replace it. True when accepted, with both texts.
    void setPasswordPrompt(std::function<bool(QString*, QString*)> prompt);

    // --- refresh operations: each re-reads one value from the model
    void refreshDeviceModel();
    void refreshDspVersion();
    void refreshArmVersion();
    void refreshSerialNumber();
    void refreshBootCount();
    void refreshTemperature();
    void refreshRunTime();
    void refreshUsbState();
    void refreshLocation();
    void refreshDescription();
    void refreshIpAddress();
    void refreshNetmask();
    void refreshGateway();
    void refreshMacAddress();
    void refreshDeviceId();
    void refreshCodeValue();
    void refreshGateReport();
    void refreshRs232Rate();
    void refreshRs485Rate();
    void refreshFanState();
    void refreshDeviceStatus();
    void refreshFaderRange(Strip strip, int channel);

public slots:
    void deviceModelTitleLabelDoubleClicked();
    void armVersionLabelDoubleClicked();
    void deviceLocationEditingFinished();
    void deviceDescriptionEditingFinished();
    void ipAddressEditingFinished();
    void netmaskEditingFinished();
    void gatewayEditingFinished();
    void changePasswordButtonClicked();
    void gateReportComboBoxCurrentIndexChanged(int index);
    void rs232ComboBoxCurrentIndexChanged(int index);
    void fanButtonClicked(bool checked);
    void inputMinimumBoxValueChanged(int value);
    void inputMaximumBoxValueChanged(int value);
    void outputMinimumBoxValueChanged(int value);
    void outputMaximumBoxValueChanged(int value);
    void timeout();

protected:
    void retranslate() override;
    void applyProfile() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Address = DeviceSetupEdits::Address;
    struct Row
    {
        QLabel* caption = nullptr;
        QWidget* value = nullptr;
        void setVisible(bool visible) const;
    };
    struct LimitTable
    {
        QGroupBox* group = nullptr;
        QTableWidget* table = nullptr;
        QVector<QSpinBox*> minimum;
        QVector<QSpinBox*> maximum;
    };

    QWidget* buildInformation();
    QWidget* buildStatus();
    QWidget* buildSetup();
    QWidget* buildGeneral();
    QWidget* buildVolumeLimit();
    void buildLimitTable(LimitTable& t, Strip strip);
    void subscribeReports();
    QLabel* addValueRow(QWidget* parent, QGridLayout* grid, Row& row, QLabel* caption);
    QLineEdit* addEditRow(QWidget* parent, QGridLayout* grid, Row& row, bool readOnly);

    // Ends an edit once: the focus leaving the field must not end it a second time.
    bool beginFinish(QLineEdit* field);
    void finishText(QLineEdit* field, bool location);
    void finishAddress(QLineEdit* field, Address which);
    void limitChanged(Strip strip, Limit limit, int value);
    void showInformation(const QString& title, const QString& text);
    void setIndicator(int bit, const QString& status, const QString& toolTip);
    void refreshChannelNames();
    QString channelName(Strip strip, int channel) const;

    DeviceSetupEdits m_edits;
    std::function<bool(QString*, QString*)> m_askPassword;
    bool m_finishing = false;
    bool m_armLongForm = false;
    bool m_blinkOn = false;
    QTimer* m_blinkTimer;

    QGroupBox* m_informationGroup = nullptr;
    QGroupBox* m_statusGroup = nullptr;
    QGroupBox* m_setupGroup = nullptr;
    QGroupBox* m_generalGroup = nullptr;
    QGroupBox* m_volumeGroup = nullptr;

    DoubleClickLabel* m_modelCaption = nullptr;
    DoubleClickLabel* m_armCaption = nullptr;
    Row m_modelRow, m_dspRow, m_armRow, m_serialRow, m_bootRow, m_temperatureRow, m_runTimeRow,
        m_usbRow, m_codeRow;
    QLabel* m_modelValue = nullptr;
    QLabel* m_dspValue = nullptr;
    QLabel* m_armValue = nullptr;
    QLabel* m_serialValue = nullptr;
    QLabel* m_bootValue = nullptr;
    QLabel* m_temperatureValue = nullptr;
    QLabel* m_runTimeValue = nullptr;
    QLabel* m_usbValue = nullptr;
    QLabel* m_codeValue = nullptr;

    QVector<QFrame*> m_indicators;
    QVector<QLabel*> m_indicatorCaptions;

    Row m_idRow, m_locationRow, m_descriptionRow, m_ipRow, m_maskRow, m_gatewayRow, m_macRow,
        m_gateReportRow, m_rs232Row, m_rs485Row;
    QLineEdit* m_idEdit = nullptr;
    QLineEdit* m_locationEdit = nullptr;
    QLineEdit* m_descriptionEdit = nullptr;
    QLineEdit* m_ipEdit = nullptr;
    QLineEdit* m_maskEdit = nullptr;
    QLineEdit* m_gatewayEdit = nullptr;
    QLineEdit* m_macEdit = nullptr;
    QComboBox* m_gateReportBox = nullptr;
    QComboBox* m_rs232Box = nullptr;
    QComboBox* m_rs485Box = nullptr;
    QPushButton* m_fanButton = nullptr;

    QLabel* m_passwordCaption = nullptr;
    QPushButton* m_passwordButton = nullptr;

    LimitTable m_inputs;
    LimitTable m_outputs;
};
