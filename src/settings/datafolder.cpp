#include "datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString DataFolder::choose(const QString& working, const QString& home, const QString& userData)
{
    const QFileInfo config(QDir(working).filePath(QStringLiteral("cfg.ini")));
    const bool isHome =
        QFileInfo(working).canonicalFilePath() == QFileInfo(home).canonicalFilePath();
    return config.isFile() && !isHome ? working : userData;
}

QString DataFolder::userDataFolder()
{
    // The names the per-user settings store uses as well; set here because the folder is
    // chosen before the application object exists.
    QCoreApplication::setOrganizationName(QStringLiteral("QM"));
    QCoreApplication::setApplicationName(QStringLiteral("KV530418"));
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool DataFolder::enter(QString* error)
{
    const QString folder = choose(QDir::currentPath(), QDir::homePath(), userDataFolder());
    if (folder.isEmpty()) {
        *error = QStringLiteral("no per-user data folder");
        return false;
    }
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    if (!QDir::setCurrent(folder)) {
        *error = QStringLiteral("cannot enter %1").arg(folder);
        return false;
    }
    return true;
}
