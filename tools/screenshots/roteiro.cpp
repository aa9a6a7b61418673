#include "roteiro.h"

#include "dadoscentral.h"
#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "fotografo.h"
#include "history/tfhistorico.h"
#include "interacaocaptura.h"
#include "maintenance/paginaconferencia.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "recharge/modelo.h"
#include "shell/tfprincipal.h"
#include "shell/tftelafundo.h"
#include "transfer/tfcargaarquivos.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

namespace pluvexa::capturas {

namespace {

const QDateTime kEnvioFevereiro(QDate(2026, 2, 10), QTime(9, 30));
const QDateTime kRespostaFevereiro(QDate(2026, 2, 11), QTime(14, 5));
const QDateTime kEnvioMarco(QDate(2026, 3, 10), QTime(9, 30));
const QDateTime kRespostaMarco(QDate(2026, 3, 12), QTime(10, 15));
const QDateTime kEnvioAbril(QDate(2026, 4, 9), QTime(9, 30));

// The window's widget of type T named `nome`: a window's widgets are its
// own, found by the object name each carries; ends the run when it is gone.
template <typename T>
T* controle(const QObject& janela, const char* nome)
{
    T* c = janela.findChild<T*>(QString::fromLatin1(nome));
    if (!c)
        falha(QStringLiteral("no %1 \"%2\" in %3").arg(QString::fromLatin1(T::staticMetaObject.className()),
                                                       QString::fromLatin1(nome), janela.objectName()));
    return c;
}

// The object name of the page the maintenance window shows.
QString pagina(const Tfcadrecarga& w)
{
    return controle<QStackedWidget>(w, "PageControl1")->currentWidget()->objectName();
}

class Roteiro {
public:
    Roteiro(const QString& pasta, const QString& disco) : m_disco(disco), m_fotografo(pasta), m_dialogos(m_fotografo)
    {
    }

    void executa();

private:
    // The tree's node, chosen as a click does it.
    void clica(const QString& no);
    Tfcadrecarga& manutencao(const QDateTime& relogio);
    void processa(Tfcadrecarga& w);
    void repeteArquivoInteiro(Tfcadrecarga& w, const QString& foto = {});
    void escolhe(QComboBox* lista, const QString& prefixo);
    void digita(Tfcadrecarga& w, int linha, const QString& texto);
    // The work window as it stands, with its title bar: the pictures keep
    // to the width the help window shows beside its contents.
    void foto(const QString& nome);

    void respondeFevereiro();
    void digitaMarco();
    void importaEImprime();
    void continuaRascunhoEGera();
    void historico();
    void cargaArquivos();

    QString m_disco;
    Fotografo m_fotografo;
    InteracaoCaptura m_dialogos;
    ModeloRecarga m_modelo;
    std::unique_ptr<Tfprincipal> m_principal;
};

void Roteiro::foto(const QString& nome)
{
    QMdiSubWindow* janela = m_principal->mdiArea->currentSubWindow();
    if (!janela)
        falha(QStringLiteral("no work window to picture for %1").arg(nome));
    m_fotografo.fotografa(janela, nome);
}

void Roteiro::clica(const QString& no)
{
    const auto itens = m_principal->TVwGeral->findItems(no, Qt::MatchExactly | Qt::MatchRecursive);
    if (itens.isEmpty())
        falha(QStringLiteral("no node \"%1\" in the tree").arg(no));
    m_principal->TVwGeral->setCurrentItem(itens.first());
    m_principal->TVwGeralClick();
    espera(300);
}

// A new maintenance window, as the operator opens it after "Principal"
// closed the one before: a second click on "Manutenção" keeps the open one.
Tfcadrecarga& Roteiro::manutencao(const QDateTime& relogio)
{
    clica(QStringLiteral("Principal"));
    clica(QStringLiteral("Manutenção"));
    Tfcadrecarga* w = m_principal->fcadrecarga();
    if (!w)
        falha(QStringLiteral("\"Manutenção\" opened no window"));
    w->defineRelogio([relogio] { return relogio; });
    return *w;
}

void Roteiro::processa(Tfcadrecarga& w)
{
    controle<QPushButton>(w, "btnprocessar")->click();
    espera(300);
    if (pagina(w) != QLatin1String("tbDigitacao"))
        falha(QStringLiteral("processing did not reach the Digitação page"));
}

void Roteiro::repeteArquivoInteiro(Tfcadrecarga& w, const QString& foto)
{
    m_dialogos.espera(QStringLiteral("Preencher os valores com a última recarga"), QStringLiteral("Arquivo Inteiro"),
                      foto);
    controle<QPushButton>(w, "btnrepetirrecarga")->click();
    espera(200);
}

// The list's entry that starts with `prefixo`, chosen as a click does it.
void Roteiro::escolhe(QComboBox* lista, const QString& prefixo)
{
    for (int i = 0; i < lista->count(); ++i) {
        if (lista->itemText(i).startsWith(prefixo)) {
            lista->setFocus(Qt::MouseFocusReason);
            lista->setCurrentIndex(i);
            espera(100);
            return;
        }
    }
    falha(QStringLiteral("no entry \"%1\" in the list").arg(prefixo));
}

// As the operator types: the first key opens the cell's editor with it.
void Roteiro::digita(Tfcadrecarga& w, int linha, const QString& texto)
{
    RecargaGrid* g = controle<RecargaGrid>(w, "sgRecarga");
    g->setFocus(Qt::OtherFocusReason);
    g->setCurrentRow(linha);
    g->setCurrentColumn(5);
    QTest::keyClick(g, texto.at(0).toLatin1());
    QWidget* editor = QApplication::focusWidget();
    if (!qobject_cast<QLineEdit*>(editor))
        falha(QStringLiteral("typing opened no cell editor"));
    QTest::keyClicks(editor, texto.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    espera(100);
}

// February's batch, answered with last month's values: a batch in the
// history to compare March's with.
void Roteiro::respondeFevereiro()
{
    enviaDemo(6, kEnvioFevereiro, pastaRecebidos());
    Tfcadrecarga& w = manutencao(kRespostaFevereiro);
    processa(w);
    repeteArquivoInteiro(w);
    m_dialogos.espera(QStringLiteral("Conferir antes de gerar?"), QStringLiteral("Gerar Assim Mesmo"));
    controle<QPushButton>(w, "btngerararquivo")->click();
    espera(300);
    if (pagina(w) != QLatin1String("tblog"))
        falha(QStringLiteral("February's answer was not generated"));
}

void Roteiro::digitaMarco()
{
    enviaDemo(7, kEnvioMarco, pastaRecebidos());
    Tfcadrecarga& w = manutencao(kRespostaMarco);
    foto(QStringLiteral("arquivos"));
    processa(w);
    escolhe(controle<QComboBox>(w, "cbtarifa"), QStringLiteral("01 - "));
    repeteArquivoInteiro(w, QStringLiteral("repetir"));

    // A slip (a value far above the holder's usual one) and a holder left
    // without a recharge, for the review to find.
    digita(w, 2, QStringLiteral("450"));
    digita(w, 4, QStringLiteral("0"));
    digita(w, 5, QStringLiteral("87,5"));
    foto(QStringLiteral("digitacao"));

    m_dialogos.espera(QStringLiteral("Valor Maior que o Permitido"), QStringLiteral("OK"),
                      QStringLiteral("valor-maior"));
    digita(w, 6, QStringLiteral("750"));

    QLineEdit* localizar = controle<QLineEdit>(w, "edlocalizar");
    localizar->setFocus(Qt::ShortcutFocusReason);
    QTest::keyClicks(localizar, QStringLiteral("santos"));
    espera(200);
    foto(QStringLiteral("localizar"));
    localizar->clear();

    // The grid's context menu, as a right click opens it.
    RecargaGrid* grade = controle<RecargaGrid>(w, "sgRecarga");
    QMenu* menu = controle<QMenu>(w, "PopupMenu1");
    grade->setCurrentRow(3);
    menu->popup(grade->viewport()->mapToGlobal(QPoint(200, 60)));
    espera(200);
    m_fotografo.fotografa(menu, QStringLiteral("menu-grade"));
    menu->close();
}

void Roteiro::importaEImprime()
{
    Tfcadrecarga& w = *m_principal->fcadrecarga();
    QString erro;
    // A clerk's sheet whose header has two registration columns: the
    // mapping dialog, pictured and then cancelled (nothing imported).
    const QString planilha = QDir::home().filePath(QStringLiteral("folha_vt_2026_03.csv"));
    if (!copiaArquivo(QStringLiteral(PLUVEXA_SOURCE_DIR "/examples/folha_vt_2026_03.csv"), planilha,
                      Durabilidade::Comum, &erro))
        falha(erro);
    m_dialogos.esperaArquivo(planilha).esperaColunas(QStringLiteral("Chapa"), QStringLiteral("Cancelar"),
                                                     QStringLiteral("importacao-colunas"));
    controle<QPushButton>(w, "btnimportararq")->click();
    espera(200);

    // The payroll's file, as the operator keeps it in the home folder.
    const QString folha = QDir::home().filePath(QStringLiteral("folha_2026_03.rrm"));
    if (!copiaArquivo(QStringLiteral(PLUVEXA_SOURCE_DIR "/examples/folha_2026_03.rrm"), folha, Durabilidade::Comum,
                      &erro))
        falha(erro);
    m_dialogos.esperaArquivo(folha)
        .espera(QStringLiteral("Log da operação gerado em"), QStringLiteral("OK"))
        .espera(QStringLiteral("Operação Concluída com Advertências"), QStringLiteral("OK"),
                QStringLiteral("importacao-aviso"))
        .esperaVisualizacao(QStringLiteral("importacao-resultado"))
        .espera(QStringLiteral("As Alterações feitas pela importação não estão salvas"), QStringLiteral("OK"));
    controle<QPushButton>(w, "btnimportararq")->click();
    espera(300);

    m_dialogos.esperaArquivo(QDir::home().filePath(QStringLiteral("titulares.csv")));
    controle<QPushButton>(w, "btnexportarplanilha")->click();
    espera(200);

    m_dialogos.esperaVisualizacao(QStringLiteral("listagem"));
    controle<QPushButton>(w, "btnimpressao")->click();
    espera(200);

    m_dialogos.espera(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"), QStringLiteral("OK"),
                      QStringLiteral("rascunho-gravado"));
    controle<QPushButton>(w, "btnsalvarrascunho")->click();
    espera(200);
}

void Roteiro::continuaRascunhoEGera()
{
    m_dialogos.espera(QStringLiteral("Existe arquivo de Recarga em Alteração.Continua Alteração?"),
                      QStringLiteral("Sim"), QStringLiteral("rascunho-continuar"));
    Tfcadrecarga& w = manutencao(kRespostaMarco);
    if (pagina(w) != QLatin1String("tbDigitacao"))
        falha(QStringLiteral("the draft was not continued"));

    controle<QPushButton>(w, "btnconferir")->click();
    espera(300);
    // The largest variations first, as the operator sorts them.
    PaginaConferencia* conferencia = controle<PaginaConferencia>(w, "tbconferencia");
    QHeaderView* cabecalho = conferencia->sgConferencia->horizontalHeader();
    for (int c = 0; c < cabecalho->count(); ++c) {
        if (conferencia->sgConferencia->model()->headerData(c, Qt::Horizontal).toString()
            == QStringLiteral("Variação %")) {
            conferencia->sgConferencia->sortByColumn(c, Qt::DescendingOrder);
        }
    }
    foto(QStringLiteral("conferencia"));
    conferencia->btnvoltar->click();
    espera(200);

    m_dialogos.espera(QStringLiteral("Conferir antes de gerar?"), QStringLiteral("Gerar Assim Mesmo"),
                      QStringLiteral("gerar-conferir"));
    controle<QPushButton>(w, "btngerararquivo")->click();
    espera(300);
    if (pagina(w) != QLatin1String("tblog"))
        falha(QStringLiteral("March's answer was not generated"));
    foto(QStringLiteral("log"));
}

void Roteiro::historico()
{
    clica(QStringLiteral("Histórico"));
    Tfhistorico* h = m_principal->fhistorico();
    if (!h || h->lotes().size() != 2)
        falha(QStringLiteral("the history does not list the two batches answered"));
    h->selecionaLotes({0, 1});
    h->btncomparar->click();
    espera(300);
    foto(QStringLiteral("historico"));
}

void Roteiro::cargaArquivos()
{
    // April's file on the company's disk.
    enviaDemo(8, kEnvioAbril, m_disco);
    clica(QStringLiteral("Carga Arquivos"));
    Tfcargaarquivos* c = m_principal->fcargaarquivos();
    if (!c)
        falha(QStringLiteral("\"Carga Arquivos\" opened no window"));
    c->escolhePasta(true, m_disco);
    c->escolhePasta(false, m_disco);
    espera(500);
    if (c->FileListBox1->count() > 0)
        c->FileListBox1->item(0)->setSelected(true);
    // March's answer, to go to the central.
    for (int i = 0; i < c->FileListBox2->count(); ++i)
        c->FileListBox2->item(i)->setSelected(c->FileListBox2->item(i)->text().contains(QStringLiteral("_0007_")));
    foto(QStringLiteral("carga"));

    // The answer to the disk: the prompt for the company's disk, then the
    // question about the recharge files already on it (April's, kept).
    m_dialogos
        .espera(QStringLiteral("Coloque o Disco da Empresa"), QStringLiteral("Sim"), QStringLiteral("carga-disco"))
        .espera(QStringLiteral("No local escolhido há arquivos de Recarga"), QStringLiteral("Não"),
                QStringLiteral("carga-apagar"))
        .espera(QStringLiteral("Arquivos Processados com Sucesso!"), QStringLiteral("OK"));
    c->BitBtn1->click();
    espera(300);
}

void Roteiro::executa()
{
    QApplication::setApplicationName(kTituloAplicacao);
    m_principal = std::make_unique<Tfprincipal>(&m_dialogos, &m_modelo);
    m_principal->posicionaAbertura();
    m_principal->show();
    if (!QTest::qWaitForWindowExposed(m_principal.get()))
        falha(QStringLiteral("the main window did not show"));
    m_principal->adicionaJanela(new Tftelafundo(*m_principal));
    // The whole main window, a little smaller than it opens, for the width
    // of the help window; then back to the size the work needs.
    const QSize tamanho = m_principal->size();
    m_principal->resize(900, 620);
    m_fotografo.fotografa(m_principal.get(), QStringLiteral("principal"));
    m_principal->resize(tamanho);

    respondeFevereiro();
    digitaMarco();
    importaEImprime();
    continuaRascunhoEGera();
    historico();
    cargaArquivos();
    m_dialogos.confereFim();
    m_principal.reset();
}

}  // namespace

void executaRoteiro(const QString& pasta, const QString& disco)
{
    Roteiro(pasta, disco).executa();
}

}  // namespace pluvexa::capturas
