#include "shell/tfsobre.h"

#include "codec/builtinkeys.h"
#include "shell/arte.h"
#include "shell/formatodata.h"
#include "shell/informacoesprograma.h"
#include "shell/tfprincipal.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pluvexa {

Tfsobre::Tfsobre(const Tfprincipal& principal, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_principal(principal)
{
    setObjectName(QStringLiteral("fsobre"));
    setWindowTitle(QStringLiteral("Sobre"));
    setAccessibleName(windowTitle());
    setFixedSize(543, 361);

    auto* moldura = new QFrame(this);
    moldura->setFrameStyle(QFrame::Panel | QFrame::Raised);
    moldura->setGeometry(rect());

    auto criaRotulo = [moldura](const QString& nome) {
        auto* r = new QLabel(moldura);
        r->setObjectName(nome);
        r->setTextFormat(Qt::PlainText);
        return r;
    };
    ProgramIcon = criaRotulo(QStringLiteral("ProgramIcon"));
    ProgramIcon->setAccessibleName(QStringLiteral("Ícone do programa"));
    ProgramIcon->setPixmap(figura(QStringLiteral("programa"), QSize(64, 64)));
    ProgramIcon->setFixedSize(64, 64);
    ProductName = criaRotulo(QStringLiteral("ProductName"));
    QFont negrito = ProductName->font();
    negrito.setBold(true);
    negrito.setPointSize(negrito.pointSize() + 3);
    ProductName->setFont(negrito);
    Version = criaRotulo(QStringLiteral("Version"));
    Tamanho = criaRotulo(QStringLiteral("Tamanho"));
    Data = criaRotulo(QStringLiteral("Data"));
    Hora = criaRotulo(QStringLiteral("Hora"));
    Company = criaRotulo(QStringLiteral("Company"));
    Comments = criaRotulo(QStringLiteral("Comments"));
    Comments->setWordWrap(true);
    Contato = criaRotulo(QStringLiteral("Contato"));
    Contato->setWordWrap(true);
    Chaves = criaRotulo(QStringLiteral("Chaves"));
    Chaves->setWordWrap(true);
    Chaves->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));

    OKButton = new QPushButton(QStringLiteral("OK"), moldura);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAccessibleName(OKButton->text());
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &Tfsobre::OKClick);

    auto* grade = new QGridLayout(moldura);
    grade->setContentsMargins(24, 24, 24, 18);
    grade->setHorizontalSpacing(18);
    grade->addWidget(ProgramIcon, 0, 0, 3, 1, Qt::AlignTop);
    grade->addWidget(ProductName, 0, 1);
    grade->addWidget(Version, 1, 1);
    grade->addWidget(Company, 2, 1);
    grade->addWidget(Tamanho, 3, 1);
    grade->addWidget(Data, 4, 1);
    grade->addWidget(Hora, 5, 1);
    grade->addWidget(Comments, 6, 1);
    grade->addWidget(Contato, 7, 1);
    grade->addWidget(Chaves, 8, 1);
    grade->setRowStretch(9, 1);
    grade->addWidget(OKButton, 10, 1, Qt::AlignRight);
    grade->setColumnStretch(1, 1);

    FormCreate();
}

void Tfsobre::FormCreate()
{
    const InformacoesPrograma info = lePrograma(QCoreApplication::applicationFilePath());
    ProductName->setText(QApplication::applicationName());
    Version->setText(QStringLiteral("Versão: ") + m_principal.Versao());
    Tamanho->setText(QStringLiteral("Tamanho: ") + formataTamanho(info.tamanho));
    Data->setText(QStringLiteral("Data: ") + dataCurta(info.modificacao.date()));
    Hora->setText(QStringLiteral("Hora: ") + horaLonga(info.modificacao.time()));
    Company->setText(kEmpresa);
    Comments->setText(kAvisoFabricante);
    Contato->setText(kContatoFabricante);
    Chaves->setText(kAvisoChavesDemonstracao);
    Chaves->setVisible(builtin_keys_are_demonstration());
    for (QLabel* r : {ProductName, Version, Tamanho, Data, Hora, Company, Comments, Contato, Chaves})
        r->setAccessibleName(r->text());
}

void Tfsobre::OKClick()
{
    close();
}

}  // namespace pluvexa
