#pragma once

// Runs the hashing of an envelope's content (its CRC and digest) on a
// second thread, piece by piece, while the caller enciphers and writes the
// same pieces: on a machine with two cores the hashes then cost no time
// beside the cipher. Where no thread can be started, each piece is hashed
// at once on the caller's.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace pluvexa {

class ContentHasher {
public:
    using Work = std::function<void(const std::uint8_t* data, std::size_t size)>;

    explicit ContentHasher(Work work);
    // Finishes the pieces handed over.
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    // Hands over the next piece, after the previous one is done. The piece
    // must stay as it is until the next add() or finish().
    void add(const std::uint8_t* data, std::size_t size);
    // Waits until every piece handed over is done.
    void finish();

private:
    void run();

    Work m_work;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace pluvexa
