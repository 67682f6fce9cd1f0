#pragma once

#include "datamodel.h"
#include "dialog.h"

class QTableWidget;
class QTableWidgetItem;

// A table of every known unit with the identifying fields of its status datagram, its link
// and login state and a button that removes it. Created once, shown on request, never modal.
class DeviceListDialog : public Dialog
{
    Q_OBJECT
public:
    enum Column
    {
        IPAddressColumn,
        ModelColumn,
        ARMVersionColumn,
        DSPVersionColumn,
        LocationColumn,
        DescriptionColumn,
        SerialNumberColumn,
        LinkStatusColumn,
        RunTimeColumn,
        TotalTimeColumn,
        DeviceIDColumn,
        RemoveColumn,
        ColumnCount
    };
    enum LinkState
    {
        Offline,
        OnlineNotLoggedIn,
        OnlineLoggedIn,
        LoggedInOffline,
    };
    // The link state number is kept in the link cell under this role.
    static constexpr int kLinkStateRole = Qt::UserRole + 100;
    static constexpr const char* kGeometryKey = "DeviceListGeometry";

    explicit DeviceListDialog(DataModel& model, QWidget* parent = nullptr);
    ~DeviceListDialog() override;

    QTableWidget* table() const { return m_table; }
    // "%1day %2:%3:%4" from a number of seconds.
    static QString durationText(uint seconds);
    static QString linkStateText(int state);

public slots:
    void addDevice(DataModel::UDPBrowsingPacket* packet, bool online);
    void removeDevice(int row);
    void setIPAddress(uint row, uint ip);
    void setModel(uint row, const QString& model);
    void setARMVersion(uint row, const QString& version);
    void setDSPVersion(uint row, uchar major, uchar minor, uchar patch);
    void setLocation(uint row, const QString& location);
    void setDescription(uint row, const QString& description);
    void setSerialNumber(uint row, const QString& serialNumber);
    void setLinkStatus(int row);
    void setRunTime(uint row, uint runTime, uint totalTime);
    void setDeviceID(uint row, uint deviceId);
    void removeButtonClicked();

protected:
    void retranslate() override;

private:
    // The cell's item, created on first use; null for a row the table does not have.
    QTableWidgetItem* cell(int row, int column);
    void setText(int row, int column, const QString& text);

    DataModel& m_model;
    QTableWidget* m_table;
};
