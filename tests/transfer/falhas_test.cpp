// Every step of a run that fails is named in the closing message, nothing
// is lost and the source keeps its name. Failures are injected through the
// file layer's gate (tests run as root: permissions would not stop them).

#include "transferfixture.h"

#include <functional>

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

struct Falha {
    const char* passo;  // the gate's step, as the layer counts it
    bool gerar;         // a "Gerar" run with an old file on the disk; else "Carregar"
    const char* inicio; // how the failed file's line begins after "<nome> - "
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
    FalhasArquivo falhas(numero);
    executa(c, [&] {
        c.dialogos.expectNoticeStartingWith(erros({nome + QStringLiteral(" - ") + QString::fromUtf8(GetParam().inicio)}));
    });
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
    ::testing::Values(Falha{"write", false, "não foi copiado ("}, Falha{"flush", false, "não foi copiado ("},
                      Falha{"rename", false, "não foi copiado ("},
                      Falha{"replace", false, "foi copiado, mas não foi renomeado para _4.REC ("},
                      Falha{"remove", true, "não foi apagado ("}),
    [](const ::testing::TestParamInfo<Falha>& info) { return std::string(info.param.passo); });

TEST(FalhaDeLeitura, AFolderThatCannotBeListedForDeletionIsNamed)
{
    Cenario c;
    grava(c.noDisco(QStringLiteral("velho_2.REC")), "old");
    FalhasArquivo falhas(1);
    c.run.ApagaDisco(c.disco.path(), {});
    ASSERT_EQ(c.run.falhas().size(), 1);
    EXPECT_TRUE(c.run.falhas().first().startsWith(caminhoVisivel(c.disco.path())
                                                  + QStringLiteral(" - a pasta não pôde ser lida (")));
    EXPECT_EQ(le(c.noDisco(QStringLiteral("velho_2.REC"))), QByteArray("old"));
}

}  // namespace
}  // namespace pluvexa::transferencia
