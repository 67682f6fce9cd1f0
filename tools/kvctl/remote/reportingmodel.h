#pragma once

#include "datamodel.h"

#include <QByteArray>
#include <functional>

// The model as the application has it, telling a listener of every packet of the selected unit
// after the model has taken it: kvctl waits for answers (also those that change nothing) and
// prints raw replies.
class ReportingModel : public DataModel
{
public:
    using Listener =
        std::function<void(const wire::PacketHeader& header, const QByteArray& payload)>;

    explicit ReportingModel(const LinkSettings& settings) : DataModel(settings, Registry::InMemory)
    {}

    void setListener(Listener listener) { m_listener = std::move(listener); }

protected:
    void dispatchPacket(const wire::PacketHeader& header, const char* payload) override
    {
        DataModel::dispatchPacket(header, payload);
        if (m_listener)
            m_listener(header, QByteArray(payload, header.length));
    }

private:
    Listener m_listener;
};
