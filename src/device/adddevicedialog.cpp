#include "adddevicedialog.h"

#include "addressfield.h"
#include "datamodel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

AddDeviceDialog::AddDeviceDialog(DataModel* model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_model(model)
{
    setObjectName(QStringLiteral("addDeviceDialog"));
    resize(220, 120);

    m_addressLabel = new QLabel(this);
    m_addressEdit = new QLineEdit(this);
    m_addressEdit->setObjectName(QStringLiteral("addAddressEdit"));
    m_addressEdit->setValidator(AddressField::unicastValidator(m_addressEdit));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(m_addressLabel, 0, 0);
    grid->addWidget(m_addressEdit, 0, 1);
    AddressField::addButtonRow(grid, 1, this, &m_okButton, &m_cancelButton);

    connect(m_okButton, &QPushButton::clicked, this, &AddDeviceDialog::okButtonClicked);
    connect(m_addressEdit, &QLineEdit::returnPressed, this, &AddDeviceDialog::okButtonClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void AddDeviceDialog::okButtonClicked()
{
    quint32 address = 0;
    if (!AddressField::parse(m_addressEdit, &address)) {
        // Closing as if the unit had been added would leave the user searching for it.
        QMessageBox box(QMessageBox::Information, tr("Add Device"),
                        tr("The IP address is incomplete or invalid, please enter again!"),
                        QMessageBox::NoButton, this);
        box.addButton(tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        m_addressEdit->setFocus();
        return;
    }
    if (!m_model) {
        accept();
        return;
    }
    const int known = m_model->indexOfAddress(address);
    if (known >= 0) {
        // A second row for the same unit would stay empty: the one that is there is chosen.
        QMessageBox box(QMessageBox::Information, tr("Add Device"),
                        tr("The unit at %1 is already in the list; it has been selected.")
                            .arg(AddressField::dotted(address)),
                        QMessageBox::NoButton, this);
        box.addButton(tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        m_model->selectDevice(known, false);
        accept();
        return;
    }
    if (!m_model->addDeviceByAddress(address)) {
        QMessageBox box(QMessageBox::Information, tr("Add Device"),
                        tr("The list is full; remove units that are no longer used first."),
                        QMessageBox::NoButton, this);
        box.addButton(tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        return;
    }
    accept();
}

void AddDeviceDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void AddDeviceDialog::retranslate()
{
    setWindowTitle(tr("Add Device"));
    m_addressLabel->setText(tr("IP Address"));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
}
