#include "twofieldinputdialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kFieldHeight = 25;
constexpr int kFieldWidth = 180;
constexpr int kButtonWidth = 80;
} // namespace

TwoFieldInputDialog::TwoFieldInputDialog(QWidget* parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_firstLabel(new QLabel(this)), m_secondLabel(new QLabel(this)), m_first(new QLineEdit(this)),
      m_second(new QLineEdit(this)), m_ok(new QPushButton(this)), m_cancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("twoFieldInputDialog"));
    m_first->setObjectName(QStringLiteral("firstField"));
    m_second->setObjectName(QStringLiteral("secondField"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    int row = 0;
    for (auto [label, field] :
         {std::make_pair(m_firstLabel, m_first), std::make_pair(m_secondLabel, m_second)}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setFixedHeight(kFieldHeight);
        field->setMinimumWidth(kFieldWidth);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    }
    for (QPushButton* button : {m_ok, m_cancel})
        button->setMinimumWidth(kButtonWidth);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void TwoFieldInputDialog::setLabels(const QString& first, const QString& second)
{
    m_firstLabel->setText(first);
    m_secondLabel->setText(second);
}

void TwoFieldInputDialog::setMaxLength(int characters)
{
    m_first->setMaxLength(characters);
    m_second->setMaxLength(characters);
}

void TwoFieldInputDialog::setEchoMode(int mode)
{
    m_first->setEchoMode(QLineEdit::EchoMode(mode));
    m_second->setEchoMode(QLineEdit::EchoMode(mode));
}

QString TwoFieldInputDialog::firstText() const
{
    return m_first->text();
}

QString TwoFieldInputDialog::secondText() const
{
    return m_second->text();
}

void TwoFieldInputDialog::retranslate()
{
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Cancel"));
}
