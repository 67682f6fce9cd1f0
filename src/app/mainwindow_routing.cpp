// Where each of the unit's reports is shown.
#include "mainwindow.h"

#include "datamodel.h"
#include "mainstatusbar.h"

#include <QMessageBox>
#include <QTimer>

void MainWindow::tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar, uchar, QVariant)
{
    if (type == 2 && subType == 2)
        routeSystemState(funcId);
}

void MainWindow::routeSystemState(uchar funcId)
{
    switch (funcId) {
    case 2:
    case 24:
    case 34:
        m_statusBar->refreshArmVersion();
        break;
    case 3:
    case 38:
        m_statusBar->refreshDspVersion();
        break;
    case 4:
        m_statusBar->refreshSerialNumber();
        break;
    case 5:
    case 33:
        reevaluateDeviceVersion();
        break;
    case 9:
        m_statusBar->refreshTemperature();
        break;
    case 14: {
        const DataModel* model = DataModel::instance();
        if (!model || model->system().deviceStatus == 0) {
            m_faultTimer->stop();
            m_faultMessageBox->close();
        } else {
            m_faultTimer->start(kFaultReminderMs);
            showFault();
        }
        break;
    }
    case 16:
        m_statusBar->refreshSystemMute();
        break;
    case 19:
        m_statusBar->refreshDspUsage();
        break;
    case 37:
        m_statusBar->refreshFan();
        break;
    default:
        break;
    }
}
