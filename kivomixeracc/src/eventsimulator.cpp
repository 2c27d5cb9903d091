#include "eventsimulator.h"
#include <QCoreApplication>
#include <QEvent>

EventSimulator *EventSimulator::instance()
{
    // Deliberately leaked: the queue may still hold events while the
    // application tears down, and the simulator must outlive every caller.
    static EventSimulator *simulator = new EventSimulator;
    return simulator;
}

EventSimulator::EventSimulator()
{
    connect(&m_timer, &QTimer::timeout, this, &EventSimulator::on_post_timeout);
}

void EventSimulator::postDelayed(QObject *target, QEvent *event, int delayMs)
{
    const int delay = clampDelay(delayMs);
    m_queue.push_back(Entry{target, std::unique_ptr<QEvent>(event), quint16(delay)});
    if (!m_timer.isActive())
        m_timer.start(m_queue.front().delayMs);
}

void EventSimulator::on_post_timeout()
{
    m_timer.stop();
    while (!m_queue.empty() && (m_queue.front().target.isNull() || !m_queue.front().event))
        m_queue.pop_front();
    if (m_queue.empty())
        return;
    Entry entry = std::move(m_queue.front());
    m_queue.pop_front();
    QCoreApplication::postEvent(entry.target.data(), entry.event.release());
    if (!m_queue.empty())
        m_timer.start(m_queue.front().delayMs);
}
