#pragma once

#include <QDialog>

// Shows a window normally when it is minimized, otherwise raises, shows and activates it.
void bringWindowForward(QWidget* window);

// A tool window of the main window: created once, hidden, brought forward from the menu, and
// keeping its geometry in the per-user store under its own key.
class ToolWindow : public QDialog
{
    Q_OBJECT
public:
    // An empty key keeps no geometry.
    explicit ToolWindow(const QString& geometryKey, QWidget* parent = nullptr);
    ~ToolWindow() override;

    // Shows the window normally when minimized, otherwise raises and shows it.
    void bringForward();

    // Hides the channels whose bit is set (bit i = channel i).
    virtual void applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs,
                                    quint32 danteInputs, quint32 danteOutputs);

protected:
    void changeEvent(QEvent* event) override;
    // Re-sets every text; called at construction and on language changes.
    virtual void retranslate() = 0;

    quint32 m_hiddenInputs = 0;
    quint32 m_hiddenOutputs = 0;
    quint32 m_danteInputs = 0;
    quint32 m_danteOutputs = 0;

private:
    QString m_geometryKey;
};
