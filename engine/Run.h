#pragma once

#include <QDateTime>

namespace engine {

// A task's run: whether one runs, when it ends, whether the close question is open, and what
// each tick of the timer does, decided from the clock it is given.
class Run {
public:
    enum class Tick { Wait, Fire };

    bool isRunning() const { return running_; }
    QDateTime endTime() const { return end_; }
    // A refused start may still leave the end time it computed (the fields' reading of it).
    void setEndTime(const QDateTime &end) { end_ = end; }
    void start(const QDateTime &end)
    {
        end_ = end;
        running_ = true;
    }
    void stop() { running_ = false; }
    // The task fires at the first tick at or past its end time.
    Tick tick(const QDateTime &now) const { return now < end_ ? Tick::Wait : Tick::Fire; }

    // The close question is open (a logout or the firing task takes its answer).
    bool isQueryUnload = false;

private:
    bool running_ = false;
    QDateTime end_;
};

} // namespace engine
