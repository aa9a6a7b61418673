#pragma once

// A disk that fills up in the middle of a write, without a small disk: the
// process's largest file size (RLIMIT_FSIZE) lowered while this object
// lives, with SIGXFSZ ignored so that a write past it fails with EFBIG
// instead of ending the test program. Only files grown past the limit are
// affected; smaller ones are written as usual.

#include <cstdint>

#ifdef __unix__
#include <csignal>
#include <sys/resource.h>
#endif

namespace pluvexa::test {

class LimiteTamanho {
public:
    explicit LimiteTamanho(std::uint64_t bytes)
    {
#ifdef __unix__
        m_sinal = std::signal(SIGXFSZ, SIG_IGN);
        m_valido = ::getrlimit(RLIMIT_FSIZE, &m_anterior) == 0;
        rlimit novo = m_anterior;
        novo.rlim_cur = rlim_t(bytes);
        m_valido = m_valido && ::setrlimit(RLIMIT_FSIZE, &novo) == 0;
#else
        (void)bytes;
#endif
    }
    ~LimiteTamanho()
    {
#ifdef __unix__
        if (m_valido)
            ::setrlimit(RLIMIT_FSIZE, &m_anterior);
        std::signal(SIGXFSZ, m_sinal);
#endif
    }
    LimiteTamanho(const LimiteTamanho&) = delete;
    LimiteTamanho& operator=(const LimiteTamanho&) = delete;

    // False where the system has no such limit: the caller skips.
    bool valido() const { return m_valido; }

private:
    bool m_valido = false;
#ifdef __unix__
    rlimit m_anterior{};
    void (*m_sinal)(int) = SIG_DFL;
#endif
};

}  // namespace pluvexa::test
