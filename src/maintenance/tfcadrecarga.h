#pragma once

// The maintenance window: lists the recharge files of the working folders,
// processes a received file or continues a draft, shows the recharge grid
// with its totals, and writes drafts and answer files. The widgets and their
// handlers live here; the work is done by plain classes beside it.

#include "recharge/model.h"
#include "ui/appcontext.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace pluvexa {

class TTabNumEdit;
class RecargaGrid;

class Tfcadrecarga : public QWidget {
    Q_OBJECT

public:
    explicit Tfcadrecarga(const AppContext& ctx, QWidget* parent = nullptr);
    ~Tfcadrecarga() override;

    // Pages (tabs hidden; only the program switches them).
    QStackedWidget* PageControl1 = nullptr;
    QWidget* tbarquivos = nullptr;
    QWidget* tbDigitacao = nullptr;
    QWidget* tblog = nullptr;

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
    RecargaGrid* sgRecarga = nullptr;
    TTabNumEdit* edalteravlr = nullptr;
    QPushButton* btnalteravlr = nullptr;
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

    // LOG page.
    QPlainTextEdit* memolog = nullptr;
    QPushButton* btnFechar = nullptr;

    // Window state.
    std::vector<Texto> LinhasArquivo;
    std::vector<Texto> LinhasSaida;
    QString ArquivoAtual;
    QString UltimoAcessado;
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

    void FormCreate();
    void PageControl1Change();
    void btnFecharClick();
    void HabilitaControles(bool enabled);
    void MostraProgresso(bool visible);
    void mostraPagina(QWidget* page);
    void adicionaLog(const QString& line);
    QStringList linhasLog() const;

private:
    void criaPaginaArquivos();
    void criaPaginaDigitacao();
    void criaPaginaLog();
    void nomeiaParaAcessibilidade();
    void recarregaLista(QListWidget* list, const QString& folder, const QString& mask);

    AppContext m_ctx;
};

}  // namespace pluvexa
