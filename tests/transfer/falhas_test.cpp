// Every step of a run that fails is named in the closing message, with the
// system's reason in the operator's words; nothing is lost and the source
// keeps its name. Failures are injected through the file layer's gate, each
// as a system error (tests run as root: permissions would not stop them).

#include "transferfixture.h"

#include <cerrno>
#include <functional>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa::transferencia {
namespace {

const QString kMarcado1 = QStringLiteral("PX_00123_0007_0412090830_4.REC");
const QString kMarcado2 = QStringLiteral("PX_00123_0008_0412100830_4.REC");

// Every hidden file (the file layer's temporaries) left anywhere the runs write.
QStringList partes(const Cenario& c)
{
    QStringList r;
    for (const QString& pasta : {pastaRecebidos(), pastaGerados(), c.disco.path()})
        for (const QString& n : arquivos(pasta))
            if (n.startsWith(QLatin1Char('.')))
                r << n;
    return r;
}

// The system errors the steps fail with.
#ifdef _WIN32
constexpr int kCheio = ERROR_DISK_FULL, kDispositivo = ERROR_IO_DEVICE, kNegado = ERROR_ACCESS_DENIED,
              kSoLeitura = ERROR_WRITE_PROTECT, kEmUso = ERROR_SHARING_VIOLATION;
#else
constexpr int kCheio = ENOSPC, kDispositivo = EIO, kNegado = EACCES, kSoLeitura = EROFS, kEmUso = EBUSY;
#endif

struct Falha {
    const char* passo;  // the gate's step, as the layer counts it
    bool gerar;         // a "Gerar" run with an old file on the disk; else "Carregar"
    int codigo;         // the system error it fails with
    const char* linha;  // the failed file's line after "<nome> - ": {R} the copy in the received
                        // folder, {D} the file on the disk, with the system's separators
};

void PrintTo(const Falha& f, std::ostream* os)
{
    *os << f.passo;
}

class FalhaInjetada : public ::testing::TestWithParam<Falha> {
protected:
    // Two files, the first of which meets the failure.
    static void prepara(Cenario& c)
    {
        if (GetParam().gerar) {
            grava(c.noDisco(QStringLiteral("velho_2.REC")), "old");
            grava(c.gerado(kResposta1), "answer");
        } else {
            grava(c.noDisco(kRecebido1), "first");
            grava(c.noDisco(kRecebido2), "second");
        }
    }
    static void executa(Cenario& c, const std::function<void()>& fimEsperado)
    {
        if (GetParam().gerar) {
            ListaPasta lista(pastaGerados(), kMascaraGerados);
            lista.selecionaTodos();
            c.dialogos.expectQuestion(perguntaDisco(kResposta1, QStringLiteral("E:")), true);
            c.dialogos.expectQuestion(kApagaArquivos, true);
            fimEsperado();
            c.run.gera(lista, c.disco.path(), QStringLiteral("E:"));
        } else {
            ListaPasta lista(c.disco.path(), kMascaraRecebidos);
            lista.selecionaTodos();
            fimEsperado();
            c.run.carrega(lista);
        }
    }
    // Which operation of the run is the first of the step.
    static int numeroDoPasso()
    {
        Cenario c;
        prepara(c);
        FalhasArquivo contador;
        executa(c, [&] { c.dialogos.expectNotice(kSucesso); });
        const QString prefixo = QString::fromLatin1(GetParam().passo) + QStringLiteral(" /");
        const QStringList& ops = contador.registro();
        for (int i = 0; i < ops.size(); ++i)
            if (ops[i].startsWith(prefixo))
                return i + 1;
        ADD_FAILURE() << "the run never passes the step: " << ops.join('\n').toStdString();
        return 0;
    }
};

TEST_P(FalhaInjetada, IsNamedNothingIsLostAndTheSourceKeepsItsName)
{
    const int numero = numeroDoPasso();
    ASSERT_GT(numero, 0);
    Cenario c;
    prepara(c);
    const QString nome = GetParam().gerar ? QStringLiteral("velho_2.REC") : kRecebido1;
    FalhasArquivo falhas(numero, GetParam().codigo);
    const QString linha = QString::fromUtf8(GetParam().linha)
                              .replace(QStringLiteral("{R}"), QDir::toNativeSeparators(c.recebido(kRecebido1)))
                              .replace(QStringLiteral("{D}"), QDir::toNativeSeparators(c.noDisco(nome)));
    executa(c, [&] { c.dialogos.expectNotice(erros({nome + QStringLiteral(" - ") + linha})); });
    EXPECT_TRUE(falhas.falhou());
    ASSERT_EQ(c.run.falhas().size(), 1) << c.run.falhas().join('\n').toStdString();
    EXPECT_EQ(c.dialogos.lastIcon(), Interaction::Icon::Error);
    EXPECT_TRUE(partes(c).isEmpty()) << partes(c).join(' ').toStdString();

    const QString passo = QString::fromLatin1(GetParam().passo);
    if (GetParam().gerar) {
        // The old file that could not be deleted stays; the answer still went.
        EXPECT_EQ(le(c.noDisco(QStringLiteral("velho_2.REC"))), QByteArray("old"));
        EXPECT_EQ(le(c.noDisco(kResposta1)), QByteArray("answer"));
        EXPECT_TRUE(QFile::exists(c.gerado(QStringLiteral("PX_00123_0007_0412091530_4.REC"))));
        return;
    }
    // The failed file can be loaded again: the source is unmarked.
    EXPECT_EQ(le(c.noDisco(kRecebido1)), QByteArray("first"));
    EXPECT_FALSE(QFile::exists(c.noDisco(kMarcado1)));
    if (passo == QLatin1String("replace"))
        EXPECT_EQ(le(c.recebido(kRecebido1)), QByteArray("first"));  // the copy itself stands
    else
        EXPECT_FALSE(QFile::exists(c.recebido(kRecebido1)));
    // The run went on with the next file.
    EXPECT_EQ(le(c.recebido(kRecebido2)), QByteArray("second"));
    EXPECT_EQ(le(c.noDisco(kMarcado2)), QByteArray("second"));
}

INSTANTIATE_TEST_SUITE_P(
    Passos, FalhaInjetada,
    ::testing::Values(
        Falha{"write", false, kCheio, "não foi copiado (Não foi possível criar o arquivo {R}: disco cheio.)"},
        Falha{"flush", false, kDispositivo,
              "não foi copiado (Não foi possível gravar o arquivo {R}: erro de leitura ou gravação no dispositivo.)"},
        Falha{"rename", false, kNegado, "não foi copiado (Não foi possível renomear o arquivo {R}: sem permissão.)"},
        Falha{"replace", false, kSoLeitura,
              "foi copiado, mas não foi renomeado para _4.REC (Não foi possível renomear o arquivo {D}: "
              "disco somente para leitura.)"},
        Falha{"remove", true, kEmUso, "não foi apagado (Não foi possível apagar o arquivo {D}: arquivo em uso.)"}),
    [](const ::testing::TestParamInfo<Falha>& info) { return std::string(info.param.passo); });

TEST(FalhaDeLeitura, AFolderThatCannotBeListedForDeletionIsNamed)
{
    Cenario c;
    grava(c.noDisco(QStringLiteral("velho_2.REC")), "old");
    FalhasArquivo falhas(1, kNegado);
    c.run.ApagaDisco(c.disco.path(), {});
    ASSERT_EQ(c.run.falhas().size(), 1);
    EXPECT_EQ(c.run.falhas().first(),
              QStringLiteral("%1 - a pasta não pôde ser lida (Não foi possível ler a pasta %1: sem permissão.)")
                  .arg(caminhoVisivel(c.disco.path())));
    EXPECT_EQ(le(c.noDisco(QStringLiteral("velho_2.REC"))), QByteArray("old"));
}

}  // namespace
}  // namespace pluvexa::transferencia
