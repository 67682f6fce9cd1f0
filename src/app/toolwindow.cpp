#include "toolwindow.h"

#include "systemsettings.h"

#include <QEvent>

ToolWindow::ToolWindow(const QString& geometryKey, QWidget* parent)
    : QDialog(parent), m_geometryKey(geometryKey)
{
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint);
    if (const SystemSettings* settings = SystemSettings::instance();
        settings && !m_geometryKey.isEmpty())
        restoreGeometry(settings->value(m_geometryKey));
}

ToolWindow::~ToolWindow()
{
    if (SystemSettings* settings = SystemSettings::instance(); settings && !m_geometryKey.isEmpty())
        settings->setValue(m_geometryKey, saveGeometry());
}

void bringWindowForward(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized()) {
        window->showNormal();
        return;
    }
    window->raise();
    window->show();
    window->activateWindow();
}

void ToolWindow::bringForward()
{
    bringWindowForward(this);
}

void ToolWindow::applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs,
                                    quint32 danteInputs, quint32 danteOutputs)
{
    m_hiddenInputs = hiddenInputs;
    m_hiddenOutputs = hiddenOutputs;
    m_danteInputs = danteInputs;
    m_danteOutputs = danteOutputs;
}

void ToolWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
