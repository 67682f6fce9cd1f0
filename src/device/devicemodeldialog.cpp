#include "devicemodeldialog.h"

#include "datamodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kFieldHeight = 25;
// The channel configurations a unit is built in, in the order of the device versions.
const char* const kConfigurations[] = {"16 x 16", "16 x 8 + USB", "8 x 8 + USB", "4 x 8",
                                       "12 x 12 + Dante"};
} // namespace

DeviceModelDialog::DeviceModelDialog(const DataModel& model, QWidget* parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_modelLabel(new QLabel(this)), m_serialLabel(new QLabel(this)),
      m_configurationLabel(new QLabel(this)), m_modelEdit(new QLineEdit(this)),
      m_serialEdit(new QLineEdit(this)), m_configurationBox(new QComboBox(this)),
      m_syncBox(new QCheckBox(this)), m_ok(new QPushButton(this)), m_cancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("deviceModelDialog"));
    m_modelEdit->setObjectName(QStringLiteral("modelNameEdit"));
    m_serialEdit->setObjectName(QStringLiteral("serialNumberEdit"));
    m_modelEdit->setText(model.system().model);
    m_serialEdit->setText(proposedSerialNumber(QDate::currentDate()));
    for (const char* name : kConfigurations)
        m_configurationBox->addItem(QString::fromLatin1(name));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    int row = 0;
    for (auto [label, field] :
         {std::make_pair(m_modelLabel, static_cast<QWidget*>(m_modelEdit)),
          std::make_pair(m_serialLabel, static_cast<QWidget*>(m_serialEdit)),
          std::make_pair(m_configurationLabel, static_cast<QWidget*>(m_configurationBox))}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setFixedHeight(kFieldHeight);
        field->setMinimumWidth(200);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    }
    grid->addWidget(m_syncBox, row++, 1);
    for (QPushButton* button : {m_ok, m_cancel})
        button->setMinimumWidth(80);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

QString DeviceModelDialog::proposedSerialNumber(const QDate& date)
{
    return QStringLiteral("CN-000-%1-%2xxx")
        .arg(date.year())
        .arg(date.dayOfYear(), 3, 10, QLatin1Char('0'));
}

QString DeviceModelDialog::modelName() const
{
    return m_modelEdit->text().trimmed();
}

QString DeviceModelDialog::serialNumber() const
{
    return m_serialEdit->text().trimmed();
}

int DeviceModelDialog::configuration() const
{
    return m_configurationBox->currentIndex();
}

bool DeviceModelDialog::dataSync() const
{
    return m_syncBox->isChecked();
}

void DeviceModelDialog::retranslate()
{
    setWindowTitle(tr("Device Model"));
    m_modelLabel->setText(tr("Device Model"));
    m_serialLabel->setText(tr("Serial Number"));
    m_configurationLabel->setText(tr("Channel Configuration"));
    m_syncBox->setText(tr("Dual Backup Data Sync"));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Cancel"));
}
