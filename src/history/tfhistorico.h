#pragma once

// The history window ("Histórico"): every batch kept by "Gerar Arquivo"
// ("Lotes Gerados"), newest first, with its totals and whether its answer
// went to the disk ("Enviado": the transfer marked it "_4.REC"). A
// batch is printed as "Imprimir" printed it, or exported as the holders'
// spreadsheet; two batches are compared holder by holder, and the
// comparison saved as a spreadsheet. A kept file that cannot be read is
// listed with what is wrong with it. Opened by the main window's tree as a
// maximised child; every dialog goes through the Interaction.

#include "history/core/historico.h"
#include "interaction/appcontext.h"

#include <QWidget>
#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTableWidget;

namespace pluvexa {

class ModeloComparacao;

class Tfhistorico : public QWidget {
    Q_OBJECT
public:
    explicit Tfhistorico(const AppContext& ctx, QWidget* parent = nullptr);
    ~Tfhistorico() override;

    enum ColunaLote { ColEmpresa, ColRemessa, ColGeradoEm, ColTitulares, ColTotalValor, ColTotalCreditos,
                      ColArquivo, ColEnviado, kColunasLote };

    QTableWidget* sgLotes = nullptr;
    QLabel* lbllotes = nullptr;
    QPushButton* btnimprimir = nullptr;
    QPushButton* btnexportar = nullptr;
    QPushButton* btncomparar = nullptr;
    QPushButton* btnatualizar = nullptr;

    QGroupBox* gbComparacao = nullptr;
    QLabel* lblcomparacao = nullptr;
    QComboBox* cbsituacao = nullptr;
    QLabel* lblsituacoes = nullptr;
    QTableView* sgComparacao = nullptr;
    QPushButton* btnexportarcomparacao = nullptr;

    // Lists the kept batches again (opening and "Atualizar").
    void FormCreate();
    void btnimprimirClick();
    void btnexportarClick();
    void btncompararClick();
    void btnexportarcomparacaoClick();

    // The batches as listed, newest first.
    const std::vector<LoteHistorico>& lotes() const { return m_lotes; }
    // Selects the listed batches at these positions (for work by keyboard
    // and for tests, as Ctrl+click does).
    void selecionaLotes(const std::vector<int>& posicoes);
    const ModeloComparacao& comparacao() const { return *m_comparacao; }
    QSortFilterProxyModel* comparacaoMostrada() const { return m_filtro; }

private:
    void criaLista();
    void criaComparacao();
    void mostraLote(int linha, const LoteHistorico& lote);
    void mostraSituacoes();
    QTableWidget* criaTotais(QWidget* pai);
    void mostraTotais();
    void ajustaAlturaLotes();
    // The listed positions of the selected batches, newest first.
    std::vector<int> selecionados() const;
    // The one batch selected, read; null (after telling why) otherwise.
    std::unique_ptr<ModeloRecarga> loteEscolhido(const LoteHistorico** lote);
    std::unique_ptr<ModeloRecarga> le(const LoteHistorico& lote);

    AppContext m_ctx;
    std::vector<LoteHistorico> m_lotes;
    ModeloComparacao* m_comparacao = nullptr;
    QSortFilterProxyModel* m_filtro = nullptr;
    QTableWidget* m_totais = nullptr;
    QString m_nomeComparacao;  // the suggested name of its spreadsheet
};

}  // namespace pluvexa
