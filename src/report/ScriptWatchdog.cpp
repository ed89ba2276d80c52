#include "report/ScriptWatchdog.h"

#include <QJSEngine>

namespace report {

ScriptWatchdog::ScriptWatchdog(QJSEngine &engine, std::chrono::milliseconds limit)
    : m_engine(engine), m_limit(limit), m_thread([this] { watch(); })
{
}

ScriptWatchdog::~ScriptWatchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void ScriptWatchdog::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_running) {
            m_changed.wait(lock);
            continue;
        }
        const unsigned generation = m_generation;
        if (m_changed.wait_until(lock, m_deadline, [&] { return m_quit || m_generation != generation; }))
            continue;
        m_stopped = true;
        m_engine.setInterrupted(true);
        m_changed.wait(lock, [&] { return m_quit || m_generation != generation; });
    }
}

ScriptWatchdog::Run::Run(ScriptWatchdog &dog) : m_dog(dog)
{
    {
        const std::lock_guard lock(m_dog.m_mutex);
        m_dog.m_running = true;
        m_dog.m_stopped = false;
        ++m_dog.m_generation;
        m_dog.m_deadline = std::chrono::steady_clock::now() + m_dog.m_limit;
    }
    m_dog.m_changed.notify_all();
}

ScriptWatchdog::Run::~Run()
{
    {
        const std::lock_guard lock(m_dog.m_mutex);
        m_dog.m_running = false;
        ++m_dog.m_generation;
    }
    m_dog.m_changed.notify_all();
    m_dog.m_engine.setInterrupted(false);
}

bool ScriptWatchdog::Run::stopped() const
{
    const std::lock_guard lock(m_dog.m_mutex);
    return m_dog.m_stopped;
}

} // namespace report
