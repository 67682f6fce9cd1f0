#include "logindialog.h"

#include "datamodel.h"
#include "deviceicons.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>

LoginDialog::LoginDialog(DataModel* model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_model(model)
{
    setObjectName(QStringLiteral("loginDialog"));
    resize(200, 120);

    m_passwordLabel = new QLabel(this);
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("loginPasswordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_loginButton = new QPushButton(this);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setFixedSize(60, 25);

    m_wrongMark = new QLabel(QString(QChar(0xF129)), this);
    m_wrongMark->setObjectName(QStringLiteral("loginWrongMark"));
    m_wrongMark->setFixedSize(12, 12);
    m_wrongMark->setAlignment(Qt::AlignCenter);
    m_wrongMark->setFont(DeviceIcons::iconFont(9));
    m_wrongMark->setProperty("status", QStringLiteral("2"));
    m_wrongLabel = new QLabel(this);
    m_wrongLabel->setObjectName(QStringLiteral("loginWrongLabel"));
    m_wrongLabel->setProperty("status", QStringLiteral("2"));
    m_wrongMark->hide();
    m_wrongLabel->hide();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(m_passwordLabel, 0, 0);
    grid->addWidget(m_passwordEdit, 0, 1);
    grid->addWidget(m_loginButton, 1, 0, 1, 2, Qt::AlignCenter);
    auto* wrongRow = new QHBoxLayout;
    wrongRow->setContentsMargins(0, 0, 0, 0);
    wrongRow->setSpacing(4);
    wrongRow->addStretch();
    wrongRow->addWidget(m_wrongMark);
    wrongRow->addWidget(m_wrongLabel);
    wrongRow->addStretch();
    grid->addLayout(wrongRow, 2, 0, 1, 2);

    connect(m_loginButton, &QPushButton::clicked, this, &LoginDialog::loginButtonClicked);
    retranslate();
}

bool LoginDialog::isPasswordWrongShown() const
{
    return !m_wrongLabel->isHidden();
}

void LoginDialog::loginButtonClicked()
{
    if (m_model)
        m_model->login(m_passwordEdit->text().trimmed(), true);
    hide();
}

void LoginDialog::setPasswordWrong(bool wrong)
{
    m_wrongMark->setVisible(wrong);
    m_wrongLabel->setVisible(wrong);
}

void LoginDialog::hideEvent(QHideEvent* event)
{
    m_passwordEdit->clear();
    setPasswordWrong(false);
    QDialog::hideEvent(event);
}

void LoginDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void LoginDialog::retranslate()
{
    setWindowTitle(tr("Login"));
    m_passwordLabel->setText(tr("Password"));
    m_passwordEdit->setPlaceholderText(tr("Enter password to login"));
    m_loginButton->setText(tr("Login"));
    m_wrongLabel->setText(tr("Password is wrong!"));
}
