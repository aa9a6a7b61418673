#include "shell/tftelafundo.h"

#include "recharge/modelo.h"
#include "shell/arte.h"
#include "shell/formatodata.h"
#include "shell/informacoesprograma.h"
#include "shell/tfprincipal.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMdiSubWindow>

namespace pluvexa {

Tftelafundo::Tftelafundo(Tfprincipal& principal, QWidget* parent)
    : QWidget(parent), m_principal(principal), m_arquivo(QCoreApplication::applicationFilePath())
{
    setObjectName(QStringLiteral("ftelafundo"));
    setWindowTitle(QStringLiteral("Principal"));
    setAccessibleName(windowTitle());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Fundo"));
    Image1->setScaledContents(true);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAccessibleName(QStringLiteral("Logotipo"));
    Image2->setGeometry(50, 32, 280, 76);
    Image2->setPixmap(figura(QStringLiteral("logo"), Image2->size()));
    Image2->setMouseTracking(true);
    Image2->installEventFilter(this);

    ProductName = rotulo(QStringLiteral("ProductName"), QStringLiteral("Produto: "), 58, 121, 9, true);
    Label17 = rotulo(QStringLiteral("Label17"), QStringLiteral("Versão:"), 74, 146, 9, false);
    Label11 = rotulo(QStringLiteral("Label11"), QString(), 175, 146, 9, true);
    Label16 = rotulo(QStringLiteral("Label16"), QStringLiteral("Tamanho:"), 74, 165, 9, false);
    Label3 = rotulo(QStringLiteral("Label3"), QString(), 175, 165, 9, false);
    Label15 = rotulo(QStringLiteral("Label15"), QStringLiteral("Data:"), 74, 184, 9, false);
    Label6 = rotulo(QStringLiteral("Label6"), QString(), 175, 184, 9, false);
    Label14 = rotulo(QStringLiteral("Label14"), QStringLiteral("Hora:"), 74, 203, 9, false);
    Label7 = rotulo(QStringLiteral("Label7"), QString(), 175, 203, 9, false);
    Comments = rotulo(QStringLiteral("Comments"), kAvisoFabricante, 58, 273, 9, true);
    Label1 = rotulo(QStringLiteral("Label1"), kContatoFabricante, 74, 296, 8, false);
    Label1->setWordWrap(true);
    Label1->setFixedSize(321, 51);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label11->setAccessibleName(QStringLiteral("Versão"));
    Label3->setAccessibleName(QStringLiteral("Tamanho"));
    Label6->setAccessibleName(QStringLiteral("Data"));
    Label7->setAccessibleName(QStringLiteral("Hora"));

    m_informacoes = {ProductName, Label17, Label16, Label15, Label14, Label11,
                     Label3, Label6, Label7, Comments, Label1};
    MostraInformacoes(false);
    FormCreate();
}

QLabel* Tftelafundo::rotulo(const QString& nome, const QString& texto, int x, int y, int pontos,
                            bool negrito)
{
    auto* r = new QLabel(texto, this);
    r->setObjectName(nome);
    r->setAccessibleName(texto);
    r->setTextFormat(Qt::PlainText);
    QFont fonte = r->font();
    fonte.setPointSize(pontos);
    fonte.setBold(negrito);
    r->setFont(fonte);
    r->move(x, y);
    r->adjustSize();
    return r;
}

void Tftelafundo::FormCreate()
{
    const InformacoesPrograma info = lePrograma(m_arquivo);
    Label3->setText(formataTamanho(info.tamanho));
    Label6->setText(dataCurta(info.modificacao.date()));
    Label7->setText(horaLonga(info.modificacao.time()));
    m_principal.defineVersao(QString::fromLatin1(kVersao));
    Label11->setText(m_principal.Versao());
    for (QLabel* r : {Label3, Label6, Label7, Label11})
        r->adjustSize();
}

void Tftelafundo::MostraInformacoes(bool visivel)
{
    for (QLabel* r : m_informacoes)
        r->setVisible(visivel);
}

void Tftelafundo::Image1MouseMove()
{
    MostraInformacoes(false);
}

void Tftelafundo::Image2MouseMove()
{
    MostraInformacoes(true);
}

bool Tftelafundo::event(QEvent* evento)
{
    // Refresh on every activation of the child window that holds this one.
    if (evento->type() == QEvent::ParentChange) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &Tftelafundo::FormCreate,
                    Qt::UniqueConnection);
    }
    return QWidget::event(evento);
}

bool Tftelafundo::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseMove) {
        if (objeto == Image2)
            Image2MouseMove();
        else if (objeto == Image1)
            Image1MouseMove();
    }
    return QWidget::eventFilter(objeto, evento);
}

void Tftelafundo::resizeEvent(QResizeEvent* evento)
{
    // The background picture is stretched over the whole window; it is drawn
    // anew at each size so it stays sharp.
    Image1->setGeometry(rect());
    Image1->setPixmap(figura(QStringLiteral("fundo"), size()));
    QWidget::resizeEvent(evento);
}

}  // namespace pluvexa
