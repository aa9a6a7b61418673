#include "maintenance/windowfixture.h"

#include "central/ladocentral.h"
#include "files/pastastrabalho.h"
#include "interaction/appcontext.h"
#include "maintenance/recargagrid.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"
#include "support/arquivosteste.h"
#include "support/titulares.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace pluvexa::janela {

namespace {

Texto campo(const char* text, int width)
{
    Texto t = paraCp1252(QString::fromUtf8(text));
    t.resize(size_t(width), ' ');
    return t;
}

}  // namespace

const ChavesCentral& chavesDemo()
{
    static const ChavesCentral chaves{test::chaveDemo<PrivateKeyRecord>("central.private"),
                                      test::chaveDemo<PublicKeyRecord>("own.public"),
                                      test::chaveDemo<PublicKeyRecord>("central.public")};
    return chaves;
}

QDateTime momentoEnvio()
{
    return QDateTime(QDate(2004, 12, 9), QTime(8, 30, 0));
}

QDateTime momentoGeracao()
{
    return QDateTime(QDate(2004, 12, 9), QTime(15, 30, 0));
}

std::unique_ptr<ModeloRecarga> modeloCentral()
{
    auto m = std::make_unique<ModeloRecarga>();
    Cabecalho& c = m->cabecalho;
    c.NumeroCabecalho = 1;
    c.Empresa = kEmpresa;
    c.NomeEmpresa = campo("TRANSPORTES TESTE LTDA", 50);
    c.Criptografado = 1;
    c.Complemento = Texto(65, ' ');
    c.VersaoRecarga = campo("CENTRAL 4.2.0", 20);
    c.VersaoRemota = Texto(20, ' ');
    c.Sequencial = "000000000000004711";
    c.Arredondamento = "0";

    m->wTipoCartao[kTipoDinheiro] = {kTipoDinheiro, campo("VALE DINHEIRO", 50), Dinheiro, 100.0, 600.0};
    m->wTipoCartao[kTipoCreditos] = {kTipoCreditos, campo("VALE CRÉDITOS", 50), Creditos, 50.0, 250.0};
    m->wTarifa[0] = {0, campo("SEM TARIFA", 10), 0.0, 1000};
    m->wTarifa[1] = {1, campo("URBANA", 10), 2.30, 1001};
    m->wTarifa[2] = {2, campo("METROPOL", 10), 2.25, 1002};

    // Cards 5000 + the holder's number; groups: tariff, CMM, value, the
    // last three recharges.
    using test::titular;
    test::carrega(*m, {titular(101, 5101, "MARIA SOUZA", "111", kTipoDinheiro, {{1, 100, 0.0, 50.0, 40.0, 30.5}}),
                       titular(102, 5102, "ANA LIMA", "222", kTipoDinheiro, {{1, 80, 0.0, 20.0, 20.0, 20.0}}),
                       titular(103, 5103, "CARLA DIAS", "", kTipoDinheiro, {{0, 50, 0.0}}),
                       titular(104, 5104, "DANIEL COSTA", "444", kTipoCreditos, {{1, 40, 0.0, 20, 30, 40}}),
                       titular(105, 5105, "EVA ROCHA", "555", kTipoCreditos,
                               {{2, 30, 0.0, 11, 12, 13}, {1, 10, 0.0, 5, 6, 7}}),
                       titular(106, 5106, "FABIO ALVES", "666", kTipoDinheiro, {{2, 90, 0.0, 9.9, 0, 0}})});
    return m;
}

QString nomeRecebidoPadrao()
{
    return QStringLiteral("PX_00123_0007_0412090830_1.rec");
}

std::vector<Texto> linhasDoModelo(const ModeloRecarga& m, const QString& nome)
{
    const ResultadoEscrita r = EscritorRecarga(m).gera(paraCp1252(nome), momentoEnvio(), momentoEnvio());
    EXPECT_TRUE(r.ok()) << r.textosRecusas().join(u'\n').toStdString();
    return r.linhas;
}

QString enviaRecebido(const std::vector<Texto>& linhas, const QString& nome,
                      const PublicKeyRecord* destinatario)
{
    QTemporaryDir tmp;
    const QString texto = tmp.filePath(QStringLiteral("central.txt"));
    salvaLinhas(linhas, texto);
    criaPastasTrabalho();
    const QString destino = QDir(pastaRecebidos()).filePath(nome);
    const RespostaCentral r = preparaArquivoRecebido(
        texto, destino, chavesDemo().centralPrivada,
        destinatario ? *destinatario : chavesDemo().propriaPublica);
    EXPECT_EQ(r.resultado, CentralOk) << r.codigoEnvelope;
    return destino;
}

QString enviaRecebidoPadrao()
{
    auto m = modeloCentral();
    return enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), nomeRecebidoPadrao());
}

std::optional<std::vector<Texto>> abreResposta(const QString& caminho)
{
    QTemporaryDir tmp;
    const QString texto = tmp.filePath(QStringLiteral("resposta.txt"));
    const RespostaCentral r = leArquivoResposta(caminho, texto, chavesDemo().centralPrivada,
                                                chavesDemo().propriaPublica);
    if (r.resultado != CentralOk)
        return std::nullopt;
    return carregaLinhas(texto);
}

QString campoRegistro(const Texto& linha, int pos, int len)
{
    if (pos < 1 || size_t(pos - 1) >= linha.size())
        return {};
    return deCp1252(linha.substr(size_t(pos - 1), size_t(len)));
}

QStringList arquivosEm(const QString& pasta)
{
    return QDir(pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString avisoLogImportacao(const QString& base)
{
    return QStringLiteral("Log da operação gerado em \n")
           + QDir::toNativeSeparators(QDir(pastaLog()).filePath(base + QStringLiteral(".log")));
}

// ------------------------------------------------------------- fixture

void JanelaRecargaTest::TearDown()
{
    delete janela.data();
}

Tfcadrecarga& JanelaRecargaTest::abre()
{
    delete janela.data();
    AppContext ctx;
    ctx.interaction = outrosDialogos ? outrosDialogos : static_cast<Interaction*>(&dialogos);
    ctx.modelo = modelo.get();
    ctx.setStatus = [this](const QString& t) { status.append(t); };
    ctx.setStatusTip = [this](const QString& t) { dicaStatus = t; };
    ctx.aoSalvar = [this](TipoSalvo tipo, const QString& c) { salvos.emplace_back(tipo, c); };
    janela = new Tfcadrecarga(ctx);
    janela->defineRelogio([this] { return agora; });
    janela->resize(1000, 700);
    janela->show();
    QApplication::setActiveWindow(janela);
    EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
    return *janela;
}

void JanelaRecargaTest::processa()
{
    controle<QPushButton>("btnprocessar")->click();
}

void JanelaRecargaTest::abreEProcessa()
{
    enviaRecebidoPadrao();
    abre();
    processa();
    ASSERT_EQ(paginaAtual(), "tbDigitacao");
}

void JanelaRecargaTest::salvaRascunho()
{
    dialogos.expectNotice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    controle<QPushButton>("btnsalvarrascunho")->click();
    EXPECT_TRUE(dialogos.allConsumed());
}

void JanelaRecargaTest::escolhe(QComboBox* lista, int codigo)
{
    const QString prefixo = QStringLiteral("%1 - ").arg(codigo, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < lista->count(); ++i) {
        if (lista->itemText(i).startsWith(prefixo)) {
            // As the operator's click does, the list takes the focus first
            // (the grid, when it had it, is left).
            lista->setFocus(Qt::MouseFocusReason);
            lista->setCurrentIndex(i);
            return;
        }
    }
    ADD_FAILURE() << "no entry " << prefixo.toStdString() << " in " << lista->objectName().toStdString();
}

void JanelaRecargaTest::escolheTipo(int codigo)
{
    escolhe(controle<QComboBox>("cbtipocartao"), codigo);
}

void JanelaRecargaTest::escolheTarifa(int codigo)
{
    escolhe(controle<QComboBox>("cbtarifa"), codigo);
}

int JanelaRecargaTest::linhaDoUsuario(int usuario) const
{
    const RecargaGrid& g = *controle<RecargaGrid>("sgRecarga");
    for (int r = 1; r < g.rowCount(); ++r)
        if (g.cell(0, r) == QString::number(usuario))
            return r;
    return -1;
}

QString JanelaRecargaTest::valorDoUsuario(int usuario) const
{
    const int r = linhaDoUsuario(usuario);
    return r < 0 ? QStringLiteral("<not listed>") : controle<RecargaGrid>("sgRecarga")->cell(5, r);
}

void JanelaRecargaTest::selecionaValor(int linha)
{
    RecargaGrid* g = controle<RecargaGrid>("sgRecarga");
    g->setFocus(Qt::OtherFocusReason);
    g->setCurrentRow(linha);
    g->setCurrentColumn(5);
}

void JanelaRecargaTest::digita(int linha, const QString& texto, bool enter)
{
    ASSERT_GE(linha, 1);
    selecionaValor(linha);
    RecargaGrid* g = controle<RecargaGrid>("sgRecarga");
    QWidget* alvo = g;
    if (!texto.isEmpty()) {
        // The first key starts the cell editor with that key in it.
        QTest::keyClick(g, texto.at(0).toLatin1());
        alvo = QApplication::focusWidget();
        ASSERT_NE(qobject_cast<QLineEdit*>(alvo), nullptr) << "no cell editor opened";
        ASSERT_TRUE(g->isAncestorOf(alvo));
        QTest::keyClicks(alvo, texto.mid(1));
    }
    if (enter)
        QTest::keyClick(alvo, Qt::Key_Return);
}

void JanelaRecargaTest::esperaImportacaoSemFalhas(const QString& arquivo, const QString& base)
{
    dialogos.expectOpenFile(arquivo);
    dialogos.expectNotice(avisoLogImportacao(base));
    dialogos.expectNotice(kSucesso);
    dialogos.expectNotice(kAvisoNaoSalvas);
}

void JanelaRecargaTest::esperaGerarAssimMesmo()
{
    dialogos.expectChoiceEndingWith(QStringLiteral(". Conferir antes de gerar?"),
                                    {QStringLiteral("Conferir"), QStringLiteral("Gerar Assim Mesmo"),
                                     QStringLiteral("Cancelar")},
                                    1);
}

std::map<int, QString> JanelaRecargaTest::geraEAbreResposta()
{
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    const auto resposta =
        abreResposta(QDir(pastaGerados()).filePath(QStringLiteral("PX_00123_0007_0412091530_2.REC")));
    std::map<int, QString> valores;
    if (!resposta) {
        ADD_FAILURE() << "the central cannot open the answer";
        return valores;
    }
    for (const Texto& r : *resposta)
        if (campoRegistro(r, 1, 2) == QLatin1String("01"))
            valores[campoRegistro(r, 3, 10).toInt()] = campoRegistro(r, 135, 18);
    return valores;
}

QString JanelaRecargaTest::paginaAtual() const
{
    return controle<QStackedWidget>("PageControl1")->currentWidget()->objectName();
}

QString JanelaRecargaTest::arquivoLido() const
{
    static const QString kCarregando = QStringLiteral("Carregando Arquivo : ");
    const QStringList& log = janela->linhasLog();
    for (auto l = log.crbegin(); l != log.crend(); ++l)
        if (l->startsWith(kCarregando))
            return l->mid(kCarregando.size());
    return {};
}

bool JanelaRecargaTest::continuaRascunho() const
{
    const QString lido = arquivoLido();
    return !lido.isEmpty() && lido.startsWith(caminhoVisivel(pastaRascunho() + QLatin1Char('/')));
}

int JanelaRecargaTest::linhaDoLog(const QString& inicio) const
{
    const QStringList& log = janela->linhasLog();
    for (int i = 0; i < log.size(); ++i)
        if (log.at(i).startsWith(inicio))
            return i;
    return -1;
}

}  // namespace pluvexa::janela
