#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdlib>

namespace {
QTemporaryDir* s_dir = nullptr;
}

void isolateTestEnvironment()
{
    if (s_dir)
        return;
    // Lives for the whole process; removed at exit.
    s_dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/kvtest-XXXXXX"));
    std::atexit([] { delete s_dir; });
    const QByteArray config = QFile::encodeName(s_dir->path() + QStringLiteral("/config"));
    QDir().mkpath(QString::fromLocal8Bit(config));
    qputenv("XDG_CONFIG_HOME", config);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir::setCurrent(s_dir->path());
}

QString testWorkingDirectory()
{
    return s_dir ? s_dir->path() : QDir::currentPath();
}
