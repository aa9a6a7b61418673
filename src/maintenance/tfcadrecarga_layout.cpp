// Widget construction of the maintenance window: the three pages and their
// controls, with the captions the operator knows, the keys that reach them
// and the names a screen reader says. The pages sit in a scroll area, so on
// a small screen the page scrolls instead of losing controls off its edge.

#include "maintenance/paginaconferencia.h"
#include "maintenance/recargagrid.h"
#include "maintenance/rotulovalor.h"
#include "maintenance/tfcadrecarga.h"
#include "maintenance/ttabnumedit.h"
#include "ui/controles.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace pluvexa {

namespace {

// A caption; `rotulado` is the control or value it names, so that the
// value is read with its caption and the caption's "&" key reaches it.
QLabel* rotulo(const QString& text, QWidget* parent, QWidget* rotulado = nullptr)
{
    auto* l = new QLabel(text, parent);
    l->setAccessibleName(semMnemonico(text));
    if (rotulado)
        l->setBuddy(rotulado);
    return l;
}

// A label the program fills with a value. It carries no accessible name of
// its own: assistive technology reads the text it shows, change after change.
RotuloValor* valor(const char* name, QWidget* parent, bool destaque = false)
{
    auto* l = new RotuloValor(parent);
    l->setObjectName(QString::fromLatin1(name));
    if (destaque) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QListWidget* listaArquivosWidget(const char* name, const QString& caption, QWidget* parent)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(semMnemonico(caption));
    return l;
}

// A chain of controls in the order the Tab key visits them.
void ordemTab(std::initializer_list<QWidget*> controles)
{
    QWidget* anterior = nullptr;
    for (QWidget* c : controles) {
        if (anterior)
            QWidget::setTabOrder(anterior, c);
        anterior = c;
    }
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
        lastCaption->setBuddy(last);
        g->addWidget(rotulo(countCaption, box, count), 0, 0);
        g->addWidget(count, 0, 1);
        // A file name is as wide as the whole box: it goes under its caption.
        g->addWidget(lastCaption, 1, 0, 1, 2);
        g->addWidget(last, 2, 0, 1, 2);
        g->setColumnStretch(1, 1);
        v->addLayout(g);
        page->addWidget(box, 1);
        return v;
    };

    FLBArquivosRecargaRecebidos = listaArquivosWidget("FLBArquivosRecargaRecebidos",
                                                      QStringLiteral("Arquivos a Processar"), tbarquivos);
    lblarqproc = valor("lblarqproc", tbarquivos, true);
    lbltipoultacc = rotulo(QStringLiteral("Último Arquivo Acessado : "), tbarquivos);
    lbltipoultacc->setObjectName(QStringLiteral("lbltipoultacc"));
    lblultacesso = valor("lblultacesso", tbarquivos, true);
    QVBoxLayout* recebidos = grupo(QStringLiteral("   Arquivos a Processar   "),
                                   FLBArquivosRecargaRecebidos,
                                   QStringLiteral("Total de Arquivos a processar : "), lblarqproc,
                                   lbltipoultacc, lblultacesso);
    btnprocessar = criaBotao(QStringLiteral("&Processar Arquivo"), "btnprocessar", tbarquivos);
    btnprocessar->setToolTip(QStringLiteral("Abre o arquivo recebido selecionado na lista e mostra os titulares "
                                            "para digitar os valores"));
    btnrejeitar = criaBotao(QStringLiteral("&Mover para Rejeitados"), "btnrejeitar", tbarquivos);
    btnrejeitar->setToolTip(QStringLiteral("Põe o arquivo recebido selecionado na pasta Rejeitados, fora da lista; "
                                           "ele não é apagado"));
    auto* botoesRecebidos = new QHBoxLayout;
    botoesRecebidos->addWidget(btnprocessar);
    botoesRecebidos->addWidget(btnrejeitar);
    recebidos->addLayout(botoesRecebidos);

    FLBArquivosRecargaProcessados = listaArquivosWidget("FLBArquivosRecargaProcessados",
                                                        QStringLiteral("Arquivos Já Processados"), tbarquivos);
    lblarqjaproc = valor("lblarqjaproc", tbarquivos, true);
    lblultimoarquivo = valor("lblultimoarquivo", tbarquivos, true);
    grupo(QStringLiteral("   Arquivos Já Processados    "), FLBArquivosRecargaProcessados,
          QStringLiteral("Total de Arquivos processados : "), lblarqjaproc,
          rotulo(QStringLiteral("Último Arquivo processado : "), tbarquivos), lblultimoarquivo);

    FLBArquivosRecargaGerados = listaArquivosWidget("FLBArquivosRecargaGerados",
                                                    QStringLiteral("Arquivos Gerados"), tbarquivos);
    lblarqgerado = valor("lblarqgerado", tbarquivos, true);
    lblultimogerado = valor("lblultimogerado", tbarquivos, true);
    grupo(QStringLiteral("   Arquivos Gerados   "), FLBArquivosRecargaGerados,
          QStringLiteral("Total de Arquivos Gerados  : "), lblarqgerado,
          rotulo(QStringLiteral("Último Arquivo Gerado : "), tbarquivos), lblultimogerado);

    ordemTab({FLBArquivosRecargaRecebidos, btnprocessar, btnrejeitar, FLBArquivosRecargaProcessados,
              FLBArquivosRecargaGerados});
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
    // Values of fixed format always show whole.
    RotuloValor* seq = valor("lblseq", dados, true);
    RotuloValor* data = valor("lbldata", dados, true);
    RotuloValor* cripta = valor("lblcripta", dados, true);
    seq->defineModelo(QString(18, QLatin1Char('0')));
    data->defineModelo(QStringLiteral("00/00/00 00:00:00"));
    cripta->defineModelo(QStringLiteral("Não"));
    lblseq = seq;
    lbldata = data;
    lblcripta = cripta;
    lblempresa = valor("lblempresa", dados, true);
    // The company's name (up to 50 characters) has a line of its own.
    dl->addWidget(rotulo(QStringLiteral("Sequencial Arq. : "), dados, lblseq), 0, 0);
    dl->addWidget(lblseq, 0, 1);
    dl->addWidget(rotulo(QStringLiteral("Data : "), dados, lbldata), 0, 2);
    dl->addWidget(lbldata, 0, 3);
    dl->addWidget(rotulo(QStringLiteral("Criptografado : "), dados, lblcripta), 0, 4);
    dl->addWidget(lblcripta, 0, 5);
    dl->addWidget(rotulo(QStringLiteral("Empresa : "), dados, lblempresa), 1, 0);
    dl->addWidget(lblempresa, 1, 1, 1, 5);
    rbClassificacao = new QGroupBox(QStringLiteral("  Classificação   "), dados);
    rbClassificacao->setObjectName(QStringLiteral("rbClassificacao"));
    rbClassificacao->setAccessibleName(QStringLiteral("Classificação"));
    rbClassificacaoBotoes = new QButtonGroup(rbClassificacao);
    rbClassificacaoBotoes->setObjectName(QStringLiteral("rbClassificacaoBotoes"));
    // One below the other, so that the box is no wider than the grid.
    auto* rl = new QVBoxLayout(rbClassificacao);
    int index = 0;
    for (const QString& caption : {QStringLiteral("&Código"), QStringLiteral("Alfa&bética"),
                                   QStringLiteral("&Matricula")}) {
        auto* rb = new QRadioButton(caption, rbClassificacao);
        rb->setAccessibleName(semMnemonico(caption));
        rbClassificacaoBotoes->addButton(rb, index++);
        rl->addWidget(rb);
    }
    dl->addWidget(rbClassificacao, 0, 6, 2, 1);
    dl->setColumnStretch(5, 1);
    page->addWidget(dados);

    // Card type and tariff choices.
    auto* escolha = new QGridLayout;
    cbtipocartao = new QComboBox(tbDigitacao);
    cbtipocartao->setObjectName(QStringLiteral("cbtipocartao"));
    cbtipocartao->setAccessibleName(QStringLiteral("Tipo de Cartão"));
    cbtarifa = new QComboBox(tbDigitacao);
    cbtarifa->setObjectName(QStringLiteral("cbtarifa"));
    cbtarifa->setAccessibleName(QStringLiteral("Tarifa"));
    m_escolha = escolha;
    m_rotuloTipo = rotulo(QStringLiteral("Tipo de Car&tão : "), tbDigitacao, cbtipocartao);
    m_rotuloTarifa = rotulo(QStringLiteral("Tari&fa : "), tbDigitacao, cbtarifa);
    // Each list as wide as its longest entry: a card type's name is never cut.
    for (QComboBox* lista : {cbtipocartao, cbtarifa})
        lista->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lbltipo = valor("lbltipo", tbDigitacao, true);
    lbltarifa = valor("lbltarifa", tbDigitacao, true);
    lblqtdrec = valor("lblqtdrec", tbDigitacao, true);
    // The chosen card type and tariff, spelt out under their lists.
    lbltipo->setAccessibleDescription(QStringLiteral("Tipo de Cartão"));
    lbltarifa->setAccessibleDescription(QStringLiteral("Tarifa"));
    m_rotuloQtd = rotulo(QStringLiteral("Qtd. Registros : "), tbDigitacao, lblqtdrec);
    arrumaEscolha(false);
    page->addLayout(escolha);
    criaLocalizar(page);

    sgRecarga = new RecargaGrid(tbDigitacao);
    sgRecarga->setObjectName(QStringLiteral("sgRecarga"));
    sgRecarga->setAccessibleName(QStringLiteral("Recargas"));
    page->addWidget(sgRecarga, 1);

    // Default value, totals, progress and the actions. On a narrow window
    // the totals go under the default value (see dobraLinhas).
    auto* baixo = new QBoxLayout(QBoxLayout::LeftToRight);
    m_linhaBaixo = baixo;
    auto* padrao = new QGroupBox(QStringLiteral("Valor &Padrão"), tbDigitacao);
    padrao->setAccessibleName(QStringLiteral("Valor Padrão"));
    auto* pl = new QHBoxLayout(padrao);
    edalteravlr = new TTabNumEdit(padrao);
    edalteravlr->setObjectName(QStringLiteral("edalteravlr"));
    edalteravlr->setAccessibleName(QStringLiteral("Valor Padrão"));
    edalteravlr->setFixedWidth(73);
    btnalteravlr = criaBotao(QStringLiteral("A&lterar Vlr."), "btnalteravlr", padrao);
    btnalteravlr->setToolTip(QStringLiteral("Dá o Valor Padrão a todos os titulares mostrados na grade"));
    pl->addWidget(edalteravlr);
    pl->addWidget(btnalteravlr);
    btnrepetirrecarga = criaBotao(QStringLiteral("Repetir Última R&ecarga"), "btnrepetirrecarga", padrao);
    btnrepetirrecarga->setToolTip(QStringLiteral("Dá a cada titular o valor da sua última recarga, nas linhas da "
                                                 "tela ou no arquivo inteiro"));
    pl->addWidget(btnrepetirrecarga);
    // Folded, the box keeps its own width rather than the page's.
    baixo->addWidget(padrao, 0, Qt::AlignLeft);

    auto* totais = new QGridLayout;
    auto total = [&](const QString& caption, const char* name, int row, int col) {
        QLabel* v = valor(name, tbDigitacao, true);
        QPalette p = v->palette();
        p.setColor(QPalette::WindowText, QColor(0x80, 0, 0));
        v->setPalette(p);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setMinimumWidth(90);
        totais->addWidget(rotulo(caption, tbDigitacao, v), row, col);
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
    CGauge1->setAccessibleName(QStringLiteral("Progresso"));
    CGauge1->setMaximum(4000);
    Label18 = valor("Label18", tbDigitacao);
    Label19 = rotulo(QStringLiteral("Registros Processados: "), tbDigitacao, Label18);
    Label19->setObjectName(QStringLiteral("Label19"));
    acoes->addWidget(Label19);
    acoes->addWidget(Label18);
    acoes->addWidget(CGauge1, 1);
    acoes->addStretch();
    btnsalvarrascunho = criaBotao(QStringLiteral("Salvar &Rascunho"), "btnsalvarrascunho", tbDigitacao);
    btngerararquivo = criaBotao(QStringLiteral("&Gerar Arquivo"), "btngerararquivo", tbDigitacao);
    btnimpressao = criaBotao(QStringLiteral("&Imprimir"), "btnimpressao", tbDigitacao);
    btnimportararq = criaBotao(QStringLiteral("Importar &Arquivo"), "btnimportararq", tbDigitacao);
    btnexportarplanilha = criaBotao(QStringLiteral("E&xportar Planilha"), "btnexportarplanilha", tbDigitacao);
    btnconferir = criaBotao(QStringLiteral("Co&nferir"), "btnconferir", tbDigitacao);
    btnsalvarrascunho->setToolTip(QStringLiteral("Guarda os valores digitados para continuar depois (Ctrl+S)"));
    btngerararquivo->setToolTip(QStringLiteral("Grava o arquivo de resposta com os valores, pronto para enviar à "
                                               "central"));
    btnimpressao->setToolTip(QStringLiteral("Mostra a listagem dos valores para imprimir ou salvar em PDF (Ctrl+P)"));
    btnimportararq->setToolTip(QStringLiteral("Lê os valores de um arquivo da folha (.rrm) ou de uma planilha (.csv)"));
    btnexportarplanilha->setToolTip(QStringLiteral("Grava os titulares e seus valores numa planilha (.xlsx, .ods ou .csv)"));
    btnconferir->setToolTip(QStringLiteral("Compara cada valor com as últimas recargas do titular antes de gerar"));
    // Bringing values in (and the spreadsheet that carries them) and
    // printing them come before keeping them; the answer file, the end of
    // the work, comes after them, with its review beside it.
    for (QPushButton* b :
         {btnimportararq, btnexportarplanilha, btnimpressao, btnsalvarrascunho, btngerararquivo, btnconferir})
        acoes->addWidget(b);
    page->addLayout(acoes);

    QList<QAbstractButton*> ordens = rbClassificacaoBotoes->buttons();
    ordemTab({ordens.at(0), ordens.at(1), ordens.at(2), cbtipocartao, cbtarifa, edlocalizar, cklocalizatodos,
              sgRecarga, edalteravlr, btnalteravlr, btnrepetirrecarga, btnimportararq, btnexportarplanilha,
              btnimpressao, btnsalvarrascunho, btngerararquivo, btnconferir});

    PageControl1->addWidget(tbDigitacao);
}

void Tfcadrecarga::criaPaginaLog()
{
    tblog = new QWidget;
    tblog->setObjectName(QStringLiteral("tblog"));
    tblog->setAccessibleName(QStringLiteral("LOG"));
    auto* v = new QVBoxLayout(tblog);
    m_proximoPasso = new QLabel(tblog);
    m_proximoPasso->setObjectName(QStringLiteral("lblproximopasso"));
    m_proximoPasso->setTextFormat(Qt::PlainText);
    m_proximoPasso->setWordWrap(true);
    m_proximoPasso->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_proximoPasso->setFrameStyle(QFrame::StyledPanel);
    m_proximoPasso->setMargin(4);
    {
        QFont negrito = m_proximoPasso->font();
        negrito.setBold(true);
        m_proximoPasso->setFont(negrito);
    }
    m_proximoPasso->hide();
    v->addWidget(m_proximoPasso);
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
    btnFechar = criaBotao(QStringLiteral("&Fechar"), "btnFechar", tblog);
    btnFechar->setToolTip(QStringLiteral("Volta à lista de arquivos"));
    auto* h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(btnFechar);
    v->addLayout(h);
    ordemTab({memolog, btnFechar});
    PageControl1->addWidget(tblog);
}

void Tfcadrecarga::criaPaginas()
{
    PageControl1 = new QStackedWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    rolagem = new QScrollArea(this);
    rolagem->setObjectName(QStringLiteral("rolagem"));
    rolagem->setFrameShape(QFrame::NoFrame);
    rolagem->setWidgetResizable(true);
    rolagem->setWidget(PageControl1);
    rolagem->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rolagem);

    criaPaginaArquivos();
    criaPaginaDigitacao();
    criaPaginaLog();
    criaPaginaConferencia();
    setAccessibleName(windowTitle());
}

void Tfcadrecarga::focaPagina(QWidget* page)
{
    // Where the work on each page begins, so the keyboard is never lost.
    QWidget* inicio = page == tbDigitacao     ? static_cast<QWidget*>(sgRecarga)
                      : page == tblog         ? static_cast<QWidget*>(btnFechar)
                      : page == tbconferencia ? static_cast<QWidget*>(tbconferencia->sgConferencia)
                                              : static_cast<QWidget*>(FLBArquivosRecargaRecebidos);
    inicio->setFocus(Qt::OtherFocusReason);
}

QSize Tfcadrecarga::tamanhoPreferido()
{
    // Measured on the pages of a window that is built but never opened (no
    // folder made, no draft asked about), with every control it may show.
    const Tfcadrecarga medida(AppContext{}, nullptr, SoPaginas{});
    return medida.PageControl1->sizeHint();
}

}  // namespace pluvexa
