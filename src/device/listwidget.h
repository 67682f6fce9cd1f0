#pragma once

#include <QListWidget>

// The device panel's list: a right click neither selects nor changes the current row, and a
// context-menu request names the row under the pointer.
class ListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit ListWidget(QWidget* parent = nullptr);

signals:
    // The row under the pointer, -1 on empty space.
    void contextMenuAtRow(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
