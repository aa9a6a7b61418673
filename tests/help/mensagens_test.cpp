// The manual quotes the program's messages exactly. Each quotation (an
// element of class "msg") is cut at its varying parts (<var>) and line
// breaks; every piece left must be written in the program's sources, where
// adjacent string literals are read as one. A message reworded in the
// program and not in the manual fails here.

#include "paginasmanual.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

QString espacosSimples(QString t)
{
    return t.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// The texts of the sources, each file's adjacent literals joined ("a" "b"
// is "ab") and blanks folded as HTML folds them.
const QString& fontes()
{
    static const QString todas = [] {
        QString t;
        QDirIterator it(QStringLiteral(PLUVEXA_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        static const QRegularExpression juntas(QStringLiteral("\"\\s*\\n\\s*\""));
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly))
                t += QString::fromUtf8(f.readAll()).replace(juntas, QString()) + QLatin1Char('\n');
        }
        return espacosSimples(t.replace(QStringLiteral("\\n"), QStringLiteral(" ")));
    }();
    return todas;
}

QString semEntidades(QString t)
{
    return t.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// The fixed pieces of a quotation, connecting blanks and punctuation at
// their ends left out.
QStringList pedacos(const QString& citacao)
{
    static const QRegularExpression cortes(QStringLiteral("<var>.*?</var>|<br>"));
    static const QRegularExpression pontas(QStringLiteral("^[\\s\\-():.,;!?']+|[\\s\\-():.,;!?']+$"));
    QStringList res;
    for (QString p : citacao.split(cortes)) {
        p = espacosSimples(semEntidades(p)).remove(pontas);
        if (p.size() >= 2)
            res << p;
    }
    return res;
}

TEST(ManualMensagens, QuotesTheProgramsOwnTexts)
{
    ASSERT_TRUE(fontes().contains(QStringLiteral("Valor Inválido - Verifique!"))) << "the sources were not read";
    static const QRegularExpression citacao(QStringLiteral("<(td|span) class=\"msg\">(.*?)</\\1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    int citacoes = 0;
    for (const QString& nome : paginasManual()) {
        auto it = citacao.globalMatch(textoPagina(nome));
        while (it.hasNext()) {
            const QString texto = it.next().captured(2);
            ++citacoes;
            for (const QString& p : pedacos(texto))
                EXPECT_TRUE(fontes().contains(p)) << nome.toStdString() << ": \"" << p.toStdString()
                                                  << "\" is in no source file";
        }
    }
    EXPECT_GT(citacoes, 60);
}

// The check itself: a reworded message is caught, a varying part is not
// taken for text.
TEST(ManualMensagens, PiecesLeaveOutTheVaryingParts)
{
    EXPECT_EQ(pedacos(QStringLiteral("Valor Maior que o Permitido(R$<var>600,00</var>) - Verifique!")),
              (QStringList{QStringLiteral("Valor Maior que o Permitido(R$"), QStringLiteral("Verifique")}));
    EXPECT_EQ(pedacos(QStringLiteral("Log da operação gerado em<br>\n<var>caminho</var>")),
              QStringList{QStringLiteral("Log da operação gerado em")});
    EXPECT_TRUE(fontes().contains(QStringLiteral("Operação Concluída com Advertências %1 valor(es) importado(s), "
                                                 "%2 linha(s) recusada(s) - veja o relatório")))
        << "literals split over lines are read as one";
    EXPECT_FALSE(fontes().contains(QStringLiteral("Valor Invalido - Verifique!")));
}

}  // namespace
}  // namespace pluvexa::test
