// F1's page for each window and page: a page of the manual that exists, at
// a place named in it, about what the operator is looking at.

#include "paginasmanual.h"

#include "help/paginaajuda.h"

#include <QStackedWidget>
#include <QTextDocument>
#include <QWidget>
#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

struct CasoAjuda {
    const char* janela;
    const char* pagina;
    const char* endereco;
    const char* titulo;  // words the page's heading holds
};

void PrintTo(const CasoAjuda& c, std::ostream* os) { *os << c.janela << '/' << c.pagina; }

class PaginaAjuda : public ::testing::TestWithParam<CasoAjuda> {};

TEST_P(PaginaAjuda, LeadsToAnExistingPlaceAboutThatPage)
{
    const CasoAjuda& c = GetParam();
    const QUrl url = paginaAjuda(QString::fromLatin1(c.janela), QString::fromLatin1(c.pagina));
    EXPECT_EQ(url.toString(), QString::fromLatin1(c.endereco));
    const QString arquivo = url.path();
    ASSERT_TRUE(paginasManual().contains(arquivo)) << arquivo.toStdString();
    const auto doc = documentoPagina(arquivo);
    if (url.hasFragment())
        EXPECT_TRUE(conteudo(*doc).ancoras.contains(url.fragment())) << url.fragment().toStdString();
    EXPECT_TRUE(textoPagina(arquivo).contains(QString::fromUtf8(c.titulo))) << c.titulo;
}

INSTANTIATE_TEST_SUITE_P(
    Janelas, PaginaAjuda,
    ::testing::Values(CasoAjuda{"fcadrecarga", "tbarquivos", "processar.html#arquivos", "A página de arquivos"},
                      CasoAjuda{"fcadrecarga", "tbDigitacao", "digitar.html#grade", "A página de digitação"},
                      CasoAjuda{"fcadrecarga", "tblog", "log.html", "<h1>A página LOG</h1>"},
                      CasoAjuda{"fcadrecarga", "tbconferencia", "conferir.html#conferir", "Conferir antes de enviar"},
                      CasoAjuda{"fhistorico", "", "historico.html", "<h1>Histórico dos lotes gerados</h1>"},
                      CasoAjuda{"fcargaarquivos", "", "carga.html", "<h1>Carga Arquivos"},
                      // The background, or no work window: the first page.
                      CasoAjuda{"ftelafundo", "", "index.html", "Sumário"},
                      CasoAjuda{"", "", "index.html", "Sumário"}),
    [](const auto& info) {
        return std::string(info.param.janela[0] ? info.param.janela : "nenhuma") + "_"
               + (info.param.pagina[0] ? info.param.pagina : "unica");
    });

// A window is read as it stands: its name and its page control's page.
TEST(PaginaAjudaJanela, ReadsTheCurrentPageOfTheWindow)
{
    QWidget janela;
    janela.setObjectName(QStringLiteral("fcadrecarga"));
    auto* paginas = new QStackedWidget(&janela);
    paginas->setObjectName(QStringLiteral("PageControl1"));
    for (const char* nome : {"tbarquivos", "tbDigitacao", "tblog"}) {
        auto* p = new QWidget;
        p->setObjectName(QString::fromLatin1(nome));
        paginas->addWidget(p);
    }
    paginas->setCurrentIndex(2);
    EXPECT_EQ(paginaAjuda(&janela).toString(), QStringLiteral("log.html"));
    paginas->setCurrentIndex(1);
    EXPECT_EQ(paginaAjuda(&janela).toString(), QStringLiteral("digitar.html#grade"));
    EXPECT_EQ(paginaAjuda(nullptr).toString(), QStringLiteral("index.html"));
}

}  // namespace
}  // namespace pluvexa::test
