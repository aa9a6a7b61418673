// Widget construction of the maintenance window: the three pages and their
// controls, with the captions the operator knows.

#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "maintenance/ttabnumedit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace pluvexa {

namespace {

QLabel* rotulo(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setAccessibleName(text.trimmed());
    return l;
}

QLabel* valor(const char* name, QWidget* parent, bool destaque = false)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (destaque) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QPushButton* botao(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(caption);
    return b;
}

QListWidget* listaArquivosWidget(const char* name, QWidget* parent)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(QString::fromLatin1(name));
    return l;
}

}  // namespace

void Tfcadrecarga::criaPaginaArquivos()
{
    tbarquivos = new QWidget;
    tbarquivos->setObjectName(QStringLiteral("tbarquivos"));
    tbarquivos->setAccessibleName(QStringLiteral("Arquivos"));
    auto* page = new QHBoxLayout(tbarquivos);

    auto grupo = [&](const QString& title, QListWidget* list, const QString& countCaption,
                     QLabel* count, QLabel* lastCaption, QLabel* last) {
        auto* box = new QGroupBox(title, tbarquivos);
        box->setAccessibleName(title.trimmed());
        auto* v = new QVBoxLayout(box);
        v->addWidget(list, 1);
        auto* g = new QGridLayout;
        g->addWidget(rotulo(countCaption, box), 0, 0);
        g->addWidget(count, 0, 1);
        g->addWidget(lastCaption, 1, 0);
        g->addWidget(last, 1, 1);
        g->setColumnStretch(1, 1);
        v->addLayout(g);
        page->addWidget(box, 1);
        return v;
    };

    FLBArquivosRecargaRecebidos = listaArquivosWidget("FLBArquivosRecargaRecebidos", tbarquivos);
    lblarqproc = valor("lblarqproc", tbarquivos, true);
    lbltipoultacc = rotulo(QStringLiteral("Último Arquivo Acessado : "), tbarquivos);
    lbltipoultacc->setObjectName(QStringLiteral("lbltipoultacc"));
    lblultacesso = valor("lblultacesso", tbarquivos, true);
    QVBoxLayout* recebidos = grupo(QStringLiteral("   Arquivos a Processar   "),
                                   FLBArquivosRecargaRecebidos,
                                   QStringLiteral("Total de Arquivos a processar : "), lblarqproc,
                                   lbltipoultacc, lblultacesso);
    btnprocessar = botao(QStringLiteral("Processar Arquivo"), "btnprocessar", tbarquivos);
    recebidos->addWidget(btnprocessar);

    FLBArquivosRecargaProcessados = listaArquivosWidget("FLBArquivosRecargaProcessados", tbarquivos);
    lblarqjaproc = valor("lblarqjaproc", tbarquivos, true);
    lblultimoarquivo = valor("lblultimoarquivo", tbarquivos, true);
    grupo(QStringLiteral("   Arquivos Já Processados    "), FLBArquivosRecargaProcessados,
          QStringLiteral("Total de Arquivos processados : "), lblarqjaproc,
          rotulo(QStringLiteral("Último Arquivo processado : "), tbarquivos), lblultimoarquivo);

    FLBArquivosRecargaGerados = listaArquivosWidget("FLBArquivosRecargaGerados", tbarquivos);
    lblarqgerado = valor("lblarqgerado", tbarquivos, true);
    lblultimogerado = valor("lblultimogerado", tbarquivos, true);
    grupo(QStringLiteral("   Arquivos Gerados   "), FLBArquivosRecargaGerados,
          QStringLiteral("Total de Arquivos Gerados  : "), lblarqgerado,
          rotulo(QStringLiteral("Último Arquivo Gerado : "), tbarquivos), lblultimogerado);

    PageControl1->addWidget(tbarquivos);
}

void Tfcadrecarga::criaPaginaDigitacao()
{
    tbDigitacao = new QWidget;
    tbDigitacao->setObjectName(QStringLiteral("tbDigitacao"));
    tbDigitacao->setAccessibleName(QStringLiteral("Digitação"));
    auto* page = new QVBoxLayout(tbDigitacao);

    // File data and the sort choice.
    auto* dados = new QGroupBox(QStringLiteral("   Dados do Arquivo    "), tbDigitacao);
    dados->setAccessibleName(QStringLiteral("Dados do Arquivo"));
    auto* dl = new QGridLayout(dados);
    lblseq = valor("lblseq", dados, true);
    lblempresa = valor("lblempresa", dados, true);
    lbldata = valor("lbldata", dados, true);
    lblcripta = valor("lblcripta", dados, true);
    dl->addWidget(rotulo(QStringLiteral("Sequencial Arq. : "), dados), 0, 0);
    dl->addWidget(lblseq, 0, 1);
    dl->addWidget(rotulo(QStringLiteral("Empresa : "), dados), 0, 2);
    dl->addWidget(lblempresa, 0, 3);
    dl->addWidget(rotulo(QStringLiteral("Data : "), dados), 1, 0);
    dl->addWidget(lbldata, 1, 1);
    dl->addWidget(rotulo(QStringLiteral("Criptografado : "), dados), 1, 2);
    dl->addWidget(lblcripta, 1, 3);
    rbClassificacao = new QGroupBox(QStringLiteral("  Classificação   "), dados);
    rbClassificacao->setObjectName(QStringLiteral("rbClassificacao"));
    rbClassificacao->setAccessibleName(QStringLiteral("Classificação"));
    rbClassificacaoBotoes = new QButtonGroup(rbClassificacao);
    auto* rl = new QHBoxLayout(rbClassificacao);
    int index = 0;
    for (const QString& caption : {QStringLiteral("Código"), QStringLiteral("Alfabética"),
                                   QStringLiteral("Matricula")}) {
        auto* rb = new QRadioButton(caption, rbClassificacao);
        rb->setAccessibleName(caption);
        rbClassificacaoBotoes->addButton(rb, index++);
        rl->addWidget(rb);
    }
    dl->addWidget(rbClassificacao, 0, 4, 2, 1);
    dl->setColumnStretch(3, 1);
    page->addWidget(dados);

    // Card type and tariff choices.
    auto* escolha = new QGridLayout;
    cbtipocartao = new QComboBox(tbDigitacao);
    cbtipocartao->setObjectName(QStringLiteral("cbtipocartao"));
    cbtipocartao->setAccessibleName(QStringLiteral("Tipo de Cartão"));
    cbtarifa = new QComboBox(tbDigitacao);
    cbtarifa->setObjectName(QStringLiteral("cbtarifa"));
    cbtarifa->setAccessibleName(QStringLiteral("Tarifa"));
    escolha->addWidget(rotulo(QStringLiteral("Tipo de Cartão : "), tbDigitacao), 0, 0);
    escolha->addWidget(cbtipocartao, 0, 1);
    escolha->addWidget(rotulo(QStringLiteral("Tarifa : "), tbDigitacao), 0, 2);
    escolha->addWidget(cbtarifa, 0, 3);
    escolha->setColumnStretch(1, 1);
    escolha->setColumnStretch(3, 1);
    lbltipo = valor("lbltipo", tbDigitacao, true);
    lbltarifa = valor("lbltarifa", tbDigitacao, true);
    lblqtdrec = valor("lblqtdrec", tbDigitacao, true);
    escolha->addWidget(lbltipo, 1, 0, 1, 2);
    escolha->addWidget(lbltarifa, 1, 2, 1, 2);
    auto* qtd = new QHBoxLayout;
    qtd->addWidget(rotulo(QStringLiteral("Qtd. Registros : "), tbDigitacao));
    qtd->addWidget(lblqtdrec);
    escolha->addLayout(qtd, 1, 4);
    page->addLayout(escolha);

    sgRecarga = new RecargaGrid(tbDigitacao);
    sgRecarga->setObjectName(QStringLiteral("sgRecarga"));
    sgRecarga->setAccessibleName(QStringLiteral("sgRecarga"));
    page->addWidget(sgRecarga, 1);

    // Default value, totals, progress and the actions.
    auto* baixo = new QHBoxLayout;
    auto* padrao = new QGroupBox(QStringLiteral("Valor Padrão"), tbDigitacao);
    padrao->setAccessibleName(QStringLiteral("Valor Padrão"));
    auto* pl = new QHBoxLayout(padrao);
    edalteravlr = new TTabNumEdit(padrao);
    edalteravlr->setObjectName(QStringLiteral("edalteravlr"));
    edalteravlr->setAccessibleName(QStringLiteral("Valor Padrão"));
    edalteravlr->setFixedWidth(73);
    btnalteravlr = botao(QStringLiteral("Alterar Vlr."), "btnalteravlr", padrao);
    pl->addWidget(edalteravlr);
    pl->addWidget(btnalteravlr);
    baixo->addWidget(padrao);

    auto* totais = new QGridLayout;
    auto total = [&](const QString& caption, const char* name, int row, int col) {
        QLabel* v = valor(name, tbDigitacao, true);
        QPalette p = v->palette();
        p.setColor(QPalette::WindowText, QColor(0x80, 0, 0));
        v->setPalette(p);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setMinimumWidth(90);
        totais->addWidget(rotulo(caption, tbDigitacao), row, col);
        totais->addWidget(v, row, col + 1);
        return v;
    };
    lblvlrrecdig = total(QStringLiteral("Vlr. Recargas : "), "lblvlrrecdig", 0, 0);
    lblqtdrecdig = total(QStringLiteral("Qtd. Créditos : "), "lblqtdrecdig", 1, 0);
    lblgervlrdig = total(QStringLiteral("Vlr.Geral Recargas : "), "lblgervlrdig", 0, 2);
    lblgerqtddig = total(QStringLiteral("Qtd. Geral Créditos : "), "lblgerqtddig", 1, 2);
    lblvlrrecdig->setText(QStringLiteral("0,00"));
    lblgervlrdig->setText(QStringLiteral("0,00"));
    lblqtdrecdig->setText(QStringLiteral("0"));
    lblgerqtddig->setText(QStringLiteral("0"));
    baixo->addLayout(totais, 1);
    page->addLayout(baixo);

    auto* acoes = new QHBoxLayout;
    CGauge1 = new QProgressBar(tbDigitacao);
    CGauge1->setObjectName(QStringLiteral("CGauge1"));
    CGauge1->setAccessibleName(QStringLiteral("CGauge1"));
    CGauge1->setMaximum(4000);
    Label19 = rotulo(QStringLiteral("Registros Processados: "), tbDigitacao);
    Label19->setObjectName(QStringLiteral("Label19"));
    Label18 = valor("Label18", tbDigitacao);
    acoes->addWidget(Label19);
    acoes->addWidget(Label18);
    acoes->addWidget(CGauge1, 1);
    acoes->addStretch();
    btnsalvarrascunho = botao(QStringLiteral("Salvar Rascunho"), "btnsalvarrascunho", tbDigitacao);
    btngerararquivo = botao(QStringLiteral("Gerar Arquivo"), "btngerararquivo", tbDigitacao);
    btnimpressao = botao(QStringLiteral("Imprimir"), "btnimpressao", tbDigitacao);
    btnimportararq = botao(QStringLiteral("Importar Arquivo"), "btnimportararq", tbDigitacao);
    for (QPushButton* b : {btnsalvarrascunho, btngerararquivo, btnimpressao, btnimportararq})
        acoes->addWidget(b);
    page->addLayout(acoes);

    PageControl1->addWidget(tbDigitacao);
}

void Tfcadrecarga::criaPaginaLog()
{
    tblog = new QWidget;
    tblog->setObjectName(QStringLiteral("tblog"));
    tblog->setAccessibleName(QStringLiteral("LOG"));
    auto* v = new QVBoxLayout(tblog);
    memolog = new QPlainTextEdit(tblog);
    memolog->setObjectName(QStringLiteral("memolog"));
    memolog->setAccessibleName(QStringLiteral("LOG"));
    memolog->setReadOnly(true);
    memolog->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    memolog->setFont(courier);
    v->addWidget(memolog, 1);
    btnFechar = botao(QStringLiteral("Fechar"), "btnFechar", tblog);
    auto* h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(btnFechar);
    v->addLayout(h);
    PageControl1->addWidget(tblog);
}

void Tfcadrecarga::nomeiaParaAcessibilidade()
{
    setAccessibleName(windowTitle());
}

}  // namespace pluvexa
