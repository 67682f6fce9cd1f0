#pragma once

#include "wire/codes.h"

#include <QByteArray>
#include <QVector>

// The framed packets (access 0x80) a unit sends in answer to one request, in order.
class Replies
{
public:
    void add(wire::Code code, const QByteArray& payload);
    void append(const Replies& other) { m_frames += other.m_frames; }

    const QVector<QByteArray>& frames() const { return m_frames; }
    bool isEmpty() const { return m_frames.isEmpty(); }
    int size() const { return m_frames.size(); }

private:
    QVector<QByteArray> m_frames;
};
