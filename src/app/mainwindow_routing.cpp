// Where each of the unit's reports is shown.
#include "mainwindow.h"

#include "datamodel.h"
#include "levelcontainerwidget.h"
#include "mainstatusbar.h"
#include "meterdialog.h"

#include <QMessageBox>
#include <QTimer>

namespace {

// Level strips and meters: (3,1,1), (3,7,x) and (3,11,x).
void routeLevels(LevelContainerWidget* strips, MeterDialog* meters, uchar subType, uchar funcId,
                 uchar channel)
{
    if (subType == 1 && funcId == 1) {
        strips->refreshInputMeters();
        meters->refreshInputPostFader();
    } else if (subType == 7) {
        switch (funcId) {
        case 1:
            strips->refreshInputMute(channel);
            break;
        case 2:
            strips->refreshInputGain(channel);
            break;
        case 3:
            strips->refreshInputInvert(channel);
            break;
        case 4:
            strips->refreshInputGroup(channel);
            break;
        case 6:
            strips->refreshInputFaderRange(channel);
            break;
        case 7:
            meters->refreshInputPreFader();
            break;
        default:
            break;
        }
    } else if (subType == 11) {
        switch (funcId) {
        case 1:
            strips->refreshOutputMeters();
            meters->refreshOutputPostFader();
            break;
        case 2:
            strips->refreshOutputMute(channel);
            break;
        case 3:
            strips->refreshOutputGain(channel);
            break;
        case 4:
            strips->refreshOutputInvert(channel);
            break;
        case 5:
            strips->refreshOutputGroup(channel);
            break;
        case 7:
            strips->refreshOutputFaderRange(channel);
            break;
        case 8:
            meters->refreshOutputPreFader();
            break;
        default:
            break;
        }
    }
}

} // namespace

void MainWindow::tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar channel, uchar,
                             QVariant)
{
    if (type == 2 && subType == 2)
        routeSystemState(funcId);
    else if (type == 2 && subType == 3 && funcId == 1)
        inputLabelChanged(channel);
    else if (type == 2 && subType == 3 && funcId == 2)
        outputLabelChanged(channel);
    else if (type == 3)
        routeLevels(m_levelContainer, m_meterDialog, subType, funcId, channel);
}

// A channel's label shows as the strip's name and in the meters' tooltips.
void MainWindow::inputLabelChanged(uchar channel)
{
    m_levelContainer->refreshInputLabel(channel);
    m_meterDialog->setInputLabel(channel);
}

void MainWindow::outputLabelChanged(uchar channel)
{
    m_levelContainer->refreshOutputLabel(channel);
    m_meterDialog->setOutputLabel(channel);
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
