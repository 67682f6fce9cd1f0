// Writes the application's icon, as the application draws it, into a hicolor icon tree:
// <folder>/<size>x<size>/apps/<name>.png for each of the usual sizes.
#include "appicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kv-icons <folder> <icon name>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    const QIcon icon = appIcon();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        if (pixmap.size() != QSize(size, size) || !root.mkpath(folder) ||
            !pixmap.save(
                root.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "kv-icons: cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
