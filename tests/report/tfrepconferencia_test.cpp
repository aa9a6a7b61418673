#include "formfixture.h"
#include "report/tfrepconferencia.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

const QDateTime kAgora(QDate(2026, 12, 10), QTime(9, 30, 5));

// `n` holders of one money card type, each 10,50 now against a usual 5,00:
// every one "Acima do habitual".
struct ConferenciaPronta {
    ModeloRecarga m;
    Conferencia c;
    Tfrepconferencia form;

    explicit ConferenciaPronta(int n, std::vector<int> ordem = {})
    {
        test::preencheModelo(m, n);
        for (int i = 0; i < n; ++i)
            m.wRecarga[size_t(i)].Historico[0] = {5.0, 5.0, 0.0};
        c = confere(m, 50);
        if (ordem.empty())
            for (int i = 0; i < n; ++i)
                ordem.push_back(i);
        preparaConferencia(form, m, c,
                           {QStringLiteral("  123 - EMPRESA DEMO "), QStringLiteral("/tmp/PX_00123_0007_2612100930_1.rec"),
                            QStringLiteral("Todos"), ordem});
    }
};

TEST(Tfrepconferencia, HeaderLimitMotiveAndTheHoldersInTheOrderShown)
{
    ConferenciaPronta p(3, {2, 0, 1});
    ASSERT_EQ(p.c.titulares.size(), 3u);
    const report::Document doc = p.form.prepara(kAgora);
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList textos = doc.textsOfPage(0);
    for (const char* t : {"Conferência da Recarga", "123 - EMPRESA DEMO", "Arquivo : /tmp/PX_00123_0007_2612100930_1.rec",
                          "Limite de variação : 50%    Motivo : Todos", "2.1.1.01C  - Pluvexa"})
        EXPECT_TRUE(textos.contains(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(textos.contains(cabecalhoConferencia()));

    const QStringList& l = p.form.Linhas;
    ASSERT_GE(l.size(), 3);
    EXPECT_TRUE(l[0].startsWith(QStringLiteral("1002        TITULAR 2 SÃO PAULO")));
    EXPECT_TRUE(l[1].startsWith(QStringLiteral("1000 ")));
    EXPECT_TRUE(l[2].startsWith(QStringLiteral("1001 ")));
    EXPECT_TRUE(l[0].endsWith(QStringLiteral("  Acima do habitual")));
    // Values stand right-aligned under their headings.
    const QString h = cabecalhoConferencia();
    EXPECT_EQ(l[0].indexOf(QStringLiteral("10,50")) + 5, h.indexOf(QStringLiteral("Valor")) + 5);
    EXPECT_EQ(l[0].indexOf(QStringLiteral("5,00")) + 4, h.indexOf(QStringLiteral("Habitual")) + 8);
    EXPECT_EQ(l[0].indexOf(QStringLiteral("+110,0")) + 6, h.indexOf(QStringLiteral("Variação %")) + 10);
    EXPECT_TRUE(l.contains(QStringLiteral("Titulares assinalados : 3")));
    EXPECT_TRUE(l.contains(QStringLiteral("Resumo por Tipo de Cartão")));
    const auto resumo = std::find_if(l.begin(), l.end(), [](const QString& s) { return s.startsWith("   1 ESCOLAR"); });
    ASSERT_NE(resumo, l.end());
    EXPECT_TRUE(resumo->simplified().endsWith(QStringLiteral("3 31,50 15,00 +110,0"))) << resumo->toStdString();
}

TEST(Tfrepconferencia, LongReviewBreaksIntoPagesWithTheHeadingOnEachAndPreparesAlike)
{
    ConferenciaPronta p(100);
    const report::Document doc = p.form.prepara(kAgora);
    ASSERT_GE(doc.pages.size(), 3u);
    for (size_t i = 0; i < doc.pages.size(); ++i)
        EXPECT_TRUE(doc.textsOfPage(i).contains(cabecalhoConferencia())) << i;
    const report::Document outra = p.form.prepara(kAgora);
    ASSERT_EQ(outra.pages.size(), doc.pages.size());
    for (size_t i = 0; i < doc.pages.size(); ++i)
        EXPECT_EQ(outra.textsOfPage(i), doc.textsOfPage(i));
}

TEST(Tfrepconferencia, NothingFlaggedSaysSo)
{
    ConferenciaPronta p(0);
    EXPECT_EQ(p.form.Linhas.first(), QStringLiteral("Nenhum titular assinalado."));
    EXPECT_TRUE(p.form.Linhas.contains(QStringLiteral("Titulares assinalados : 0")));
}

}  // namespace
}  // namespace pluvexa
