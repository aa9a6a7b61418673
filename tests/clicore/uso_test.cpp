// compress, expand, seal and open answer their help and their wrong usage
// in the core, in the words of the full command line's other commands, so
// neither program needs the other for them.

#include "clinucleo.h"
#include "core/direto.h"
#include "support/pastatemporaria.h"

#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

struct Uso {
    const char* nome;
    std::vector<std::string> args;
    const char* erros;
};

class UsoDoNucleo : public ::testing::TestWithParam<Uso> {};

TEST_P(UsoDoNucleo, WrongUsageIsTwoWithItsReason)
{
    const Resultado r = rodaNoNucleo(GetParam().args);
    EXPECT_EQ(r.codigo, 2);
    EXPECT_EQ(r.erros, GetParam().erros);
    EXPECT_EQ(r.saida, "");
}

INSTANTIATE_TEST_SUITE_P(
    Linhas, UsoDoNucleo,
    ::testing::Values(
        Uso{"one_argument", {"compress", "a"}, "pluvexa-cli compress: expected 2 argument(s), see --help\n"},
        Uso{"three_arguments", {"expand", "a", "b", "c"}, "pluvexa-cli expand: expected 2 argument(s), see --help\n"},
        Uso{"unknown_option", {"compress", "--bogus", "a", "b"}, "pluvexa-cli: unknown option '--bogus'\n"},
        Uso{"unknown_options", {"open", "-x", "--y=1", "a", "b"}, "pluvexa-cli: unknown option '-x'\n"},
        Uso{"help_with_unknown", {"compress", "--help", "--bogus"}, "pluvexa-cli: unknown option '--bogus'\n"},
        Uso{"near_one", {"seal", "--signr", "k", "--recipient", "r", "a", "b"},
            "pluvexa-cli: unknown option '--signr'; did you mean '--signer'?\n"},
        Uso{"missing_value", {"open", "a", "b", "--index"}, "pluvexa-cli: Missing value after '--index'.\n"},
        Uso{"help_with_value", {"seal", "--help=3"}, "pluvexa-cli: Unexpected value after '--help'.\n"},
        Uso{"seal_without_keys", {"seal", "a", "b"},
            "pluvexa-cli seal: --signer and --recipient are required; --cipher 0-4, --digest 0, 3 or 5\n"},
        Uso{"seal_cipher_7", {"seal", "--signer", "s", "--recipient", "r", "--cipher", "7", "a", "b"},
            "pluvexa-cli seal: --signer and --recipient are required; --cipher 0-4, --digest 0, 3 or 5\n"},
        Uso{"seal_digest_4", {"seal", "-signer=s", "-recipient=r", "-digest=4", "a", "b"},
            "pluvexa-cli seal: --signer and --recipient are required; --cipher 0-4, --digest 0, 3 or 5\n"},
        Uso{"open_without_sender", {"open", "--key", "k", "a", "b"},
            "pluvexa-cli open: --key and --sender are required; --index is a number from 0\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(AjudaDoNucleo, EachCommandsHelpOnStandardOutput)
{
    for (const cli::ComandoDireto& c : cli::comandosDiretos()) {
        const std::string comando(c.nome);
        SCOPED_TRACE(comando);
        const Resultado longa = rodaNoNucleo({comando, "--help"});
        EXPECT_EQ(longa.codigo, 0);
        EXPECT_EQ(longa.erros, "");
        EXPECT_EQ(longa.saida.rfind("Usage: pluvexa-cli " + comando + " [options] IN OUT\n", 0), 0u) << longa.saida;
        EXPECT_NE(longa.saida.find(", 2 wrong"), std::string::npos);
        for (const std::string_view o : c.opcoes)
            EXPECT_NE(longa.saida.find("  --" + std::string(o) + " <"), std::string::npos) << o;
        // "-h", "-help" and "--h" are the same, before or after the positionals.
        for (const char* h : {"-h", "-help", "--h"})
            EXPECT_EQ(rodaNoNucleo({comando, "a", "b", h}).saida, longa.saida) << h;
        // Each line fits a terminal of 80 columns.
        std::size_t inicio = 0;
        for (std::size_t fim; (fim = longa.saida.find('\n', inicio)) != std::string::npos; inicio = fim + 1)
            EXPECT_LE(fim - inicio, 79u);
    }
}

// "--" ends the options: what follows is a name, even "--help".
TEST(AjudaDoNucleo, DoubleDashEndsTheOptions)
{
    PastaTemporaria dir;
    const Resultado r = rodaNoNucleo({"compress", "--", "--help", dir.texto("out")});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros, "pluvexa-cli: \"--help\" does not exist\n");
}

TEST(AjudaDoNucleo, OtherCommandsAreNotTheCores)
{
    for (const char* outro : {"keygen", "check", "frobnicate", "--help", ""})
        EXPECT_FALSE(rodaNoNucleo({outro, "a", "b"}).codigo) << outro;
}

#ifdef PLUVEXA_CLI_SEM_COMPLETO
// A build of the core alone holds no full command line: it says so for
// every command it does not run, and hands nothing over.
TEST(AjudaDoNucleo, CommandsOfTheFullProgramAreRefused)
{
    for (const char* outro : {"keygen", "check", "history"}) {
        std::vector<std::string> args = {"pluvexa-cli", outro, "x"};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        ::testing::internal::CaptureStderr();
        const int r = cli::executaCompleto(int(argv.size()), argv.data());
        EXPECT_EQ(r, 1);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  std::string("pluvexa-cli: ") + outro + " needs pluvexa-cli-full, which this build does not include\n");
    }
}
#endif

}  // namespace
}  // namespace pluvexa::test
