#pragma once

#include "dialog.h"

#include <QDate>

class DataModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The factory's page for a unit's identity: model name, serial number, channel configuration
// and the dual-backup data sync. It proposes a serial number for today's production and shows
// what the unit reports; the factory protocol that writes them is not part of this program, so
// the page sends nothing and hands its values to whoever opened it.
class DeviceModelDialog : public Dialog
{
    Q_OBJECT
public:
    DeviceModelDialog(const DataModel& model, QWidget* parent = nullptr);

    // "CN-000-<year>-<day of the year, three digits>xxx".
    static QString proposedSerialNumber(const QDate& date);

    QString modelName() const;
    QString serialNumber() const;
    int configuration() const;
    bool dataSync() const;

protected:
    void retranslate() override;

private:
    QLabel* m_modelLabel;
    QLabel* m_serialLabel;
    QLabel* m_configurationLabel;
    QLineEdit* m_modelEdit;
    QLineEdit* m_serialEdit;
    QComboBox* m_configurationBox;
    QCheckBox* m_syncBox;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
