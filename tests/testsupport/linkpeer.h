#pragma once

#include "datamodel.h"
#include "wire/packetcutter.h"

#include <QStringList>
#include <QTcpServer>
#include <memory>

// The unit's end of a model's control link, for tests that read what the model sends: a
// loopback server the model connects to, and the packets received, in order, as text:
// "3,1,1" for a read, "w:3,7,2[0300...]" for a command with its payload in hex.
class LinkPeer
{
public:
    // Listens on 127.0.0.1; the model must use port() as its control port.
    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    // Adds a unit at 127.0.0.1 to the model, selects it and waits for the link.
    bool connectModel(DataModel& model);
    // Accepts the model's next connection (after a reconnect); false on time-out.
    bool accept();
    QTcpSocket* socket() const { return m_socket.get(); }
    // Everything received since the last call.
    QStringList take();

private:
    QTcpServer m_server;
    std::unique_ptr<QTcpSocket> m_socket;
    wire::PacketCutter m_cutter;
};
