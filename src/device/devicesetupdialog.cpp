#include "devicesetupdialog.h"

#include "addressfield.h"
#include "datamodel.h"
#include "devicemodeldialog.h"
#include "doubleclicklabel.h"
#include "twofieldinputdialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using Address = DeviceSetupEdits::Address;
using Outcome = DeviceSetupEdits::Outcome;
using Strip = DeviceSetupEdits::Strip;
using Limit = DeviceSetupEdits::Limit;

namespace {

constexpr int kFieldHeight = 25;
constexpr int kFieldWidth = 170;
constexpr int kBlinkMs = 500;
constexpr int kIndicatorSize = 10;
constexpr int kLimitColumnWidth = 76;
const quint32 kBaudRates[] = {9600, 19200, 57600, 115200};

QString statusCaption(int bit)
{
    switch (bit) {
    case 0:
        return QStringLiteral("DSP");
    case 1:
        return QStringLiteral("ADC");
    case 2:
        return QStringLiteral("DAC");
    case 3:
        return QStringLiteral("IO EXT") + QStringLiteral("-1");
    case 4:
        return QStringLiteral("IO EXT") + QStringLiteral("-2");
    case 5:
        return QStringLiteral("EPROM");
    case 6:
        return QStringLiteral("Temp");
    default:
        return QStringLiteral("Ethernet");
    }
}

void repolish(QWidget* widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

void setComboText(QComboBox* box, const QString& text)
{
    const int index = box->findText(text);
    if (index < 0 || index == box->currentIndex())
        return;
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

void setLineText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

} // namespace

void DeviceSetupDialog::Row::setVisible(bool visible) const
{
    caption->setVisible(visible);
    value->setVisible(visible);
}

DeviceSetupDialog::DeviceSetupDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("DeviceSetupGeometry"), parent), m_edits(model),
      m_blinkTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("deviceSetupDialog"));
    setRefreshFlag(Refresher::DeviceSetup);
    m_blinkTimer->setInterval(kBlinkMs);
    connect(m_blinkTimer, &QTimer::timeout, this, &DeviceSetupDialog::timeout);
    m_askPassword = [this](QString* password, QString* confirmation) {
        TwoFieldInputDialog dialog(this);
        dialog.setWindowTitle(tr("Login Password Setting"));
        dialog.setLabels(tr("New Password"), tr("Confirm Password"));
        dialog.setMaxLength(DeviceSetupEdits::kPasswordCharacters);
        dialog.setEchoMode(QLineEdit::Password);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        *password = dialog.firstText();
        *confirmation = dialog.secondText();
        return true;
    };

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(buildInformation());
    left->addWidget(buildStatus());
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->setSpacing(8);
    middle->addWidget(buildSetup());
    middle->addWidget(buildGeneral());
    middle->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(left);
    layout->addLayout(middle);
    layout->addWidget(buildVolumeLimit(), 1);
    if (!geometryRestored())
        resize(sizeHint().width(), 620);

    subscribeReports();
    connect(&model, &DataModel::tcpLoginChanged, this, [this] { refreshDeviceStatus(); });
    retranslate();
    for (auto refresh :
         {&DeviceSetupDialog::refreshDeviceModel, &DeviceSetupDialog::refreshDspVersion,
          &DeviceSetupDialog::refreshArmVersion,  &DeviceSetupDialog::refreshSerialNumber,
          &DeviceSetupDialog::refreshBootCount,   &DeviceSetupDialog::refreshTemperature,
          &DeviceSetupDialog::refreshRunTime,     &DeviceSetupDialog::refreshLocation,
          &DeviceSetupDialog::refreshDescription, &DeviceSetupDialog::refreshIpAddress,
          &DeviceSetupDialog::refreshNetmask,     &DeviceSetupDialog::refreshGateway,
          &DeviceSetupDialog::refreshMacAddress,  &DeviceSetupDialog::refreshDeviceId,
          &DeviceSetupDialog::refreshCodeValue,   &DeviceSetupDialog::refreshGateReport,
          &DeviceSetupDialog::refreshRs232Rate,   &DeviceSetupDialog::refreshRs485Rate,
          &DeviceSetupDialog::refreshFanState,    &DeviceSetupDialog::refreshDeviceStatus})
        (this->*refresh)();
    for (Strip strip : {Strip::Input, Strip::Output}) {
        for (int ch = 0; ch < DeviceSetupEdits::stripCount(strip); ++ch)
            refreshFaderRange(strip, ch);
    }
}

DeviceSetupDialog::~DeviceSetupDialog()
{
    detachLineEdits(this);
}

// --- building

QLabel* DeviceSetupDialog::addValueRow(QWidget* parent, QGridLayout* grid, Row& row,
                                       QLabel* caption)
{
    auto* value = new QLabel(parent);
    value->setProperty("setupValue", true);
    value->setAlignment(Qt::AlignCenter);
    value->setFixedHeight(kFieldHeight);
    value->setMinimumWidth(kFieldWidth);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int r = grid->rowCount();
    grid->addWidget(caption, r, 0);
    grid->addWidget(value, r, 1);
    row.caption = caption;
    row.value = value;
    return value;
}

QLineEdit* DeviceSetupDialog::addEditRow(QWidget* parent, QGridLayout* grid, Row& row,
                                         bool readOnly)
{
    auto* caption = new QLabel(parent);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedHeight(kFieldHeight);
    edit->setMinimumWidth(kFieldWidth);
    edit->setReadOnly(readOnly);
    // Read-only values can be selected and copied, but never take the focus by themselves.
    if (readOnly)
        edit->setFocusPolicy(Qt::ClickFocus);
    const int r = grid->rowCount();
    grid->addWidget(caption, r, 0);
    grid->addWidget(edit, r, 1);
    row.caption = caption;
    row.value = edit;
    return edit;
}

QWidget* DeviceSetupDialog::buildInformation()
{
    m_informationGroup = new QGroupBox(this);
    m_informationGroup->setObjectName(QStringLiteral("deviceInformationGroup"));
    auto* grid = new QGridLayout(m_informationGroup);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    QWidget* g = m_informationGroup;
    m_modelCaption = new DoubleClickLabel(g);
    m_modelCaption->setObjectName(QStringLiteral("deviceModelTitleLabel"));
    m_armCaption = new DoubleClickLabel(g);
    m_armCaption->setObjectName(QStringLiteral("armVersionTitleLabel"));
    m_modelValue = addValueRow(g, grid, m_modelRow, m_modelCaption);
    m_dspValue = addValueRow(g, grid, m_dspRow, new QLabel(g));
    m_armValue = addValueRow(g, grid, m_armRow, m_armCaption);
    m_serialValue = addValueRow(g, grid, m_serialRow, new QLabel(g));
    m_bootValue = addValueRow(g, grid, m_bootRow, new QLabel(g));
    m_temperatureValue = addValueRow(g, grid, m_temperatureRow, new QLabel(g));
    m_runTimeValue = addValueRow(g, grid, m_runTimeRow, new QLabel(g));
    m_usbValue = addValueRow(g, grid, m_usbRow, new QLabel(g));
    m_codeValue = addValueRow(g, grid, m_codeRow, new QLabel(g));
    m_modelValue->setObjectName(QStringLiteral("deviceModelValue"));
    m_dspValue->setObjectName(QStringLiteral("dspVersionValue"));
    m_armValue->setObjectName(QStringLiteral("armVersionValue"));
    m_serialValue->setObjectName(QStringLiteral("serialNumberValue"));
    m_bootValue->setObjectName(QStringLiteral("bootCountValue"));
    m_temperatureValue->setObjectName(QStringLiteral("temperatureValue"));
    m_runTimeValue->setObjectName(QStringLiteral("runTimeValue"));
    m_usbValue->setObjectName(QStringLiteral("usbStatusValue"));
    m_codeValue->setObjectName(QStringLiteral("codeIdValue"));
    connect(m_modelCaption, &DoubleClickLabel::doubleClicked, this,
            &DeviceSetupDialog::deviceModelTitleLabelDoubleClicked);
    connect(m_armCaption, &DoubleClickLabel::doubleClicked, this,
            &DeviceSetupDialog::armVersionLabelDoubleClicked);
    return m_informationGroup;
}

QWidget* DeviceSetupDialog::buildStatus()
{
    m_statusGroup = new QGroupBox(this);
    m_statusGroup->setObjectName(QStringLiteral("deviceStatusGroup"));
    auto* grid = new QGridLayout(m_statusGroup);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    constexpr int kPerRow = 4;
    for (int bit = 0; bit < DeviceSetupEdits::kStatusBits; ++bit) {
        auto* indicator = new QFrame(m_statusGroup);
        indicator->setObjectName(QStringLiteral("statusIndicator%1").arg(bit));
        indicator->setFixedSize(kIndicatorSize, kIndicatorSize);
        indicator->setProperty("status", QStringLiteral("0"));
        auto* caption = new QLabel(statusCaption(bit), m_statusGroup);
        const int r = bit / kPerRow;
        const int c = (bit % kPerRow) * 2;
        grid->addWidget(indicator, r, c, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, r, c + 1);
        grid->setColumnStretch(c + 1, 1);
        m_indicators << indicator;
        m_indicatorCaptions << caption;
    }
    return m_statusGroup;
}

QWidget* DeviceSetupDialog::buildSetup()
{
    m_setupGroup = new QGroupBox(this);
    m_setupGroup->setObjectName(QStringLiteral("deviceSetupGroup"));
    auto* grid = new QGridLayout(m_setupGroup);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    QWidget* g = m_setupGroup;
    m_idEdit = addEditRow(g, grid, m_idRow, true);
    m_locationEdit = addEditRow(g, grid, m_locationRow, false);
    m_descriptionEdit = addEditRow(g, grid, m_descriptionRow, false);
    m_ipEdit = addEditRow(g, grid, m_ipRow, false);
    m_maskEdit = addEditRow(g, grid, m_maskRow, false);
    m_gatewayEdit = addEditRow(g, grid, m_gatewayRow, false);
    m_macEdit = addEditRow(g, grid, m_macRow, true);
    m_idEdit->setObjectName(QStringLiteral("deviceIdEdit"));
    m_locationEdit->setObjectName(QStringLiteral("deviceLocationEdit"));
    m_descriptionEdit->setObjectName(QStringLiteral("deviceDescriptionEdit"));
    m_ipEdit->setObjectName(QStringLiteral("ipAddressEdit"));
    m_maskEdit->setObjectName(QStringLiteral("netmaskEdit"));
    m_gatewayEdit->setObjectName(QStringLiteral("gatewayEdit"));
    m_macEdit->setObjectName(QStringLiteral("macAddressEdit"));
    m_locationEdit->setMaxLength(wire::kLocationBytes);
    m_descriptionEdit->setMaxLength(wire::kDescriptionBytes);
    m_ipEdit->setValidator(AddressField::unicastValidator(m_ipEdit));
    m_maskEdit->setValidator(AddressField::octetValidator(m_maskEdit));
    m_gatewayEdit->setValidator(AddressField::unicastValidator(m_gatewayEdit));
    connect(m_locationEdit, &QLineEdit::editingFinished, this,
            &DeviceSetupDialog::deviceLocationEditingFinished);
    connect(m_descriptionEdit, &QLineEdit::editingFinished, this,
            &DeviceSetupDialog::deviceDescriptionEditingFinished);
    connect(m_ipEdit, &QLineEdit::editingFinished, this,
            &DeviceSetupDialog::ipAddressEditingFinished);
    connect(m_maskEdit, &QLineEdit::editingFinished, this,
            &DeviceSetupDialog::netmaskEditingFinished);
    connect(m_gatewayEdit, &QLineEdit::editingFinished, this,
            &DeviceSetupDialog::gatewayEditingFinished);
    // A field whose text its validator does not take (cleared, unfinished) ends no edit by
    // itself; leaving it must still refill it.
    for (QLineEdit* field : {m_ipEdit, m_maskEdit, m_gatewayEdit})
        field->installEventFilter(this);

    const auto addCombo = [&](Row& row, const QString& name) {
        auto* caption = new QLabel(g);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* box = new QComboBox(g);
        box->setObjectName(name);
        box->setFixedHeight(kFieldHeight);
        const int r = grid->rowCount();
        grid->addWidget(caption, r, 0);
        grid->addWidget(box, r, 1);
        row.caption = caption;
        row.value = box;
        return box;
    };
    m_gateReportBox = addCombo(m_gateReportRow, QStringLiteral("gateReportComboBox"));
    m_gateReportBox->addItems({QString(), QString()});
    m_rs232Box = addCombo(m_rs232Row, QStringLiteral("rs232ComboBox"));
    m_rs485Box = addCombo(m_rs485Row, QStringLiteral("rs485ComboBox"));
    for (quint32 baud : kBaudRates) {
        m_rs232Box->addItem(QString::number(baud));
        m_rs485Box->addItem(QString::number(baud));
    }
    m_rs232Box->setCurrentText(QStringLiteral("115200"));
    m_rs485Box->setCurrentText(QStringLiteral("19200"));
    m_rs485Box->setEnabled(false);
    connect(m_gateReportBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DeviceSetupDialog::gateReportComboBoxCurrentIndexChanged);
    connect(m_rs232Box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DeviceSetupDialog::rs232ComboBoxCurrentIndexChanged);

    m_fanButton = new QPushButton(g);
    m_fanButton->setObjectName(QStringLiteral("fanButton"));
    m_fanButton->setCheckable(true);
    m_fanButton->setFixedHeight(kFieldHeight);
    grid->addWidget(m_fanButton, grid->rowCount(), 1);
    connect(m_fanButton, &QPushButton::clicked, this, &DeviceSetupDialog::fanButtonClicked);
    return m_setupGroup;
}

QWidget* DeviceSetupDialog::buildGeneral()
{
    m_generalGroup = new QGroupBox(this);
    m_generalGroup->setObjectName(QStringLiteral("generalSetupGroup"));
    auto* grid = new QGridLayout(m_generalGroup);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    m_passwordCaption = new QLabel(m_generalGroup);
    m_passwordCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_passwordButton = new QPushButton(m_generalGroup);
    m_passwordButton->setObjectName(QStringLiteral("changePasswordButton"));
    m_passwordButton->setFixedHeight(kFieldHeight);
    grid->addWidget(m_passwordCaption, 0, 0);
    grid->addWidget(m_passwordButton, 0, 1);
    connect(m_passwordButton, &QPushButton::clicked, this,
            &DeviceSetupDialog::changePasswordButtonClicked);
    return m_generalGroup;
}

QWidget* DeviceSetupDialog::buildVolumeLimit()
{
    m_volumeGroup = new QGroupBox(this);
    m_volumeGroup->setObjectName(QStringLiteral("volumeLimitGroup"));
    auto* layout = new QHBoxLayout(m_volumeGroup);
    layout->setContentsMargins(8, 16, 8, 8);
    layout->setSpacing(8);
    buildLimitTable(m_inputs, Strip::Input);
    buildLimitTable(m_outputs, Strip::Output);
    layout->addWidget(m_inputs.group, 1);
    layout->addWidget(m_outputs.group, 1);
    return m_volumeGroup;
}

void DeviceSetupDialog::buildLimitTable(LimitTable& t, Strip strip)
{
    const bool in = strip == Strip::Input;
    t.group = new QGroupBox(m_volumeGroup);
    auto* layout = new QVBoxLayout(t.group);
    layout->setContentsMargins(4, 16, 4, 4);
    const int rows = DeviceSetupEdits::stripCount(strip);
    t.table = new QTableWidget(rows, 3, t.group);
    t.table->setObjectName(in ? QStringLiteral("inputLimitTable")
                              : QStringLiteral("outputLimitTable"));
    t.table->verticalHeader()->setVisible(false);
    t.table->verticalHeader()->setDefaultSectionSize(kFieldHeight + 4);
    t.table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    t.table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    t.table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    t.table->setColumnWidth(1, kLimitColumnWidth);
    t.table->setColumnWidth(2, kLimitColumnWidth);
    t.table->setSelectionMode(QAbstractItemView::NoSelection);
    t.table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t.table->setFocusPolicy(Qt::NoFocus);
    t.table->setMinimumWidth(110 + 2 * kLimitColumnWidth);
    const auto onMinimum = in ? &DeviceSetupDialog::inputMinimumBoxValueChanged
                              : &DeviceSetupDialog::outputMinimumBoxValueChanged;
    const auto onMaximum = in ? &DeviceSetupDialog::inputMaximumBoxValueChanged
                              : &DeviceSetupDialog::outputMaximumBoxValueChanged;
    for (int ch = 0; ch < rows; ++ch) {
        auto* name = new QTableWidgetItem;
        name->setTextAlignment(Qt::AlignCenter);
        t.table->setItem(ch, 0, name);
        for (int column : {1, 2}) {
            auto* box = new QSpinBox(t.table);
            box->setObjectName(QString::number(ch));
            box->setRange(int(wire::range::FaderLimit.lo), int(wire::range::FaderLimit.hi));
            box->setSingleStep(1);
            box->setAlignment(Qt::AlignCenter);
            // A typed value is sent once, when it is complete.
            box->setKeyboardTracking(false);
            box->setValue(column == 1 ? int(wire::range::FaderLimit.lo)
                                      : int(wire::range::FaderLimit.hi));
            connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this,
                    column == 1 ? onMinimum : onMaximum);
            t.table->setCellWidget(ch, column, box);
            (column == 1 ? t.minimum : t.maximum) << box;
        }
    }
    layout->addWidget(t.table);
}

void DeviceSetupDialog::subscribeReports()
{
    using namespace wire;
    using Event = ReportRouter::Event;
    const auto on = [this](Code c, void (DeviceSetupDialog::*refresh)()) {
        subscribe(c, [this, refresh](const Event&) { (this->*refresh)(); });
    };
    on(code::Model, &DeviceSetupDialog::refreshDeviceModel);
    on(code::DspVersion, &DeviceSetupDialog::refreshDspVersion);
    on(code::DspVersionText, &DeviceSetupDialog::refreshDspVersion);
    on(code::ArmVersion, &DeviceSetupDialog::refreshArmVersion);
    on(code::BuildNumber, &DeviceSetupDialog::refreshArmVersion);
    on(code::VersionText, &DeviceSetupDialog::refreshArmVersion);
    on(code::SerialNumber, &DeviceSetupDialog::refreshSerialNumber);
    on(code::BootCount, &DeviceSetupDialog::refreshBootCount);
    on(code::Temperature, &DeviceSetupDialog::refreshTemperature);
    on(code::RunTime, &DeviceSetupDialog::refreshRunTime);
    on(code::UsbStorage, &DeviceSetupDialog::refreshUsbState);
    on(code::Location, &DeviceSetupDialog::refreshLocation);
    on(code::Description, &DeviceSetupDialog::refreshDescription);
    on(code::MacAddress, &DeviceSetupDialog::refreshMacAddress);
    on(code::DeviceId, &DeviceSetupDialog::refreshDeviceId);
    on(code::StatusValue33, &DeviceSetupDialog::refreshCodeValue);
    on(code::GateReport, &DeviceSetupDialog::refreshGateReport);
    on(code::Rs232Baud, &DeviceSetupDialog::refreshRs232Rate);
    on(code::Rs485Baud, &DeviceSetupDialog::refreshRs485Rate);
    on(code::Fan, &DeviceSetupDialog::refreshFanState);
    on(code::DeviceStatus, &DeviceSetupDialog::refreshDeviceStatus);
    subscribe(code::NetworkSettings, [this](const Event&) {
        refreshIpAddress();
        refreshNetmask();
        refreshGateway();
    });
    const auto ranges = [this](Strip strip) {
        return [this, strip](const Event& e) {
            if (e.channel != 255) {
                refreshFaderRange(strip, e.channel);
                return;
            }
            for (int ch = 0; ch < DeviceSetupEdits::stripCount(strip); ++ch)
                refreshFaderRange(strip, ch);
        };
    };
    subscribe(code::InputFaderRange, ranges(Strip::Input));
    subscribe(code::OutputFaderRange, ranges(Strip::Output));
    subscribe(code::InputLabels, [this](const Event&) { refreshChannelNames(); });
    subscribe(code::OutputLabels, [this](const Event&) { refreshChannelNames(); });
}

// --- access

QSpinBox* DeviceSetupDialog::limitBox(Strip strip, int channel, Limit limit) const
{
    const LimitTable& t = strip == Strip::Input ? m_inputs : m_outputs;
    return (limit == Limit::Minimum ? t.minimum : t.maximum).value(channel);
}

bool DeviceSetupDialog::isTemperatureRowShown() const
{
    return !m_temperatureRow.value->isHidden();
}

bool DeviceSetupDialog::isMacRowShown() const
{
    return !m_macRow.value->isHidden();
}

bool DeviceSetupDialog::isBlinking() const
{
    return m_blinkTimer->isActive();
}

void DeviceSetupDialog::setPasswordPrompt(std::function<bool(QString*, QString*)> prompt)
{
    m_askPassword = std::move(prompt);
}

// --- refresh

void DeviceSetupDialog::refreshDeviceModel()
{
    m_modelValue->setText(model().system().model);
}

void DeviceSetupDialog::refreshDspVersion()
{
    const auto& s = model().system();
    m_dspValue->setText(DeviceSetupEdits::dspVersionText(s.dspVersion, s.textField38));
}

void DeviceSetupDialog::refreshArmVersion()
{
    const auto& s = model().system();
    m_armValue->setText(DeviceSetupEdits::armVersionText(s.armVersion, s.buildNumber, s.versionText,
                                                         m_armLongForm));
    refreshMacAddress();
}

void DeviceSetupDialog::refreshSerialNumber()
{
    m_serialValue->setText(model().system().serialNumber);
}

void DeviceSetupDialog::refreshBootCount()
{
    m_bootValue->setText(QString::number(model().system().bootCount));
}

void DeviceSetupDialog::refreshTemperature()
{
    const float t = model().system().temperature;
    m_temperatureRow.setVisible(DeviceSetupEdits::temperatureShown(t));
    m_temperatureValue->setText(DeviceSetupEdits::temperatureText(t));
}

void DeviceSetupDialog::refreshRunTime()
{
    m_runTimeValue->setText(DeviceSetupEdits::runTimeText(model().system().runTime));
}

void DeviceSetupDialog::refreshUsbState()
{
    switch (model().system().usbStorage) {
    case 0:
        m_usbValue->setText(tr("Not inserted"));
        break;
    case 1:
        m_usbValue->setText(tr("Inserted"));
        break;
    default:
        m_usbValue->clear();
        break;
    }
}

void DeviceSetupDialog::refreshLocation()
{
    setLineText(m_locationEdit, model().system().location);
}

void DeviceSetupDialog::refreshDescription()
{
    setLineText(m_descriptionEdit, model().system().description);
}

void DeviceSetupDialog::refreshIpAddress()
{
    setLineText(m_ipEdit, DeviceSetupEdits::addressText(model().system().ipAddress));
}

void DeviceSetupDialog::refreshNetmask()
{
    setLineText(m_maskEdit, DeviceSetupEdits::addressText(model().system().netmask));
}

void DeviceSetupDialog::refreshGateway()
{
    setLineText(m_gatewayEdit, DeviceSetupEdits::addressText(model().system().gateway));
}

void DeviceSetupDialog::refreshMacAddress()
{
    setLineText(m_macEdit, model().system().macAddress);
    m_macRow.setVisible(DeviceSetupEdits::macRowShown(model().system().armVersion));
}

void DeviceSetupDialog::refreshDeviceId()
{
    const quint32 id = model().system().deviceId;
    setLineText(m_idEdit, id == 0 ? QString() : QString::number(id));
}

void DeviceSetupDialog::refreshCodeValue()
{
    m_codeValue->setText(QString::number(model().system().statusValue33));
}

void DeviceSetupDialog::refreshGateReport()
{
    const QSignalBlocker quiet(m_gateReportBox);
    m_gateReportBox->setCurrentIndex(model().system().gateReport ? 1 : 0);
}

void DeviceSetupDialog::refreshRs232Rate()
{
    setComboText(m_rs232Box, QString::number(model().system().rs232Baud));
}

void DeviceSetupDialog::refreshRs485Rate()
{
    setComboText(m_rs485Box, QString::number(model().system().rs485Baud));
}

void DeviceSetupDialog::refreshFanState()
{
    const QSignalBlocker quiet(m_fanButton);
    m_fanButton->setChecked(model().system().fanState == 1);
}

void DeviceSetupDialog::setIndicator(int bit, const QString& status, const QString& toolTip)
{
    QFrame* indicator = m_indicators[bit];
    indicator->setToolTip(toolTip);
    m_indicatorCaptions[bit]->setToolTip(toolTip);
    if (indicator->property("status").toString() == status)
        return;
    indicator->setProperty("status", status);
    repolish(indicator);
}

void DeviceSetupDialog::refreshDeviceStatus()
{
    const bool loggedIn = model().isLoggedIn();
    const quint8 status = model().system().deviceStatus;
    if (DeviceSetupEdits::blinks(status, loggedIn)) {
        if (!m_blinkTimer->isActive()) {
            m_blinkOn = true;
            m_blinkTimer->start();
        }
    } else {
        m_blinkTimer->stop();
    }
    for (int bit = 0; bit < DeviceSetupEdits::kStatusBits; ++bit) {
        const bool fault = (status >> bit) & 1u;
        const QString tip = !loggedIn ? QString() : fault ? tr("Error") : tr("Normal");
        setIndicator(bit, DeviceSetupEdits::indicatorStatus(status, bit, loggedIn, m_blinkOn), tip);
    }
}

void DeviceSetupDialog::timeout()
{
    const quint8 status = model().system().deviceStatus;
    m_blinkOn = !m_blinkOn;
    for (int bit = 0; bit < DeviceSetupEdits::kStatusBits; ++bit) {
        if ((status >> bit) & 1u)
            setIndicator(bit, DeviceSetupEdits::indicatorStatus(status, bit, true, m_blinkOn),
                         m_indicators[bit]->toolTip());
    }
}

void DeviceSetupDialog::refreshFaderRange(Strip strip, int channel)
{
    QSpinBox* lo = limitBox(strip, channel, Limit::Minimum);
    QSpinBox* hi = limitBox(strip, channel, Limit::Maximum);
    if (!lo || !hi)
        return;
    const QSignalBlocker quietLo(lo);
    const QSignalBlocker quietHi(hi);
    lo->setValue(m_edits.faderLimit(strip, channel, Limit::Minimum));
    hi->setValue(m_edits.faderLimit(strip, channel, Limit::Maximum));
}

QString DeviceSetupDialog::channelName(Strip strip, int channel) const
{
    const QString label =
        strip == Strip::Input ? model().input(channel).label : model().output(channel).label;
    if (!label.trimmed().isEmpty())
        return model::withoutLineBreaks(label);
    return model::withoutLineBreaks(strip == Strip::Input ? model().input(channel).defaultName
                                                          : model().output(channel).defaultName);
}

void DeviceSetupDialog::refreshChannelNames()
{
    for (Strip strip : {Strip::Input, Strip::Output}) {
        LimitTable& t = strip == Strip::Input ? m_inputs : m_outputs;
        for (int ch = 0; ch < t.table->rowCount(); ++ch)
            t.table->item(ch, 0)->setText(channelName(strip, ch));
    }
}

void DeviceSetupDialog::applyProfile()
{
    for (Strip strip : {Strip::Input, Strip::Output}) {
        LimitTable& t = strip == Strip::Input ? m_inputs : m_outputs;
        for (int ch = 0; ch < t.table->rowCount(); ++ch) {
            t.table->setRowHidden(ch, !DeviceSetupEdits::rowShown(profile(), strip, ch));
            const wire::Range r = DeviceSetupEdits::limitRange(profile(), strip, ch);
            for (QSpinBox* box : {t.minimum[ch], t.maximum[ch]}) {
                const QSignalBlocker quiet(box);
                box->setRange(int(r.lo), int(r.hi));
            }
            refreshFaderRange(strip, ch);
        }
    }
    // The model names its channels after the profile.
    refreshChannelNames();
}

// --- edits

void DeviceSetupDialog::deviceModelTitleLabelDoubleClicked()
{
    DeviceModelDialog dialog(model(), this);
    dialog.exec();
}

void DeviceSetupDialog::armVersionLabelDoubleClicked()
{
    m_armLongForm = !m_armValue->text().contains(QLatin1Char('('));
    refreshArmVersion();
}

bool DeviceSetupDialog::beginFinish(QLineEdit* field)
{
    if (m_finishing || !field)
        return false;
    m_finishing = true;
    field->clearFocus();
    m_finishing = false;
    return true;
}

void DeviceSetupDialog::finishText(QLineEdit* field, bool location)
{
    if (!beginFinish(field))
        return;
    const QString text = field->text();
    const Outcome outcome = location ? m_edits.setLocation(text) : m_edits.setDescription(text);
    location ? refreshLocation() : refreshDescription();
    if (outcome == Outcome::Refused)
        showInformation(tr("Setup"),
                        location ? tr("The device location's length can not be greater than 16 "
                                      "bytes, please enter again!")
                                 : tr("The device description's length can not be greater than "
                                      "16 bytes, please enter again!"));
}

void DeviceSetupDialog::deviceLocationEditingFinished()
{
    finishText(m_locationEdit, true);
}

void DeviceSetupDialog::deviceDescriptionEditingFinished()
{
    finishText(m_descriptionEdit, false);
}

void DeviceSetupDialog::finishAddress(QLineEdit* field, Address which)
{
    if (!beginFinish(field))
        return;
    const Outcome outcome = m_edits.setAddress(which, field->text());
    setLineText(field, DeviceSetupEdits::addressText(m_edits.address(which)));
    if (outcome != Outcome::Refused)
        return;
    switch (which) {
    case Address::IpAddress:
        showInformation(tr("Setup"), tr("The IP address's format is error, please enter again!"));
        break;
    case Address::Netmask:
        showInformation(tr("Setup"),
                        tr("The subnet netmask's format is error, please enter again!"));
        break;
    case Address::Gateway:
        showInformation(tr("Setup"),
                        tr("The gateway address's format is error, please enter again!"));
        break;
    }
}

void DeviceSetupDialog::ipAddressEditingFinished()
{
    finishAddress(m_ipEdit, Address::IpAddress);
}

void DeviceSetupDialog::netmaskEditingFinished()
{
    finishAddress(m_maskEdit, Address::Netmask);
}

void DeviceSetupDialog::gatewayEditingFinished()
{
    finishAddress(m_gatewayEdit, Address::Gateway);
}

bool DeviceSetupDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && (field == m_ipEdit || field == m_maskEdit || field == m_gatewayEdit) &&
        !field->hasAcceptableInput()) {
        bool finish = event->type() == QEvent::FocusOut;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            finish = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        if (finish && !m_finishing) {
            finishAddress(field, field == m_ipEdit     ? Address::IpAddress
                                 : field == m_maskEdit ? Address::Netmask
                                                       : Address::Gateway);
        }
    }
    return EditorWindow::eventFilter(watched, event);
}

void DeviceSetupDialog::changePasswordButtonClicked()
{
    QString password;
    QString confirmation;
    if (!m_askPassword || !m_askPassword(&password, &confirmation))
        return;
    if (m_edits.changePassword(password, confirmation) ==
        DeviceSetupEdits::PasswordOutcome::Mismatch)
        showInformation(tr("Login Password Setting"),
                        tr("The two passwords you entered are different, please enter again!"));
}

void DeviceSetupDialog::gateReportComboBoxCurrentIndexChanged(int index)
{
    m_edits.setGateReport(index != 0);
}

void DeviceSetupDialog::rs232ComboBoxCurrentIndexChanged(int index)
{
    m_edits.setRs232Baud(m_rs232Box->itemText(index).toUInt());
}

void DeviceSetupDialog::fanButtonClicked(bool checked)
{
    m_edits.setFanTest(checked);
}

void DeviceSetupDialog::limitChanged(Strip strip, Limit limit, int value)
{
    bool ok = false;
    const int channel = sender() ? sender()->objectName().toInt(&ok) : -1;
    if (!ok)
        return;
    m_edits.setFaderLimit(profile(), strip, channel, limit, value);
}

void DeviceSetupDialog::inputMinimumBoxValueChanged(int value)
{
    limitChanged(Strip::Input, Limit::Minimum, value);
}

void DeviceSetupDialog::inputMaximumBoxValueChanged(int value)
{
    limitChanged(Strip::Input, Limit::Maximum, value);
}

void DeviceSetupDialog::outputMinimumBoxValueChanged(int value)
{
    limitChanged(Strip::Output, Limit::Minimum, value);
}

void DeviceSetupDialog::outputMaximumBoxValueChanged(int value)
{
    limitChanged(Strip::Output, Limit::Maximum, value);
}

void DeviceSetupDialog::showInformation(const QString& title, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("setupMessageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->addButton(tr("OK"), QMessageBox::AcceptRole);
    box->open();
}

// --- texts

void DeviceSetupDialog::retranslate()
{
    setWindowTitle(tr("Setup"));
    m_informationGroup->setTitle(tr("Device Information"));
    m_statusGroup->setTitle(tr("Device Status"));
    m_setupGroup->setTitle(tr("Device Setup"));
    m_generalGroup->setTitle(tr("General Setup"));
    m_volumeGroup->setTitle(tr("Volume Limit"));

    m_modelCaption->setText(tr("Device Model"));
    m_dspRow.caption->setText(tr("DSP Version"));
    m_armCaption->setText(tr("ARM Version"));
    m_serialRow.caption->setText(tr("Serial Number"));
    m_bootRow.caption->setText(tr("Boot Count"));
    m_temperatureRow.caption->setText(tr("Temperature"));
    m_runTimeRow.caption->setText(tr("Run Time"));
    m_usbRow.caption->setText(tr("USB Status"));
    m_codeRow.caption->setText(tr("Code ID"));
    refreshUsbState();
    for (int bit = 0; bit < DeviceSetupEdits::kStatusBits; ++bit)
        m_indicatorCaptions[bit]->setText(statusCaption(bit));

    m_idRow.caption->setText(tr("Device ID"));
    m_locationRow.caption->setText(tr("Device Location"));
    m_descriptionRow.caption->setText(tr("Device Description"));
    m_ipRow.caption->setText(tr("IP Address"));
    m_maskRow.caption->setText(tr("Subnet Mask"));
    m_gatewayRow.caption->setText(tr("Gateway"));
    m_macRow.caption->setText(tr("MAC Address"));
    m_gateReportRow.caption->setText(tr("Gate Report"));
    m_gateReportBox->setItemText(0, tr("No"));
    m_gateReportBox->setItemText(1, tr("Yes"));
    m_rs232Row.caption->setText(QStringLiteral("RS232") + tr(" Baud Rate"));
    m_rs485Row.caption->setText(QStringLiteral("RS485") + tr(" Baud Rate"));
    m_fanButton->setText(tr("Fan Test"));
    m_fanButton->setToolTip(
        tr("Fan trigger instructions:\nThe cooling fan of the machine is temperature controlled "
           "and automatically turns on.\nWhen the temperature is greater than or equal to "
           "30℃, the fan automatically turns on.\nWhen the temperature is less than or "
           "equal to 27℃, the fan automatically turns off."));

    m_passwordCaption->setText(tr("Login Password"));
    m_passwordButton->setText(tr("Setting"));

    m_inputs.group->setTitle(tr("Level Pre Mix"));
    m_outputs.group->setTitle(tr("Out Level"));
    for (QTableWidget* table : {m_inputs.table, m_outputs.table})
        table->setHorizontalHeaderLabels({QString(), tr("Minimum"), tr("Maximum")});
    refreshChannelNames();
}
