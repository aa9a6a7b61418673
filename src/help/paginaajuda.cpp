#include "help/paginaajuda.h"

#include <QStackedWidget>
#include <QWidget>

namespace pluvexa {

namespace {

struct Ajuda {
    const char* janela;
    const char* pagina;  // nullptr: any page of the window
    const char* endereco;
};

// The maintenance window's pages first, then the windows of one page.
constexpr Ajuda kAjudas[] = {
    {"fcadrecarga", "tbarquivos", "processar.html#arquivos"},
    {"fcadrecarga", "tbDigitacao", "digitar.html#grade"},
    {"fcadrecarga", "tblog", "log.html"},
    {"fcadrecarga", "tbconferencia", "conferir.html#conferir"},
    {"fcadrecarga", nullptr, "processar.html"},
    {"fhistorico", nullptr, "historico.html"},
    {"fcargaarquivos", nullptr, "carga.html"},
};

}  // namespace

QUrl paginaAjuda(const QString& janela, const QString& pagina)
{
    for (const Ajuda& a : kAjudas)
        if (janela == QLatin1String(a.janela) && (!a.pagina || pagina == QLatin1String(a.pagina)))
            return QUrl(QString::fromLatin1(a.endereco));
    return QUrl(QStringLiteral("index.html"));
}

QUrl paginaAjuda(const QWidget* janela)
{
    if (!janela)
        return paginaAjuda(QString(), QString());
    const auto* paginas = janela->findChild<const QStackedWidget*>(QStringLiteral("PageControl1"));
    const QWidget* atual = paginas ? paginas->currentWidget() : nullptr;
    return paginaAjuda(janela->objectName(), atual ? atual->objectName() : QString());
}

}  // namespace pluvexa
