#pragma once

// The peak memory of one run, for the benchmarks of hostile inputs. On Linux
// the process's peak (VmHWM) is set back to what it holds now before each
// run (writing 5 to /proc/self/clear_refs), so that the figure is the run's
// own and not that of everything before it; where that cannot be done, the
// peak of the whole process (getrusage's ru_maxrss) is reported, which is
// never lower. Both include what the process held before the run (its
// libraries, the benchmark's own input): the figure the operator's machine
// would see.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>

#ifdef __unix__
#include <sys/resource.h>
#endif

namespace pluvexa::bench {

// A field of /proc/self/status in megabytes; a negative number when absent.
inline double campoStatusMb(const std::string& campo)
{
    std::ifstream status("/proc/self/status");
    std::string linha;
    while (std::getline(status, linha))
        if (linha.compare(0, campo.size() + 1, campo + ":") == 0)
            return std::stod(linha.substr(campo.size() + 1)) / 1024.0;
    return -1;
}

class PicoMemoria {
public:
    // Sets the peak back to the present; false where it cannot be.
    bool zera()
    {
        std::ofstream f("/proc/self/clear_refs");
        f << "5";
        f.flush();
        m_zerado = f.good() && campoStatusMb("VmHWM") >= 0;
        return m_zerado;
    }

    // The peak since zera(), or of the whole process, in megabytes.
    double pico() const
    {
        if (m_zerado)
            return campoStatusMb("VmHWM");
#ifdef __unix__
        rusage uso{};
        if (::getrusage(RUSAGE_SELF, &uso) == 0)
            return double(uso.ru_maxrss) / 1024.0;
#endif
        return -1;
    }

    // Reports the largest peak of the runs as counter "pico_MB", and how it
    // was measured as "pico_da_execucao" (1: the run's own, 0: the process's).
    void registra(benchmark::State& state, double maior) const
    {
        state.counters["pico_MB"] = maior;
        state.counters["pico_da_execucao"] = m_zerado ? 1 : 0;
    }

private:
    bool m_zerado = false;
};

// Runs `execucao` once per iteration, timing it alone, with the peak set back
// before each run; reports the largest peak. `execucao` answers whether the
// run gave what was expected; a run that did not stops the benchmark.
template <typename Execucao>
void medeExecucoes(benchmark::State& state, Execucao&& execucao)
{
    PicoMemoria memoria;
    double maior = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memoria.zera();
        state.ResumeTiming();
        const bool esperado = execucao();
        state.PauseTiming();
        maior = std::max(maior, memoria.pico());
        if (!esperado)
            state.SkipWithError("unexpected result");
        state.ResumeTiming();
    }
    memoria.registra(state, maior);
}

}  // namespace pluvexa::bench
