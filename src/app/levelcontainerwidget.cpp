#include "levelcontainerwidget.h"

LevelContainerWidget::LevelContainerWidget(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("levelcontainerwidget"));
}

void LevelContainerWidget::applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs,
                                              quint32 danteInputs, quint32 danteOutputs)
{
    m_hiddenInputs = hiddenInputs;
    m_hiddenOutputs = hiddenOutputs;
    m_danteInputs = danteInputs;
    m_danteOutputs = danteOutputs;
}
