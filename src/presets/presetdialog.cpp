#include "presetdialog.h"

#include "datamodel.h"
#include "systemsettings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

using Scope = PresetFileTransfer::Scope;

namespace {

constexpr int kRowHeight = 25;
constexpr int kNameWidth = 130;
constexpr int kButtonWidth = 60;
constexpr int kColumns = 6;

QString chooseWithDialog(QWidget* parent, bool save, const QString& title, const QString& dir,
                         const QString& filter)
{
    return save ? QFileDialog::getSaveFileName(parent, title, dir, filter)
                : QFileDialog::getOpenFileName(parent, title, dir, filter);
}

} // namespace

PresetDialog::PresetDialog(DataModel& model, ReportRouter& router, SystemSettings& settings,
                           QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("PresetGeometry"), parent), m_settings(settings),
      m_edits(model), m_transfer(model)
{
    setObjectName(QStringLiteral("presetDialog"));
    setRefreshFlag(Refresher::Presets);
    if (!geometryRestored())
        resize(640, 600);
    m_chooseFile = [this](bool save, const QString& title, const QString& dir,
                          const QString& filter) {
        return chooseWithDialog(this, save, title, dir, filter);
    };

    m_table = new QTableWidget(wire::kPresetCount, kColumns, this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->horizontalHeader()->setFixedHeight(kRowHeight);
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->verticalHeader()->setSectionsClickable(false);
    m_table->verticalHeader()->setHighlightSections(false);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setColumnWidth(0, kNameWidth);
    // The name takes whatever room the window gives beyond the buttons.
    m_table->horizontalHeader()->setMinimumSectionSize(kButtonWidth);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < kColumns; ++c)
        m_table->setColumnWidth(c, kButtonWidth);
    QStringList numbers;
    for (int slot = 0; slot < wire::kPresetCount; ++slot)
        numbers << QStringLiteral("%1").arg(slot + 1);
    m_table->setVerticalHeaderLabels(numbers);

    const auto button = [this](int slot, void (PresetDialog::*clicked)()) {
        auto* b = new QPushButton(m_table);
        b->setObjectName(QString::number(slot));
        connect(b, &QPushButton::clicked, this, clicked);
        return b;
    };
    for (int slot = 0; slot < wire::kPresetCount; ++slot) {
        Row row;
        row.name = new QLineEdit(m_table);
        row.name->setObjectName(QString::number(slot));
        row.name->setAlignment(Qt::AlignCenter);
        row.name->setMaxLength(wire::kPresetNameBytes);
        connect(row.name, &QLineEdit::editingFinished, this,
                &PresetDialog::nameEditEditingFinished);
        row.save = button(slot, &PresetDialog::saveButtonClicked);
        row.load = button(slot, &PresetDialog::loadButtonClicked);
        row.import = button(slot, &PresetDialog::importButtonClicked);
        row.exportButton = button(slot, &PresetDialog::exportButtonClicked);
        row.remove = button(slot, &PresetDialog::deleteButtonClicked);
        m_table->setCellWidget(slot, 0, row.name);
        const QList<QPushButton*> buttons{row.save, row.load, row.import, row.exportButton,
                                          row.remove};
        for (int c = 0; c < buttons.size(); ++c)
            m_table->setCellWidget(slot, c + 1, buttons[c]);
        m_rows << row;
    }

    m_importAll = new QPushButton(this);
    m_exportAll = new QPushButton(this);
    for (QPushButton* b : {m_importAll, m_exportAll})
        b->setFixedSize(80, 25);
    connect(m_importAll, &QPushButton::clicked, this, &PresetDialog::importAllButtonClicked);
    connect(m_exportAll, &QPushButton::clicked, this, &PresetDialog::exportAllButtonClicked);
    auto* side = new QVBoxLayout;
    side->setSpacing(16);
    side->addStretch();
    side->addWidget(m_importAll);
    side->addWidget(m_exportAll);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 16, 8);
    layout->setSpacing(8);
    layout->addWidget(m_table, 1);
    layout->addLayout(side);

    m_progress = new QProgressDialog(this);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->reset();
    m_progress->hide();
    connect(m_progress, &QProgressDialog::canceled, this, [this] {
        m_transfer.cancel();
        m_progress->hide();
    });

    connect(&m_transfer, &PresetFileTransfer::started, this, &PresetDialog::transferStarted);
    connect(&m_transfer, &PresetFileTransfer::progressed, this, &PresetDialog::transferProgressed);
    connect(&m_transfer, &PresetFileTransfer::finished, this, &PresetDialog::closeProgress);
    connect(&m_transfer, &PresetFileTransfer::failed, this, &PresetDialog::transferFailed);

    using Event = ReportRouter::Event;
    subscribe(wire::code::PresetTable, [this](const Event&) { refresh(); });
    subscribe(wire::code::PresetLoad, [this](const Event& e) { showLoadProgress(e.channel); });
    for (wire::Code c : {wire::code::PresetExport, wire::code::PresetExportAll,
                         wire::code::PresetImport, wire::code::PresetImportAll}) {
        subscribe(c,
                  [this](const Event& e) { m_transfer.handleAnswer(e.code, e.any.toByteArray()); });
    }
    retranslate();
    refresh();
}

QPushButton* PresetDialog::button(int slot, int column) const
{
    if (slot < 0 || slot >= m_rows.size())
        return nullptr;
    const Row& r = m_rows[slot];
    switch (column) {
    case 1:
        return r.save;
    case 2:
        return r.load;
    case 3:
        return r.import;
    case 4:
        return r.exportButton;
    case 5:
        return r.remove;
    default:
        return nullptr;
    }
}

void PresetDialog::retranslate()
{
    setWindowTitle(tr("Preset"));
    m_table->setHorizontalHeaderLabels(
        {tr("Name"), tr("Save"), tr("Load"), tr("Import"), tr("Export"), tr("Delete")});
    for (const Row& r : qAsConst(m_rows)) {
        r.save->setText(tr("Save"));
        r.load->setText(tr("Load"));
        r.import->setText(tr("Import"));
        r.exportButton->setText(tr("Export"));
        r.remove->setText(tr("Delete"));
    }
    m_importAll->setText(tr("Import All"));
    m_exportAll->setText(tr("Export All"));
}

int PresetDialog::senderSlot() const
{
    bool ok = false;
    const int slot = sender() ? sender()->objectName().toInt(&ok) : -1;
    return ok && PresetEdits::validSlot(slot) ? slot : -1;
}

void PresetDialog::refresh()
{
    const auto& presets = model().presets();
    for (int slot = 0; slot < m_rows.size(); ++slot) {
        const auto& entry = presets.entries[std::size_t(slot)];
        Row& r = m_rows[slot];
        if (!r.name->hasFocus())
            r.name->setText(entry.name);
        for (QPushButton* b : {r.load, r.exportButton, r.remove})
            b->setEnabled(entry.used);
        const bool current = slot == presets.current;
        if (r.load->property("highlighted").toBool() != current) {
            r.load->setProperty("highlighted", current);
            r.load->style()->unpolish(r.load);
            r.load->style()->polish(r.load);
            r.load->update();
        }
    }
}

void PresetDialog::inform(const QString& text)
{
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("Preset"), text, QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->addButton(tr("OK"), QMessageBox::AcceptRole);
    box->open();
}

void PresetDialog::ask(const QString& question, int slot, std::function<void(int)> act)
{
    auto* box = new QMessageBox(QMessageBox::Question, tr("Preset"),
                                question + QStringLiteral("%1?").arg(slot + 1),
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* ok = box->addButton(tr("OK"), QMessageBox::AcceptRole);
    box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    connect(box, &QMessageBox::finished, this, [box, ok, slot, act = std::move(act)] {
        if (box->clickedButton() == ok)
            act(slot);
    });
    box->open();
}

void PresetDialog::nameEditEditingFinished()
{
    const int slot = senderSlot();
    if (slot < 0 || m_finishing)
        return;
    QLineEdit* edit = m_rows[slot].name;
    m_finishing = true;
    edit->clearFocus();
    m_finishing = false;
    const QString& current = model().presets().entries[std::size_t(slot)].name;
    if (edit->text().trimmed() == current) {
        edit->setText(current);
        return;
    }
    if (!m_edits.rename(slot, edit->text())) {
        edit->setText(current);
        inform(tr("The preset name's length can not be greater than 16 bytes, please enter "
                  "again!"));
        return;
    }
    edit->setText(model().presets().entries[std::size_t(slot)].name);
}

void PresetDialog::saveButtonClicked()
{
    const int slot = senderSlot();
    if (slot >= 0)
        ask(tr("Are you sure that you want to save current settings to preset "), slot,
            [this](int s) { m_edits.save(s); });
}

void PresetDialog::loadButtonClicked()
{
    const int slot = senderSlot();
    if (slot >= 0)
        ask(tr("Are you sure that you want to load preset "), slot,
            [this](int s) { m_edits.load(s); });
}

void PresetDialog::deleteButtonClicked()
{
    const int slot = senderSlot();
    if (slot >= 0)
        ask(tr("Are you sure that you want to delete preset "), slot,
            [this](int s) { m_edits.remove(s); });
}

void PresetDialog::exportButtonClicked()
{
    const int slot = senderSlot();
    if (slot >= 0)
        exportTo(Scope::OnePreset, slot);
}

void PresetDialog::exportAllButtonClicked()
{
    exportTo(Scope::AllPresets, 0);
}

void PresetDialog::importButtonClicked()
{
    const int slot = senderSlot();
    if (slot >= 0)
        importFrom(Scope::OnePreset, slot);
}

void PresetDialog::importAllButtonClicked()
{
    importFrom(Scope::AllPresets, 0);
}

void PresetDialog::exportTo(Scope scope, int slot)
{
    const bool one = scope == Scope::OnePreset;
    const QString path = m_chooseFile(true, one ? tr("Save preset as") : tr("Save all presets as"),
                                      one ? m_settings.lastFileDirectory() : QDir::currentPath(),
                                      one ? tr("pst file") + QStringLiteral("(*.pst)")
                                          : tr("pstl file") + QStringLiteral("(*.pstl)"));
    if (path.isEmpty())
        return;
    // Files of one preset go where the last one went; bank files to the working directory.
    if (one)
        m_settings.setLastFileDirectory(QFileInfo(path).absolutePath());
    m_progressLabel = one ? tr("Exporting...") : tr("Exporting All...");
    m_transfer.startExport(scope, slot, path);
}

void PresetDialog::importFrom(Scope scope, int slot)
{
    const bool one = scope == Scope::OnePreset;
    const QString path = m_chooseFile(false, tr("Select a preset file to import"),
                                      one ? m_settings.lastFileDirectory() : QDir::currentPath(),
                                      one ? tr("pst file") + QStringLiteral("(*.pst)")
                                          : tr("pstl file") + QStringLiteral("(*.pstl)"));
    if (path.isEmpty())
        return;
    if (one)
        m_settings.setLastFileDirectory(QFileInfo(path).absolutePath());
    m_progressLabel = one ? tr("Import...") : tr("Import All...");
    // A file that cannot hold a preset is refused before the unit hears of it.
    if (!m_transfer.startImport(scope, slot, path))
        inform(tr("File format is error!"));
}

void PresetDialog::transferStarted(int blocks)
{
    m_progress->reset();
    m_progress->setRange(0, blocks);
    m_progress->setValue(0);
    m_progress->setLabelText(m_progressLabel);
    m_progress->show();
}

void PresetDialog::transferProgressed(int done, int blocks)
{
    m_progress->setValue(done);
    m_progress->setLabelText(m_progressLabel + QStringLiteral("%1%").arg(done * 100 / blocks));
}

void PresetDialog::closeProgress()
{
    m_progress->setLabelText(QString());
    m_progress->reset();
    m_progress->hide();
}

void PresetDialog::transferFailed(PresetFileTransfer::Failure failure)
{
    closeProgress();
    switch (failure) {
    case PresetFileTransfer::Failure::BadFile:
        inform(tr("File format is error!"));
        break;
    case PresetFileTransfer::Failure::NothingToExport:
        inform(tr("The preset is empty: there is nothing to export."));
        break;
    case PresetFileTransfer::Failure::WriteFailed:
        inform(tr("The file could not be written; an earlier file of that name is unchanged."));
        break;
    case PresetFileTransfer::Failure::NoAnswer:
        inform(tr("The unit stopped answering; the transfer was stopped."));
        break;
    }
}

void PresetDialog::showLoadProgress(int percent)
{
    if (percent >= 100) {
        closeProgress();
        return;
    }
    const QString loading = tr("Loading") + QStringLiteral("...");
    if (percent == 0) {
        m_progress->reset();
        m_progress->setRange(0, 100);
        m_progress->setValue(0);
        m_progress->setLabelText(loading);
        m_progress->show();
        return;
    }
    m_progress->setValue(percent);
    m_progress->setLabelText(loading + QStringLiteral("%1%").arg(percent));
}

PresetDialog::~PresetDialog()
{
    detachLineEdits(this);
}
