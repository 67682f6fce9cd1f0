#include "matrixtablewidget.h"

#include "knob.h"
#include "matrixedits.h"
#include "mixbutton.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedLayout>
#include <QToolTip>

namespace {

constexpr int kMinimumColumnWidth = 46;
constexpr int kHeaderHeight = 26;

const int kGainMin = int(wire::range::MatrixGain.lo);
const int kGainMax = int(wire::range::MatrixGain.hi);

QString gainToolTip(int dB)
{
    return MatrixTableWidget::tr("%1 dB").arg(MatrixEdits::shownGain(dB));
}

} // namespace

MatrixTableWidget::MatrixTableWidget(QWidget* parent) : QTableWidget(kRows, kColumns, parent)
{
    setObjectName(QStringLiteral("matrixTableWidget"));
    // The table keeps its own selection of cells; the view's items are only the headers.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    // Tab leaves the grid: the view's own cursor is not used, the cells move on the arrows.
    setTabKeyNavigation(false);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Stretch);
    columns->setMinimumSectionSize(kMinimumColumnWidth);
    columns->setFixedHeight(kHeaderHeight);
    columns->setDefaultAlignment(Qt::AlignCenter);
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kButtonRowHeight);
    rows->setMinimumSectionSize(kButtonRowHeight);
    rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QHeaderView* header : {columns, rows}) {
        header->setSectionsClickable(true);
        header->setHighlightSections(false);
        header->setTextElideMode(Qt::ElideRight);
        connect(header, &QHeaderView::sectionClicked, this,
                &MatrixTableWidget::headerSectionClicked);
    }
    for (int c = 0; c < kColumns; ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem(QStringLiteral("OUT %1").arg(c + 1)));
    for (int r = 0; r < kRows; ++r) {
        setVerticalHeaderItem(r, new QTableWidgetItem(QStringLiteral("IN %1").arg(r + 1)));
        setRowHeight(r, kButtonRowHeight);
    }

    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c)
            buildCell(r, c);
    }

    setCurrent(0);

    m_corner = new QPushButton(this);
    m_corner->setObjectName(QStringLiteral("matrixEditButton"));
    m_corner->setCheckable(true);
    m_corner->setFocusPolicy(Qt::TabFocus);
    connect(m_corner, &QPushButton::clicked, this, &MatrixTableWidget::cornerButtonClicked);
    retranslate();
}

void MatrixTableWidget::buildCell(int row, int column)
{
    Cell& cell = m_cells[std::size_t(row * kColumns + column)];
    cell.widget = new QWidget;
    cell.widget->setObjectName(QStringLiteral("%1 %2").arg(row).arg(column));
    auto* stack = new QStackedLayout(cell.widget);
    stack->setStackingMode(QStackedLayout::StackAll);
    cell.button = new MixButton(cell.widget);
    cell.knob = new Knob(cell.widget);
    cell.knob->setRange(kGainMin, kGainMax);
    cell.knob->setSteps(1, 6);
    cell.knob->setValue(0);
    cell.knob->setToolTip(gainToolTip(0));
    cell.knob->setValueText([](int dB) { return gainToolTip(dB); });
    // Only the current cell is a stop of the Tab chain; the arrows reach the others.
    cell.button->setFocusPolicy(Qt::NoFocus);
    stack->addWidget(cell.button);
    stack->addWidget(cell.knob);
    cell.knob->hide();
    const int index = row * kColumns + column;
    m_index.insert(cell.button, index);
    m_index.insert(cell.knob, index);

    connect(cell.button, &MixButton::clicked, this, &MatrixTableWidget::mixButtonClicked);
    connect(cell.button, &MixButton::selected, this, &MatrixTableWidget::singleSelected);
    connect(cell.button, &MixButton::entered, this, &MatrixTableWidget::mixButtonEntered);
    connect(cell.button, &MixButton::pressed, this, &MatrixTableWidget::mixButtonPressed);
    connect(cell.button, &MixButton::moveRequested, this,
            &MatrixTableWidget::mixButtonMoveRequested);
    connect(cell.knob, &Knob::valueChanged, this, &MatrixTableWidget::mixKnobValueChanged);
    connect(cell.knob, &Knob::mousePressed, this, &MatrixTableWidget::mixKnobMousePressed);
    connect(cell.knob, &Knob::mouseReleased, this, &MatrixTableWidget::mixKnobMouseReleased);
    setCellWidget(row, column, cell.widget);
}

QWidget* MatrixTableWidget::cell(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return nullptr;
    return at(row, column).widget;
}

MixButton* MatrixTableWidget::button(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return nullptr;
    return at(row, column).button;
}

Knob* MatrixTableWidget::knob(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return nullptr;
    return at(row, column).knob;
}

int MatrixTableWidget::indexOf(QObject* part) const
{
    return m_index.value(part, -1);
}

QString MatrixTableWidget::cellName(int row, int column) const
{
    return tr("%1 to %2").arg(headerLabel(Qt::Vertical, row), headerLabel(Qt::Horizontal, column));
}

void MatrixTableWidget::nameCell(int row, int column)
{
    const Cell& c = at(row, column);
    const QString name = cellName(row, column);
    c.button->setAccessibleName(name);
    c.knob->setAccessibleName(name);
}

void MatrixTableWidget::retranslate()
{
    if (m_corner)
        m_corner->setText(tr("Edit"));
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c)
            nameCell(r, c);
    }
}

void MatrixTableWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QTableWidget::changeEvent(event);
}

void MatrixTableWidget::updateGeometries()
{
    QTableWidget::updateGeometries();
    if (!m_corner)
        return; // still being built
    // "Edit" takes the place of the corner between the headers.
    m_corner->setGeometry(verticalHeader()->x(), horizontalHeader()->y(), verticalHeader()->width(),
                          horizontalHeader()->height());
    m_corner->raise();
}

// --- loaders

void MatrixTableWidget::setCellEnabled(int row, int column, bool on)
{
    if (MixButton* b = button(row, column))
        b->setChecked(on);
}

void MatrixTableWidget::showGain(int row, int column, int dB)
{
    const Cell& c = at(row, column);
    if (c.knob->value() != dB || c.button->gain() != MatrixEdits::shownGain(dB))
        c.knob->setToolTip(gainToolTip(dB));
    c.knob->setValue(dB);
    c.button->setGain(MatrixEdits::shownGain(dB));
}

void MatrixTableWidget::setCellGain(int row, int column, int dB)
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return;
    showGain(row, column, qBound(kGainMin, dB, kGainMax));
}

void MatrixTableWidget::setRowLabel(int row, const QString& text, const QString& toolTip)
{
    if (QTableWidgetItem* item = verticalHeaderItem(row)) {
        item->setText(text);
        item->setToolTip(toolTip);
    }
    for (int c = 0; row >= 0 && row < kRows && c < kColumns; ++c)
        nameCell(row, c);
}

void MatrixTableWidget::setColumnLabel(int column, const QString& text, const QString& toolTip)
{
    if (QTableWidgetItem* item = horizontalHeaderItem(column)) {
        item->setText(text);
        item->setToolTip(toolTip);
    }
    for (int r = 0; column >= 0 && column < kColumns && r < kRows; ++r)
        nameCell(r, column);
}

void MatrixTableWidget::setHiddenChannels(quint32 rows, quint32 columns)
{
    m_selection.setHidden(rows, columns);
    for (int r = 0; r < kRows; ++r)
        setRowHidden(r, !m_selection.isRowShown(r));
    for (int c = 0; c < kColumns; ++c)
        setColumnHidden(c, !m_selection.isColumnShown(c));
    showSelection();
    // The Tab stop must stay on a cell that is shown; from a hidden one any move lands on the
    // first shown cell.
    const int row = m_current / kColumns;
    const int column = m_current % kColumns;
    if (m_selection.isRowShown(row) && m_selection.isColumnShown(column))
        return;
    const QPoint first = m_selection.moved(row, column, MatrixSelection::GridStart);
    if (first.x() >= 0)
        setCurrent(first.y() * kColumns + first.x());
}

// --- keyboard

QPoint MatrixTableWidget::currentCell() const
{
    return QPoint(m_current % kColumns, m_current / kColumns);
}

void MatrixTableWidget::setCurrent(int index)
{
    if (index < 0 || index >= kRows * kColumns)
        return;
    if (m_current >= 0 && m_current != index)
        m_cells[std::size_t(m_current)].button->setFocusPolicy(Qt::NoFocus);
    m_current = index;
    // In the knob view the knobs take the focus; the cells under them stay out of the chain.
    m_cells[std::size_t(index)].button->setFocusPolicy(m_knobView ? Qt::NoFocus : Qt::TabFocus);
}

void MatrixTableWidget::mixButtonMoveRequested(int move, bool extend)
{
    const int index = indexOf(sender());
    if (index < 0)
        return;
    const QPoint to =
        m_selection.moved(index / kColumns, index % kColumns, MatrixSelection::Move(move));
    if (to.x() < 0)
        return;
    if (extend && !m_selection.isEmpty()) {
        m_selection.extendTo(to.y(), to.x());
        showSelection();
    } else {
        select(to.y(), to.x(), to.y(), to.x());
    }
    setCurrent(to.y() * kColumns + to.x());
    MixButton* target = at(to.y(), to.x()).button;
    scrollTo(model()->index(to.y(), to.x()));
    // The page around the grid scrolls too when the window is small.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            area->ensureWidgetVisible(target);
            break;
        }
    }
    target->setFocus(Qt::OtherFocusReason);
}

// --- selection

void MatrixTableWidget::showSelection()
{
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c)
            at(r, c).button->setSelection(m_selection.isSelected(r, c), m_selection.edges(r, c));
    }
}

void MatrixTableWidget::select(int anchorRow, int anchorColumn, int row, int column)
{
    m_selection.selectSingle(anchorRow, anchorColumn);
    m_selection.extendTo(row, column);
    showSelection();
}

void MatrixTableWidget::ensureSelected(int row, int column)
{
    if (!m_selection.isSelected(row, column))
        select(row, column, row, column);
}

void MatrixTableWidget::mixButtonPressed()
{
    m_pressed = indexOf(sender());
}

void MatrixTableWidget::singleSelected()
{
    const int index = indexOf(sender());
    if (index < 0)
        return;
    select(index / kColumns, index % kColumns, index / kColumns, index % kColumns);
    // Tab comes back to the cell last picked.
    setCurrent(index);
}

void MatrixTableWidget::mixButtonEntered()
{
    const int index = indexOf(sender());
    if (index < 0 || m_pressed < 0)
        return;
    select(m_pressed / kColumns, m_pressed % kColumns, index / kColumns, index % kColumns);
}

// --- edits

void MatrixTableWidget::mixButtonClicked(bool checked)
{
    const int index = indexOf(sender());
    if (index < 0 || !m_selection.isSelected(index / kColumns, index % kColumns))
        return;
    const QByteArray rows = m_selection.selectedRows();
    for (int column : m_selection.selectedColumns()) {
        for (char row : rows)
            at(row, column).button->setChecked(checked);
        emit enabledChanged(rows, uchar(column), checked);
    }
}

void MatrixTableWidget::mixKnobMousePressed(int)
{
    const int index = indexOf(sender());
    if (index >= 0)
        ensureSelected(index / kColumns, index % kColumns);
}

void MatrixTableWidget::mixKnobValueChanged(int value)
{
    const int index = indexOf(sender());
    if (index < 0)
        return;
    // A knob turned by the wheel without a press first makes its cell the selection.
    ensureSelected(index / kColumns, index % kColumns);
    const int dB = qBound(kGainMin, value, kGainMax);
    const QByteArray rows = m_selection.selectedRows();
    for (int column : m_selection.selectedColumns()) {
        for (char row : rows)
            showGain(row, column, dB);
        emit gainChanged(rows, uchar(column), qint8(dB));
    }
    auto* turned = qobject_cast<QWidget*>(sender());
    QToolTip::showText(QCursor::pos(), gainToolTip(dB), turned);
}

void MatrixTableWidget::mixKnobMouseReleased()
{
    QToolTip::hideText();
}

void MatrixTableWidget::cornerButtonClicked(bool checked)
{
    m_corner->setChecked(checked);
    if (checked == m_knobView)
        return;
    m_knobView = checked;
    const int height = checked ? kKnobRowHeight : kButtonRowHeight;
    verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < kRows; ++r)
        setRowHeight(r, height);
    const int focused = indexOf(QApplication::focusWidget());
    setCurrent(m_current);
    for (const Cell& c : m_cells) {
        c.button->setKnobView(checked);
        auto* stack = static_cast<QStackedLayout*>(c.widget->layout());
        if (checked) {
            stack->setCurrentWidget(c.knob);
        } else {
            stack->setCurrentWidget(c.button);
            c.knob->hide();
        }
    }
    // The keyboard stays on the cell when its face changes.
    if (focused >= 0) {
        const Cell& c = m_cells[std::size_t(focused)];
        (checked ? static_cast<QWidget*>(c.knob) : c.button)->setFocus(Qt::OtherFocusReason);
    }
}

// --- whole columns and rows

QString MatrixTableWidget::headerLabel(Qt::Orientation orientation, int section) const
{
    const QTableWidgetItem* item =
        orientation == Qt::Horizontal ? horizontalHeaderItem(section) : verticalHeaderItem(section);
    return item ? item->text() : QString();
}

void MatrixTableWidget::headerSectionClicked(int index)
{
    const bool column = sender() == horizontalHeader();
    if (column ? !m_selection.isColumnShown(index) : !m_selection.isRowShown(index))
        return;
    askColumnOrRow(column, index);
}

void MatrixTableWidget::askColumnOrRow(bool column, int section)
{
    const QString label = headerLabel(column ? Qt::Horizontal : Qt::Vertical, section);
    if (m_knobView) {
        auto* dialog = new QInputDialog(this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setObjectName(QStringLiteral("matrixGainDialog"));
        dialog->setWindowTitle(tr("Matrix"));
        dialog->setLabelText(column ? tr("All the input channel mix to %1").arg(label)
                                    : tr("%1 mix to all the output channel").arg(label));
        dialog->setInputMode(QInputDialog::IntInput);
        dialog->setIntRange(kGainMin, kGainMax);
        dialog->setIntStep(1);
        dialog->setIntValue(0);
        // The bottom of the range is off, shown as the unit knows it.
        if (auto* spin = dialog->findChild<QSpinBox*>())
            spin->setSpecialValueText(QString::number(MatrixEdits::shownGain(kGainMin)));
        connect(dialog, &QInputDialog::intValueSelected, this,
                [this, column, section](int dB) { setColumnOrRow(column, section, false, dB); });
        dialog->open();
        return;
    }
    const QString question =
        column ? tr("Are you sure that you want to enable or disable all the input channel mix "
                    "to %1?")
                     .arg(label)
               : tr("Are you sure that you want to enable or disable %1 mix to all the output "
                    "channel?")
                     .arg(label);
    auto* box =
        new QMessageBox(QMessageBox::Question, tr("Matrix"), question, QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("matrixEnableQuestion"));
    QPushButton* enable = box->addButton(tr("Enabled"), QMessageBox::YesRole);
    QPushButton* disable = box->addButton(tr("Disabled"), QMessageBox::NoRole);
    box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    connect(box, &QMessageBox::finished, this, [this, box, enable, disable, column, section] {
        if (box->clickedButton() == enable || box->clickedButton() == disable)
            setColumnOrRow(column, section, true, box->clickedButton() == enable ? 1 : 0);
    });
    box->open();
}

void MatrixTableWidget::setColumnOrRow(bool column, int section, bool enable, int value)
{
    const auto apply = [&](int row, int col) {
        if (enable)
            at(row, col).button->setChecked(value != 0);
        else
            showGain(row, col, value);
    };
    const auto announce = [&](const QByteArray& rows, int col) {
        if (enable)
            emit enabledChanged(rows, uchar(col), value != 0);
        else
            emit gainChanged(rows, uchar(col), qint8(value));
    };
    if (column) {
        const QByteArray rows = m_selection.shownRows();
        for (char row : rows)
            apply(row, section);
        if (!rows.isEmpty())
            announce(rows, section);
        return;
    }
    for (int col : m_selection.shownColumns()) {
        apply(section, col);
        announce(QByteArray(1, char(section)), col);
    }
}
