// Widget construction of the transfer window: the loading half on the left,
// the generating half on the right, with the captions the operator knows.

#include "transfer/arvorepastas.h"
#include "transfer/tfcargaarquivos.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pluvexa {

namespace {

template <typename W>
W* nomeia(W* w, const char* nome, const QString& acessivel)
{
    w->setObjectName(QString::fromLatin1(nome));
    w->setAccessibleName(acessivel);
    return w;
}

// A drive list as wide as its half allows, whatever the volumes' names.
QComboBox* listaUnidades(const char* nome, const QString& acessivel, QWidget* pai)
{
    auto* unidades = nomeia(new QComboBox(pai), nome, acessivel);
    unidades->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    unidades->setMinimumContentsLength(8);
    return unidades;
}

// The halves share the width equally; a narrow window clips the end of a
// long title (its trailing blanks first) rather than hiding the other half.
QGroupBox* grupo(const QString& titulo, const char* nome, QWidget* pai)
{
    auto* g = nomeia(new QGroupBox(titulo, pai), nome, titulo.trimmed());
    g->setMinimumWidth(200);
    return g;
}

// The count of a half: its caption and the number in maroon.
QHBoxLayout* contagem(QLabel*& legenda, const char* nomeLegenda, QLabel*& numero, const char* nomeNumero,
                      const QString& acessivel, QWidget* pai)
{
    legenda = nomeia(new QLabel(QStringLiteral("Total de Arquivos : "), pai), nomeLegenda,
                     QStringLiteral("Total de Arquivos"));
    numero = nomeia(new QLabel(QStringLiteral("0"), pai), nomeNumero, acessivel);
    numero->setStyleSheet(QStringLiteral("color: maroon;"));
    QFont f = numero->font();
    f.setBold(true);
    numero->setFont(f);
    auto* linha = new QHBoxLayout;
    linha->addWidget(legenda);
    linha->addWidget(numero);
    linha->addStretch(1);
    return linha;
}

QFrame* painelBotao(QPushButton*& botao, const QString& texto, const char* nomeBotao, const char* nomePainel,
                    QWidget* pai)
{
    auto* painel = nomeia(new QFrame(pai), nomePainel, texto);
    painel->setFrameShape(QFrame::StyledPanel);
    botao = nomeia(new QPushButton(texto, painel), nomeBotao, texto);
    botao->setMinimumWidth(120);
    auto* l = new QHBoxLayout(painel);
    l->addStretch(1);
    l->addWidget(botao);
    l->addStretch(1);
    return painel;
}

// The folder a half works with, in full: the tree shows only names.
QLabel* rotuloPasta(const char* nome, const QString& acessivel, QWidget* pai)
{
    auto* rotulo = nomeia(new QLabel(pai), nome, acessivel);
    rotulo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rotulo->setWordWrap(true);
    return rotulo;
}

}  // namespace

void Tfcargaarquivos::criaMetadeCarga(QWidget* pai)
{
    GroupBox2 = grupo(QStringLiteral("    Cargas dos Arquivos    "), "GroupBox2", pai);
    auto* v = new QVBoxLayout(GroupBox2);

    GroupBox1 = grupo(QStringLiteral("   Selecione o Local do Arquivo a carregar     "), "GroupBox1", GroupBox2);
    auto* local = new QVBoxLayout(GroupBox1);
    DriveComboBox1 = listaUnidades("DriveComboBox1", QStringLiteral("Unidade de origem"), GroupBox1);
    DirectoryListBox1 = nomeia(new ArvorePastas(GroupBox1), "DirectoryListBox1", QStringLiteral("Pasta de origem"));
    m_rotuloOrigem = rotuloPasta("pastaOrigem", QStringLiteral("Pasta de origem escolhida"), GroupBox1);
    local->addWidget(DriveComboBox1);
    local->addWidget(DirectoryListBox1, 1);
    local->addWidget(m_rotuloOrigem);
    v->addWidget(GroupBox1, 3);

    FileListBox1 = nomeia(new QListWidget(GroupBox2), "FileListBox1", QStringLiteral("Arquivos a carregar"));
    v->addWidget(FileListBox1, 2);
    v->addLayout(contagem(Label1, "Label1", lblarqcarga, "lblarqcarga",
                          QStringLiteral("Total de arquivos a carregar"), GroupBox2));
    Panel1 = painelBotao(btnprocesso_in, QStringLiteral("Carregar"), "btnprocesso_in", "Panel1", GroupBox2);
    btnprocesso_in->setToolTip(QStringLiteral("Copia os arquivos recebidos da pasta escolhida para a pasta de "
                                              "arquivos a processar"));
    v->addWidget(Panel1);
}

void Tfcargaarquivos::criaMetadeGeracao(QWidget* pai)
{
    GroupBox3 = grupo(QStringLiteral("    Geração dos Arquivos para a Central     "), "GroupBox3", pai);
    auto* v = new QVBoxLayout(GroupBox3);

    FileListBox2 = nomeia(new QListWidget(GroupBox3), "FileListBox2", QStringLiteral("Arquivos a gerar"));
    v->addWidget(FileListBox2, 2);

    GroupBox4 = grupo(QStringLiteral("   Selecione o Local do Arquivo a Gerar   "), "GroupBox4", GroupBox3);
    auto* local = new QVBoxLayout(GroupBox4);
    DriveComboBox2 = listaUnidades("DriveComboBox2", QStringLiteral("Unidade de destino"), GroupBox4);
    DirectoryListBox2 = nomeia(new ArvorePastas(GroupBox4), "DirectoryListBox2", QStringLiteral("Pasta de destino"));
    m_rotuloDestino = rotuloPasta("pastaDestino", QStringLiteral("Pasta de destino escolhida"), GroupBox4);
    local->addWidget(DriveComboBox2);
    local->addWidget(DirectoryListBox2, 1);
    local->addWidget(m_rotuloDestino);
    v->addWidget(GroupBox4, 3);

    v->addLayout(contagem(Label2, "Label2", lblarqgerados, "lblarqgerados",
                          QStringLiteral("Total de arquivos gerados"), GroupBox3));
    Panel2 = painelBotao(BitBtn1, QStringLiteral("Gerar"), "BitBtn1", "Panel2", GroupBox3);
    BitBtn1->setToolTip(QStringLiteral("Copia as respostas selecionadas para o disco"));
    v->addWidget(Panel2);
}

// Where the files of the last run went: one line per file, shown from the
// first run on.
QGroupBox* Tfcargaarquivos::criaCopiados(QWidget* pai)
{
    m_grupoCopiados = grupo(QStringLiteral("   Arquivos copiados   "), "gbcopiados", pai);
    m_grupoCopiados->setMinimumWidth(0);
    auto* v = new QVBoxLayout(m_grupoCopiados);
    m_copiados = nomeia(new QListWidget(m_grupoCopiados), "lstcopiados", QStringLiteral("Arquivos copiados"));
    m_copiados->setSelectionMode(QAbstractItemView::NoSelection);
    m_copiados->setMaximumHeight(m_copiados->fontMetrics().height() * 5 + 2 * m_copiados->frameWidth() + 4);
    v->addWidget(m_copiados);
    m_grupoCopiados->hide();
    return m_grupoCopiados;
}

}  // namespace pluvexa
