#include "testdialog.h"

#include <QHBoxLayout>
#include <QPushButton>

TestDialog::TestDialog(QWidget* parent) : Dialog(parent)
{
    makeToolWindow();
    m_phantom = new QPushButton(this);
    m_phantom->setCheckable(true);
    m_dspUpgrade = new QPushButton(this);
    m_forceUpgrade = new QPushButton(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_phantom);
    layout->addWidget(m_dspUpgrade);
    layout->addWidget(m_forceUpgrade);
    connect(m_phantom, &QPushButton::clicked, this, &TestDialog::phantomButtonClicked);
    connect(m_dspUpgrade, &QPushButton::clicked, this, &TestDialog::dspUpgradeRequested);
    connect(m_forceUpgrade, &QPushButton::clicked, this, &TestDialog::forceUpgradeRequested);
    retranslate();
}

void TestDialog::retranslate()
{
    setWindowTitle(tr("Test"));
    m_phantom->setText(tr("48V"));
    m_dspUpgrade->setText(tr("DSP Upgrade"));
    m_forceUpgrade->setText(tr("Force Upgrade"));
}
