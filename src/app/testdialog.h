#pragma once

#include "dialog.h"

class QPushButton;

// The factory test window (Ctrl+T): 48 V on all inputs, and the DSP and forced firmware
// upgrades that production uses.
class TestDialog : public Dialog
{
    Q_OBJECT
public:
    explicit TestDialog(QWidget* parent = nullptr);

signals:
    void phantomButtonClicked(bool on);
    void dspUpgradeRequested();
    void forceUpgradeRequested();

protected:
    void retranslate() override;

private:
    QPushButton* m_phantom = nullptr;
    QPushButton* m_dspUpgrade = nullptr;
    QPushButton* m_forceUpgrade = nullptr;
};
