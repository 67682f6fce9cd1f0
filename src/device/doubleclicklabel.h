#pragma once

#include <QLabel>

// A caption that reports double clicks: the setup window's hidden doors to the long version
// text and the factory dialog.
class DoubleClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit DoubleClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
