// The four commands of the Qt-free core give the same bytes, statuses and
// words on every system: the files below were made by the Linux build
// (recebido.lzw compressed, selado-no-linux.bin sealed for the central with
// the demonstration keys), and these same tests run under Wine.

#include "clinucleo.h"
#include "files/core/parte.h"
#include "support/arquivosbytes.h"
#include "support/pastatemporaria.h"

#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

class Comandos : public ::testing::Test {
protected:
    PastaTemporaria dir;
    std::string d(const std::string& nome) const { return dir.texto(nome); }
    std::vector<std::string> abre(const std::string& entrada, const std::string& indice) const
    {
        return {"open", "--key", chave("central.private"), "--sender", chave("own.public"), "--index", indice,
                entrada, d("aberto")};
    }
};

TEST_F(Comandos, CompressAndExpandGiveTheLinuxBuildsBytes)
{
    const Resultado c = rodaNoNucleo({"compress", dado("recebido.txt"), d("z")});
    EXPECT_EQ(c.codigo, 0) << c.erros;
    EXPECT_EQ(c.saida, "Compressing...\n*********\n");
    EXPECT_TRUE(leBytes(dir / "z") == leBytes(dado("recebido.lzw")));
    const Resultado e = rodaNoNucleo({"expand", dado("recebido.lzw"), d("texto")});
    EXPECT_EQ(e.codigo, 0) << e.erros;
    EXPECT_TRUE(leBytes(dir / "texto") == leBytes(dado("recebido.txt")));
}

// Sealed on Linux, opened here; sealed here, opened here as the other
// build opens it (a fresh key each time: the content is compared).
TEST_F(Comandos, SealedFilesCrossBetweenBuilds)
{
    const Resultado doLinux = rodaNoNucleo(abre(dado("selado-no-linux.bin"), "0"));
    EXPECT_EQ(doLinux.codigo, 0) << doLinux.erros;
    EXPECT_TRUE(leBytes(dir / "aberto") == leBytes(dado("recebido.lzw")));
    const Resultado s = rodaNoNucleo({"seal", "--signer", chave("own.private"), "--recipient",
                                      chave("central.public"), "--cipher=3", dado("recebido.lzw"), d("selado")});
    EXPECT_EQ(s.codigo, 0) << s.erros;
    EXPECT_EQ(s.saida, "");
    const Resultado a = rodaNoNucleo(abre(d("selado"), "0"));
    EXPECT_EQ(a.codigo, 0) << a.erros;
    EXPECT_TRUE(leBytes(dir / "aberto") == leBytes(dado("recebido.lzw")));
}

struct Indice {
    const char* valor;
    int codigo;
};

// --index is read as 64 bits everywhere: a position an unsigned number
// holds is tried (beyond the one recipient: the envelope's error), anything
// else is wrong usage, never wrapped round to recipient 0.
class IndiceDeAbertura : public Comandos, public ::testing::WithParamInterface<Indice> {};

TEST_P(IndiceDeAbertura, SameStatusOnEverySystem)
{
    const Resultado r = rodaNoNucleo(abre(dado("selado-no-linux.bin"), GetParam().valor));
    EXPECT_EQ(r.codigo, GetParam().codigo) << r.erros;
    switch (GetParam().codigo) {
    case 0:
        EXPECT_EQ(r.erros, "");
        EXPECT_TRUE(leBytes(dir / "aberto") == leBytes(dado("recebido.lzw")));
        break;
    case 1:
        EXPECT_EQ(r.erros.rfind("pluvexa-cli: opening " + parte::visivel(dado("selado-no-linux.bin")) + " failed: error ", 0), 0u)
            << r.erros;
        EXPECT_TRUE(leBytes(dir / "aberto").empty());
        break;
    default:
        EXPECT_EQ(r.erros, "pluvexa-cli open: --key and --sender are required; --index is a number from 0\n");
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Valores, IndiceDeAbertura,
                         ::testing::Values(Indice{"0", 0}, Indice{"1", 1}, Indice{"4294967295", 1},
                                           Indice{"4294967296", 2}, Indice{"-1", 2}, Indice{"x", 2}),
                         [](const auto& info) { return "i" + std::to_string(info.index); });

// Refusals name the path as the system writes it and give the system's
// reason; the output is never left half made.
TEST_F(Comandos, RefusalsInTheSameWords)
{
    const Resultado falta = rodaNoNucleo({"compress", d("falta"), d("z")});
    EXPECT_EQ(falta.codigo, 1);
    EXPECT_EQ(falta.erros, "pluvexa-cli: " + parte::visivel(d("falta")) + " does not exist\n");
    const Resultado pasta = rodaNoNucleo({"expand", dado("recebido.lzw"), dir.texto()});
    EXPECT_EQ(pasta.codigo, 1);
    EXPECT_EQ(pasta.erros, "pluvexa-cli: " + parte::visivel(dir.texto()) + " is not a regular file\n");
    const Resultado danificado = rodaNoNucleo({"expand", dado("recebido.txt"), d("z")});
    EXPECT_EQ(danificado.codigo, 1);
    EXPECT_EQ(danificado.erros, "pluvexa-cli: expansion of " + parte::visivel(dado("recebido.txt"))
                                    + " failed: the stream holds a code that does not exist\n");
    const Resultado chaveCurta = rodaNoNucleo({"seal", "--signer", dado("recebido.lzw"), "--recipient",
                                               chave("central.public"), dado("recebido.lzw"), d("s")});
    EXPECT_EQ(chaveCurta.codigo, 1);
    EXPECT_EQ(chaveCurta.erros, "pluvexa-cli: " + dado("recebido.lzw") + " is not a key record of 706 bytes (it has 2930)\n");
    EXPECT_EQ(test::leBytes(dir / "z").size(), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "s"));
}

}  // namespace
}  // namespace pluvexa::test
