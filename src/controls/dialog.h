#pragma once

#include <QDialog>

// Shows a window normally when it is minimized, otherwise raises, shows and activates it.
void bringWindowForward(QWidget* window);

// For the destructor of a window whose line edits end their edits in its slots: the focus
// leaving an edit while the window goes away must not call into members already destroyed.
void detachLineEdits(QObject* owner);

// The base of every dialog and tool window: Return and Enter neither close it nor press a
// button, and no push button inside becomes an automatic default. A window that keeps its
// geometry restores it from the per-user store at once and, once it has been shown, saves it
// when it is destroyed; its texts are set again whenever the language changes.
class Dialog : public QDialog
{
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~Dialog() override;

    // Makes this a tool window: its own window with close, minimize and maximize buttons.
    void makeToolWindow();
    // Keeps the geometry under `key`; returns whether a stored geometry was restored.
    bool keepGeometry(const QString& key);
    void bringForward() { bringWindowForward(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Sets every text; called on language changes (and by subclasses once they are built).
    virtual void retranslate() {}

private:
    QString m_geometryKey;
    bool m_shown = false;
};
