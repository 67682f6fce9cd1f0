#include "commandassistantdialog.h"

#include "buttonrow.h"
#include "commandinputwidget.h"
#include "commandloginwidget.h"
#include "commandoutputwidget.h"
#include "commandpresetwidget.h"
#include "commandsystemmutewidget.h"
#include "datamodel.h"
#include "wire/packet.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

CommandAssistantDialog::CommandAssistantDialog(DataModel& model, ReportRouter& router,
                                               QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("CommandAssistantGeometry"), parent)
{
    setObjectName(QStringLiteral("commandAssistantDialog"));
    if (!geometryRestored())
        resize(640, 360);

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("infoLabel"));
    m_pages = new ButtonRow(5, this);
    m_stack = new QStackedWidget(this);
    m_login = new CommandLoginWidget(m_stack);
    m_input = new CommandInputWidget(m_stack);
    m_output = new CommandOutputWidget(m_stack);
    m_preset = new CommandPresetWidget(m_stack);
    m_systemMute = new CommandSystemMuteWidget(m_stack);
    for (QWidget* page :
         std::initializer_list<QWidget*>{m_login, m_input, m_output, m_preset, m_systemMute})
        m_stack->addWidget(page);
    connect(m_pages, &ButtonRow::idClicked, m_stack, &QStackedWidget::setCurrentIndex);

    connect(m_login, &CommandLoginWidget::generateCommand, this,
            &CommandAssistantDialog::generateCommand);
    connect(m_input, &CommandInputWidget::generateCommand, this,
            &CommandAssistantDialog::generateCommand);
    connect(m_output, &CommandOutputWidget::generateCommand, this,
            &CommandAssistantDialog::generateCommand);
    connect(m_preset, &CommandPresetWidget::generateCommand, this,
            &CommandAssistantDialog::generateCommand);
    connect(m_systemMute, &CommandSystemMuteWidget::generateCommand, this,
            &CommandAssistantDialog::generateCommand);

    m_commandCaption = new QLabel(this);
    m_command = new QLineEdit(this);
    m_command->setObjectName(QStringLiteral("commandEdit"));
    m_command->setReadOnly(true);
    m_copy = new QPushButton(this);
    m_copy->setMinimumWidth(80);
    connect(m_copy, &QPushButton::clicked, this, &CommandAssistantDialog::copyButtonClicked);

    auto* commandRow = new QHBoxLayout;
    commandRow->setSpacing(8);
    commandRow->addWidget(m_commandCaption);
    commandRow->addWidget(m_command, 1);
    commandRow->addWidget(m_copy);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(m_info);
    layout->addWidget(m_pages);
    layout->addWidget(m_stack, 1);
    layout->addLayout(commandRow);

    // The unit's channel configuration may have changed what the lists hold.
    subscribe(wire::code::StatusValue33, [this](const ReportRouter::Event&) { fillChannels(); });
    fillChannels();
    retranslate();
}

QString CommandAssistantDialog::commandText(const QByteArray& packet)
{
    return QString::fromLatin1(packet.toHex(' ').toUpper());
}

QString CommandAssistantDialog::command() const
{
    return m_command->text();
}

void CommandAssistantDialog::generateCommand(uchar type, uchar subType, uchar funcId,
                                             QByteArray payload)
{
    m_command->setText(
        commandText(wire::packet({type, subType, funcId}, wire::AccessWrite, payload)));
}

void CommandAssistantDialog::copyButtonClicked()
{
    QGuiApplication::clipboard()->setText(m_command->text());
}

void CommandAssistantDialog::applyProfile()
{
    fillChannels();
}

void CommandAssistantDialog::fillChannels()
{
    QStringList inputs;
    for (int ch = 0; ch < wire::kInputStrips; ++ch)
        inputs << model().input(ch).defaultName;
    QStringList outputs;
    for (int ch = 0; ch < wire::kOutputCount; ++ch)
        outputs << model().output(ch).defaultName;
    m_input->setChannels(inputs, profile().hiddenInputs);
    m_input->setUsbPlayChannel(profile().usbPlayInput);
    m_output->setChannels(outputs, profile().hiddenOutputs);
}

void CommandAssistantDialog::retranslate()
{
    setWindowTitle(tr("Command Assistant"));
    m_info->setText(
        tr("RS232 Baud Rate : 115200 (Default)\nTCP Port : %1").arg(model().controlPort()));
    m_pages->setTexts(
        {tr("Login"), tr("Level Pre Mix"), tr("Out Level"), tr("Preset"), tr("System Mute")});
    m_commandCaption->setText(tr("Command"));
    m_copy->setText(tr("Copy"));
}
