#pragma once

#include <QDialog>

// Base of the tool dialogs: Return and Enter neither close the dialog nor press a button, and
// no push button inside becomes an automatic default.
class Dialog : public QDialog
{
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
