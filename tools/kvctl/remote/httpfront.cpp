#include "httpfront.h"

#include "httproutes.h"

#include <httplib.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <condition_variable>
#include <mutex>

namespace {

// One request's answer, handed from the units' thread to the HTTP thread that waits for it.
struct Answer
{
    std::mutex mutex;
    std::condition_variable ready;
    bool done = false;
    ApiResult result;

    void give(const ApiResult& r)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (done)
            return;
        result = r;
        done = true;
        ready.notify_all();
    }
};

void respond(httplib::Response& res, const ApiResult& result)
{
    res.status = result.status;
    const QJsonDocument doc = result.body.isArray() ? QJsonDocument(result.body.toArray())
                                                    : QJsonDocument(result.body.toObject());
    res.set_content(doc.toJson(QJsonDocument::Compact).toStdString(), "application/json");
}

} // namespace

HttpFront::HttpFront(HttpRoutes& routes, QObject* context, const AccessRule& access)
    : m_routes(routes), m_context(context), m_access(access)
{}

HttpFront::~HttpFront()
{
    stop();
}

bool HttpFront::listen(const QHostAddress& address, quint16 port, QString* error)
{
    m_server = std::make_unique<httplib::Server>();
    m_server->set_payload_max_length(kMaxBodyBytes);
    m_server->set_read_timeout(10, 0);
    const auto handle = [this](const httplib::Request& req, httplib::Response& res) {
        if (!m_access.accepts(AccessRule::bearer(
                QString::fromStdString(req.get_header_value("Authorization"))))) {
            res.set_header("WWW-Authenticate", "Bearer");
            respond(res, ApiResult::error(401, QStringLiteral("an access token is required "
                                                              "(Authorization: Bearer TOKEN)")));
            return;
        }
        if (req.path == "/openapi.json") {
            res.set_content(openApiDocument().toStdString(), "application/json");
            return;
        }
        auto answer = std::make_shared<Answer>();
        const QString method = QString::fromStdString(req.method);
        const QString path = QString::fromStdString(req.path);
        const QByteArray body = QByteArray::fromStdString(req.body);
        const bool posted = QMetaObject::invokeMethod(
            m_context.data(),
            [this, answer, method, path, body] {
                m_routes.handle(method, path, body,
                                [answer](const ApiResult& r) { answer->give(r); });
            },
            Qt::QueuedConnection);
        std::unique_lock<std::mutex> lock(answer->mutex);
        if (!posted || !answer->ready.wait_for(lock, std::chrono::milliseconds(kAnswerTimeoutMs),
                                               [&] { return answer->done; })) {
            lock.unlock();
            respond(res, ApiResult::error(504, QStringLiteral("no answer in time")));
            return;
        }
        respond(res, answer->result);
    };
    // A request without a body (curl -X POST URL) is answered before the library reads one,
    // which it would take as broken. One with a body is read first, refused or not, so that
    // its bytes never reach the next request on the connection.
    m_server->set_pre_routing_handler(
        [handle](const httplib::Request& req, httplib::Response& res) {
            if (req.has_header("Content-Length") || req.has_header("Transfer-Encoding"))
                return httplib::Server::HandlerResponse::Unhandled;
            handle(req, res);
            return httplib::Server::HandlerResponse::Handled;
        });
    m_server->Get(".*", handle);
    m_server->Put(".*", handle);
    m_server->Post(".*", handle);
    m_server->Delete(".*", handle);
    m_server->Patch(".*", handle);

    const std::string host = address.toString().toStdString();
    int bound = port;
    if (port == 0)
        bound = m_server->bind_to_any_port(host);
    else if (!m_server->bind_to_port(host, port))
        bound = -1;
    if (bound <= 0) {
        if (error)
            *error = QStringLiteral("cannot listen for HTTP on %1 port %2")
                         .arg(address.toString())
                         .arg(port);
        m_server.reset();
        return false;
    }
    m_port = quint16(bound);
    m_running = true;
    m_thread = std::thread([this] {
        m_server->listen_after_bind();
        m_running = false;
    });
    return true;
}

void HttpFront::stop()
{
    if (!m_server)
        return;
    m_server->stop();
    // Requests under way wait for the units' thread: keep it answering until they are done.
    while (m_running) {
        if (m_context && QThread::currentThread() == m_context->thread())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        else
            QThread::msleep(5);
    }
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
}
