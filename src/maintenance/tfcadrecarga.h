#pragma once

// The maintenance window: lists the recharge files of the working folders,
// processes a received file or continues a draft, shows the recharge grid
// with its totals, and writes drafts and answer files. The widgets and their
// handlers live here; the work is done by plain classes beside it.

#include "grid/avisosjanela.h"
#include "grid/classificacaogrid.h"
#include "grid/filtroportadores.h"
#include "grid/indicelinhas.h"
#include "grid/preenchegrid.h"
#include "grid/selecaogrid.h"
#include "files/identidade.h"
#include "interaction/appcontext.h"
#include "recharge/modelo.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <QWidget>
#include <memory>
#include <vector>

class QAction;
class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;
class QTableView;

namespace pluvexa {

class DesfazerValores;
class ModeloLocalizados;
class PaginaConferencia;
class TTabNumEdit;
class RecargaGrid;
class VigiaPastas;
struct ResultadoProcessamento;
struct TotaisGrid;
struct TotaisGerais;

class Tfcadrecarga : public QWidget {
    Q_OBJECT

public:
    explicit Tfcadrecarga(const AppContext& ctx, QWidget* parent = nullptr);
    ~Tfcadrecarga() override;

    // The size at which every page shows whole, the grid with every column
    // up to the value column; measured without opening a window.
    static QSize tamanhoPreferido();

    // Opening: folders, the draft question, the file lists.
    void FormCreate();
    void PageControl1Change();
    void btnFecharClick();
    void HabilitaControles(bool enabled);
    void MostraProgresso(bool visible);
    void mostraPagina(QWidget* page);

    // Processing a received file or the draft continued at opening.
    void btnprocessarClick();
    // Moves the selected received file (one that cannot be opened, say) to
    // the rejected folder, under a free name: never deleted, never over
    // another file.
    void btnrejeitarClick();

    // The grid.
    void cbtipocartaoChange();
    void cbtarifaChange();
    // The list entry as the processing gave it, without the count shown
    // after it; empty when nothing is selected.
    QString entradaSelecionada(const QComboBox* lista) const;
    // The find field: the rows narrow as the operator types; Enter goes to
    // the grid, or in the whole-file mode to the next match.
    void edlocalizarChange();
    void edlocalizarEnter();
    void sgRecargaKeyPress();
    void sgRecargaKeyDown(int key);
    void sgRecargaExit();
    void btnalteravlrClick();
    void edalteravlrExit();
    // Each holder's value becomes its last recharge, on the rows shown or
    // over the whole file, as the operator chooses.
    void btnrepetirrecargaClick();
    // Undo and redo of the last step of the values (a typed value, "Alterar
    // Vlr.", "Repetir Última Recarga", an import), with the totals.
    void ppmdesfazerClick();
    void ppmrefazerClick();
    void rbClassificacaoClick(int indice);
    void ClassificaGrid(Classificacao ordem);
    void CalculaGrid();
    void CalculaRecargasGeral();
    // False when a value cell could not be read (the error box was shown);
    // the action that asked for it must not go on.
    bool AtualizaArrayRecargas();

    // Draft and answer file.
    void btnsalvarrascunhoClick();
    void btngerararquivoClick();
    bool GeraArquivo(const QString& pasta, bool rascunho);
    // Asks before a batch that already has an answer is answered again;
    // true when the generation may go on.
    bool confirmaNovaResposta();
    // This minute's answer name in `pasta`: asks before an answer not yet
    // sent is replaced (`substitui` then true), refuses any other file under
    // the name; true when the generation may go on.
    bool confirmaRespostaDoMinuto(const QString& pasta, bool& substitui);
    // The received file on the grid is no longer the one processed: another
    // file stands under its name, or it was written to since. A file gone
    // from the name is not "changed": there is nothing to move by mistake.
    bool recebidoMudou() const;
    // Refuses "Gerar Arquivo" for a received file that changed: true (and
    // the operator told) when nothing may be generated.
    bool recusaRecebidoMudado();
    // Deletes the program's own drafts and their logs in the draft folder
    // (listasarquivos.h: rascunhosProprios), nothing else there, but for the
    // files `exceto` (paths) name: the same file under any name, a link
    // to the folder included, is kept.
    void ApagaRascunhos(const QStringList& exceto = {});

    // The printed listing, previewed.
    void btnimpressaoClick();

    // The review before sending: each holder's value against its usual one,
    // on the review page; from there to a holder in the grid, or printed.
    void btnconferirClick();
    void vaiParaTitular(int titular);
    void imprimeConferencia();
    // The variation limit of the review, kept in the settings.
    int limiteConferencia() const { return m_limiteConferencia; }
    void defineLimiteConferencia(int limite);
    // Asks, once the other checks of "Gerar Arquivo" passed, when the review
    // flags anybody (perguntageracao.h): "Conferir" opens the review page on
    // the first motive counted, "Gerar Assim Mesmo" goes on, "Cancelar"
    // stays. True to go on.
    bool confereAntesDeGerar();
    // A value typed in the review's list for holder `titular`'s group 1:
    // checked as the grid checks it, stored as one undoable step, and the
    // grid, its totals and the review brought in line.
    void corrigeValorConferido(int titular, const QString& texto);

    // Values from an external file (payroll layout or spreadsheet), and the
    // holders with their values out to a spreadsheet.
    void btnimportararqClick();
    void btnexportarplanilhaClick();

    // The processing log, line by line as the LOG page shows it.
    void adicionaLog(const QString& line);
    void adicionaLog(const QStringList& lines);
    const QStringList& linhasLog() const { return m_log; }

    const SelecaoGrid& selecao() const { return m_sel; }
    const IndiceLinhas& indice() const { return m_indice; }
    // Values typed, defaulted or imported since the last draft or answer.
    bool valoresPendentes() const { return m_valoresPendentes; }
    // Also the title's modified marker.
    void definePendentes(bool pendentes);
    // Sets the modified marker from what is so: a stored value changed
    // since the last save, or typed text not yet stored.
    void atualizaPendentes();
    // Asks before values not yet saved are thrown away; true when the window
    // may go.
    bool podeDescartar();
    // The clock that names and dates generated files (tests fix it).
    void defineRelogio(std::function<QDateTime()> relogio) { m_relogio = std::move(relogio); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The widgets are the window's own: others reach the window through
    // its operations, and find a widget by its object name (its member's).

    // Pages (tabs hidden; only the program switches them), in a scroll area
    // for windows smaller than a page.
    QScrollArea* rolagem = nullptr;
    QStackedWidget* PageControl1 = nullptr;
    QWidget* tbarquivos = nullptr;
    QWidget* tbDigitacao = nullptr;
    QWidget* tblog = nullptr;
    // The review before sending, opened by "Conferir".
    PaginaConferencia* tbconferencia = nullptr;

    // Arquivos page.
    QListWidget* FLBArquivosRecargaRecebidos = nullptr;
    QListWidget* FLBArquivosRecargaProcessados = nullptr;
    QListWidget* FLBArquivosRecargaGerados = nullptr;
    QLabel* lblarqproc = nullptr;
    QLabel* lbltipoultacc = nullptr;
    QLabel* lblultacesso = nullptr;
    QLabel* lblarqjaproc = nullptr;
    QLabel* lblultimoarquivo = nullptr;
    QLabel* lblarqgerado = nullptr;
    QLabel* lblultimogerado = nullptr;
    QPushButton* btnprocessar = nullptr;
    // Sets the selected received file aside in the rejected folder.
    QPushButton* btnrejeitar = nullptr;

    // Digitação page.
    QLabel* lblseq = nullptr;
    QLabel* lblempresa = nullptr;
    QLabel* lbldata = nullptr;
    QLabel* lblcripta = nullptr;
    QGroupBox* rbClassificacao = nullptr;
    QButtonGroup* rbClassificacaoBotoes = nullptr;
    QComboBox* cbtipocartao = nullptr;
    QComboBox* cbtarifa = nullptr;
    QLabel* lbltipo = nullptr;
    QLabel* lbltarifa = nullptr;
    QLabel* lblqtdrec = nullptr;
    // The find field, its match count and the whole-file choice.
    QLineEdit* edlocalizar = nullptr;
    QLabel* lbllocalizados = nullptr;
    QCheckBox* cklocalizatodos = nullptr;
    RecargaGrid* sgRecarga = nullptr;
    // The grid's context menu: undo and redo of the values.
    QMenu* PopupMenu1 = nullptr;
    QAction* ppmdesfazer = nullptr;
    QAction* ppmrefazer = nullptr;
    TTabNumEdit* edalteravlr = nullptr;
    QPushButton* btnalteravlr = nullptr;
    QPushButton* btnrepetirrecarga = nullptr;
    QLabel* lblvlrrecdig = nullptr;
    QLabel* lblqtdrecdig = nullptr;
    QLabel* lblgervlrdig = nullptr;
    QLabel* lblgerqtddig = nullptr;
    QProgressBar* CGauge1 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QPushButton* btnsalvarrascunho = nullptr;
    QPushButton* btngerararquivo = nullptr;
    QPushButton* btnimpressao = nullptr;
    QPushButton* btnimportararq = nullptr;
    QPushButton* btnexportarplanilha = nullptr;
    QPushButton* btnconferir = nullptr;

    // LOG page.
    QPlainTextEdit* memolog = nullptr;
    QPushButton* btnFechar = nullptr;

    // Window state.
    std::vector<Texto> LinhasArquivo;
    std::vector<Texto> LinhasSaida;
    // The path of the file last read, whether or not it opened.
    QString ArquivoAtual;
    // The name of the last file that opened whole; the file list shows it
    // after the operator is back there.
    QString UltimoAcessado;
    // The name of the file whose holders the grid shows, for the title and
    // the status bar: UltimoAcessado while that file is being worked on,
    // empty once the operator is back at the file list or another file is
    // being read.
    QString m_arquivoNaGrade;
    int IndiceSelecionado = 0;
    bool EmRascunho = false;
    QString PastaRascunho;
    QString PastaGerados;
    QString ArquivoGerado;
    QString ArquivoLog;
    bool Importando = false;

    // The folder and mask the received-files list shows; the draft folder
    // while a draft is being continued at opening.
    QString pastaListaRecebidos;
    QString mascaraListaRecebidos;

    struct SoPaginas {};
    // Only the widgets: nothing is read, made or asked.
    Tfcadrecarga(const AppContext& ctx, QWidget* parent, SoPaginas);
    void criaPaginas();
    void criaPaginaArquivos();
    void criaPaginaDigitacao();
    void criaPaginaLog();
    void criaPaginaConferencia();
    // Folds the rows that would make the page wider than the window (at a
    // large scale): the page may scroll down, never sideways.
    void dobraLinhas();
    // The card type and tariff side by side, or the tariff under the card
    // type.
    void arrumaEscolha(bool dobrada);
    void ligaConferencia();
    // The review page's "Salvar Rascunho" and "Gerar Arquivo" follow the
    // grid's.
    void acompanhaBotoesDaGrade();
    void focaPagina(QWidget* page);
    void ligaBotoes();
    void ligaGrade();
    void ligaDesfazer();
    void mostraDesfazer();
    void aplicaPasso(bool desfazer);
    void recarregaLista(QListWidget* list, const QString& folder, const QString& mask);
    void perguntaRascunho();
    // Processes the draft `escolhido` of `rascunhos` (the newest when empty)
    // as "Sim" to the draft question does.
    void continuaRascunho(const QStringList& rascunhos, const QString& escolhido);
    // Deletes the drafts of one batch (not their logs) and brings the
    // batch's received file back from the processed folder when it may be
    // processed again (flows/descarterascunho.h).
    void descartaRascunho(const QStringList& doLote);
    // "Mover para Rejeitados" only on a received file selected in the
    // received folder's list.
    void mostraRejeitar();
    // After a failed processing: status panel 1 and the log's last line
    // name the file instead of a "Carregando" that never ends.
    void falhaProcessamento();
    void encerraProcessamento();
    static int falhas(const ResultadoProcessamento& r);
    void limpaLog();
    bool confirmaValor();
    AvisosJanela avisos();
    // The processed file as the operator reads it (the draft's own path
    // when a draft was continued); empty before any.
    QString arquivoVisivel() const;
    // The title and status panels 2 to 4 name the open file; without one
    // they are blank.
    void mostraArquivoAberto();
    void mostraTotaisGrid(const TotaisGrid& t);
    void mostraTotaisGerais(const TotaisGerais& t);
    void adicionaEntrada(QComboBox* lista, const QString& texto);
    // Writes after each entry of both lists how many holders it lists.
    void mostraContagens();
    void criaLocalizar(QBoxLayout* page);
    void ligaLocalizar();
    void mostraLocalizados();
    // The whole file's matches listed under the find field (hidden when
    // there are none); a holder chosen there shown in the grid.
    void mostraListaLocalizados(std::vector<int> achados);
    void mostraLocalizadoEscolhido();
    // Enter and Escape on that list, Down from the field into it; true when
    // the key was used.
    bool teclaLocalizar(QObject* objeto, QKeyEvent* tecla);
    const FiltroPortadores* filtroDaGrade() const;
    bool selecionaCodigo(QComboBox* lista, int codigo);
    // Switches the lists to the card type and tariff that list `titular`
    // (as `onde` says), refills the grid and puts the keyboard on its value
    // cell; false when the lists have no such entries.
    bool mostraNaGrade(int titular, const OndeListado& onde);

    AppContext m_ctx;
    SelecaoGrid m_sel;
    IndiceLinhas m_indice;
    FiltroPortadores m_filtro;
    std::unique_ptr<DesfazerValores> m_desfazer;
    int m_proximoAchado = 0;
    ModeloLocalizados* m_localizados = nullptr;
    QTableView* m_listaLocalizados = nullptr;
    QStringList m_log;
    bool m_lendoRascunho = false;
    bool m_carregandoListas = false;
    bool m_valoresPendentes = false;
    // The received file as it stood when it was read: only that file is
    // moved to the processed folder. Set true once this window moved it.
    IdentidadeArquivo m_identidadeRecebido;
    bool m_recebidoMovido = false;
    QBoxLayout* m_linhaBaixo = nullptr;
    QGridLayout* m_escolha = nullptr;
    QLabel* m_rotuloTipo = nullptr;
    QLabel* m_rotuloTarifa = nullptr;
    QLabel* m_rotuloQtd = nullptr;
    bool m_dobrada = false;
    int m_larguraSemDobra = 0;
    bool m_saindoDaGrade = false;
    // The last generation was refused for values the file cannot carry, or
    // given up at the operator's word: the operator stays at the grid.
    bool m_ficaNaGrade = false;
    int m_limiteConferencia = 50;
    std::function<QDateTime()> m_relogio = [] { return QDateTime::currentDateTime(); };

    // The Arquivos page's lists follow their folders while it is shown:
    // files that appear or go are listed or dropped, the entry chosen stays
    // chosen by name, the counts and last names follow.
    void vigiaPastas();
    void acompanhaPastas();
    void mostraTotaisListas();
    VigiaPastas* m_vigia = nullptr;
    // Above the log, after an answer was written: where it is and what
    // comes next. Not part of the log.
    void mostraProximoPasso(const QString& texto);
    QLabel* m_proximoPasso = nullptr;
};

}  // namespace pluvexa
