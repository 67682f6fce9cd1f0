#include "meterdialog.h"

#include "datamodel.h"
#include "meter.h"
#include "meterpanel.h"
#include "reportrouter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const QString kGeometryKey = QStringLiteral("MeterGeometry");
constexpr int kMeterWidth = 10;
constexpr int kMeterMinimumHeight = 60;

QFont pointFont(const QFont& base, int points)
{
    QFont f = base;
    f.setPointSize(points);
    return f;
}

// Room for the widest reading, "-100" or, on the stereo column, "-100/-100".
int readingWidth(const QFont& font, bool stereo)
{
    const QFontMetrics fm(font);
    return fm.horizontalAdvance(stereo ? QStringLiteral("-100/-100") : QStringLiteral("-100")) + 6;
}

} // namespace

MeterDialog::MeterDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, kGeometryKey, parent)
{
    setObjectName(QStringLiteral("meterDialog"));
    setMinimumWidth(520);
    if (!geometryRestored())
        resize(600, 600);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    buildRow(InputPreFader, kInputColumns, true);
    buildRow(InputPostFader, kInputColumns, true);
    buildRow(OutputPreFader, kOutputColumns, false);
    buildRow(OutputPostFader, kOutputColumns, false);
    layout->addWidget(m_rows[InputPreFader].box, 1);
    layout->addWidget(m_rows[InputPostFader].box, 1);
    layout->addSpacing(8);
    layout->addWidget(m_rows[OutputPreFader].box, 1);
    layout->addWidget(m_rows[OutputPostFader].box, 1);

    // A double click on the pre-fader inputs toggles the range like Ctrl+N.
    m_rows[InputPreFader].box->installEventFilter(this);
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+N")), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &MeterDialog::meterRangeShortcutActivated);

    // The meters follow the unit also while the window is hidden; labels name the columns.
    using Event = ReportRouter::Event;
    subscribe(wire::code::InputPreFaderMeters, [this](const Event&) { refreshInputPreFader(); });
    subscribe(wire::code::InputPostFaderMeters, [this](const Event&) { refreshInputPostFader(); });
    subscribe(wire::code::OutputPreFaderMeters, [this](const Event&) { refreshOutputPreFader(); });
    subscribe(wire::code::OutputPostFaderMeters,
              [this](const Event&) { refreshOutputPostFader(); });
    subscribe(wire::code::InputLabels, [this](const Event& e) { setInputLabel(e.channel); });
    subscribe(wire::code::OutputLabels, [this](const Event& e) { setOutputLabel(e.channel); });

    retranslate();
    applyProfile();
}

void MeterDialog::buildRow(Row row, int columns, bool pairs)
{
    RowWidgets& r = m_rows[row];
    r.box = new QGroupBox(this);
    r.box->setObjectName(QStringLiteral("meterGroupBox"));
    auto* grid = new QGridLayout(r.box);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(4);
    grid->setRowStretch(0, 1);
    const QFont small = pointFont(font(), 8);
    r.columns.resize(columns);
    for (int c = 0; c < columns; ++c) {
        Column& col = r.columns[c];
        // The reading and the meters share one opaque panel: a new level repaints that panel
        // alone, not the window behind it.
        col.panel = new MeterPanel(r.box);
        col.panel->setFont(small);
        col.panel->setMinimumWidth(readingWidth(small, false));
        col.panel->setReading(QString::number(m_minimum));
        col.shownLeft = col.shownRight = m_minimum;
        auto* panelLayout = new QVBoxLayout(col.panel);
        panelLayout->setContentsMargins(0, col.panel->readingHeight() + 4, 0, 0);
        panelLayout->setSpacing(0);

        auto* pair = new QHBoxLayout;
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(2);
        for (int side = 0; side < (pairs ? 2 : 1); ++side) {
            auto* meter = new Meter(col.panel);
            meter->setFixedWidth(kMeterWidth);
            meter->setMinimumHeight(kMeterMinimumHeight);
            meter->setRange(m_minimum, kMaximum);
            meter->setVisible(side == 0);
            pair->addWidget(meter);
            col.meters[std::size_t(side)] = meter;
        }
        auto* centred = new QHBoxLayout;
        centred->addStretch(1);
        centred->addLayout(pair);
        centred->addStretch(1);
        panelLayout->addLayout(centred, 1);

        col.name = new QLabel(QString::number(c + 1), r.box);
        col.name->setObjectName(QStringLiteral("meterChannelLabel"));
        col.name->setFont(small);
        col.name->setAlignment(Qt::AlignCenter);

        grid->addWidget(col.panel, 0, c, Qt::AlignHCenter);
        grid->addWidget(col.name, 1, c, Qt::AlignHCenter);
        grid->setColumnStretch(c, 1);
    }
}

Meter* MeterDialog::meter(Row row, int column, int side) const
{
    const auto& columns = m_rows[row].columns;
    if (column < 0 || column >= columns.size() || side < 0 || side > 1)
        return nullptr;
    return columns[column].meters[std::size_t(side)];
}

QString MeterDialog::valueText(Row row, int column) const
{
    const auto& columns = m_rows[row].columns;
    return column >= 0 && column < columns.size() ? columns[column].panel->reading() : QString();
}

QLabel* MeterDialog::channelLabel(Row row, int column) const
{
    const auto& columns = m_rows[row].columns;
    return column >= 0 && column < columns.size() ? columns[column].name : nullptr;
}

bool MeterDialog::isColumnShown(Row row, int column) const
{
    const auto& columns = m_rows[row].columns;
    return column >= 0 && column < columns.size() && !columns[column].hidden;
}

void MeterDialog::refreshInputPreFader()
{
    refreshRow(InputPreFader);
}

void MeterDialog::refreshInputPostFader()
{
    refreshRow(InputPostFader);
}

void MeterDialog::refreshOutputPreFader()
{
    refreshRow(OutputPreFader);
}

void MeterDialog::refreshOutputPostFader()
{
    refreshRow(OutputPostFader);
}

void MeterDialog::showLevels(Column& column, int left, int right, bool stereo)
{
    column.meters[0]->setValue(left);
    left = column.meters[0]->value();
    if (stereo) {
        column.meters[1]->setValue(right);
        right = column.meters[1]->value();
    }
    if (left == column.shownLeft && stereo == column.shownStereo &&
        (!stereo || right == column.shownRight))
        return;
    column.shownLeft = left;
    column.shownRight = right;
    column.shownStereo = stereo;
    column.panel->setReading(stereo ? QStringLiteral("%1/%2").arg(left).arg(right)
                                    : QStringLiteral("%1").arg(left));
}

void MeterDialog::refreshRow(Row row)
{
    const DataModel& m = model();
    RowWidgets& r = m_rows[row];
    const int count = int(r.columns.size());
    if (row == OutputPreFader || row == OutputPostFader) {
        for (int c = 0; c < count; ++c) {
            const auto& out = m.output(c);
            showLevels(r.columns[c], row == OutputPreFader ? out.preFaderMeter : out.postFaderMeter,
                       0, false);
        }
        return;
    }
    const bool pre = row == InputPreFader;
    const auto level = [&](int channel) {
        const auto& in = m.input(channel);
        return int(pre ? in.preFaderMeter : in.postFaderMeter);
    };
    // The USB play channel is a stereo pair of model inputs u and u + 1 in one column; the
    // columns after it are one model input further on.
    const int usb = profile().usbPlayInput;
    for (int c = 0; c < count; ++c) {
        if (c == usb)
            showLevels(r.columns[c], level(c), level(c + 1), true);
        else
            showLevels(r.columns[c], level(usb >= 0 && c > usb ? c + 1 : c), 0, false);
    }
}

void MeterDialog::meterRangeShortcutActivated()
{
    m_minimum = m_minimum == kNarrowMinimum ? kWideMinimum : kNarrowMinimum;
    for (RowWidgets& r : m_rows) {
        for (Column& c : r.columns) {
            for (Meter* m : c.meters) {
                if (m)
                    m->setRange(m_minimum, kMaximum);
            }
        }
    }
    refreshInputPreFader();
    refreshInputPostFader();
    refreshOutputPreFader();
    refreshOutputPostFader();
    emit ctrlN();
}

bool MeterDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_rows[InputPreFader].box && event->type() == QEvent::MouseButtonDblClick) {
        meterRangeShortcutActivated();
        return true;
    }
    return EditorWindow::eventFilter(watched, event);
}

void MeterDialog::setInputLabel(int channel)
{
    if (channel < 0 || channel >= kInputColumns)
        return;
    const QString label = model().input(channel).label;
    for (Row row : {InputPreFader, InputPostFader}) {
        Column& c = m_rows[row].columns[channel];
        c.name->setToolTip(label);
        c.panel->setToolTip(label);
        nameColumn(row, channel);
    }
}

void MeterDialog::setOutputLabel(int channel)
{
    if (channel < 0 || channel >= kOutputColumns)
        return;
    const QString label = model().output(channel).label;
    for (Row row : {OutputPreFader, OutputPostFader}) {
        Column& c = m_rows[row].columns[channel];
        c.name->setToolTip(label);
        c.panel->setToolTip(label);
        nameColumn(row, channel);
    }
}

void MeterDialog::nameColumn(Row row, int column)
{
    Column& c = m_rows[row].columns[column];
    const bool inputs = row == InputPreFader || row == InputPostFader;
    QString channel = c.name->text();
    const QString label = c.name->toolTip();
    if (!label.isEmpty() && label != channel)
        channel += QStringLiteral(" ") + label;
    const QString title = m_rows[row].box->title();
    if (inputs && column == profile().usbPlayInput && c.meters[1]) {
        c.meters[0]->setAccessibleName(tr("%1 Left, %2").arg(channel, title));
        c.meters[1]->setAccessibleName(tr("%1 Right, %2").arg(channel, title));
    } else {
        c.meters[0]->setAccessibleName(tr("%1, %2").arg(channel, title));
    }
}

void MeterDialog::refreshNames()
{
    for (int c = 0; c < kInputColumns; ++c) {
        const QString name = model::withoutLineBreaks(model().input(c).defaultName);
        for (Row row : {InputPreFader, InputPostFader})
            m_rows[row].columns[c].name->setText(name);
        setInputLabel(c);
    }
    for (int c = 0; c < kOutputColumns; ++c) {
        const QString name = model::withoutLineBreaks(model().output(c).defaultName);
        for (Row row : {OutputPreFader, OutputPostFader})
            m_rows[row].columns[c].name->setText(name);
        setOutputLabel(c);
    }
}

void MeterDialog::applyProfile()
{
    const quint32 hiddenInputs = profile().hiddenInputs;
    const quint32 hiddenOutputs = profile().hiddenOutputs;
    for (int row = 0; row < kRowCount; ++row) {
        RowWidgets& r = m_rows[row];
        const bool inputs = row == InputPreFader || row == InputPostFader;
        const quint32 hidden = inputs ? hiddenInputs : hiddenOutputs;
        auto* grid = static_cast<QGridLayout*>(r.box->layout());
        for (int c = 0; c < r.columns.size(); ++c) {
            Column& col = r.columns[c];
            col.hidden = (hidden >> c) & 1u;
            col.panel->setVisible(!col.hidden);
            col.name->setVisible(!col.hidden);
            // A hidden column must not keep its share of the width.
            grid->setColumnStretch(c, col.hidden ? 0 : 1);
            const bool stereo = inputs && c == profile().usbPlayInput;
            if (col.meters[1])
                col.meters[1]->setVisible(stereo);
            col.panel->setMinimumWidth(readingWidth(col.panel->font(), stereo));
        }
    }
    refreshNames();
    refreshInputPreFader();
    refreshInputPostFader();
    refreshOutputPreFader();
    refreshOutputPostFader();
}

void MeterDialog::retranslate()
{
    setWindowTitle(tr("Meter"));
    m_rows[InputPreFader].box->setTitle(tr("Input Pre Fader"));
    m_rows[InputPostFader].box->setTitle(tr("Input Post Fader"));
    m_rows[OutputPreFader].box->setTitle(tr("Output Pre Fader"));
    m_rows[OutputPostFader].box->setTitle(tr("Output Post Fader"));
    for (int row = 0; row < kRowCount; ++row) {
        for (int c = 0; c < m_rows[row].columns.size(); ++c)
            nameColumn(Row(row), c);
    }
}
