#pragma once

#include <QByteArray>
#include <QPoint>
#include <QVector>

// The cells a matrix gesture reaches: the rectangle from the cell it started on (the anchor) to
// the cell it came to, less the rows and columns of the channels the profile hides. Rows are
// inputs, columns outputs. No widgets here.
class MatrixSelection
{
public:
    static constexpr int kRows = 17;
    static constexpr int kColumns = 16;

    // The outer edges of the visible selection a cell lies on, for drawing its border.
    enum Edge
    {
        NoEdge = 0,
        LeftEdge = 1,
        TopEdge = 2,
        RightEdge = 4,
        BottomEdge = 8,
    };

    bool isEmpty() const { return m_anchorRow < 0; }
    void clear();
    // The cell alone; out-of-range cells clear the selection.
    void selectSingle(int row, int column);
    // The rectangle from the anchor to the cell (from the cell itself when there is none).
    void extendTo(int row, int column);

    // The rectangle, whatever is hidden in it; -1 when empty.
    int firstRow() const;
    int lastRow() const;
    int firstColumn() const;
    int lastColumn() const;

    // Bit i hides row (column) i.
    void setHidden(quint32 rows, quint32 columns);
    bool isRowShown(int row) const;
    bool isColumnShown(int column) const;

    // Inside the rectangle and shown.
    bool isSelected(int row, int column) const;
    // The shown rows and columns of the rectangle, in order; rows as one byte each.
    QByteArray selectedRows() const;
    QVector<int> selectedColumns() const;
    // Every shown row and column, for gestures on a whole column or row.
    QByteArray shownRows() const;
    QVector<int> shownColumns() const;
    // The Edge flags of a selected cell; NoEdge for the others.
    int edges(int row, int column) const;

    // Keyboard moves between cells: across outputs, across inputs, to the ends of a row or
    // column, to the first or last cell of the grid.
    enum Move
    {
        MoveLeft,
        MoveRight,
        MoveUp,
        MoveDown,
        RowStart,
        RowEnd,
        ColumnStart,
        ColumnEnd,
        GridStart,
        GridEnd,
    };
    // The shown cell a move from (row, column) lands on, as (column, row), skipping hidden rows
    // and columns. At an edge of the grid the cell stays where it is; from a hidden or invalid
    // cell any move lands on the first shown cell. (-1, -1) when nothing is shown.
    QPoint moved(int row, int column, Move move) const;

private:
    static bool valid(int row, int column);

    int m_anchorRow = -1;
    int m_anchorColumn = -1;
    int m_row = -1;
    int m_column = -1;
    quint32 m_hiddenRows = 0;
    quint32 m_hiddenColumns = 0;
};
