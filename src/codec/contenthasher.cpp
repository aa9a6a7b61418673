#include "codec/contenthasher.h"

#include <system_error>

namespace pluvexa {

ContentHasher::ContentHasher(Work work) : m_work(std::move(work))
{
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread: add() hashes on the caller's.
    }
}

ContentHasher::~ContentHasher()
{
    if (!m_thread.joinable())
        return;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_busy; });
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void ContentHasher::add(const std::uint8_t* data, std::size_t size)
{
    if (!m_thread.joinable()) {
        m_work(data, size);
        return;
    }
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_busy; });
        m_data = data;
        m_size = size;
        m_busy = true;
    }
    m_changed.notify_all();
}

void ContentHasher::finish()
{
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_busy; });
}

void ContentHasher::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_busy || m_stop; });
        if (m_stop)
            return;
        lock.unlock();
        m_work(m_data, m_size);
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

}  // namespace pluvexa
