#include "logindialog.h"

#include "addressfield.h"
#include "datamodel.h"
#include "deviceicons.h"

#include <QEvent>
#include <QFontMetrics>
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

    m_unitLabel = new QLabel(this);
    m_unitLabel->setObjectName(QStringLiteral("loginUnitLabel"));
    m_unitLabel->setWordWrap(true);
    m_passwordLabel = new QLabel(this);
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("loginPasswordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_loginButton = new QPushButton(this);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setMinimumSize(72, 25);
    m_loginButton->setDefault(true);

    m_wrongMark = new QLabel(QString(QChar(0xF129)), this);
    m_wrongMark->setObjectName(QStringLiteral("loginWrongMark"));
    m_wrongMark->setFixedSize(12, 12);
    m_wrongMark->setAlignment(Qt::AlignCenter);
    m_wrongMark->setFont(DeviceIcons::iconFont(9));
    m_wrongMark->setProperty("status", QStringLiteral("2"));
    m_wrongLabel = new QLabel(this);
    m_wrongLabel->setObjectName(QStringLiteral("loginWrongLabel"));
    m_wrongLabel->setProperty("status", QStringLiteral("2"));
    // The refusal keeps its room while hidden, so nothing moves when it appears.
    for (QWidget* w : {static_cast<QWidget*>(m_wrongMark), static_cast<QWidget*>(m_wrongLabel)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        w->hide();
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(m_unitLabel, 0, 0, 1, 2);
    grid->addWidget(m_passwordLabel, 1, 0);
    grid->addWidget(m_passwordEdit, 1, 1);
    auto* wrongRow = new QHBoxLayout;
    wrongRow->setContentsMargins(0, 0, 0, 0);
    wrongRow->setSpacing(4);
    wrongRow->addStretch();
    wrongRow->addWidget(m_wrongMark);
    wrongRow->addWidget(m_wrongLabel);
    wrongRow->addStretch();
    grid->addLayout(wrongRow, 2, 0, 1, 2);
    grid->addWidget(m_loginButton, 3, 0, 1, 2, Qt::AlignCenter);

    connect(m_loginButton, &QPushButton::clicked, this, &LoginDialog::loginButtonClicked);
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, &LoginDialog::loginButtonClicked);
    retranslate();
}

bool LoginDialog::isPasswordWrongShown() const
{
    return !m_wrongLabel->isHidden();
}

void LoginDialog::setUnit(const QString& model, quint32 ip)
{
    m_unitModel = model;
    m_unitAddress = ip;
    retranslate();
}

void LoginDialog::setMovedFrom(quint32 ip)
{
    m_movedFrom = ip;
    retranslate();
}

QString LoginDialog::unitText() const
{
    return m_unitLabel->text();
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
    const QString address = AddressField::dotted(m_unitAddress);
    QString text = m_unitModel.isEmpty()
                       ? tr("The unit at %1 asks for its password.").arg(address)
                       : tr("%1 at %2 asks for its password.").arg(m_unitModel, address);
    if (m_movedFrom != 0 && m_movedFrom != m_unitAddress)
        text += QLatin1Char('\n') +
                tr("Its address changed since the password was accepted at %1, so the password "
                   "was not sent again.")
                    .arg(AddressField::dotted(m_movedFrom));
    m_unitLabel->setText(text);
    // Wide enough for the whole hint in either language, with the field's own margins.
    const QFontMetrics fm(m_passwordEdit->font());
    m_passwordEdit->setMinimumWidth(fm.horizontalAdvance(m_passwordEdit->placeholderText()) + 24);
    m_unitLabel->setMinimumWidth(m_passwordLabel->sizeHint().width() + 8 +
                                 m_passwordEdit->minimumWidth());
}
