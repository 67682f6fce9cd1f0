#pragma once

#include <QProgressDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The application's progress window: window-modal, a close button alone in its title bar, a
// bar without percentage text, the label at the top left and the cancel button in the
// bottom-right corner, 8 px from the edges whatever the size. It starts cancelled, so it never
// shows by itself; its owner shows it.
class ProgressDialog : public QProgressDialog
{
    Q_OBJECT
public:
    static constexpr int kCancelMargin = 8;
    static constexpr int kCancelMinimumWidth = 60;

    explicit ProgressDialog(QWidget* parent = nullptr);

    QProgressBar* progressBar() const { return m_bar; }
    QLabel* label() const { return m_label; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Sets every text; called on language changes (and by subclasses once they are built).
    virtual void retranslate();

private:
    void placeCancelButton();

    QProgressBar* m_bar;
    QLabel* m_label;
    QPushButton* m_cancel;
};
