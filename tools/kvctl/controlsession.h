#pragma once

#include "cli.h"
#include "loginsequence.h"
#include "parameterkeys.h"
#include "reportingmodel.h"

#include <QObject>
#include <functional>

// One unit reached the way the application reaches it: found by address, serial number or
// device ID, connected, logged in (the built-in guest password first, then --password), and
// read block by block. Every wait is bounded; each failure leaves a message and an exit code.
class ControlSession : public QObject
{
    Q_OBJECT
public:
    explicit ControlSession(const cli::Options& options, QObject* parent = nullptr);
    ~ControlSession() override;

    ReportingModel& model() { return m_model; }

    // cli::Ok once logged in; otherwise the exit code, with error() saying why.
    int open(const QString& unit);
    // Sends the reads and waits until the unit has answered all of them.
    int read(const QVector<ParameterRead>& reads);
    // Waits until queued commands have left and the hold of the last edit has passed, so
    // that the unit's reports reach the mirror again.
    int settle();
    QString error() const { return m_error; }
    // Returns `code` after printing the error; for verbs that end on a session failure.
    int report(int code) const;

    // Runs the event loop until `done` or `ms` have passed; false on time-out.
    static bool waitFor(const std::function<bool()>& done, int ms);

private:
    int find(const QString& unit);
    void loginAnswer(uchar answer);
    void send(LoginSequence::Send what);
    int failWith(int code, const QString& message);

    cli::Options m_options;
    LoginSequence m_login;
    ReportingModel m_model;
    int m_barrierPending = 0;
    QString m_error;
};
