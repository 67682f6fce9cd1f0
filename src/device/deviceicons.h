#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The device panel's button and menu icons, drawn at run time from the embedded icon font, so
// that no image files are needed. Each icon exists per appearance and, where the control can be
// disabled, per enabled state; its name follows the pattern "EditDarkDisabled".
namespace DeviceIcons {

enum Icon
{
    Add,
    Edit,
    Trash,
    ListAlt,
    SignOut,
};

// The icon font's family (registered by the settings; registered here when they are absent).
QString iconFontFamily();
// The icon font at a point size.
QFont iconFont(qreal pointSize);

// "AddLight", "EditDarkDisabled", ...; the add and device-list icons have no disabled form.
QString name(Icon icon, bool dark, bool enabled);
// The glyph of an icon in the icon font.
QChar glyph(Icon icon);
// Where an icon is shown: a menu highlights its current item with the accent colour, on which
// the glyph is drawn white.
enum Use
{
    ForButton,
    ForMenu,
};

// The icon of a control in an appearance and enabled state; cached.
QIcon icon(Icon icon, bool dark, bool enabled, Use use = ForButton);
// The colour the glyph is drawn in.
QColor colour(bool dark, bool enabled);

// A glyph drawn centred into a square pixmap of `size` logical pixels at a device pixel ratio.
QPixmap renderGlyph(QChar glyph, const QColor& colour, int size, qreal devicePixelRatio = 1.0);

} // namespace DeviceIcons
