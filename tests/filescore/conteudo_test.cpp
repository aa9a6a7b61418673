// The bytes of the layer's files without Qt: a regular file read whole and
// copied, a missing or unsuitable source told from a copy that failed.

#include "files/core/conteudo.h"
#include "files/core/parte.h"
#include "nucleoteste.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

std::string bytesDe(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = char((i * 131 + (i >> 9)) & 0xFF);
    return s;
}

// Sizes around the layer's block of 1 MiB.
class ConteudoCopia : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ConteudoCopia, CopyHasTheSourcesBytesAndSize)
{
    test::PastaTemporaria dir;
    const std::string origem = bytesDe(GetParam());
    test::grava(dir / "origem", origem);
    test::grava(dir / "copia", "antigo, mais longo do que nada");
    std::filesystem::resize_file(dir / "copia", 0);

    conteudo::Entrada entrada;
    Motivo motivo;
    ASSERT_EQ(entrada.abre(dir.texto("origem"), motivo), natureza::Estado::Aceito) << motivo.ingles;
    EXPECT_EQ(entrada.tamanho(), std::int64_t(origem.size()));

    conteudo::Saida saida;
    ASSERT_TRUE(saida.abre(dir.texto("copia"), -1, motivo)) << motivo.ingles;
    bool naOrigem = true;
    ASSERT_TRUE(conteudo::copia(dir.texto("origem"), saida, motivo, naOrigem)) << motivo.ingles;
    EXPECT_FALSE(naOrigem);
    ASSERT_TRUE(saida.fecha(motivo)) << motivo.ingles;
    EXPECT_TRUE(test::texto(dir / "copia") == origem);
}

INSTANTIATE_TEST_SUITE_P(Tamanhos, ConteudoCopia,
                         ::testing::Values(std::size_t(0), std::size_t(1), std::size_t(1) << 20,
                                           (std::size_t(1) << 20) + 7, std::size_t(3) << 20));

TEST(ConteudoCopia, SourceMissingOrFolderIsTheSources)
{
    test::PastaTemporaria dir;
    test::grava(dir / "copia", "");
    conteudo::Saida saida;
    Motivo motivo;
    ASSERT_TRUE(saida.abre(dir.texto("copia"), -1, motivo));
    bool naOrigem = false;
    EXPECT_FALSE(conteudo::copia(dir.texto("falta"), saida, motivo, naOrigem));
    EXPECT_TRUE(naOrigem);
    EXPECT_EQ(emPortugues(motivo), "arquivo ou pasta não encontrado");

    std::filesystem::create_directory(dir / "pasta");
    naOrigem = false;
    EXPECT_FALSE(conteudo::copia(dir.texto("pasta"), saida, motivo, naOrigem));
    EXPECT_TRUE(naOrigem);
    EXPECT_EQ(motivo.ingles, "It is not a regular file.");
    EXPECT_EQ(test::texto(dir / "copia"), "");
}

TEST(ConteudoEntrada, ReadsInPiecesToTheEnd)
{
    test::PastaTemporaria dir;
    test::grava(dir / "dados", "abcdefghij");
    conteudo::Entrada entrada;
    Motivo motivo;
    ASSERT_EQ(entrada.abre(dir.texto("dados"), motivo, false), natureza::Estado::Aceito);
    char bloco[4];
    std::string lido;
    for (std::int64_t n; (n = entrada.le(bloco, sizeof bloco, motivo)) > 0;)
        lido.append(bloco, std::size_t(n));
    EXPECT_EQ(lido, "abcdefghij");
    EXPECT_EQ(entrada.le(bloco, sizeof bloco, motivo), 0);

    // Not following a link, a folder is still no regular file, and a
    // missing name is Ausente.
    conteudo::Entrada pasta;
    EXPECT_EQ(pasta.abre(dir.texto(), motivo, false), natureza::Estado::NaoComum);
    conteudo::Entrada falta;
    EXPECT_EQ(falta.abre(dir.texto("falta"), motivo, false), natureza::Estado::Ausente);
    EXPECT_EQ(motivo.codigo, codigoAusente());
}

}  // namespace
}  // namespace pluvexa
