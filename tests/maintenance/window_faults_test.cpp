// "Salvar Rascunho" and "Gerar Arquivo" with each file operation failed in
// turn: nothing the operator had is lost, nothing half-written stands under
// a final name, every failure is told, and the next opening offers the
// right draft.

#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "flows/listasarquivos.h"
#include "maintenance/windowfixture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>

namespace pluvexa::janela {
namespace {

const QString kRascunhoGravado = QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!");

class FalhaEmCadaOperacao : public JanelaRecargaTest {
protected:
    void SetUp() override { outrosDialogos = &dialogosAnotados; }

    // A fresh set of working folders holding the central's file.
    void recomeca()
    {
        delete janela.data();
        QDir(raizTrabalho()).removeRecursively();
        *modelo = ModeloRecarga{};
        agora = momentoGeracao();
        abreEProcessa();
        escolheTarifa(1);
    }
    // Runs `acao` once counting, then once per operation with it failed,
    // each time from `prepara`; `confere` judges every outcome. Answers the
    // number of failure points swept.
    int varre(const std::function<void()>& prepara, const std::function<void()>& acao,
              const std::function<void(int n, const QString& falhada)>& confere)
    {
        int total = 0;
        prepara();
        {
            FalhasArquivo contador;
            acao();
            total = contador.operacoes();
        }
        confere(0, {});
        for (int n = 1; n <= total && !HasFatalFailure(); ++n) {
            prepara();
            dialogosAnotados.vistos.clear();
            QString falhada;
            {
                FalhasArquivo falhas(n);
                acao();
                EXPECT_TRUE(falhas.falhou()) << n;
                falhada = falhas.registro().value(n - 1);
            }
            confere(n, falhada);
        }
        std::printf("[ sweep    ] %s: %d failure points\n",
                    ::testing::UnitTest::GetInstance()->current_test_info()->name(), total);
        return total;
    }
    // Nothing half-written anywhere below the working root.
    void semPartes()
    {
        for (const QString& pasta :
             {pastaRascunho(), pastaGerados(), pastaRecebidos(), pastaProcessados(), pastaHistorico()})
            EXPECT_TRUE(listaArquivos(pasta, ".*.tmp").isEmpty()) << pasta.toStdString();
    }
    bool avisado() const
    {
        return !dialogosAnotados.vistos.filter(QRegularExpression("^(error|notice): (?!" + kRascunhoGravado + ")"))
                    .isEmpty();
    }
    // Opens the window again as the operator would, answering Yes to the
    // draft question; the values of 101 and 102 it continues with.
    QString continua()
    {
        dialogosAnotados.vistos.clear();
        abre();
        if (paginaAtual() != "tbDigitacao")
            return QStringLiteral("<no draft continued>");
        escolheTarifa(1);
        return valorDoUsuario(101) + " " + valorDoUsuario(102);
    }

    DialogosAnotados dialogosAnotados;
};

TEST_F(FalhaEmCadaOperacao, SalvarRascunho)
{
    const QString antigo = "PX_00123_0007_0412091530_2", novo = "PX_00123_0007_0412091531_2";
    auto existe = [](const QString& nome) { return QFile::exists(QDir(pastaRascunho()).filePath(nome)); };
    const int pontos = varre(
        [&] {
            recomeca();
            digitaUsuario(101, "1");
            controle<QPushButton>("btnsalvarrascunho")->click();
            ASSERT_TRUE(existe(antigo + ".REC"));
            agora = agora.addSecs(60);
            digitaUsuario(102, "2");
            dialogosAnotados.vistos.clear();
        },
        [&] { controle<QPushButton>("btnsalvarrascunho")->click(); },
        [&](int n, const QString& falhada) {
            SCOPED_TRACE(::testing::Message() << "failing operation " << n << ": " << falhada.toStdString());
            semPartes();
            const bool novoCompleto = existe(novo + ".REC") && existe(novo + ".LOG");
            EXPECT_EQ(existe(novo + ".REC"), existe(novo + ".LOG"));
            if (!novoCompleto) {
                EXPECT_TRUE(existe(antigo + ".REC") && existe(antigo + ".LOG"));
                EXPECT_TRUE(avisado()) << dialogosAnotados.vistos.join('\n').toStdString();
                EXPECT_TRUE(w().valoresPendentes());
            }
            EXPECT_EQ(continua(), novoCompleto ? "1,00 2,00" : "1,00 0,00");
        });
    EXPECT_GE(pontos, 8);
}

TEST_F(FalhaEmCadaOperacao, GerarArquivo)
{
    const QString resposta = QDir(pastaGerados()).filePath("PX_00123_0007_0412091530_2.REC");
    const QString log = QDir(pastaGerados()).filePath("PX_00123_0007_0412091530_2.LOG");
    const QString historico = QDir(pastaHistorico()).filePath("PX_00123_0007_0412091530_2.HIS");
    const int pontos = varre(
        [&] {
            recomeca();
            digitaUsuario(101, "1");
            dialogosAnotados.vistos.clear();
        },
        [&] { controle<QPushButton>("btngerararquivo")->click(); },
        [&](int n, const QString& falhada) {
            SCOPED_TRACE(::testing::Message() << "failing operation " << n << ": " << falhada.toStdString());
            semPartes();
            const bool respondido = QFile::exists(resposta);
            EXPECT_EQ(respondido, QFile::exists(log)) << "an answer appears only with its log";
            EXPECT_EQ(respondido, QFile::exists(historico)) << "and only with what was sent kept";
            if (respondido) {
                const auto linhas = abreResposta(resposta);
                ASSERT_TRUE(linhas.has_value());
                EXPECT_EQ(campoRegistro(linhas->front(), 1, 2), "00");
            } else {
                EXPECT_TRUE(avisado()) << dialogosAnotados.vistos.join('\n').toStdString();
            }
            // The received file is in exactly one place, and leaves only
            // with its answer written.
            const bool recebido = listaArquivos(pastaRecebidos(), "*_1.rec").size() == 1;
            const bool processado = listaArquivos(pastaProcessados(), "*_1.rec").size() == 1;
            EXPECT_NE(recebido, processado);
            if (!respondido) {
                EXPECT_TRUE(recebido);
            }
            EXPECT_EQ(continua(), "<no draft continued>");
            EXPECT_TRUE(dialogosAnotados.vistos.isEmpty()) << dialogosAnotados.vistos.join('\n').toStdString();
        });
    EXPECT_GE(pontos, 8);
}

}  // namespace
}  // namespace pluvexa::janela
