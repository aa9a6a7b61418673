#pragma once

// The review page of the maintenance window ("Conferência"): the variation
// limit, the summary by card type and the flagged holders, which the
// operator filters by motive and sorts by any column. Enter or a double
// click on a holder asks the window to take the operator to it in the grid;
// typing on a holder's row corrects its value of group 1 in place. "Salvar
// Rascunho" and "Gerar Arquivo" are at hand as on the grid. The page only
// shows; the window reviews, checks, stores, moves, saves and prints.

#include "recharge/modelo.h"
#include "review/conferencia.h"

#include <QWidget>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace pluvexa {

class ModeloConferencia;
class FiltroMotivo;

class PaginaConferencia : public QWidget {
    Q_OBJECT
public:
    explicit PaginaConferencia(QWidget* parent = nullptr);

    QSpinBox* edlimite = nullptr;
    QTableWidget* sgResumo = nullptr;
    QComboBox* cbmotivo = nullptr;
    QLabel* lblassinalados = nullptr;
    QTableView* sgConferencia = nullptr;
    QPushButton* btnirtitular = nullptr;
    QPushButton* btnimprimir = nullptr;
    QPushButton* btnvoltar = nullptr;
    QPushButton* btnsalvarrascunho = nullptr;
    QPushButton* btngerararquivo = nullptr;

    // Shows review `c` of `m` (which must outlive the page's showing of it),
    // keeping the motive chosen and the order.
    void mostra(const ModeloRecarga& m, Conferencia c);
    const Conferencia& conferencia() const;
    // Shows only the holders of `motivo`; every one without it.
    void escolheMotivo(std::optional<MotivoConferencia> motivo);
    // Puts the holders whose value is farthest from their usual one first,
    // up or down alike (a slip of a digit either way), with the first one's
    // value ready to be typed over; until the operator sorts by a column.
    void ordenaPeloDesvio();
    // The motive shown, as the report names it: "Todos" for every one.
    QString motivoMostrado() const;
    // The holders shown, as indexes into conferencia().titulares, in the
    // order shown.
    std::vector<int> ordemMostrada() const;
    // The wRecarga index of the holder on the current row; -1 for none.
    int titularAtual() const;

signals:
    void limiteAlterado(int limite);
    void titularEscolhido(int titular);
    void imprimir();
    void voltar();
    void salvarRascunho();
    void gerarArquivo();
    // `texto` was typed (and the cell left) as holder `titular`'s value.
    void valorCorrigido(int titular, const QString& texto);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostraResumo(const ModeloRecarga& m);
    void mostraMotivos();
    void mostraAssinalados();
    void escolheAtual();

    ModeloConferencia* m_tabela = nullptr;
    FiltroMotivo* m_filtro = nullptr;
    // The value typed, told once its cell editor is gone: the review is
    // then shown again without pulling the editor from under the view.
    int m_corrigido = -1;
    // Set while the page sorts by the size of the variation itself.
    bool m_ordenandoPeloDesvio = false;
    QString m_textoCorrigido;
};

}  // namespace pluvexa
