#include "deviceversionselectiondialog.h"

#include "systemsettings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    NameColumn,
    AnalogInputColumn,
    AnalogOutputColumn,
    DanteInputColumn,
    DanteOutputColumn,
    UsbColumn,
    ColumnCount
};

struct ProfileRow
{
    const char* name;
    const char* analogInputs;
    const char* analogOutputs;
    const char* danteInputs;
    const char* danteOutputs;
    bool usb;
    bool offered; // whether the user may pick it; the others only follow a unit's report
};

const ProfileRow kRows[SystemSettings::kProfileCount] = {
    {"16x16", "16CH", "16CH", "", "", false, false},
    {"16x8", "16CH", "8CH", "", "", true, true},
    {"8x8", "8CH", "8CH", "", "", true, true},
    {"4x8", "4CH", "8CH", "", "", false, false},
    {"12x12 Dante", "12CH", "12CH", "4CH", "4CH", false, false},
};

const QSize kButtonSize(60, 25);

} // namespace

DeviceVersionSelectionDialog::DeviceVersionSelectionDialog(SystemSettings& settings,
                                                           QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint;
    if (!parent)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    resize(420, 180);

    m_languageRow = new QWidget(this);
    m_chineseButton = new QPushButton(m_languageRow);
    m_englishButton = new QPushButton(m_languageRow);
    m_languageGroup = new QButtonGroup(this);
    m_languageGroup->setExclusive(true);
    m_languageGroup->addButton(m_chineseButton, 0);
    m_languageGroup->addButton(m_englishButton, 1);
    m_chineseButton->setProperty("horizontalButtonPosition", QStringLiteral("first"));
    m_englishButton->setProperty("horizontalButtonPosition", QStringLiteral("last"));
    auto* languageLayout = new QHBoxLayout(m_languageRow);
    languageLayout->setContentsMargins(0, 0, 0, 0);
    languageLayout->setSpacing(0);
    languageLayout->addStretch();
    for (QPushButton* button : {m_chineseButton, m_englishButton}) {
        button->setCheckable(true);
        button->setFixedSize(kButtonSize);
        button->setFocusPolicy(Qt::NoFocus);
        languageLayout->addWidget(button);
    }
    connect(m_languageGroup, &QButtonGroup::idClicked, this,
            &DeviceVersionSelectionDialog::languageButtonClicked);

    m_table = new QTableWidget(SystemSettings::kProfileCount, ColumnCount, this);
    buildTable();
    connect(m_table, &QTableWidget::cellDoubleClicked, this,
            &DeviceVersionSelectionDialog::doChange);

    m_showAtStartupCheckBox = new QCheckBox(this);
    m_showAtStartupCheckBox->setChecked(settings.showAtStartup());

    // Buttons of our own: the box would put its untranslated standard texts back on every
    // language change.
    m_buttonBox = new QDialogButtonBox(this);
    m_okButton = m_buttonBox->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_cancelButton = m_buttonBox->addButton(QString(), QDialogButtonBox::RejectRole);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton* button : {m_okButton, m_cancelButton})
        button->setMinimumSize(kButtonSize);
    connect(m_buttonBox, &QDialogButtonBox::accepted, this,
            &DeviceVersionSelectionDialog::doChange);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottomLayout = new QHBoxLayout;
    bottomLayout->setSpacing(8);
    bottomLayout->addWidget(m_showAtStartupCheckBox);
    bottomLayout->addStretch();
    bottomLayout->addWidget(m_buttonBox);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_languageRow);
    layout->addWidget(m_table);
    layout->addLayout(bottomLayout);

    selectProfileRow(settings.deviceVersionSelection());
    retranslate();
}

void DeviceVersionSelectionDialog::buildTable()
{
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setFixedHeight(25);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    for (int row = 0; row < SystemSettings::kProfileCount; ++row) {
        const ProfileRow& p = kRows[row];
        const char* texts[ColumnCount] = {p.name,        p.analogInputs, p.analogOutputs,
                                          p.danteInputs, p.danteOutputs, p.usb ? "\u221A" : ""};
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(QString::fromUtf8(texts[column]));
            item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(row, column, item);
        }
        m_table->setRowHidden(row, !p.offered);
    }
    for (int column : {NameColumn, DanteInputColumn, DanteOutputColumn})
        m_table->setColumnHidden(column, true);
}

void DeviceVersionSelectionDialog::selectProfileRow(int profile)
{
    if (profile < 0 || profile >= m_table->rowCount())
        return;
    m_table->setCurrentCell(profile, AnalogInputColumn,
                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DeviceVersionSelectionDialog::setLanguageButtonsVisible(bool visible)
{
    m_languageRow->setVisible(visible);
}

void DeviceVersionSelectionDialog::setCancelVisible(bool visible)
{
    m_cancelButton->setVisible(visible);
}

void DeviceVersionSelectionDialog::setTableEnabled(bool enabled)
{
    m_table->setEnabled(enabled);
}

void DeviceVersionSelectionDialog::languageButtonClicked(int id)
{
    m_settings.setLanguage(id);
}

void DeviceVersionSelectionDialog::doChange()
{
    // A row can be deselected with Ctrl+click; the profile then stays as it was.
    const int row = m_table->currentRow();
    if (row >= 0 && row < SystemSettings::kProfileCount &&
        m_table->selectionModel()->isRowSelected(row, QModelIndex()))
        m_settings.setDeviceVersionSelection(row);
    m_settings.setShowAtStartup(m_showAtStartupCheckBox->isChecked());
    accept();
}

int DeviceVersionSelectionDialog::profileForUnit(quint32 inputMask, quint32 outputMask, bool dante)
{
    if (dante)
        return 4;
    for (int profile = 1; profile < SystemSettings::kProfileCount; ++profile) {
        const SystemSettings::UnitMasks unit = SystemSettings::unitMasksForProfile(profile);
        if (!unit.dante && unit.inputMask == inputMask && unit.outputMask == outputMask)
            return profile;
    }
    return 0;
}

bool DeviceVersionSelectionDialog::selectDeviceVersion(SystemSettings& settings, quint32 inputMask,
                                                       quint32 outputMask, bool dante)
{
    const int profile = profileForUnit(inputMask, outputMask, dante);
    if (auto* dialog =
            qobject_cast<DeviceVersionSelectionDialog*>(QApplication::activeModalWidget()))
        dialog->selectProfileRow(profile);
    if (profile == settings.deviceVersionSelection())
        return false;
    settings.setDeviceVersionSelection(profile);
    return true;
}

void DeviceVersionSelectionDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void DeviceVersionSelectionDialog::retranslate()
{
    setWindowTitle(tr("Device Version Selection"));
    m_chineseButton->setText(tr("Chinese"));
    m_englishButton->setText(tr("English"));
    m_table->setHorizontalHeaderLabels({tr("Name"), tr("Analog Input"), tr("Analog Output"),
                                        tr("Dante Input"), tr("Dante Output"), tr("USB Rec/Play")});
    m_showAtStartupCheckBox->setText(tr("Show at startup"));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));

    if (QAbstractButton* button = m_languageGroup->button(m_settings.language()))
        button->setChecked(true);
    // The style sheet keeps the look of the checked state from before the language change
    // unless the segments are polished again.
    for (QPushButton* button : {m_chineseButton, m_englishButton}) {
        button->style()->unpolish(button);
        button->style()->polish(button);
        button->update();
    }
}
