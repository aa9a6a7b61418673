// What stands under a path, as readers and writers take it, without Qt:
// only a regular file is read; a new name or a regular file is written.

#include "files/core/natureza.h"
#include "files/core/parte.h"
#include "nucleoteste.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

enum class Objeto { Arquivo, Nada, Pasta, NadaEmPastaAusente };

struct Caso {
    const char* nome;
    Objeto objeto;
    natureza::Estado entrada;
    natureza::Estado saida;
    const char* mensagemEntrada;  // after the quoted path; empty: accepted
};

class Natureza : public ::testing::TestWithParam<Caso> {};

TEST_P(Natureza, InputsAndOutputsTakenByWhatTheyAre)
{
    const Caso& c = GetParam();
    test::PastaTemporaria dir;
    std::string caminho = dir.texto("alvo");
    switch (c.objeto) {
    case Objeto::Arquivo:
        test::grava(dir / "alvo", "conteúdo");
        break;
    case Objeto::Nada:
        break;
    case Objeto::Pasta:
        std::filesystem::create_directory(dir / "alvo");
        break;
    case Objeto::NadaEmPastaAusente:
        caminho = dir.texto("falta") + "/alvo";
        break;
    }
    Motivo motivo;
    EXPECT_EQ(natureza::entrada(caminho, motivo), c.entrada);
    EXPECT_EQ(natureza::saida(caminho, motivo), c.saida);
    const std::string esperada = *c.mensagemEntrada ? parte::visivel(caminho) + c.mensagemEntrada : "";
    EXPECT_EQ(natureza::confereEntrada(caminho), esperada);
    EXPECT_EQ(natureza::confereSaida(caminho),
              c.saida == natureza::Estado::Aceito ? "" : parte::visivel(caminho) + " is not a regular file");
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Natureza,
    ::testing::Values(
        Caso{"regular_file", Objeto::Arquivo, natureza::Estado::Aceito, natureza::Estado::Aceito, ""},
        Caso{"nothing", Objeto::Nada, natureza::Estado::Ausente, natureza::Estado::Aceito, " does not exist"},
        Caso{"folder", Objeto::Pasta, natureza::Estado::NaoComum, natureza::Estado::NaoComum,
             " is not a regular file"},
        Caso{"in_a_missing_folder", Objeto::NadaEmPastaAusente, natureza::Estado::Ausente, natureza::Estado::Aceito,
             " does not exist"}),
    [](const auto& info) { return std::string(info.param.nome); });

// The refusal as data: the windows' sentence beside the command line's.
TEST(NaturezaFalha, RefusalsInBothLanguages)
{
    test::PastaTemporaria dir;
    const std::string caminho = dir.texto("falta.REC");
    Motivo motivo;
    const FalhaArquivo ausente = natureza::falha(natureza::Estado::Ausente, caminho, motivo, false);
    EXPECT_EQ(ausente.operacao, Operacao::Ler);
    EXPECT_EQ(ausente.motivo.codigo, codigoAusente());
    EXPECT_EQ(frase(ausente), "Não foi possível ler o arquivo " + parte::visivel(caminho).substr(1, caminho.size())
                                  + ": arquivo ou pasta não encontrado.");
    const FalhaArquivo pasta = natureza::falha(natureza::Estado::NaoComum, dir.texto(), motivo, true);
    EXPECT_EQ(pasta.operacao, Operacao::Gravar);
    EXPECT_EQ(pasta.mensagem, parte::visivel(dir.texto()) + " is not a regular file");
    EXPECT_EQ(emPortugues(pasta.motivo), "não é um arquivo comum");
    EXPECT_TRUE(natureza::falha(natureza::Estado::Aceito, caminho, motivo, false).mensagem.empty());
}

}  // namespace
}  // namespace pluvexa
