#pragma once

// Runs a command of pluvexa-cli's Qt-free core in this process, as the
// program would run it, and keeps what it printed.

#include "core/direto.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace pluvexa::test {

struct Resultado {
    std::optional<int> codigo;  // nothing: not one of the core's commands
    std::string saida;
    std::string erros;
};

inline Resultado rodaNoNucleo(const std::vector<std::string>& args)
{
    Resultado r;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    r.codigo = cli::executaComando(args);
    r.erros = ::testing::internal::GetCapturedStderr();
    r.saida = ::testing::internal::GetCapturedStdout();
    return r;
}

// The demonstration keys and the test data, as the program takes paths.
inline std::string chave(const std::string& nome)
{
    return std::string(PLUVEXA_SOURCE_DIR) + "/keys/demo/" + nome;
}
inline std::string dado(const std::string& nome)
{
    return std::string(PLUVEXA_TEST_DATA) + "/cli/" + nome;
}

}  // namespace pluvexa::test
