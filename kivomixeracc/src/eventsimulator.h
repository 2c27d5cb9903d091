// EventSimulator: posts synthetic events to their targets one at a time,
// each after its own delay, from a timer on the GUI thread.
//
// Ordering rules:
// - Entries are posted oldest first. Each entry is posted its own delay
//   after the previous post, or, when the timer was idle as it was queued,
//   its delay after it was queued.
// - Delays are clamped to 10..500 ms.
// - An entry whose target was destroyed while it waited is dropped without
//   being posted, and the next entry is taken at once.
#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>

#include <QEvent>

class EventSimulator : public QObject
{
    Q_OBJECT
public:
    // The process-wide simulator, created on first use and never deleted.
    static EventSimulator *instance();

    // Takes ownership of the event until it is posted (then Qt owns it).
    void postDelayed(QObject *target, QEvent *event, int delayMs);

    static constexpr int MinimumDelayMs = 10;
    static constexpr int MaximumDelayMs = 500;

    // The delay an entry actually waits.
    static int clampDelay(int delayMs) { return qBound(int(MinimumDelayMs), delayMs, int(MaximumDelayMs)); }

    int pendingCount() const { return int(m_queue.size()); }

private slots:
    void on_post_timeout();

private:
    EventSimulator();

    struct Entry {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
        quint16 delayMs;
    };
    std::deque<Entry> m_queue;
    QTimer m_timer;
};
