// Drafts and answer files written by the window, read back as the window
// reads a draft and as the central reads an answer.

#include "files/pastastrabalho.h"
#include "history/core/historico.h"
#include "maintenance/recargagrid.h"
#include "maintenance/ttabnumedit.h"
#include "maintenance/windowfixture.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"
#include "recharge/processamento.h"
#include "support/arquivosteste.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

#include <map>

namespace pluvexa::janela {
namespace {

const QString kPerguntaRascunho = QStringLiteral("Existe arquivo de Recarga em Alteração.Continua Alteração?");

QStringList doisArquivos(const QString& base)
{
    return {base + ".LOG", base + ".REC"};
}

QStringList comoTexto(const std::vector<Texto>& linhas)
{
    QStringList out;
    for (const Texto& l : linhas)
        out.append(deCp1252(l));
    return out;
}

class Geracao : public JanelaRecargaTest {
protected:
    // The log up to the line that names the ".LOG" file, as that file must hold it.
    QStringList logAteONomeDoLog(const QString& caminhoLog) const
    {
        const QStringList& log = janela->linhasLog();
        const int i = log.indexOf("Arquivo Gerado ==> " + caminhoVisivel(caminhoLog));
        EXPECT_GE(i, 0);
        return log.mid(0, i + 1);
    }
};

TEST_F(Geracao, AnswerFromAReceivedFileIsNamedByCompanyBatchAndClockAndMovesTheFile)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();

    const QString base = "PX_00123_0007_0412091530_2";
    EXPECT_EQ(arquivosEm(pastaGerados()), doisArquivos(base));
    EXPECT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
    EXPECT_TRUE(arquivosEm(pastaRecebidos()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaRascunho()).isEmpty());
    EXPECT_FALSE(w().valoresPendentes());

    // The LOG page: generation lines, the move, the closing banner.
    EXPECT_EQ(paginaAtual(), "tblog");
    const QString rec = QDir(pastaGerados()).filePath(base + ".REC");
    const QString log = QDir(pastaGerados()).filePath(base + ".LOG");
    const QStringList& linhas = w().linhasLog();
    const int inicio = linhas.indexOf("Geração de Arquivo Definitivo ");
    ASSERT_GE(inicio, 0);
    const QStringList esperado = {
        "Geração de Arquivo Definitivo ", " ",
        "Total de Registros Gerados ==>  13", "Total em Créditos          ==>  0",
        "Total em Valor             ==>  10,00", "  ", "Arquivo Criptografado com Sucesso",
        "Arquivo Compactado com Sucesso", "  ", "Arquivo Gerado ==> " + caminhoVisivel(rec),
        "Geração de Arquivo LOG", "Arquivo Gerado ==> " + caminhoVisivel(log),
        "Arquivo Movido para " + caminhoVisivel(pastaProcessados()) + " ", " ", QString(81, u'='),
        "===============  Fim de Processamento - Pluvexa   ========================",
        "===============     Data Proc: 09/12/2004 15:30:00     ==========================",
        QString(81, u'=')};
    EXPECT_EQ(linhas.mid(inicio), esperado);
    EXPECT_EQ(controle<QPlainTextEdit>("memolog")->toPlainText(), linhas.join(u'\n'));

    // The ".LOG" holds the log up to the line that names it.
    EXPECT_EQ(comoTexto(carregaLinhas(log)), logAteONomeDoLog(log));
    EXPECT_EQ(carregaLinhas(log).front(), Texto(81, '='));

    // Back on the Arquivos page the lists show what happened.
    controle<QPushButton>("btnFechar")->click();
    EXPECT_EQ(paginaAtual(), "tbarquivos");
    EXPECT_EQ(controle<QLabel>("lblarqproc")->text(), "0");
    EXPECT_EQ(controle<QLabel>("lblarqjaproc")->text(), "1");
    EXPECT_EQ(controle<QLabel>("lblultimoarquivo")->text(), nomeRecebidoPadrao());
    EXPECT_EQ(controle<QLabel>("lblarqgerado")->text(), "1");
    EXPECT_EQ(controle<QLabel>("lblultimogerado")->text(), base + ".REC");
    EXPECT_EQ(controle<QLabel>("lblultacesso")->text(), nomeRecebidoPadrao());
    EXPECT_TRUE(controle<QLabel>("lblultacesso")->isVisible());
}

TEST_F(Geracao, EveryAnswerIsKeptReadableInTheHistoryFolder)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    digitaUsuario(102, "2,5");
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    ASSERT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();

    const QString base = "PX_00123_0007_0412091530_2";
    EXPECT_EQ(arquivosEm(pastaHistorico()), QStringList{base + ".HIS"});
    ModeloRecarga enviado;
    QString erro;
    ASSERT_TRUE(carregaHistorico(QDir(pastaHistorico()).filePath(base + ".HIS"), enviado, erro)) << erro.toStdString();
    // What the central receives, as the central reads it.
    const auto resposta = abreResposta(QDir(pastaGerados()).filePath(base + ".REC"));
    ASSERT_TRUE(resposta.has_value());
    ModeloRecarga central;
    QStringList log;
    ProcessadorRecarga(central).processa(*resposta, log);
    ASSERT_EQ(enviado.QtdRecarga, central.QtdRecarga);
    for (int i = 0; i < central.QtdRecarga; ++i) {
        EXPECT_EQ(enviado.wRecarga[std::size_t(i)].Usuario, central.wRecarga[std::size_t(i)].Usuario);
        EXPECT_EQ(enviado.wRecarga[std::size_t(i)].Grupo[0].Valor, central.wRecarga[std::size_t(i)].Grupo[0].Valor);
    }
    const std::vector<LoteHistorico> lotes = listaHistorico(pastaHistorico(), pastaGerados());
    ASSERT_EQ(lotes.size(), 1u);
    EXPECT_EQ(lotes[0].titularesComValor, 2);
    EXPECT_DOUBLE_EQ(lotes[0].totalValor, 12.5);

    // A draft keeps nothing in the history.
    EXPECT_TRUE(arquivosEm(pastaRascunho()).isEmpty());
}

TEST_F(Geracao, AKeptBatchOfTheSameNameIsNeverReplaced)
{
    ASSERT_TRUE(QDir().mkpath(pastaHistorico()));
    const QString kept = QDir(pastaHistorico()).filePath("PX_00123_0007_0412091530_2.HIS");
    ASSERT_NO_FATAL_FAILURE(test::grava(kept, "kept"));

    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    esperaGerarAssimMesmo();
    dialogos.expectNotice("Já existe o arquivo " + caminhoVisivel(kept) + ". Aguarde um minuto e gere novamente.");
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
    EXPECT_TRUE(w().valoresPendentes());
    EXPECT_EQ(test::le(kept), QByteArray("kept"));
}

TEST_F(Geracao, DraftContinuedInANewWindowThenTheAnswerCarriesEveryValueToTheCentral)
{
    abreEProcessa();
    // Money to the cent through the grid.
    escolheTarifa(1);
    digitaUsuario(101, "12.34");
    // Credits: the default value for both rows, then one row typed over it
    // (EVA is listed by her group 2).
    escolheTipo(kTipoCreditos);
    controle<TTabNumEdit>("edalteravlr")->SetValue(7);
    controle<QPushButton>("btnalteravlr")->click();
    digitaUsuario(105, "12,6");
    EXPECT_EQ(valorDoUsuario(105), "13");
    salvaRascunho();

    const QString base1 = "PX_00123_0007_0412091530_2";
    EXPECT_EQ(arquivosEm(pastaRascunho()), doisArquivos(base1));
    EXPECT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
    EXPECT_TRUE(arquivosEm(pastaRecebidos()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_FALSE(w().valoresPendentes());
    EXPECT_GE(linhaDoLog("Geração de Arquivo Rascunho"), 0);
    EXPECT_GE(linhaDoLog("Inserido Valor Padrão - Tipo : 2 - Tarifa : 1 - Valor : 7"), 0);
    EXPECT_GE(linhaDoLog("Arquivo Movido para " + caminhoVisivel(pastaProcessados()) + " "), 0);
    const QString logRascunho = QDir(pastaRascunho()).filePath(base1 + ".LOG");
    EXPECT_EQ(comoTexto(carregaLinhas(logRascunho)), logAteONomeDoLog(logRascunho));

    // The next day a new window continues the draft and finds the values.
    agora = QDateTime(QDate(2004, 12, 10), QTime(9, 5, 0));
    dialogos.expectQuestion(kPerguntaRascunho, true);
    abre();
    ASSERT_TRUE(continuaRascunho());
    ASSERT_EQ(paginaAtual(), "tbDigitacao");
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "12,34");
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    escolheTipo(kTipoCreditos);
    EXPECT_EQ(valorDoUsuario(104), "7");
    EXPECT_EQ(valorDoUsuario(105), "13");

    // More values, then the answer.
    escolheTipo(kTipoDinheiro);
    escolheTarifa(2);
    digitaUsuario(106, "3,05");
    escolheTarifa(0);
    digitaUsuario(103, "600");
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(dialogos.shown().size(), 3) << dialogos.shown().join(u'\n').toStdString();

    const QString base2 = "PX_00123_0007_0412100905_2";
    EXPECT_EQ(arquivosEm(pastaGerados()), doisArquivos(base2));
    EXPECT_TRUE(arquivosEm(pastaRascunho()).isEmpty());
    EXPECT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
    EXPECT_EQ(paginaAtual(), "tblog");
    // A continued draft moves nothing: its received file went with the draft.
    EXPECT_EQ(linhaDoLog("Arquivo Movido"), -1);
    EXPECT_EQ(linhaDoLog("Erro ao Mover"), -1);
    EXPECT_GE(linhaDoLog("Total em Créditos          ==>  20"), 0);
    // 12,34 + 3,05 + 600,00 + 20 credits at 1,15.
    EXPECT_GE(linhaDoLog("Total em Valor             ==>  638,39"), 0);
    EXPECT_EQ(w().linhasLog().last(), QString(81, u'='));
    const QString logResposta = QDir(pastaGerados()).filePath(base2 + ".LOG");
    EXPECT_EQ(comoTexto(carregaLinhas(logResposta)), logAteONomeDoLog(logResposta));

    // The central opens the answer.
    const auto resposta = abreResposta(QDir(pastaGerados()).filePath(base2 + ".REC"));
    ASSERT_TRUE(resposta.has_value());
    const std::vector<Texto>& r = *resposta;
    ASSERT_EQ(r.size(), 13u);

    const Texto& h = r.front();
    EXPECT_EQ(h.size(), 275u);
    EXPECT_EQ(campoRegistro(h, 1, 2), "00");
    EXPECT_EQ(campoRegistro(h, 7, 5), "00123");
    EXPECT_EQ(campoRegistro(h, 12, 50), QStringLiteral("TRANSPORTES TESTE LTDA").leftJustified(50));
    EXPECT_EQ(campoRegistro(h, 62, 6), "101204");
    EXPECT_EQ(campoRegistro(h, 68, 6), "090500");
    EXPECT_EQ(campoRegistro(h, 74, 6), "101204");
    EXPECT_EQ(campoRegistro(h, 80, 6), "090500");
    EXPECT_EQ(campoRegistro(h, 86, 1), "1");
    EXPECT_EQ(campoRegistro(h, 87, 65), (base2 + ".REC").leftJustified(65));
    EXPECT_EQ(campoRegistro(h, 96, 4), "0007");
    EXPECT_EQ(campoRegistro(h, 217, 20), QStringLiteral("CENTRAL 4.2.0").leftJustified(20));
    EXPECT_EQ(campoRegistro(h, 237, 20), QStringLiteral("2.1.1.01C ").leftJustified(20));
    EXPECT_EQ(campoRegistro(h, 257, 18), "000000000000004711");

    EXPECT_EQ(campoRegistro(r[1], 1, 4), "0401");
    EXPECT_EQ(campoRegistro(r[1], 55, 11), "01000060000");
    EXPECT_EQ(campoRegistro(r[2], 1, 4), "0402");
    EXPECT_EQ(campoRegistro(r[2], 55, 11), "10500000250");
    EXPECT_EQ(campoRegistro(r[3], 1, 14), "0500SEM TARIFA");
    EXPECT_EQ(campoRegistro(r[4], 1, 4), "0501");
    EXPECT_EQ(campoRegistro(r[4], 15, 18), "000000000000000230");
    EXPECT_EQ(campoRegistro(r[5], 1, 4), "0502");

    std::map<int, Texto> detalhes;
    for (size_t i = 6; i < 12; ++i) {
        EXPECT_EQ(r[i].size(), 272u);
        EXPECT_EQ(campoRegistro(r[i], 1, 2), "01");
        detalhes[campoRegistro(r[i], 3, 10).toInt()] = r[i];
    }
    ASSERT_EQ(detalhes.size(), 6u);
    const QString zero18(18, u'0');
    EXPECT_EQ(campoRegistro(detalhes[101], 135, 18), "000000000000001234");
    EXPECT_EQ(campoRegistro(detalhes[102], 135, 18), zero18);
    EXPECT_EQ(campoRegistro(detalhes[103], 95, 4), "0000");
    EXPECT_EQ(campoRegistro(detalhes[103], 135, 18), "000000000000060000");
    EXPECT_EQ(campoRegistro(detalhes[104], 135, 18), "000000000000000007");
    EXPECT_EQ(campoRegistro(detalhes[105], 95, 4), "0002");
    EXPECT_EQ(campoRegistro(detalhes[105], 135, 18), zero18);
    EXPECT_EQ(campoRegistro(detalhes[105], 153, 4), "0001");
    EXPECT_EQ(campoRegistro(detalhes[105], 160, 3), "013");
    EXPECT_EQ(campoRegistro(detalhes[106], 135, 18), "000000000000000305");
    EXPECT_EQ(campoRegistro(detalhes[101], 23, 50), QStringLiteral("MARIA SOUZA").leftJustified(50));

    const Texto& t = r.back();
    EXPECT_EQ(t.size(), 156u);
    EXPECT_EQ(campoRegistro(t, 1, 12), "990000000013");
    EXPECT_EQ(campoRegistro(t, 13, 18).toInt(), 5);
    EXPECT_EQ(campoRegistro(t, 49, 18).toInt(), 1);
    EXPECT_EQ(campoRegistro(t, 85, 18).toInt(), 0);
    EXPECT_EQ(campoRegistro(t, 121, 18).toInt(), 0);

    // With the draft folder empty the next opening asks nothing (the two
    // dialogs are the draft's question and the one before the answer).
    abre();
    EXPECT_EQ(dialogos.shown().size(), 3);
}

TEST_F(Geracao, SavingADraftTwiceLeavesOnlyTheSecond)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "1");
    salvaRascunho();
    agora = agora.addSecs(60);
    digitaUsuario(102, "2");
    salvaRascunho();
    EXPECT_EQ(arquivosEm(pastaRascunho()), doisArquivos("PX_00123_0007_0412091531_2"));
    // The received file went with the first draft; the second says so
    // instead of reporting a failure.
    EXPECT_EQ(linhaDoLog("Erro ao Mover"), -1);
    EXPECT_GE(linhaDoLog("Arquivo já movido para " + caminhoVisivel(pastaProcessados()) + " "), 0);
    EXPECT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
}

TEST_F(Geracao, AnAnswerAfterADraftOfTheSameSessionReportsNoFalseMoveError)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "1");
    salvaRascunho();
    digitaUsuario(102, "2");
    agora = agora.addSecs(60);
    esperaGerarAssimMesmo();
    const qsizetype vistos = dialogos.shown().size();
    controle<QPushButton>("btngerararquivo")->click();
    // Only the question before the answer.
    EXPECT_EQ(dialogos.shown().size(), vistos + 1) << dialogos.shown().join(u'\n').toStdString();
    const QString processados = caminhoVisivel(pastaProcessados()) + " ";
    EXPECT_EQ(linhaDoLog("Erro ao Mover"), -1);
    EXPECT_GE(linhaDoLog("Arquivo já movido para " + processados), 0);
    EXPECT_EQ(arquivosEm(pastaGerados()), doisArquivos("PX_00123_0007_0412091531_2"));
    EXPECT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
}

TEST_F(Geracao, AReceivedFileGoneFromBothFoldersIsStillAMoveError)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "1");
    ASSERT_TRUE(QFile::remove(QDir(pastaRecebidos()).filePath(nomeRecebidoPadrao())));
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_GE(linhaDoLog("Erro ao Mover Arquivo para " + caminhoVisivel(pastaProcessados()) + " "), 0);
    EXPECT_EQ(linhaDoLog("Arquivo já movido"), -1);
}

TEST_F(Geracao, APackingFailureKeepsTheEarlierDraftAndMovesNothing)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "1");
    salvaRascunho();
    digitaUsuario(102, "2");

    // The generated folder is now a plain file: nothing can be written there.
    ASSERT_TRUE(QDir().rmdir(pastaGerados()));
    salvaLinhas({"not a folder"}, pastaGerados());
    agora = agora.addSecs(600);
    // The packing's first temporary, beside the answer, cannot be made: the
    // operator is told which, and why, in Portuguese.
    const FalhaArquivo esperada =
        ArquivoTemporario(QDir(pastaGerados()).filePath("PX_00123_0007_0412091540_2.REC")).falha();
    ASSERT_NE(esperada.motivo.codigo, 0);
    const QString temporario = pastaGerados() + "/.PX_00123_0007_0412091540_2.REC.";
    esperaGerarAssimMesmo();
    dialogos.expectErrorStartingWith(
        QStringLiteral("Não foi possível criar o arquivo %1").arg(QDir::toNativeSeparators(temporario)));
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(dialogos.shown().last().endsWith(
        QStringLiteral(".tmp: %1.").arg(QString::fromStdString(motivoEmPortugues(esperada.motivo.codigo)))))
        << dialogos.shown().last().toStdString();
    EXPECT_EQ(arquivosEm(pastaRascunho()), doisArquivos("PX_00123_0007_0412091530_2"));
    EXPECT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
    EXPECT_TRUE(w().valoresPendentes());
    EXPECT_EQ(w().linhasLog().filter("Arquivo Gerado ==> " + caminhoVisivel(pastaGerados())).size(), 0);
    EXPECT_EQ(w().linhasLog().last(), "Geração de Arquivo Definitivo ");
}

// A value refused on Enter keeps its text in the cell, and the full
// write-back takes a cell as read: the answer must still never carry more
// than the card type allows.
TEST_F(Geracao, AValueAboveTheMaximumNeverReachesTheAnswer)
{
    abreEProcessa();
    escolheTarifa(1);
    // Typed: refused at once, and the cell shows again what it held, so no
    // later write-back (here the one "Gerar Arquivo" runs) can store it.
    dialogos.expectNotice("Valor Maior que o Permitido(R$600,00) - Verifique!");
    digitaUsuario(101, "700");
    ASSERT_EQ(valorDoUsuario(101), "0,00");
    EXPECT_EQ(modelo->wRecarga[0].Grupo[0].Valor, 0);

    // Already in the model for a holder not on the screen (a draft kept
    // from before the maximum was lowered): "Gerar Arquivo" refuses it.
    modelo->wRecarga[5].Grupo[0].Valor = 700;  // 106, money, tariff 2
    dialogos.expectNotice("Valores fora do permitido para o Tipo de Cartão - nenhum arquivo foi gerado - Verifique!\n\n"
                          "Usuário 106 - FABIO ALVES - Grupo 1 - Valor 700,00 (máximo 600,00)");
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
    // Refused like a value on Enter: the operator stays on the grid to correct it.
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_EQ(linhaDoLog("Geração de Arquivo Definitivo"), -1);

    // Corrected, the answer goes out; 600,00 is still far above his usual
    // recharge, which the operator confirms.
    escolheTarifa(2);
    digitaUsuario(106, "600");
    dialogos.expectChoice("5 titulares sem valor, 1 acima do habitual. Conferir antes de gerar?",
                          {"Conferir", "Gerar Assim Mesmo", "Cancelar"}, 1);
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(arquivosEm(pastaGerados()).size(), 2);
}

// The batch number names the file: without one nothing is written, deleted
// or moved.
TEST_F(Geracao, ABatchThatIsNoNumberWritesNothing)
{
    auto m = modeloCentral();
    enviaRecebido(linhasDoModelo(*m, "PX_00123_AB12_0412090830_1.rec"), nomeRecebidoPadrao());
    abre();
    processa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    const QString msg = "Remessa inválida no cabeçalho do arquivo ('AB12') - nenhum arquivo foi gerado - Verifique!";

    dialogos.expectNotice(msg);
    controle<QPushButton>("btnsalvarrascunho")->click();
    esperaGerarAssimMesmo();
    dialogos.expectNotice(msg);
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(w().linhasLog().last(), msg);
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaRascunho()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaProcessados()).isEmpty());
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
    EXPECT_TRUE(w().valoresPendentes());
}

TEST_F(Geracao, ABatchThatIsNoNumberKeepsTheContinuedDraft)
{
    auto m = modeloCentral();
    m->wRecarga[0].Grupo[0].Valor = 5;
    const QString nome = "PX_00123_AB12_0412091000_2.REC";
    std::vector<Texto> linhas = EscritorRecarga(*m).gera(paraCp1252(nome), momentoEnvio(), momentoEnvio()).linhas;
    criaPastasTrabalho();
    ASSERT_EQ(CompactaArquivo(linhas, pastaRascunho(), nome, true), EmpacotamentoOk);

    dialogos.expectQuestion(kPerguntaRascunho, true);
    abre();
    ASSERT_TRUE(continuaRascunho());
    esperaGerarAssimMesmo();
    dialogos.expectNotice("Remessa inválida no cabeçalho do arquivo ('AB12') - nenhum arquivo foi gerado - Verifique!");
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
    EXPECT_EQ(arquivosEm(pastaRascunho()), QStringList{nome});
}

}  // namespace
}  // namespace pluvexa::janela
