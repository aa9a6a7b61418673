// Temporaries of the file layer without Qt: named after the file they
// become, created new and never over anything, and removed only while they
// are still the file the layer created.

#include "files/core/parte.h"
#include "files/core/temporario.h"
#include "nucleoteste.h"

#include <gtest/gtest.h>

#include <regex>

namespace pluvexa {
namespace {

TEST(TemporarioNome, BesideTheFileHiddenAndShortenedBetweenCharacters)
{
    test::PastaTemporaria dir;
    const std::string vizinho = dir.texto("Sebastião.REC");
    const std::string nome = temporario::nome(vizinho);
    const std::string pasta = dir.texto("");
    ASSERT_EQ(nome.rfind(pasta, 0), 0u) << nome;
    EXPECT_TRUE(std::regex_match(nome.substr(pasta.size()), std::regex(R"([/\\]?\.Sebastião\.REC\.[A-Za-z0-9]{6}\.tmp)")))
        << nome;
    EXPECT_NE(temporario::nome(vizinho), nome);  // random: two writers get two names

    // A name at the folder's limit, of two-byte letters: the part taken from
    // it is cut between letters and the temporary's name fits the limit.
    const std::size_t maximo = temporario::nomeMaximo(pasta);
    std::string longo;
    while (longo.size() + 2 <= maximo)
        longo += "ã";
    const std::string curto = temporario::nome(dir.texto(longo));
    const std::string soNome = curto.substr(curto.find_last_of("/\\") + 1);
    EXPECT_LE(soNome.size(), maximo);
    EXPECT_EQ(soNome.size() % 2, (1 + 1 + 6 + 4) % 2) << "a letter was cut in two: " << soNome;
    EXPECT_EQ(soNome.rfind(".ã", 0), 0u);
}

TEST(TemporarioCria, NewEmptyRemovedOnlyWhileItIsTheLayers)
{
    test::PastaTemporaria dir;
    Motivo motivo;
    const std::string t = temporario::cria(dir.texto("out"), motivo);
    ASSERT_FALSE(t.empty()) << motivo.ingles;
    EXPECT_TRUE(std::filesystem::is_regular_file(test::de(t)));
    EXPECT_EQ(std::filesystem::file_size(test::de(t)), 0u);
    EXPECT_TRUE(temporario::intacto(t));
    EXPECT_EQ(temporario::pendentes(), 1u);
    temporario::remove(t);
    EXPECT_EQ(temporario::pendentes(), 0u);
    EXPECT_TRUE(test::nomes(dir.caminho()).empty());

    // A name the layer did not create (or no longer counts) is never removed.
    test::grava(test::de(t), "do operador");
    EXPECT_FALSE(temporario::intacto(t));
    temporario::remove(t);
    EXPECT_EQ(test::texto(test::de(t)), "do operador");
}

#ifndef _WIN32
// A file put under a temporary's name since it was created is not the
// layer's: it stays.
TEST(TemporarioCria, ReplacedTemporaryIsLeftAlone)
{
    test::PastaTemporaria dir;
    Motivo motivo;
    const std::string t = temporario::cria(dir.texto("out"), motivo);
    ASSERT_FALSE(t.empty());
    test::grava(dir / "outro", "outro");  // made while the temporary stands: another file
    std::filesystem::rename(dir / "outro", t);
    EXPECT_FALSE(temporario::intacto(t));
    temporario::remove(t);
    EXPECT_EQ(test::texto(t), "outro");
    EXPECT_EQ(temporario::pendentes(), 0u);
}
#endif

TEST(TemporarioCria, MissingFolderAnswersTheSystemsReason)
{
    test::PastaTemporaria dir;
    Motivo motivo;
    std::string tentado;
    const std::string t = temporario::cria(dir.texto("falta") + "/out", motivo, nullptr, &tentado);
    EXPECT_TRUE(t.empty());
    EXPECT_NE(motivo.codigo, 0);
    EXPECT_EQ(motivo.ingles, Motivo::sistema(motivo.codigo).ingles);
    EXPECT_EQ(emPortugues(motivo), "arquivo ou pasta não encontrado");
    EXPECT_NE(tentado.find(".out."), std::string::npos) << tentado;
    EXPECT_EQ(temporario::pendentes(), 0u);
}

}  // namespace
}  // namespace pluvexa
