#pragma once

#include "controlpalette.h"

#include <QAbstractButton>

// A round "i" that opens instructions, drawn for either appearance.
class InfoButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
public:
    explicit InfoButton(QWidget* parent = nullptr);

    bool isDark() const { return m_palette.dark; }
    void setDark(bool dark);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ControlPalette m_palette;
};
