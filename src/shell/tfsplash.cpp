#include "shell/tfsplash.h"

#include "shell/arte.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

namespace pluvexa {

Tfsplash::Tfsplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fsplash"));
    setAccessibleName(QStringLiteral("Pluvexa"));
    setFixedSize(426, 302);
    setAutoFillBackground(true);
    QPalette prata = palette();
    prata.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(prata);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Pluvexa"));
    Image1->setGeometry(rect());
    Image1->setScaledContents(true);
    Image1->setPixmap(figura(QStringLiteral("splash"), size()));

    QPalette textoPrata;
    textoPrata.setColor(QPalette::WindowText, QColor(192, 192, 192));

    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setAccessibleName(QStringLiteral("Módulo"));
    Label4->setGeometry(34, 241, 355, 21);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont negrito = Label4->font();
    negrito.setPointSize(11);
    negrito.setBold(true);
    Label4->setFont(negrito);
    Label4->setPalette(textoPrata);

    Label1 = new QLabel(QStringLiteral("Processando. Aguarde ..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(Label1->text());
    Label1->move(19, 138);
    QFont pequena = Label1->font();
    pequena.setPointSize(8);
    Label1->setFont(pequena);
    Label1->setPalette(textoPrata);
    Label1->adjustSize();
    Label1->hide();

    CGauge1 = new QProgressBar(this);
    CGauge1->setObjectName(QStringLiteral("CGauge1"));
    CGauge1->setAccessibleName(QStringLiteral("Progresso"));
    CGauge1->setGeometry(40, 272, 357, 9);
    CGauge1->setRange(0, 100);
    CGauge1->setValue(0);
    CGauge1->setTextVisible(false);
    CGauge1->setStyleSheet(QStringLiteral(
        "QProgressBar { border: none; background: white; }"
        "QProgressBar::chunk { background: navy; }"));

    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

}  // namespace pluvexa
