#include "commandloginwidget.h"

#include "wire/commands.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Far below what one packet can carry, in any encoding.
constexpr int kPasswordMaxLength = 256;

} // namespace

CommandLoginWidget::CommandLoginWidget(QWidget* parent) : QWidget(parent)
{
    m_caption = new QLabel(this);
    m_passwordCaption = new QLabel(this);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("passwordEdit"));
    m_password->setMaxLength(kPasswordMaxLength);
    m_password->setMinimumWidth(160);
    m_generate = new QPushButton(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(m_caption, 0, 0, 1, 3);
    grid->addWidget(m_passwordCaption, 1, 0);
    grid->addWidget(m_password, 1, 1);
    grid->addWidget(m_generate, 1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);
    connect(m_password, &QLineEdit::returnPressed, this,
            &CommandLoginWidget::generateButtonClicked);
    connect(m_generate, &QPushButton::clicked, this, &CommandLoginWidget::generateButtonClicked);
    retranslate();
}

void CommandLoginWidget::generateButtonClicked()
{
    const wire::Command c = wire::cmd::login(m_password->text().trimmed());
    emit generateCommand(c.code.type, c.code.subType, c.code.funcId, c.payload);
}

void CommandLoginWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void CommandLoginWidget::retranslate()
{
    m_caption->setText(tr("Login(TCP Only)"));
    m_passwordCaption->setText(tr("Password"));
    m_generate->setText(tr("Generate Command"));
}
