#include "matrixselection.h"

#include <algorithm>

bool MatrixSelection::valid(int row, int column)
{
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
}

void MatrixSelection::clear()
{
    m_anchorRow = m_anchorColumn = m_row = m_column = -1;
}

void MatrixSelection::selectSingle(int row, int column)
{
    if (!valid(row, column)) {
        clear();
        return;
    }
    m_anchorRow = m_row = row;
    m_anchorColumn = m_column = column;
}

void MatrixSelection::extendTo(int row, int column)
{
    if (!valid(row, column))
        return;
    if (isEmpty()) {
        selectSingle(row, column);
        return;
    }
    m_row = row;
    m_column = column;
}

int MatrixSelection::firstRow() const
{
    return std::min(m_anchorRow, m_row);
}

int MatrixSelection::lastRow() const
{
    return std::max(m_anchorRow, m_row);
}

int MatrixSelection::firstColumn() const
{
    return std::min(m_anchorColumn, m_column);
}

int MatrixSelection::lastColumn() const
{
    return std::max(m_anchorColumn, m_column);
}

void MatrixSelection::setHidden(quint32 rows, quint32 columns)
{
    m_hiddenRows = rows;
    m_hiddenColumns = columns;
}

bool MatrixSelection::isRowShown(int row) const
{
    return row >= 0 && row < kRows && !((m_hiddenRows >> row) & 1u);
}

bool MatrixSelection::isColumnShown(int column) const
{
    return column >= 0 && column < kColumns && !((m_hiddenColumns >> column) & 1u);
}

bool MatrixSelection::isSelected(int row, int column) const
{
    return !isEmpty() && row >= firstRow() && row <= lastRow() && column >= firstColumn() &&
           column <= lastColumn() && isRowShown(row) && isColumnShown(column);
}

QByteArray MatrixSelection::selectedRows() const
{
    QByteArray rows;
    if (isEmpty())
        return rows;
    for (int r = firstRow(); r <= lastRow(); ++r) {
        if (isRowShown(r))
            rows.append(char(r));
    }
    return rows;
}

QVector<int> MatrixSelection::selectedColumns() const
{
    QVector<int> columns;
    if (isEmpty())
        return columns;
    for (int c = firstColumn(); c <= lastColumn(); ++c) {
        if (isColumnShown(c))
            columns << c;
    }
    return columns;
}

QByteArray MatrixSelection::shownRows() const
{
    QByteArray rows;
    for (int r = 0; r < kRows; ++r) {
        if (isRowShown(r))
            rows.append(char(r));
    }
    return rows;
}

QVector<int> MatrixSelection::shownColumns() const
{
    QVector<int> columns;
    for (int c = 0; c < kColumns; ++c) {
        if (isColumnShown(c))
            columns << c;
    }
    return columns;
}

int MatrixSelection::edges(int row, int column) const
{
    if (!isSelected(row, column))
        return NoEdge;
    // A hidden row or column inside the rectangle takes no room on screen: the edge belongs to
    // the last shown one.
    const auto noneShown = [](int from, int to, auto shown) {
        for (int i = from; i <= to; ++i) {
            if (shown(i))
                return false;
        }
        return true;
    };
    const auto rowShown = [this](int r) { return isRowShown(r); };
    const auto columnShown = [this](int c) { return isColumnShown(c); };
    int e = NoEdge;
    if (noneShown(firstColumn(), column - 1, columnShown))
        e |= LeftEdge;
    if (noneShown(column + 1, lastColumn(), columnShown))
        e |= RightEdge;
    if (noneShown(firstRow(), row - 1, rowShown))
        e |= TopEdge;
    if (noneShown(row + 1, lastRow(), rowShown))
        e |= BottomEdge;
    return e;
}

QPoint MatrixSelection::moved(int row, int column, Move move) const
{
    const auto firstShown = [](auto shown, int count, int from, int step) {
        for (int i = from; i >= 0 && i < count; i += step) {
            if (shown(i))
                return i;
        }
        return -1;
    };
    const auto rowShown = [this](int r) { return isRowShown(r); };
    const auto columnShown = [this](int c) { return isColumnShown(c); };
    const int topRow = firstShown(rowShown, kRows, 0, 1);
    const int leftColumn = firstShown(columnShown, kColumns, 0, 1);
    if (topRow < 0 || leftColumn < 0)
        return QPoint(-1, -1);
    if (!isRowShown(row) || !isColumnShown(column))
        return QPoint(leftColumn, topRow);

    // Where the move would go, or -1 when there is no shown cell that way.
    int r = row;
    int c = column;
    switch (move) {
    case MoveLeft:
        c = firstShown(columnShown, kColumns, column - 1, -1);
        break;
    case MoveRight:
        c = firstShown(columnShown, kColumns, column + 1, 1);
        break;
    case MoveUp:
        r = firstShown(rowShown, kRows, row - 1, -1);
        break;
    case MoveDown:
        r = firstShown(rowShown, kRows, row + 1, 1);
        break;
    case RowStart:
        c = leftColumn;
        break;
    case RowEnd:
        c = firstShown(columnShown, kColumns, kColumns - 1, -1);
        break;
    case ColumnStart:
        r = topRow;
        break;
    case ColumnEnd:
        r = firstShown(rowShown, kRows, kRows - 1, -1);
        break;
    case GridStart:
        r = topRow;
        c = leftColumn;
        break;
    case GridEnd:
        r = firstShown(rowShown, kRows, kRows - 1, -1);
        c = firstShown(columnShown, kColumns, kColumns - 1, -1);
        break;
    }
    if (r < 0 || c < 0)
        return QPoint(column, row);
    return QPoint(c, r);
}
