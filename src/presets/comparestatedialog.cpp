#include "comparestatedialog.h"

#include "datamodel.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

// State files are a few hundred kilobytes at most.
constexpr qint64 kLargestFile = 4 * 1024 * 1024;
constexpr int kKeyRole = Qt::UserRole;
// The unit answers a full read in order, a few milliseconds per block over a LAN; the
// comparison waits this long per read, and at least the shortest wait.
constexpr int kMsPerRead = 5;
constexpr int kShortestReadMs = 800;

} // namespace

CompareStateDialog::CompareStateDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("CompareStateGeometry"), parent)
{
    setObjectName(QStringLiteral("compareStateDialog"));
    if (!geometryRestored())
        resize(720, 560);
    m_chooseFile = [this](bool save, const QString& title) {
        const QString filter = tr("Unit state (*.txt *.json);;All files (*)");
        return save ? QFileDialog::getSaveFileName(this, title, QString(), filter)
                    : QFileDialog::getOpenFileName(this, title, QString(), filter);
    };

    m_answersSettled = new QTimer(this);
    m_answersSettled->setSingleShot(true);
    connect(m_answersSettled, &QTimer::timeout, this, [this] {
        if (auto then = std::exchange(m_afterRead, nullptr))
            then();
    });

    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(3);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_openSaved = new QPushButton(this);
    m_openSecond = new QPushButton(this);
    m_refresh = new QPushButton(this);
    m_send = new QPushButton(this);
    m_send->setObjectName(QStringLiteral("sendSelectedButton"));
    connect(m_openSaved, &QPushButton::clicked, this, &CompareStateDialog::openSavedClicked);
    connect(m_openSecond, &QPushButton::clicked, this, &CompareStateDialog::openSecondClicked);
    connect(m_refresh, &QPushButton::clicked, this, &CompareStateDialog::readAndRefresh);
    connect(m_send, &QPushButton::clicked, this, &CompareStateDialog::sendSelectedClicked);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_openSaved, m_openSecond, m_refresh})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
    retranslate();
    refresh();
}

void CompareStateDialog::saveStateTriggered()
{
    if (!model().isLoggedIn()) {
        tell(tr("No unit is connected: there is no state to save."));
        return;
    }
    const QString path = m_chooseFile(true, tr("Save State"));
    if (path.isEmpty())
        return;
    readUnit([this, path] {
        QSaveFile file(path);
        const QByteArray text = SavedState::text(model());
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            tell(tr("%1 could not be written.").arg(QDir::toNativeSeparators(path)));
    });
}

void CompareStateDialog::readUnit(std::function<void()> then)
{
    if (!model().isLoggedIn()) {
        then();
        return;
    }
    m_afterRead = std::move(then);
    const QVector<ParameterRead> reads = ParameterKeys::readsFor(ParameterKeys::all());
    for (const ParameterRead& r : reads)
        model().sendQuery(r.code, r.payload);
    m_answersSettled->start(std::max(kShortestReadMs, int(reads.size()) * kMsPerRead));
}

void CompareStateDialog::readAndRefresh()
{
    if (!m_second.isEmpty()) {
        refresh();
        return;
    }
    m_summary->setText(tr("Reading the unit..."));
    readUnit([this] { refresh(); });
}

bool CompareStateDialog::load(const QString& title, QMap<QString, QString>* values, QString* name)
{
    const QString path = m_chooseFile(false, title);
    if (path.isEmpty())
        return false;
    QFile file(path);
    QStringList skipped;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestFile ||
        !SavedState::parse(file.readAll(), values, &skipped)) {
        tell(tr("%1 holds no state of a unit.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    *name = QFileInfo(path).fileName();
    if (!skipped.isEmpty())
        tell(tr("Lines of %1 not used: %2").arg(*name).arg(skipped.size()),
             skipped.mid(0, 20).join(QLatin1Char('\n')));
    return true;
}

void CompareStateDialog::openSavedClicked()
{
    QMap<QString, QString> values;
    QString name;
    if (!load(tr("Open State"), &values, &name))
        return;
    m_saved = values;
    m_savedName = name;
    readAndRefresh();
}

void CompareStateDialog::openSecondClicked()
{
    QMap<QString, QString> values;
    QString name;
    if (!load(tr("Open Second State"), &values, &name))
        return;
    m_second = values;
    m_secondName = name;
    refresh();
}

void CompareStateDialog::refresh()
{
    const bool offline = !m_second.isEmpty();
    const bool live = !offline && model().isLoggedIn();
    const QMap<QString, QString> current = offline ? m_second
                                           : live  ? SavedState::capture(model())
                                                   : QMap<QString, QString>();
    m_differences = m_saved.isEmpty() || current.isEmpty() ? QVector<SavedState::Difference>()
                                                           : SavedState::compare(current, m_saved);

    m_tree->clear();
    QTreeWidgetItem* group = nullptr;
    for (const SavedState::Difference& d : m_differences) {
        const QString name = SavedState::group(d.key);
        if (!group || group->text(0) != name) {
            group = new QTreeWidgetItem(m_tree, {name});
            group->setFirstColumnSpanned(true);
            group->setExpanded(true);
        }
        auto* row = new QTreeWidgetItem(group, {d.key.name(), d.current, d.saved});
        row->setData(0, kKeyRole, d.key.name());
        // Only a value the saved state holds can be sent, and only to a unit.
        if (live && !d.saved.isEmpty())
            row->setCheckState(0, Qt::Unchecked);
    }
    m_send->setEnabled(live && !m_differences.isEmpty());
    m_openSecond->setText(offline ? tr("Open Second State (%1)").arg(m_secondName)
                                  : tr("Open Second State"));
    if (m_saved.isEmpty())
        m_summary->setText(tr("Open a saved state to compare it with the connected unit, or two "
                              "saved states to compare them with each other."));
    else if (current.isEmpty())
        m_summary->setText(
            tr("%1 is open; connect to a unit or open a second state.").arg(m_savedName));
    else
        m_summary->setText(tr("Differences between %1 and %2: %3")
                               .arg(offline ? m_secondName : tr("the unit"), m_savedName)
                               .arg(m_differences.size()));
}

void CompareStateDialog::sendSelectedClicked()
{
    if (!model().isLoggedIn() || !m_second.isEmpty())
        return;
    int sent = 0;
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_tree->topLevelItem(g);
        for (int r = 0; r < group->childCount(); ++r) {
            QTreeWidgetItem* row = group->child(r);
            if (row->checkState(0) != Qt::Checked)
                continue;
            const ParameterKeys::Key key = ParameterKeys::find(row->data(0, kKeyRole).toString());
            const QVariant value = ParameterKeys::parse(key, m_saved.value(key.name()), nullptr);
            if (!value.isValid())
                continue;
            ParameterKeys::write(model(), key, value);
            ++sent;
        }
    }
    if (sent > 0)
        refresh();
}

void CompareStateDialog::tell(const QString& text, const QString& details)
{
    auto* box =
        new QMessageBox(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(details);
    box->open();
}

void CompareStateDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        refresh();
    }
    EditorWindow::changeEvent(event);
}

void CompareStateDialog::retranslate()
{
    setWindowTitle(tr("Compare State"));
    m_tree->setHeaderLabels({tr("Parameter"), tr("Unit"), tr("Saved")});
    m_openSaved->setText(tr("Open State"));
    m_refresh->setText(tr("Refresh"));
    m_send->setText(tr("Send Selected"));
}
