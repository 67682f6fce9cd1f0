#include "commandsystemmutewidget.h"

#include "wire/commands.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CommandSystemMuteWidget::CommandSystemMuteWidget(QWidget* parent) : QWidget(parent)
{
    m_caption = new QLabel(this);
    m_mute = new QPushButton(this);
    m_mute->setObjectName(QStringLiteral("muteButton"));
    m_mute->setCheckable(true);
    m_mute->setMinimumWidth(100);
    m_generate = new QPushButton(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->addWidget(m_caption, 0, 0);
    grid->addWidget(m_mute, 0, 1);
    grid->addWidget(m_generate, 0, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(1, 1);
    connect(m_generate, &QPushButton::clicked, this,
            &CommandSystemMuteWidget::generateButtonClicked);
    retranslate();
}

void CommandSystemMuteWidget::generateButtonClicked()
{
    const wire::Command c = wire::cmd::systemMute(m_mute->isChecked());
    emit generateCommand(c.code.type, c.code.subType, c.code.funcId, c.payload);
}

void CommandSystemMuteWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void CommandSystemMuteWidget::retranslate()
{
    m_caption->setText(tr("System Mute"));
    m_mute->setText(tr("Mute"));
    m_generate->setText(tr("Generate Command"));
}
