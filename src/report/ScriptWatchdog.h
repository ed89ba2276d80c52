#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;

namespace report {

// Stops a template script that runs too long (an endless loop, say), so that a print can
// never freeze the program: a second thread interrupts the engine when a script's time is up.
class ScriptWatchdog
{
public:
    ScriptWatchdog(QJSEngine &engine, std::chrono::milliseconds limit);
    ~ScriptWatchdog();
    ScriptWatchdog(const ScriptWatchdog &) = delete;
    ScriptWatchdog &operator=(const ScriptWatchdog &) = delete;

    // Marks the run of one script; the guard's end clears the engine's interruption.
    class Run
    {
    public:
        explicit Run(ScriptWatchdog &dog);
        ~Run();
        Run(const Run &) = delete;
        Run &operator=(const Run &) = delete;
        bool stopped() const;

    private:
        ScriptWatchdog &m_dog;
    };

    std::chrono::milliseconds limit() const { return m_limit; }

private:
    void watch();

    QJSEngine &m_engine;
    const std::chrono::milliseconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_running = false;
    bool m_stopped = false;
    bool m_quit = false;
    unsigned m_generation = 0;
    std::chrono::steady_clock::time_point m_deadline;
    std::thread m_thread; // last: it starts once everything above is set up
};

} // namespace report
