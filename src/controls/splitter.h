#pragma once

#include <QSplitter>

// The splitter between the main window's panes: a wide handle that the style sheet draws, and
// panes that never collapse to nothing.
class Splitter : public QSplitter
{
    Q_OBJECT
public:
    explicit Splitter(Qt::Orientation orientation, QWidget* parent = nullptr);
};
