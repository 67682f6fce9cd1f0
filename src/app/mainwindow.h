#pragma once

#include <QMainWindow>

// The application's main window. For now it holds the channel configuration of the selected
// device version profile; the panels that show the channels are built on top of it.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Applies a device version profile's channel masks (bit i = channel i).
    void applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs, quint32 danteInputs,
                            quint32 danteOutputs);

    quint32 hiddenInputMask() const { return m_hiddenInputs; }
    quint32 hiddenOutputMask() const { return m_hiddenOutputs; }
    quint32 danteInputMask() const { return m_danteInputs; }
    quint32 danteOutputMask() const { return m_danteOutputs; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    quint32 m_hiddenInputs = 0;
    quint32 m_hiddenOutputs = 0;
    quint32 m_danteInputs = 0;
    quint32 m_danteOutputs = 0;
};
