#include "dialog.h"

#include "systemsettings.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

void bringWindowForward(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized()) {
        window->showNormal();
        return;
    }
    window->raise();
    window->show();
    window->activateWindow();
}

void detachLineEdits(QObject* owner)
{
    const auto edits = owner->findChildren<QLineEdit*>();
    for (QLineEdit* edit : edits)
        QObject::disconnect(edit, nullptr, owner, nullptr);
}

Dialog::Dialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    installEventFilter(this);
}

Dialog::~Dialog()
{
    if (m_shown && !m_geometryKey.isEmpty())
        SystemSettings::setValue(m_geometryKey, saveGeometry());
}

void Dialog::makeToolWindow()
{
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint);
}

bool Dialog::keepGeometry(const QString& key)
{
    m_geometryKey = key;
    return restoreGeometry(SystemSettings::value(key));
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
            m_shown = true;
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

void Dialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
