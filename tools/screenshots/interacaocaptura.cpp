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
    auto* caixa = qobject_cast<QMessageBox*>(dialogo);
    if (!caixa)
        falha(QStringLiteral("the dialog is no message box"));
    for (QAbstractButton* b : caixa->buttons()) {
        if (semAtalho(b->text()) == botao) {
            b->click();
            return;
        }
    }
    falha(QStringLiteral("no button \"%1\" in \"%2\"").arg(botao, caixa->text()));
}

}  // namespace

InteracaoCaptura& InteracaoCaptura::espera(const QString& trecho, const QString& botao, const QString& foto)
{
    m_passos.push_back({Passo::Dialogo, trecho, botao, foto});
    return *this;
}

InteracaoCaptura& InteracaoCaptura::esperaVisualizacao(const QString& foto)
{
    m_passos.push_back({Passo::Visualizacao, {}, {}, foto});
    return *this;
}

InteracaoCaptura& InteracaoCaptura::esperaArquivo(const QString& caminho)
{
    m_passos.push_back({Passo::Arquivo, caminho, {}, {}});
    return *this;
}

void InteracaoCaptura::confereFim() const
{
    if (!m_passos.empty())
        falha(QStringLiteral("a dialog announced did not show: \"%1\"").arg(m_passos.front().texto));
}

InteracaoCaptura::Passo InteracaoCaptura::proximo(Passo::Tipo tipo, const QString& texto)
{
    std::printf("  dialog: %s\n", qPrintable(QString(texto).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    if (m_passos.empty())
        falha(QStringLiteral("a dialog nobody announced: \"%1\"").arg(texto));
    Passo p = m_passos.front();
    m_passos.pop_front();
    if (p.tipo != tipo || (tipo == Passo::Dialogo && !texto.contains(p.texto)))
        falha(QStringLiteral("\"%1\" showed where \"%2\" was announced").arg(texto, p.texto));
    return p;
}

void InteracaoCaptura::mostraReal(const Passo& passo, const std::function<void()>& mostra)
{
    quandoModal([this, passo](QWidget* dialogo) {
        m_fotografo.fotografa(dialogo, passo.foto);
        pressiona(dialogo, passo.botao);
    });
    mostra();
}

void InteracaoCaptura::notice(const QString& text, Icon icon, const QString& caption)
{
    const Passo p = proximo(Passo::Dialogo, text);
    if (!p.foto.isEmpty())
        mostraReal(p, [&] { m_real.notice(text, icon, caption); });
}

bool InteracaoCaptura::question(const QString& text, const QString& caption)
{
    const Passo p = proximo(Passo::Dialogo, text);
    if (p.foto.isEmpty())
        return p.botao == QStringLiteral("Sim");
    bool resposta = false;
    mostraReal(p, [&] { resposta = m_real.question(text, caption); });
    return resposta;
}

bool InteracaoCaptura::confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption)
{
    const Passo p = proximo(Passo::Dialogo, text);
    if (p.foto.isEmpty())
        return p.botao == QStringLiteral("Sim");
    bool resposta = false;
    mostraReal(p, [&] { resposta = m_real.confirm(text, buttons, icon, caption); });
    return resposta;
}

int InteracaoCaptura::confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                              int padrao)
{
    const Passo p = proximo(Passo::Dialogo, text);
    if (p.foto.isEmpty()) {
        const int i = int(buttons.indexOf(p.botao));
        if (i < 0)
            falha(QStringLiteral("no button \"%1\" in \"%2\"").arg(p.botao, text));
        return i;
    }
    int resposta = -1;
    mostraReal(p, [&] { resposta = m_real.confirm(text, buttons, icon, caption, padrao); });
    return resposta;
}

void InteracaoCaptura::errorBox(const QString& text)
{
    const Passo p = proximo(Passo::Dialogo, text);
    if (!p.foto.isEmpty())
        mostraReal(p, [&] { m_real.errorBox(text); });
}

QString InteracaoCaptura::openFileName(const QString&, const QString&, const QString&)
{
    return proximo(Passo::Arquivo, QStringLiteral("(file chooser)")).texto;
}

QString InteracaoCaptura::saveFileName(const QString&, const QString&, const QString&)
{
    return proximo(Passo::Arquivo, QStringLiteral("(file chooser)")).texto;
}

void InteracaoCaptura::printPreview(const std::function<void(QPagedPaintDevice*)>& paint,
                                    const std::function<QString()>& savePdf)
{
    const Passo p = proximo(Passo::Visualizacao, QStringLiteral("(print preview)"));
    if (p.foto.isEmpty())
        return;
    quandoModal([this, p](QWidget* dialogo) {
        // The preview takes the whole screen; the picture keeps to the
        // width the help window shows, at the page's width, where its lines
        // still read.
        dialogo->setWindowState(Qt::WindowNoState);
        dialogo->resize(900, 640);
        // Its own "fit width" button, so that the tool bar shows it pressed.
        if (auto* largura = dialogo->findChild<QAction*>(QStringLiteral("fitWidthAction")))
            largura->trigger();
        m_fotografo.fotografa(dialogo, p.foto);
        qobject_cast<QDialog*>(dialogo)->reject();
    });
    m_real.printPreview(paint, savePdf);
}

}  // namespace pluvexa::capturas
