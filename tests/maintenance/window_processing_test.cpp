// Opening the maintenance window and processing received files and drafts
// through its buttons, as the operator does.

#include "codec/lzw.h"
#include "files/pastastrabalho.h"
#include "maintenance/recargagrid.h"
#include "maintenance/windowfixture.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"
#include "recharge/linhastexto.h"
#include "support/arquivosteste.h"
#include "support/fluxolzw.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <algorithm>
#include <span>

namespace pluvexa::janela {
namespace {

const QStringList kOk = {"Header      ==> OK ", "Detalhe     ==> OK ", "Tipo Cartão ==> OK ",
                         "Tarifa      ==> OK ", "Trailer     ==> OK ", "Eventos     ==> OK "};

using Abertura = JanelaRecargaTest;

TEST_F(Abertura, CreatesTheFoldersAndAsksNothingWithAnEmptyDraftFolder)
{
    abre();
    for (const QString& p : {pastaRecebidos(), pastaGerados(), pastaRascunho(), pastaProcessados()})
        EXPECT_TRUE(QFileInfo(p).isDir()) << p.toStdString();
    EXPECT_TRUE(dialogos.shown().isEmpty());
    EXPECT_EQ(paginaAtual(), "tbarquivos");
    EXPECT_FALSE(continuaRascunho());
    EXPECT_EQ(controle<QLabel>("lblarqproc")->text(), "0");
    EXPECT_EQ(controle<QListWidget>("FLBArquivosRecargaRecebidos")->currentRow(), -1);
    EXPECT_EQ(controle<QLabel>("lblultimoarquivo")->text(), "Não Há Arquivos Processados");
    EXPECT_EQ(controle<QLabel>("lblultimogerado")->text(), "Não Há Arquivos Gerados");
    EXPECT_FALSE(controle<QLabel>("lblultacesso")->isVisible());
}

TEST_F(Abertura, ListsTheReceivedFilesWithTheirCountAndSelectsTheFirst)
{
    criaPastasTrabalho();
    enviaRecebidoPadrao();
    auto m = modeloCentral();
    enviaRecebido(linhasDoModelo(*m, QStringLiteral("PX_00123_0006_0412010800_1.rec")),
                  QStringLiteral("PX_00123_0006_0412010800_1.rec"));
    // Not a received file: other endings stay out of the list.
    enviaRecebido(linhasDoModelo(*m, QStringLiteral("x_2.rec")), QStringLiteral("PX_00123_0005_0412010800_2.rec"));

    abre();
    EXPECT_EQ(controle<QLabel>("lblarqproc")->text(), "2");
    ASSERT_EQ(controle<QListWidget>("FLBArquivosRecargaRecebidos")->count(), 2);
    EXPECT_EQ(controle<QListWidget>("FLBArquivosRecargaRecebidos")->currentRow(), 0);
    EXPECT_EQ(controle<QListWidget>("FLBArquivosRecargaRecebidos")->item(0)->text(), "PX_00123_0006_0412010800_1.rec");
}

TEST_F(Abertura, NothingToProcessIsANotice)
{
    abre();
    dialogos.expectNotice("Não Há arquivos a processar - Verifique!");
    processa();
    EXPECT_EQ(paginaAtual(), "tbarquivos");
}

using Processamento = JanelaRecargaTest;

TEST_F(Processamento, AConsistentFileLogsEveryStepAndShowsTheMoneyGridOfTheFirstEntries)
{
    const QString recebido = enviaRecebidoPadrao();
    abre();
    processa();
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();

    const QStringList& log = w().linhasLog();
    ASSERT_GE(log.size(), 24);
    EXPECT_EQ(log[0], QString(81, u'='));
    EXPECT_EQ(log[1], "=============== Drovanti - Pluvexa - ZELVO PLUS ==========================");
    EXPECT_TRUE(log[2].startsWith("===============     Data Proc: ")) << log[2].toStdString();
    EXPECT_TRUE(log[2].endsWith("     ==========================")) << log[2].toStdString();
    EXPECT_EQ(log[3], QString(81, u'='));
    EXPECT_EQ(log[4], " ");
    EXPECT_EQ(log[5], "Carregando Arquivo : " + caminhoVisivel(recebido));
    EXPECT_EQ(log.mid(6, 4), QStringList({"  ", "Arquivo Descriptografado com Sucesso",
                                          "Arquivo Descompactado com Sucesso", "  "}));
    const QString empresa = "123 - " + QStringLiteral("TRANSPORTES TESTE LTDA").leftJustified(50);
    EXPECT_EQ(log.mid(10, 8),
              QStringList({"Empresa : " + empresa, "Data : 09/12/04 08:30:00", "Criptografia : Sim", " ",
                           "Versão Recarga : " + QStringLiteral("CENTRAL 4.2.0").leftJustified(20),
                           "Versão Remota : 2.1.1.01C ", "Sequencial Arquivo : 000000000000004711", " "}));
    EXPECT_EQ(log.mid(log.size() - 6), kOk);
    EXPECT_EQ(controle<QPlainTextEdit>("memolog")->toPlainText(), log.join(u'\n'));

    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_EQ(controle<QLabel>("lblseq")->text(), "000000000000004711");
    EXPECT_EQ(controle<QLabel>("lblempresa")->text(), empresa);
    EXPECT_EQ(controle<QLabel>("lbldata")->text(), "09/12/04 08:30:00");
    EXPECT_EQ(controle<QLabel>("lblcripta")->text(), "Sim");
    EXPECT_EQ(controle<QLabel>("lblultacesso")->text(), nomeRecebidoPadrao());
    // The temporary files are gone; the received file waits for the answer.
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});

    // The lists hold every card type and tariff, each followed by how many
    // holders it lists; the first of each is shown: money type 01 with
    // tariff 00 lists the holder whose group 1 has none.
    const QString tipo01 = "01 - " + QStringLiteral("VALE DINHEIRO").leftJustified(50);
    ASSERT_EQ(controle<QComboBox>("cbtipocartao")->count(), 2);
    EXPECT_EQ(controle<QComboBox>("cbtipocartao")->currentText(), "01 - VALE DINHEIRO (4)");
    EXPECT_EQ(w().entradaSelecionada(controle<QComboBox>("cbtipocartao")), tipo01);
    ASSERT_EQ(controle<QComboBox>("cbtarifa")->count(), 3);
    EXPECT_EQ(controle<QComboBox>("cbtarifa")->itemText(0), "00 - SEM TARIFA (1)");
    EXPECT_EQ(controle<QComboBox>("cbtarifa")->itemText(1), "01 - URBANA     - 2,30 (2)");
    EXPECT_EQ(controle<QComboBox>("cbtarifa")->currentIndex(), 0);
    EXPECT_EQ(controle<QLabel>("lbltipo")->text(), tipo01);
    EXPECT_EQ(controle<QLabel>("lbltarifa")->text(), "00 - SEM TARIFA");
    EXPECT_EQ(controle<QLabel>("lblqtdrec")->text(), "1");
    const RecargaGrid& g = *controle<RecargaGrid>("sgRecarga");
    ASSERT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cell(0, 1), "103");
    EXPECT_EQ(g.cell(3, 1).trimmed(), "CARLA DIAS");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "0,00");
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "0,00");

    // Tariff 01 of the money type: both holders in model order, values and
    // history with two decimals.
    escolheTarifa(1);
    EXPECT_EQ(controle<QLabel>("lbltarifa")->text(), "01 - URBANA     - 2,30");
    EXPECT_EQ(controle<QLabel>("lblqtdrec")->text(), "2");
    ASSERT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.columnCount(), 9);
    const QStringList cabecalhoDinheiro = {"Usuário", "Cartão", "Matrícula", "Nome", "CMM", "Valor",
                                           "Vlr.Última Rec", "Vlr.Penúltima Rec", "Vlr.Antipenúltima Rec"};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(g.cell(c, 0), cabecalhoDinheiro[c]) << c;
        EXPECT_EQ(g.model()->headerData(c, Qt::Horizontal).toString(), cabecalhoDinheiro[c]) << c;
    }
    const QStringList maria = {"101", "5101", "111", QStringLiteral("MARIA SOUZA").leftJustified(50), "100",
                               "0,00", "50,00", "40,00", "30,50"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(g.cell(c, 1), maria[c]) << c;
    EXPECT_EQ(g.cell(0, 2), "102");
    EXPECT_EQ(g.currentRow(), 1);
    EXPECT_EQ(g.currentColumn(), 5);
}

TEST_F(Processamento, ACreditTypeWidensTheGridToEighteenColumnsAndListsAHolderByItsSecondGroup)
{
    enviaRecebidoPadrao();
    abre();
    processa();
    escolheTarifa(1);
    escolheTipo(kTipoCreditos);

    const RecargaGrid& g = *controle<RecargaGrid>("sgRecarga");
    ASSERT_EQ(g.columnCount(), 18);
    const QStringList cabecalho = {
        "Usuário", "Cartão", "Matrícula", "Nome", "CMM", "Créditos",
        "Vlr.Última Rec Grupo1 ", "Vlr.Penúltima Rec Grupo1", "Vlr.Antipenúltima Rec Grupo1",
        "Vlr.Última Rec Grupo2", "Vlr.Penúltima Rec Grupo2", "Vlr.Antipenúltima Rec Grupo2",
        "Vlr.Última Rec Grupo3", "Vlr.Penúltima Rec Grupo3", "Vlr.Antipenúltima Rec Grupo3",
        "Vlr.Última Rec Grupo4", "Vlr.Penúltima Rec Grupo4", "Vlr.Antipenúltima Rec Grupo4"};
    for (int c = 0; c < 18; ++c)
        EXPECT_EQ(g.cell(c, 0), cabecalho[c]) << c;
    ASSERT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.cell(0, 1), "104");
    EXPECT_EQ(g.cell(5, 1), "0");
    EXPECT_EQ(g.cell(6, 1), "20");
    // EVA carries tariff 1 in group 2: her row shows group 2's CMM and history.
    const QStringList eva = {"105", "5105", "555", QStringLiteral("EVA ROCHA").leftJustified(50), "10", "0",
                             "5", "6", "7"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(g.cell(c, 2), eva[c]) << c;
    for (int c = 9; c < 18; ++c)
        EXPECT_EQ(g.cell(c, 2), "") << c;

    // Tariff "00" lists nobody for a credit type: one blank row.
    escolheTarifa(0);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cell(0, 1), "");
    EXPECT_EQ(controle<QLabel>("lblqtdrec")->text(), "0");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "0,00");
    EXPECT_EQ(controle<QLabel>("lblqtdrecdig")->text(), "0");

    // Back to a money type: 18 columns stay, 9 to 17 blank, header included.
    escolheTipo(kTipoDinheiro);
    EXPECT_EQ(g.columnCount(), 18);
    EXPECT_EQ(g.cell(5, 0), "Valor");
    for (int c = 9; c < 18; ++c)
        EXPECT_EQ(g.cell(c, 0), "") << c;
}

// A change to the central's lines, sealed and processed.
// The log's last line after any failure: the file, named.
QString naoProcessado(const QString& caminho)
{
    return " ==> Arquivo não processado: " + caminhoVisivel(caminho) + " ";
}

struct Defeito {
    const char* nome;
    std::function<void(std::vector<Texto>&)> altera;
    QStringList avisos;          // notices, in order
    QStringList linhasFinais;    // the log ends with these, then with the line naming the file
};

void PrintTo(const Defeito& d, std::ostream* os) { *os << d.nome; }

class ArquivoDefeituoso : public JanelaRecargaTest, public ::testing::WithParamInterface<Defeito> {};

TEST_P(ArquivoDefeituoso, EndsOnTheLogPageWithItsMarksAndLoadsTheRest)
{
    auto m = modeloCentral();
    std::vector<Texto> linhas = linhasDoModelo(*m, nomeRecebidoPadrao());
    GetParam().altera(linhas);
    const QString recebido = enviaRecebido(linhas, nomeRecebidoPadrao());
    abre();
    for (const QString& a : GetParam().avisos)
        dialogos.expectNotice(a);
    processa();

    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(paginaAtual(), "tblog");
    const QStringList& log = w().linhasLog();
    const QStringList fim = GetParam().linhasFinais + QStringList{naoProcessado(recebido)};
    EXPECT_EQ(log.mid(log.size() - fim.size()), fim);
    EXPECT_EQ(linhaDoLog("Header      ==> OK"), -1);
    // The accepted holders are in the model all the same.
    EXPECT_GE(modelo->QtdRecarga, 5);
    EXPECT_EQ(modelo->wRecarga[0].Usuario, 101);
    // The received file stays to be processed again.
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
}

INSTANTIATE_TEST_SUITE_P(
    Janela, ArquivoDefeituoso,
    ::testing::Values(
        Defeito{"DetailOf271Characters",
                [](std::vector<Texto>& l) {
                    // The last holder's record loses its last character.
                    auto it = std::find_if(l.rbegin(), l.rend(), [](const Texto& t) { return t.rfind("01", 0) == 0; });
                    it->pop_back();
                },
                {"Arquivo fora do Padrão - Verifique"},
                {"Detalhe     ==> Consistencia Inválida "}},
        Defeito{"UnknownRecordType07",
                [](std::vector<Texto>& l) { l.insert(l.begin() + 3, "07 UNKNOWN"); },
                {"Evento não reconhecido - 07 - Verifique!", "Arquivo fora do Padrão - Verifique"},
                {"Evento desconhecido - Evento : 07 - Linha : 3", "Evento      ==> Evento Inválido "}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Processamento, TheUnknownRecordIsLoggedWithItsPositionBeforeTheMarks)
{
    auto m = modeloCentral();
    std::vector<Texto> linhas = linhasDoModelo(*m, nomeRecebidoPadrao());
    // Blank lines are not stored: they take no position.
    linhas.insert(linhas.begin() + 2, "");
    linhas.insert(linhas.begin() + 5, "07X");
    enviaRecebido(linhas, nomeRecebidoPadrao());
    abre();
    dialogos.expectNotice("Evento não reconhecido - 07 - Verifique!");
    dialogos.expectNotice("Arquivo fora do Padrão - Verifique");
    processa();
    EXPECT_GE(linhaDoLog("Evento desconhecido - Evento : 07 - Linha : 4"), 0);
    EXPECT_EQ(modelo->QtdRecarga, 6);
}

// A received file with more non-blank lines than any recharge file holds
// (the holders of the standard file repeated past the limit, blank lines
// between them): out of pattern before anything is loaded, the model as it
// was, the file still to be processed.
TEST_F(Processamento, ATextLongerThanAnyRecargaFileIsOutOfPatternAndLoadsNothing)
{
    abreEProcessa();
    const int antes = modelo->QtdRecarga;
    ASSERT_GT(antes, 0);
    auto m = modeloCentral();
    const std::vector<Texto> padrao = linhasDoModelo(*m, nomeRecebidoPadrao());
    // Header, kMaisLinhasTexto - 1 records, trailer: one line too many.
    std::vector<Texto> linhas = {padrao.front()};
    for (std::size_t i = 0; i + 1 < kMaisLinhasTexto; ++i) {
        linhas.push_back(padrao[1 + i % (padrao.size() - 2)]);
        linhas.push_back("");
    }
    linhas.push_back(padrao.back());
    const QString outro = QStringLiteral("PX_00123_0008_0412010800_1.rec");
    enviaRecebido(linhas, outro);
    abre();
    ASSERT_EQ(controle<QListWidget>("FLBArquivosRecargaRecebidos")->item(1)->text(), outro);
    controle<QListWidget>("FLBArquivosRecargaRecebidos")->setCurrentRow(1);
    dialogos.expectNotice("Arquivo fora do Padrão - Verifique");
    processa();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(paginaAtual(), "tblog");
    const QStringList& log = w().linhasLog();
    EXPECT_EQ(log.mid(log.size() - 4),
              QStringList({"Arquivo Descompactado com Sucesso", "  ", " ==> Arquivo com mais de 10.049 linhas ",
                           naoProcessado(QDir(pastaRecebidos()).filePath(outro))}));
    EXPECT_EQ(modelo->QtdRecarga, antes);
    EXPECT_EQ(arquivosEm(pastaRecebidos()), (QStringList{nomeRecebidoPadrao(), outro}));
}

// A draft, which is not signed, expanding to 64 MiB of line breaks: more
// than any recharge text weighs, its expansion stops there as a failure;
// nothing is loaded.
TEST_F(Processamento, ADraftExpandingPastAnyRecargaTextIsAnExpansionFailure)
{
    criaPastasTrabalho();
    const std::vector<std::uint8_t> fluxo = test::fluxoRepetido('\n', lzw::kMaxExpandedSize);
    ASSERT_NO_FATAL_FAILURE(
        test::grava(QDir(pastaRascunho()).filePath(QStringLiteral("PX_00123_0007_0412091530_2.REC")), fluxo));
    dialogos.expectQuestion("Existe arquivo de Recarga em Alteração.Continua Alteração?", true);
    dialogos.expectNotice("Erro ao Descompactar o arquivo Temporário - Verifique!");
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(modelo->QtdRecarga, 0);
    EXPECT_EQ(controle<QComboBox>("cbtipocartao")->count(), 0);
    const QStringList& log = w().linhasLog();
    EXPECT_EQ(log.mid(log.size() - 3),
              QStringList({"  ", " ==> Erro ao Descompactar o Arquivo ",
                           naoProcessado(QDir(pastaRascunho()).filePath("PX_00123_0007_0412091530_2.REC"))}));
}

// A draft cut short, continued at opening: out of pattern, with what it
// lacks in the log, and nothing of it loaded; the draft stays. The same
// text sealed as a received file is vouched for by its envelope: the lack
// is noted and the holders are there.
struct Truncado {
    const char* nome;
    std::function<void(std::vector<Texto>&)> corta;
    const char* linhaLog;
};

void PrintTo(const Truncado& t, std::ostream* os) { *os << t.nome; }

class TextoTruncado : public JanelaRecargaTest, public ::testing::WithParamInterface<Truncado> {};

TEST_P(TextoTruncado, AsADraftIsOutOfPatternAndLoadsNothing)
{
    auto m = modeloCentral();
    std::vector<Texto> linhas = linhasDoModelo(*m, QStringLiteral("PX_00123_0007_0412091000_2.REC"));
    GetParam().corta(linhas);
    criaPastasTrabalho();
    const QString nome = QStringLiteral("PX_00123_0007_0412091000_2.REC");
    // Written as the window writes drafts; a text with nothing left is
    // the compressed empty text.
    const std::string texto = juntaLinhas(linhas);
    const auto fluxo = lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    ASSERT_NO_FATAL_FAILURE(test::grava(QDir(pastaRascunho()).filePath(nome), fluxo));

    dialogos.expectQuestion("Existe arquivo de Recarga em Alteração.Continua Alteração?", true);
    dialogos.expectNotice("Arquivo fora do Padrão - Verifique");
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(paginaAtual(), "tblog");
    const QStringList& log = w().linhasLog();
    EXPECT_EQ(log.mid(log.size() - 4),
              QStringList({"Arquivo Descompactado com Sucesso", "  ", QString::fromUtf8(GetParam().linhaLog),
                           naoProcessado(QDir(pastaRascunho()).filePath(nome))}));
    EXPECT_EQ(linhaDoLog("Header      ==> OK"), -1);
    EXPECT_EQ(modelo->QtdRecarga, 0);
    EXPECT_EQ(controle<QComboBox>("cbtipocartao")->count(), 0);
    EXPECT_EQ(arquivosEm(pastaRascunho()), QStringList{nome});
    EXPECT_EQ(arquivosEm(pastaGerados()), QStringList{});
}

const Truncado kTruncados[] = {
    {"CutAtALineEndAmongTheHolders", [](std::vector<Texto>& l) { l.resize(l.size() - 3); },
     " ==> Arquivo incompleto: sem Trailer "},
    {"NoTrailer", [](std::vector<Texto>& l) { l.pop_back(); }, " ==> Arquivo incompleto: sem Trailer "},
    {"AHolderMissing",
     [](std::vector<Texto>& l) {
         l.erase(std::find_if(l.begin(), l.end(), [](const Texto& t) { return t.rfind("01", 0) == 0; }));
     },
     " ==> Arquivo incompleto: o Trailer informa 13 registros e foram lidos 12 "},
    {"HeaderOnly", [](std::vector<Texto>& l) { l.resize(1); }, " ==> Arquivo incompleto: sem Trailer "},
    {"Empty", [](std::vector<Texto>& l) { l.clear(); }, " ==> Arquivo incompleto: sem Header "},
};

INSTANTIATE_TEST_SUITE_P(Janela, TextoTruncado, ::testing::ValuesIn(kTruncados),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Processamento, AReceivedFileCutShortIsProcessedWithTheLackNoted)
{
    // The cuts that leave holders: the envelope vouches for what the
    // central sealed, so they are processed.
    for (const Truncado& t : std::span(kTruncados).first(3)) {
        auto m = modeloCentral();
        std::vector<Texto> linhas = linhasDoModelo(*m, nomeRecebidoPadrao());
        t.corta(linhas);
        const auto detalhes =
            std::count_if(linhas.begin(), linhas.end(), [](const Texto& l) { return l.rfind("01", 0) == 0; });
        enviaRecebido(linhas, nomeRecebidoPadrao());
        abre();
        processa();
        EXPECT_TRUE(dialogos.allConsumed()) << t.nome;
        const int descompactado = linhaDoLog("Arquivo Descompactado com Sucesso");
        ASSERT_GE(descompactado, 0) << t.nome;
        EXPECT_EQ(w().linhasLog().value(descompactado + 2), QString::fromUtf8(t.linhaLog)) << t.nome;
        EXPECT_EQ(w().linhasLog().mid(w().linhasLog().size() - 6), kOk) << t.nome;
        EXPECT_EQ(modelo->QtdRecarga, int(detalhes)) << t.nome;
        EXPECT_EQ(paginaAtual(), "tbDigitacao") << t.nome;
    }
}

TEST_F(Processamento, AFileSealedForAnotherKeyIsRefusedAndLeavesNoTemporary)
{
    auto m = modeloCentral();
    enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), nomeRecebidoPadrao(), &chavesDemo().centralPublica);
    abre();
    dialogos.expectNotice("Erro ao Descriptografar Arquivo - Verifique!");
    processa();
    EXPECT_EQ(paginaAtual(), "tbarquivos");
    const QStringList& log = w().linhasLog();
    EXPECT_EQ(log.mid(log.size() - 3),
              QStringList({"  ", " ==> Erro ao Descriptografar o Arquivo ",
                           naoProcessado(QDir(pastaRecebidos()).filePath(nomeRecebidoPadrao()))}));
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
    EXPECT_EQ(modelo->QtdRecarga, 0);
    EXPECT_TRUE(controle<QLabel>("lblultacesso")->text().isEmpty());
}

// A draft as the window writes it: compressed only, in the draft folder,
// with values already entered.
QString gravaRascunho(const QString& nome)
{
    auto m = modeloCentral();
    m->wRecarga[0].Grupo[0].Valor = 12.5;   // MARIA, money
    m->wRecarga[4].Grupo[1].Valor = 13;     // EVA, credits, group 2
    std::vector<Texto> linhas = EscritorRecarga(*m).gera(paraCp1252(nome), momentoEnvio(), momentoEnvio()).linhas;
    EXPECT_FALSE(linhas.empty());
    criaPastasTrabalho();
    EXPECT_EQ(CompactaArquivo(linhas, pastaRascunho(), nome, true), EmpacotamentoOk);
    return QDir(pastaRascunho()).filePath(nome);
}

using Rascunho = JanelaRecargaTest;

TEST_F(Rascunho, YesContinuesTheDraftWithItsValues)
{
    gravaRascunho(QStringLiteral("PX_00123_0007_0412091000_2.REC"));
    enviaRecebidoPadrao();
    dialogos.expectQuestion("Existe arquivo de Recarga em Alteração.Continua Alteração?", true);
    abre();

    EXPECT_TRUE(continuaRascunho());
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_GE(linhaDoLog("Arquivo Descriptografado com Sucesso"), 0);
    EXPECT_EQ(w().linhasLog().mid(w().linhasLog().size() - 6), kOk);
    EXPECT_EQ(controle<QLabel>("lblultacesso")->text(), "PX_00123_0007_0412091000_2.REC");
    EXPECT_EQ(arquivosEm(pastaRascunho()), QStringList{"PX_00123_0007_0412091000_2.REC"});

    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "12,50");
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    escolheTipo(kTipoCreditos);
    EXPECT_EQ(valorDoUsuario(105), "13");
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "27,45");   // 12,50 + 13 x 1,15
    EXPECT_EQ(controle<QLabel>("lblgerqtddig")->text(), "13");
}

TEST_F(Rascunho, NoDeletesTheDraftAndTheNextOpeningDoesNotAsk)
{
    const QString rascunho = gravaRascunho(QStringLiteral("PX_00123_0007_0412091000_2.REC"));
    salvaLinhas({"LOG"}, QDir(pastaRascunho()).filePath("PX_00123_0007_0412091000_2.LOG"));
    dialogos.expectQuestion("Existe arquivo de Recarga em Alteração.Continua Alteração?", false);
    dialogos.expectChoice("Descartar os valores do rascunho da remessa 0007 gravado em 09/12/2004 10:00?",
                          {"Descartar", "Continuar Alteração"}, 0);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_FALSE(continuaRascunho());
    EXPECT_FALSE(QFileInfo::exists(rascunho));
    EXPECT_EQ(arquivosEm(pastaRascunho()), QStringList{"PX_00123_0007_0412091000_2.LOG"});
    EXPECT_EQ(paginaAtual(), "tbarquivos");

    abre();
    EXPECT_EQ(dialogos.shown().size(), 2);  // the two questions of the first opening
}

}  // namespace
}  // namespace pluvexa::janela
