#pragma once

#include "unitconfig.h"

#include <QHostAddress>
#include <QStringList>
#include <QVector>

// The command line of virtual-unit turned into one configuration per unit.
class UnitOptions
{
public:
    static constexpr int kMaxCount = 4096;

    // Parses `arguments` (program name first). On failure `error()` says why; --help and
    // --version are handled by the caller through `helpText()`.
    bool parse(const QStringList& arguments);

    const QVector<UnitConfig>& units() const { return m_units; }
    QHostAddress commandAddress() const { return m_commandAddress; }
    quint16 commandPort() const { return m_commandPort; }
    int runForSeconds() const { return m_runForSeconds; }
    bool helpRequested() const { return m_help; }
    QString error() const { return m_error; }
    QString helpText() const { return m_helpText; }

private:
    QVector<UnitConfig> m_units;
    QHostAddress m_commandAddress = QHostAddress(QHostAddress::AnyIPv4);
    quint16 m_commandPort = 6001;
    int m_runForSeconds = 0;
    bool m_help = false;
    QString m_error;
    QString m_helpText;
};
