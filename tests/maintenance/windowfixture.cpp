#include "maintenance/windowfixture.h"

#include "central/ladocentral.h"
#include "files/pastastrabalho.h"
#include "interaction/appcontext.h"
#include "maintenance/recargagrid.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"

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

QByteArray leArquivo(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <typename Record>
Record registro(const char* name)
{
    const QByteArray data = leArquivo(QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/") + QString::fromLatin1(name));
    Record r{};
    EXPECT_EQ(size_t(data.size()), r.size()) << name;
    std::copy_n(data.begin(), std::min(qsizetype(r.size()), data.size()), r.begin());
    return r;
}

Texto campo(const char* text, int width)
{
    Texto t = paraCp1252(QString::fromUtf8(text));
    t.resize(size_t(width), ' ');
    return t;
}

Recarga titular(int usuario, const char* nome, const char* matricula, int tipo)
{
    Recarga h;
    h.Usuario = usuario;
    h.Cartao = 5000 + usuario;
    h.Nome = campo(nome, 50);
    h.Matricula = matricula;
    h.TipoCartao = tipo;
    return h;
}

}  // namespace

const ChavesCentral& chavesDemo()
{
    static const ChavesCentral chaves{registro<PrivateKeyRecord>("central.private"),
                                      registro<PublicKeyRecord>("own.public"),
                                      registro<PublicKeyRecord>("central.public")};
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

    std::vector<Recarga> hs;
    Recarga h = titular(101, "MARIA SOUZA", "111", kTipoDinheiro);
    h.Grupo[0] = {1, 100, 0.0};
    h.Historico[0] = {50.0, 40.0, 30.5};
    hs.push_back(h);
    h = titular(102, "ANA LIMA", "222", kTipoDinheiro);
    h.Grupo[0] = {1, 80, 0.0};
    h.Historico[0] = {20.0, 20.0, 20.0};
    hs.push_back(h);
    h = titular(103, "CARLA DIAS", "", kTipoDinheiro);
    h.Grupo[0] = {0, 50, 0.0};
    hs.push_back(h);
    h = titular(104, "DANIEL COSTA", "444", kTipoCreditos);
    h.Grupo[0] = {1, 40, 0.0};
    h.Historico[0] = {20, 30, 40};
    hs.push_back(h);
    h = titular(105, "EVA ROCHA", "555", kTipoCreditos);
    h.Grupo[0] = {2, 30, 0.0};
    h.Historico[0] = {11, 12, 13};
    h.Grupo[1] = {1, 10, 0.0};
    h.Historico[1] = {5, 6, 7};
    hs.push_back(h);
    h = titular(106, "FABIO ALVES", "666", kTipoDinheiro);
    h.Grupo[0] = {2, 90, 0.0};
    h.Historico[0] = {9.9, 0, 0};
    hs.push_back(h);

    for (size_t i = 0; i < hs.size(); ++i)
        m->wRecarga[i] = hs[i];
    m->QtdRecarga = int(hs.size());
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
    w().btnprocessar->click();
}

void JanelaRecargaTest::abreEProcessa()
{
    enviaRecebidoPadrao();
    abre();
    processa();
    ASSERT_EQ(w().PageControl1->currentWidget(), w().tbDigitacao);
}

void JanelaRecargaTest::salvaRascunho()
{
    dialogos.expectNotice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    w().btnsalvarrascunho->click();
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
    escolhe(w().cbtipocartao, codigo);
}

void JanelaRecargaTest::escolheTarifa(int codigo)
{
    escolhe(w().cbtarifa, codigo);
}

int JanelaRecargaTest::linhaDoUsuario(int usuario) const
{
    const RecargaGrid& g = *janela->sgRecarga;
    for (int r = 1; r < g.rowCount(); ++r)
        if (g.cell(0, r) == QString::number(usuario))
            return r;
    return -1;
}

QString JanelaRecargaTest::valorDoUsuario(int usuario) const
{
    const int r = linhaDoUsuario(usuario);
    return r < 0 ? QStringLiteral("<not listed>") : janela->sgRecarga->cell(5, r);
}

void JanelaRecargaTest::selecionaValor(int linha)
{
    RecargaGrid* g = w().sgRecarga;
    g->setFocus(Qt::OtherFocusReason);
    g->setCurrentRow(linha);
    g->setCurrentColumn(5);
}

void JanelaRecargaTest::digita(int linha, const QString& texto, bool enter)
{
    ASSERT_GE(linha, 1);
    selecionaValor(linha);
    RecargaGrid* g = w().sgRecarga;
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
    janela->btngerararquivo->click();
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

int JanelaRecargaTest::linhaDoLog(const QString& inicio) const
{
    const QStringList& log = janela->linhasLog();
    for (int i = 0; i < log.size(); ++i)
        if (log.at(i).startsWith(inicio))
            return i;
    return -1;
}

}  // namespace pluvexa::janela
