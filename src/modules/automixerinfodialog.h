#pragma once

#include "dialog.h"

class QLabel;

// How the auto mixer is used, in five points.
class AutoMixerInfoDialog : public Dialog
{
    Q_OBJECT
public:
    explicit AutoMixerInfoDialog(QWidget* parent = nullptr);

    // The instructions as shown, one point (or its continuation) per line.
    static QString instructions();

protected:
    void retranslate() override;

private:
    QLabel* m_heading;
    QLabel* m_text;
};
