#include "editdevicedialog.h"

#include "addressfield.h"
#include "datamodel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

EditDeviceDialog::EditDeviceDialog(DataModel* model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_model(model)
{
    setObjectName(QStringLiteral("editDeviceDialog"));
    resize(240, 160);

    m_addressLabel = new QLabel(this);
    m_maskLabel = new QLabel(this);
    m_gatewayLabel = new QLabel(this);
    m_addressEdit = new QLineEdit(this);
    m_addressEdit->setObjectName(QStringLiteral("editAddressEdit"));
    m_addressEdit->setValidator(AddressField::unicastValidator(m_addressEdit));
    m_maskEdit = new QLineEdit(this);
    m_maskEdit->setObjectName(QStringLiteral("editMaskEdit"));
    m_maskEdit->setValidator(AddressField::octetValidator(m_maskEdit));
    m_gatewayEdit = new QLineEdit(this);
    m_gatewayEdit->setObjectName(QStringLiteral("editGatewayEdit"));
    m_gatewayEdit->setValidator(AddressField::unicastValidator(m_gatewayEdit));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(m_addressLabel, 0, 0);
    grid->addWidget(m_addressEdit, 0, 1);
    grid->addWidget(m_maskLabel, 1, 0);
    grid->addWidget(m_maskEdit, 1, 1);
    grid->addWidget(m_gatewayLabel, 2, 0);
    grid->addWidget(m_gatewayEdit, 2, 1);
    AddressField::addButtonRow(grid, 3, this, &m_okButton, &m_cancelButton);

    connect(m_okButton, &QPushButton::clicked, this, &EditDeviceDialog::okButtonClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void EditDeviceDialog::setRow(int row)
{
    m_row = row;
    const DeviceRecord* record = m_model ? m_model->device(row) : nullptr;
    m_addressEdit->setText(record ? AddressField::dotted(record->packet.ipAddress) : QString());
    m_maskEdit->clear();
    m_gatewayEdit->clear();
}

void EditDeviceDialog::okButtonClicked()
{
    // A unit given a zero or unfinished mask or gateway may become unreachable; nothing is
    // sent until all three fields hold complete addresses.
    quint32 ip = 0;
    quint32 mask = 0;
    quint32 gateway = 0;
    if (!AddressField::parse(m_addressEdit, &ip)) {
        refuse(m_addressEdit, tr("The IP address is incomplete or invalid, please enter again!"));
        return;
    }
    if (!AddressField::parse(m_maskEdit, &mask) || !AddressField::isSubnetMask(mask)) {
        refuse(m_maskEdit, tr("The subnet mask is incomplete or invalid, please enter again!"));
        return;
    }
    if (!AddressField::parse(m_gatewayEdit, &gateway)) {
        refuse(m_gatewayEdit, tr("The gateway is incomplete or invalid, please enter again!"));
        return;
    }
    if (m_model)
        m_model->setDeviceNetwork(m_row, ip, mask, gateway);
    accept();
}

void EditDeviceDialog::refuse(QLineEdit* field, const QString& text)
{
    QMessageBox box(QMessageBox::Information, tr("Modify Network Parameters"), text,
                    QMessageBox::NoButton, this);
    box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.exec();
    field->setFocus();
    field->selectAll();
}

void EditDeviceDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void EditDeviceDialog::retranslate()
{
    setWindowTitle(tr("Modify Network Parameters"));
    m_addressLabel->setText(tr("IP Address"));
    m_maskLabel->setText(tr("Subnet Mask"));
    m_gatewayLabel->setText(tr("Gateway"));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
}
