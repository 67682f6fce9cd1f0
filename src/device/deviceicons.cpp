#include "deviceicons.h"

#include <QFontDatabase>
#include <QHash>
#include <QPainter>

namespace DeviceIcons {

namespace {

constexpr int kIconSize = 14;

struct IconInfo
{
    const char* name;
    ushort glyph;
    bool hasDisabledForm;
};

// FontAwesome 4.7 code points.
const IconInfo kIcons[] = {
    {"Add", 0xF067, false},     // plus
    {"Edit", 0xF044, true},     // pencil-square-o
    {"Trash", 0xF1F8, true},    // trash
    {"ListAlt", 0xF022, false}, // list-alt
    {"SignOut", 0xF08B, true},  // sign-out
};

} // namespace

QString iconFontFamily()
{
    // Registered once, on first use.
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/font/FontAwesome.otf"));
        const QStringList families =
            id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        return families.isEmpty() ? QStringLiteral("FontAwesome") : families.first();
    }();
    return family;
}

QFont iconFont(qreal pointSize)
{
    QFont font(iconFontFamily());
    font.setPointSizeF(pointSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QString name(Icon icon, bool dark, bool enabled)
{
    const IconInfo& info = kIcons[icon];
    QString text = QString::fromLatin1(info.name);
    text += dark ? QStringLiteral("Dark") : QStringLiteral("Light");
    if (info.hasDisabledForm)
        text += enabled ? QStringLiteral("Enabled") : QStringLiteral("Disabled");
    else if (icon == ListAlt)
        text += QStringLiteral("Enabled");
    return text;
}

QChar glyph(Icon icon)
{
    return QChar(kIcons[icon].glyph);
}

QColor colour(bool dark, bool enabled)
{
    // Matched to the text colours of the style sheets.
    if (dark)
        return enabled ? QColor(0xCF, 0xD2, 0xD8) : QColor(0x5E, 0x61, 0x68);
    return enabled ? QColor(0x45, 0x48, 0x4E) : QColor(0xB4, 0xB7, 0xBE);
}

QPixmap renderGlyph(QChar glyph, const QColor& colour, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(iconFontFamily());
    font.setPixelSize(size);
    font.setStyleStrategy(QFont::PreferAntialias);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(glyph));
    return pixmap;
}

QIcon icon(Icon which, bool dark, bool enabled, Use use)
{
    // The add and device-list controls are never disabled; they keep their one form.
    const bool drawnEnabled = kIcons[which].hasDisabledForm ? enabled : true;
    static QHash<QString, QIcon> cache;
    const QString key =
        name(which, dark, drawnEnabled) + (use == ForMenu ? QStringLiteral("Menu") : QString());
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QIcon result;
    const QColor c = colour(dark, drawnEnabled);
    for (const qreal ratio : {1.0, 2.0}) {
        const QPixmap pixmap = renderGlyph(glyph(which), c, kIconSize, ratio);
        // The drawing already shows the enabled state; the style must not grey it again.
        result.addPixmap(pixmap, QIcon::Normal);
        result.addPixmap(pixmap, QIcon::Disabled);
        if (use == ForMenu && drawnEnabled) {
            const QPixmap onAccent = renderGlyph(glyph(which), Qt::white, kIconSize, ratio);
            result.addPixmap(onAccent, QIcon::Active);
            result.addPixmap(onAccent, QIcon::Selected);
        } else {
            result.addPixmap(pixmap, QIcon::Active);
            result.addPixmap(pixmap, QIcon::Selected);
        }
    }
    cache.insert(key, result);
    return result;
}

} // namespace DeviceIcons
