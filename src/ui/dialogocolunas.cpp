#include "ui/dialogocolunas.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pluvexa {

namespace {

// "A", "B", ... "Z", "AA": the column's letter as the spreadsheet shows it.
QString letra(int coluna)
{
    QString s;
    for (int n = coluna + 1; n > 0; n = (n - 1) / 26)
        s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

// The mapping's fields by their index: Matrícula, Usuário, Cartão (the
// keys), Valor.
constexpr int kValor = 3;

}  // namespace

DialogoColunas::DialogoColunas(const PedidoColunas& pedido, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dialogocolunas"));
    setWindowTitle(QStringLiteral("Colunas da Planilha"));
    auto* layout = new QVBoxLayout(this);
    auto* explicacao = new QLabel(
        QStringLiteral("Não foi possível reconhecer as colunas de %1.\n"
                       "Informe qual coluna traz cada dado; a escolha fica guardada para as planilhas com este "
                       "cabeçalho.")
            .arg(pedido.arquivo),
        this);
    explicacao->setObjectName(QStringLiteral("lblexplicacao"));
    explicacao->setWordWrap(true);
    layout->addWidget(explicacao);

    auto* amostra = new QTableWidget(int(pedido.linhas.size()), int(pedido.cabecalho.size()), this);
    amostra->setObjectName(QStringLiteral("tabelaamostra"));
    amostra->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList titulos;
    for (int c = 0; c < pedido.cabecalho.size(); ++c)
        titulos << letra(c) + QStringLiteral(" - ") + pedido.cabecalho[c];
    amostra->setHorizontalHeaderLabels(titulos);
    for (int l = 0; l < pedido.linhas.size(); ++l)
        for (int c = 0; c < pedido.linhas[l].size() && c < pedido.cabecalho.size(); ++c)
            amostra->setItem(l, c, new QTableWidgetItem(pedido.linhas[l][c]));
    amostra->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    amostra->setMinimumSize(560, 180);
    layout->addWidget(amostra, 1);

    auto* campos = new QFormLayout;
    for (int f = 0; f < pedido.campos.size(); ++f) {
        auto* lista = new QComboBox(this);
        lista->setObjectName(QStringLiteral("cbcoluna%1").arg(f));
        lista->setAccessibleName(pedido.campos[f]);
        lista->addItem(QStringLiteral("(nenhuma)"), -1);
        for (int c = 0; c < pedido.cabecalho.size(); ++c)
            lista->addItem(titulos[c], c);
        const int proposta = f < pedido.propostas.size() ? pedido.propostas[f] : -1;
        lista->setCurrentIndex(std::max(0, lista->findData(proposta)));
        connect(lista, &QComboBox::currentIndexChanged, this, [this] { confere(); });
        campos->addRow(pedido.campos[f] + QLatin1Char(':'), lista);
        m_listas << lista;
    }
    layout->addLayout(campos);

    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botoes->setObjectName(QStringLiteral("botoes"));
    m_ok = botoes->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("Importar"));
    botoes->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(botoes);
    confere();
}

QList<int> DialogoColunas::escolha() const
{
    QList<int> r;
    for (const QComboBox* l : m_listas)
        r << l->currentData().toInt();
    return r;
}

void DialogoColunas::confere()
{
    const QList<int> e = escolha();
    bool chave = false;
    for (int f = 0; f < e.size() && f < kValor; ++f)
        chave = chave || e[f] >= 0;
    m_ok->setEnabled(chave && e.size() > kValor && e[kValor] >= 0);
}

}  // namespace pluvexa
