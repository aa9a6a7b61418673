#include "interacaocaptura.h"

#include "fotografo.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QMessageBox>
#include <cstdio>

namespace pluvexa::capturas {

namespace {

QString semAtalho(QString texto)
{
    return texto.remove(QLatin1Char('&'));
}

// Presses the button of the box whose caption (without its shortcut mark)
// is `botao`.
void pressiona(QWidget* dialogo, const QString& botao)
{
    // A message box's buttons, or those of a dialog of the program's own
    // (the column mapping).
    auto* caixa = qobject_cast<QMessageBox*>(dialogo);
    const QList<QAbstractButton*> botoes = caixa ? caixa->buttons() : dialogo->findChildren<QAbstractButton*>();
    for (QAbstractButton* b : botoes) {
        if (semAtalho(b->text()) == botao) {
            b->click();
            return;
        }
    }
    falha(QStringLiteral("no button \"%1\" in \"%2\"").arg(botao, caixa ? caixa->text() : dialogo->windowTitle()));
}

}  // namespace

InteracaoCaptura& InteracaoCaptura::espera(const QString& trecho, const QString& botao, const QString& foto)
{
    InteracaoRoteirizada::espera(
        {Tipo::Dialogo, trecho, Casamento::Trecho, botao == QStringLiteral("Sim"), botao, -1, {}, {}, foto});
    return *this;
}

InteracaoCaptura& InteracaoCaptura::esperaColunas(const QString& trecho, const QString& botao, const QString& foto)
{
    InteracaoRoteirizada::espera({Tipo::Colunas, trecho, Casamento::Trecho, false, botao, -1, {}, {}, foto});
    return *this;
}

InteracaoCaptura& InteracaoCaptura::esperaVisualizacao(const QString& foto)
{
    InteracaoRoteirizada::espera({Tipo::Visualizacao, {}, Casamento::Igual, false, {}, -1, {}, {}, foto});
    return *this;
}

InteracaoCaptura& InteracaoCaptura::esperaArquivo(const QString& caminho)
{
    InteracaoRoteirizada::espera({Tipo::Arquivo, caminho});
    return *this;
}

void InteracaoCaptura::confereFim()
{
    if (!allConsumed())
        falha(QStringLiteral("a dialog announced did not show: \"%1\"").arg(pendentes().front().texto));
}

void InteracaoCaptura::falha(const QString& porque)
{
    capturas::falha(porque);
}

InteracaoCaptura::Passo InteracaoCaptura::proximo(Tipo tipo, const QString& texto)
{
    const QString dito = tipo == Tipo::Visualizacao ? QStringLiteral("(print preview)") : texto;
    std::printf("  dialog: %s\n", qPrintable(QString(dito).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    return InteracaoRoteirizada::proximo(tipo, texto);
}

Interaction* InteracaoCaptura::real(const Passo& passo)
{
    if (passo.etiqueta.isEmpty())
        return nullptr;
    if (passo.tipo != Tipo::Visualizacao) {
        quandoModal([this, passo](QWidget* dialogo) {
            m_fotografo.fotografa(dialogo, passo.etiqueta);
            pressiona(dialogo, passo.botao);
        });
        return &m_real;
    }
    quandoModal([this, passo](QWidget* dialogo) {
        // The preview takes the whole screen; the picture keeps to the
        // width the help window shows, at the page's width, where its lines
        // still read.
        dialogo->setWindowState(Qt::WindowNoState);
        dialogo->resize(900, 640);
        // Its own "fit width" button, so that the tool bar shows it pressed.
        if (auto* largura = dialogo->findChild<QAction*>(QStringLiteral("fitWidthAction")))
            largura->trigger();
        m_fotografo.fotografa(dialogo, passo.etiqueta);
        qobject_cast<QDialog*>(dialogo)->reject();
    });
    return &m_real;
}

}  // namespace pluvexa::capturas
