#pragma once

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QTextCodec>
#include <QVariant>

// cfg.ini in the test's working directory, as a person would write it (GB2312 text).
inline void writeConfig(const QString& text)
{
    QFile::remove(QStringLiteral("cfg.ini"));
    QFile file(QStringLiteral("cfg.ini"));
    if (file.open(QIODevice::WriteOnly))
        file.write(QTextCodec::codecForName("GB2312")->fromUnicode(text));
}

inline QVariant configValue(const QString& group, const QString& key)
{
    QSettings ini(QStringLiteral("cfg.ini"), QSettings::IniFormat);
    ini.setIniCodec("GB2312");
    return ini.value(group + QLatin1Char('/') + key);
}
