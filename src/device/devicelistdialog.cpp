#include "devicelistdialog.h"

#include "addressfield.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVariant>

namespace {

const int kColumnWidths[DeviceListDialog::ColumnCount] = {100, 100, 100, 90,  110, 110,
                                                          120, 110, 110, 110, 80,  80};

} // namespace

DeviceListDialog::DeviceListDialog(DataModel& model, QWidget* parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_model(model)
{
    setObjectName(QStringLiteral("deviceListDialog"));
    // Wide enough for every column at its default width, so nothing starts scrolled away.
    resize(1180, 420);
    keepGeometry(QString::fromLatin1(kGeometryKey));

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("deviceListTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Nothing can be selected; a focus frame on some cell would only suggest otherwise.
    m_table->setFocusPolicy(Qt::NoFocus);
    QHeaderView* header = m_table->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setFixedHeight(25);
    for (int c = 0; c < ColumnCount; ++c)
        m_table->setColumnWidth(c, kColumnWidths[c]);
    m_table->verticalHeader()->hide();
    m_table->setColumnHidden(TotalTimeColumn, true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_table);

    {
        for (int i = 0; i < m_model.deviceCount(); ++i) {
            DataModel::UDPBrowsingPacket packet = m_model.device(i)->packet;
            addDevice(&packet, m_model.device(i)->online != 0);
        }
        connect(&m_model, &DataModel::deviceListAdd, this, &DeviceListDialog::addDevice);
        connect(&m_model, &DataModel::deviceListRemove, this, &DeviceListDialog::removeDevice);
        connect(&m_model, &DataModel::deviceListIPAddressChanged, this,
                &DeviceListDialog::setIPAddress);
        connect(&m_model, &DataModel::deviceListModelChanged, this, &DeviceListDialog::setModel);
        connect(&m_model, &DataModel::deviceListARMVersionChanged, this,
                &DeviceListDialog::setARMVersion);
        connect(&m_model, &DataModel::deviceListDSPVersionChanged, this,
                &DeviceListDialog::setDSPVersion);
        connect(&m_model, &DataModel::deviceListLocationChanged, this,
                &DeviceListDialog::setLocation);
        connect(&m_model, &DataModel::deviceListDescriptionChanged, this,
                &DeviceListDialog::setDescription);
        connect(&m_model, &DataModel::deviceListSerialNumberChanged, this,
                &DeviceListDialog::setSerialNumber);
        connect(&m_model, &DataModel::deviceListDeviceIDChanged, this,
                &DeviceListDialog::setDeviceID);
        connect(&m_model, &DataModel::deviceListRunTimeChanged, this,
                &DeviceListDialog::setRunTime);
        connect(&m_model, &DataModel::deviceListNetworkChanged, this,
                &DeviceListDialog::setLinkStatus);
    }
    retranslate();
}

DeviceListDialog::~DeviceListDialog() = default;

QString DeviceListDialog::durationText(uint seconds)
{
    const uint days = seconds / 86400;
    const uint rest = seconds % 86400;
    return tr("%1day %2:%3:%4")
        .arg(days)
        .arg(rest / 3600, 2, 10, QLatin1Char('0'))
        .arg(rest % 3600 / 60, 2, 10, QLatin1Char('0'))
        .arg(rest % 60, 2, 10, QLatin1Char('0'));
}

QString DeviceListDialog::linkStateText(int state)
{
    switch (state) {
    case OnlineNotLoggedIn:
        return tr("Online(Unlogin)");
    case OnlineLoggedIn:
        return tr("Online(Logined)");
    case LoggedInOffline:
        return tr("Logined");
    default:
        return tr("Offline");
    }
}

QTableWidgetItem* DeviceListDialog::cell(int row, int column)
{
    if (row < 0 || row >= m_table->rowCount())
        return nullptr;
    QTableWidgetItem* item = m_table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        m_table->setItem(row, column, item);
    }
    return item;
}

void DeviceListDialog::setText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = cell(row, column))
        item->setText(text);
}

void DeviceListDialog::addDevice(DataModel::UDPBrowsingPacket* packet, bool)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto text = [](const char* field, std::size_t width) {
        return DeviceRegistry::fieldText(field, int(width));
    };
    setIPAddress(uint(row), packet->ipAddress);
    setModel(uint(row), text(packet->model, sizeof packet->model));
    setARMVersion(uint(row), text(packet->armVersion, sizeof packet->armVersion));
    setDSPVersion(uint(row), packet->dspVersion[0], packet->dspVersion[1], packet->dspVersion[2]);
    setLocation(uint(row), text(packet->location, sizeof packet->location));
    setDescription(uint(row), text(packet->description, sizeof packet->description));
    setSerialNumber(uint(row), text(packet->serialNumber, sizeof packet->serialNumber));
    // The state comes from the model, which knows about the login, not from `online`.
    setLinkStatus(row);
    setDeviceID(uint(row), packet->deviceId);

    auto* remove = new QPushButton(tr("Remove"));
    remove->setObjectName(QStringLiteral("deviceListRemoveButton"));

    remove->setAutoDefault(false);
    m_table->setCellWidget(row, RemoveColumn, remove);
    connect(remove, &QPushButton::clicked, this, &DeviceListDialog::removeButtonClicked);
}

void DeviceListDialog::removeDevice(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->removeCellWidget(row, RemoveColumn);
    m_table->removeRow(row);
}

void DeviceListDialog::setIPAddress(uint row, uint ip)
{
    setText(int(row), IPAddressColumn, AddressField::dotted(ip));
}

void DeviceListDialog::setModel(uint row, const QString& model)
{
    setText(int(row), ModelColumn, model);
}

void DeviceListDialog::setARMVersion(uint row, const QString& version)
{
    setText(int(row), ARMVersionColumn, version);
}

void DeviceListDialog::setDSPVersion(uint row, uchar major, uchar minor, uchar patch)
{
    const bool none = major == 0 && minor == 0 && patch == 0;
    setText(int(row), DSPVersionColumn,
            none ? QString() : QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(patch));
}

void DeviceListDialog::setLocation(uint row, const QString& location)
{
    setText(int(row), LocationColumn, location);
}

void DeviceListDialog::setDescription(uint row, const QString& description)
{
    setText(int(row), DescriptionColumn, description);
}

void DeviceListDialog::setSerialNumber(uint row, const QString& serialNumber)
{
    setText(int(row), SerialNumberColumn, serialNumber);
}

void DeviceListDialog::setLinkStatus(int row)
{
    const DeviceRecord* record = m_model.device(row);
    QTableWidgetItem* item = cell(row, LinkStatusColumn);
    if (!record || !item)
        return;
    const bool loggedIn = row == m_model.currentDevice() && m_model.isLoggedIn();
    const bool online = record->online != 0;
    const int state = loggedIn ? (online ? OnlineLoggedIn : LoggedInOffline)
                               : (online ? OnlineNotLoggedIn : Offline);
    item->setData(kLinkStateRole, state);
    item->setText(linkStateText(state));
}

void DeviceListDialog::setRunTime(uint row, uint runTime, uint totalTime)
{
    setText(int(row), RunTimeColumn, durationText(runTime));
    setText(int(row), TotalTimeColumn, durationText(totalTime));
}

void DeviceListDialog::setDeviceID(uint row, uint deviceId)
{
    setText(int(row), DeviceIDColumn, QString::number(deviceId));
}

void DeviceListDialog::removeButtonClicked()
{
    int row = -1;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        if (m_table->cellWidget(r, RemoveColumn) == sender()) {
            row = r;
            break;
        }
    }
    if (row < 0)
        return;
    // Our own removal must not come back to us as a notification.
    disconnect(&m_model, &DataModel::deviceListRemove, this, &DeviceListDialog::removeDevice);
    m_model.removeDeviceAt(row);
    connect(&m_model, &DataModel::deviceListRemove, this, &DeviceListDialog::removeDevice);
    removeDevice(row);
}

void DeviceListDialog::retranslate()
{
    setWindowTitle(tr("Device List"));
    m_table->setHorizontalHeaderLabels({tr("IP Address"), tr("Model"), tr("ARM Version"),
                                        tr("DSP Version"), tr("Location"), tr("Description"),
                                        tr("Serial Number"), tr("Link Status"), tr("Run Time"),
                                        tr("Total Time"), tr("Device ID"), QString()});
    for (int r = 0; r < m_table->rowCount(); ++r) {
        if (QTableWidgetItem* item = m_table->item(r, LinkStatusColumn))
            item->setText(linkStateText(item->data(kLinkStateRole).toInt()));
        if (auto* button = qobject_cast<QPushButton*>(m_table->cellWidget(r, RemoveColumn)))
            button->setText(tr("Remove"));
    }
}
