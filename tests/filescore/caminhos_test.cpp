// Paths as each system takes them. Windows: UTF-16 with the "\\?\" prefix
// (drive letters, shares, accents, paths over 260 characters) and its own
// refusals (a read-only target, a target held open), run under Wine on the
// project's machine. POSIX: a name is the bytes it is, UTF-8 or not.

#include "files/core/conteudo.h"
#include "files/core/natureza.h"
#include "files/core/parte.h"
#include "files/core/temporario.h"
#include "nucleoteste.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa {
namespace {

// Writes `conteudo` to `destino` through the layer's single-file step.
parte::Resultado produz(const std::string& destino, const std::string& conteudo, FalhaArquivo& erro)
{
    return parte::produz(destino, [&](const std::filesystem::path& p) {
        std::ofstream f(p, std::ios::binary);
        f << conteudo;
        return bool(f.flush());
    }, erro);
}

// Reads `caminho` back through the layer's reader.
std::string leNaCamada(const std::string& caminho)
{
    conteudo::Entrada entrada;
    Motivo motivo;
    if (entrada.abre(caminho, motivo) != natureza::Estado::Aceito)
        return "(" + motivo.ingles + ")";
    std::string s(std::size_t(entrada.tamanho()), '\0');
    return entrada.le(s.data(), s.size(), motivo) == std::int64_t(s.size()) ? s : "(short)";
}

// A name with an accent (and a letter no Western code page holds) is
// written, found under its own name and read back.
TEST(Caminhos, NameWithAccentsIsItsOwnName)
{
    test::PastaTemporaria dir;
    const std::string nome = "Sebastião Γ.txt";
    FalhaArquivo erro;
    ASSERT_EQ(produz(dir.texto(nome), "recarga", erro), parte::Resultado::Colocado) << erro.mensagem;
    EXPECT_EQ(test::nomes(dir.caminho()), std::vector<std::string>{nome});
    Motivo motivo;
    EXPECT_EQ(natureza::entrada(dir.texto(nome), motivo), natureza::Estado::Aceito);
    EXPECT_EQ(leNaCamada(dir.texto(nome)), "recarga");
}

// A path longer than the 260 characters an unprefixed Windows path may have.
TEST(Caminhos, PathOverTwoHundredSixtyCharacters)
{
    test::PastaTemporaria dir;
    std::string pasta = dir.texto();
    for (int i = 0; pasta.size() < 300; ++i) {
        pasta += "/pasta-de-recargas-" + std::to_string(i);
        ASSERT_TRUE(std::filesystem::create_directory(parte::caminho(pasta))) << pasta;
    }
    const std::string arquivo = pasta + "/Sebastião.REC";
    ASSERT_GT(arquivo.size(), 260u);
    FalhaArquivo erro;
    ASSERT_EQ(produz(arquivo, "longe", erro), parte::Resultado::Colocado) << erro.mensagem;
    EXPECT_EQ(leNaCamada(arquivo), "longe");
    EXPECT_EQ(natureza::confereSaida(arquivo), "");
    std::error_code ignorado;
    std::filesystem::remove_all(parte::caminho(dir.texto("pasta-de-recargas-0")), ignorado);
}

#ifdef _WIN32

struct Forma {
    const char* dado;
    const wchar_t* sistema;
};

// The forms the system is handed, as strings: there is no share to reach
// here, and a drive need not exist to be named.
class CaminhosWindows : public ::testing::TestWithParam<Forma> {};

TEST_P(CaminhosWindows, PrefixedUtf16WholePath)
{
    EXPECT_EQ(parte::caminho(GetParam().dado).wstring(), std::wstring(GetParam().sistema));
}

INSTANTIATE_TEST_SUITE_P(
    Formas, CaminhosWindows,
    ::testing::Values(Forma{R"(C:\Drovanti\Pluvexa\Recebidos\A.REC)", LR"(\\?\C:\Drovanti\Pluvexa\Recebidos\A.REC)"},
                      Forma{"C:/Drovanti/Pluvexa/../Sebastião.txt", L"\\\\?\\C:\\Drovanti\\Sebasti\u00e3o.txt"},
                      Forma{R"(Z:\tmp\.\x.REC)", LR"(\\?\Z:\tmp\x.REC)"},
                      Forma{R"(\\servidor\recargas\Janeiro\A.REC)", LR"(\\?\UNC\servidor\recargas\Janeiro\A.REC)"},
                      Forma{"//servidor/recargas/B.REC", LR"(\\?\UNC\servidor\recargas\B.REC)"},
                      Forma{R"(\\?\C:\ja\prefixado.REC)", LR"(\\?\C:\ja\prefixado.REC)"}));

// A drive-letter path as typed, separators either way, goes through every step.
TEST(CaminhosWindowsArquivos, DriveLetterPathsEitherSeparator)
{
    test::PastaTemporaria dir;
    std::string barras = dir.texto("com barras.REC");
    for (char& c : barras)
        if (c == '\\')
            c = '/';
    ASSERT_EQ(barras[1], ':') << barras;
    FalhaArquivo erro;
    ASSERT_EQ(produz(barras, "um", erro), parte::Resultado::Colocado) << erro.mensagem;
    EXPECT_EQ(leNaCamada(dir.texto("com barras.REC")), "um");
    EXPECT_EQ(parte::visivel(barras), '"' + dir.texto("com barras.REC") + '"');
}

// A read-only target is refused with the system's reason, as Windows's own
// rename would refuse it; the old file stands and no temporary is left.
TEST(CaminhosWindowsArquivos, ReadOnlyTargetRefusedWithTheSystemsReason)
{
    test::PastaTemporaria dir;
    const std::string alvo = dir.texto("somente leitura.REC");
    test::grava(dir / "somente leitura.REC", "antigo");
    ASSERT_TRUE(SetFileAttributesW(parte::caminho(alvo).c_str(), FILE_ATTRIBUTE_READONLY));
    FalhaArquivo erro;
    EXPECT_EQ(produz(alvo, "novo", erro), parte::Resultado::PassoFalhou);
    EXPECT_EQ(erro.motivo.codigo, ERROR_ACCESS_DENIED);
    EXPECT_EQ(erro.mensagem, "Cannot write file " + parte::visivel(alvo) + ". System error 5.");
    EXPECT_EQ(frase(erro), "Não foi possível gravar o arquivo " + alvo + ": sem permissão.");
    SetFileAttributesW(parte::caminho(alvo).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(test::texto(dir / "somente leitura.REC"), "antigo");
    EXPECT_EQ(test::nomes(dir.caminho()), std::vector<std::string>{"somente leitura.REC"});
    EXPECT_EQ(temporario::pendentes(), 0u);
}

// A target another program holds open without sharing: whatever code the
// system gives is reported as the system's, and nothing is lost. Windows
// checks sharing per open handle, so a handle of this process stands for
// the other program's.
TEST(CaminhosWindowsArquivos, TargetHeldOpenReportedAndKept)
{
    test::PastaTemporaria dir;
    const std::string alvo = dir.texto("aberto.REC");
    test::grava(dir / "aberto.REC", "antigo");
    HANDLE h = CreateFileW(parte::caminho(alvo).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FalhaArquivo erro;
    const parte::Resultado r = produz(alvo, "novo", erro);
    CloseHandle(h);
    EXPECT_EQ(r, parte::Resultado::PassoFalhou);
    EXPECT_NE(erro.motivo.codigo, 0);
    const std::string razao = "System error " + std::to_string(erro.motivo.codigo) + '.';
    EXPECT_EQ(erro.mensagem.substr(erro.mensagem.size() - std::min(erro.mensagem.size(), razao.size())), razao)
        << erro.mensagem;
    EXPECT_EQ(test::texto(dir / "aberto.REC"), "antigo");
    EXPECT_EQ(test::nomes(dir.caminho()), std::vector<std::string>{"aberto.REC"});
    EXPECT_EQ(temporario::pendentes(), 0u);
}

#else

// The names are the bytes they are: one that is not valid UTF-8 is written,
// listed and read as itself, never turned into another name.
TEST(Caminhos, NameThatIsNotUtf8IsItsBytes)
{
    test::PastaTemporaria dir;
    const std::string nome = "recarga-\xE7\xE3o-\xFF.REC";  // Latin-1 bytes
    FalhaArquivo erro;
    ASSERT_EQ(produz(dir.texto(nome), "bytes", erro), parte::Resultado::Colocado) << erro.mensagem;
    EXPECT_EQ(test::nomes(dir.caminho()), std::vector<std::string>{nome});
    EXPECT_EQ(parte::caminho(dir.texto(nome)).native(), dir.texto(nome));
    EXPECT_EQ(leNaCamada(dir.texto(nome)), "bytes");
}

#endif

}  // namespace
}  // namespace pluvexa
