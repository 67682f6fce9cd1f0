#include "commandpresetwidget.h"

#include "wire/commands.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CommandPresetWidget::CommandPresetWidget(QWidget* parent) : QWidget(parent)
{
    m_caption = new QLabel(this);
    m_presets = new QComboBox(this);
    m_presets->setObjectName(QStringLiteral("presetList"));
    m_presets->setMinimumWidth(120);
    for (int i = 0; i < wire::kPresetCount; ++i)
        m_presets->addItem(QString::number(i + 1));
    m_generate = new QPushButton(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->addWidget(m_caption, 0, 0);
    grid->addWidget(m_presets, 0, 1);
    grid->addWidget(m_generate, 0, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(1, 1);
    connect(m_generate, &QPushButton::clicked, this, &CommandPresetWidget::generateButtonClicked);
    retranslate();
}

void CommandPresetWidget::generateButtonClicked()
{
    const wire::Command c = wire::cmd::presetRecall(quint8(qMax(0, m_presets->currentIndex())));
    emit generateCommand(c.code.type, c.code.subType, c.code.funcId, c.payload);
}

void CommandPresetWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void CommandPresetWidget::retranslate()
{
    m_caption->setText(tr("Recall Preset"));
    m_generate->setText(tr("Generate Command"));
}
