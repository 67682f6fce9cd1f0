#include "dialog.h"

#include <QKeyEvent>
#include <QPushButton>

Dialog::Dialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    installEventFilter(this);
}

bool Dialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
            break;
        }
        case QEvent::Show: {
            // Buttons added after construction (rows of a table) are caught here too.
            const auto buttons = findChildren<QPushButton*>();
            for (QPushButton* button : buttons)
                button->setAutoDefault(false);
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
