#pragma once

#include <QDateTime>

namespace platform {

// Today's date and time: default backup names, the base date of a label,
// the names of PDF files. Tests hand in a clock that stands still.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime when) : m_when(std::move(when)) {}
    QDateTime now() const override { return m_when; }
    void set(const QDateTime &when) { m_when = when; }

private:
    QDateTime m_when;
};

} // namespace platform
