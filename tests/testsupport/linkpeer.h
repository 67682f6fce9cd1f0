#pragma once

#include "datamodel.h"
#include "wire/packetcutter.h"

#include <QStringList>
#include <QTcpServer>
#include <functional>
#include <memory>

// The unit's end of a model's control link, for tests that read what the model sends: a
// loopback server the model connects to, and the packets received, in order, as text:
// "3,1,1" for a read, "w:3,7,2[0300...]" for a command with its payload in hex. A responder
// can answer each packet as a unit would.
class LinkPeer
{
public:
    // The frames to send back for one received packet.
    using Responder = std::function<QList<QByteArray>(const wire::PacketHeader& header,
                                                      const QByteArray& payload)>;

    // Listens on a loopback address; the model must use port() as its control port.
    bool listen(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0);
    quint16 port() const { return m_server.serverPort(); }
    void setResponder(Responder responder) { m_responder = std::move(responder); }
    // Adds a unit at 127.0.0.1 to the model, selects it and waits for the link.
    bool connectModel(DataModel& model);
    // Accepts the model's next connection (after a reconnect); false on time-out.
    bool accept();
    QTcpSocket* socket() const { return m_socket.get(); }
    // Sends a report as the unit would.
    void report(wire::Code code, const QByteArray& payload);
    // Everything received since the last call.
    QStringList take();

private:
    void readAll();

    QTcpServer m_server;
    std::unique_ptr<QTcpSocket> m_socket;
    wire::PacketCutter m_cutter;
    Responder m_responder;
    QStringList m_received;
};
