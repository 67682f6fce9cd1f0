#pragma once

#include "accessrule.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <memory>
#include <thread>

class HttpRoutes;
namespace httplib {
class Server;
}

// The HTTP side of the remote API. Requests are taken on the HTTP library's own threads and
// answered by the routes on the thread of `context` (the units' thread); the OpenAPI document
// is served at /openapi.json. Bodies are JSON, and so is every answer, errors included.
class HttpFront
{
public:
    static constexpr int kAnswerTimeoutMs = 15000;
    static constexpr std::size_t kMaxBodyBytes = 64 * 1024;

    HttpFront(HttpRoutes& routes, QObject* context, const AccessRule& access);
    ~HttpFront();
    HttpFront(const HttpFront&) = delete;
    HttpFront& operator=(const HttpFront&) = delete;

    // Port 0 picks a free one. False, with `error` set, when it cannot listen.
    bool listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 port() const { return m_port; }
    // Stops taking requests and waits for those under way (the context's thread keeps
    // answering them meanwhile).
    void stop();

    static QByteArray openApiDocument();

private:
    HttpRoutes& m_routes;
    QPointer<QObject> m_context;
    AccessRule m_access;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    quint16 m_port = 0;
};
