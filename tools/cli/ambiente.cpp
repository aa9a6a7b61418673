#include "ambiente.h"

#include "files/pastastrabalho.h"

#include <QDir>
#include <algorithm>
#include <vector>

namespace pluvexa::cli {

QString raizCli()
{
    const QString daVariavel = qEnvironmentVariable(kVariavelRaiz);
    return daVariavel.isEmpty() ? raizTrabalho() : daVariavel;
}

QString recebidosCli() { return QDir(raizCli()).filePath(QStringLiteral("Recebidos")); }
QString logCli() { return QDir(raizCli()).filePath(QStringLiteral("Log")); }

QString citado(const QString& path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

bool ehSaidaPadrao(const QString& saida)
{
    return saida == QLatin1String("-");
}

namespace {

qsizetype distancia(const QString& a, const QString& b)
{
    std::vector<qsizetype> anterior(std::size_t(b.size()) + 1);
    std::vector<qsizetype> atual(anterior.size());
    for (qsizetype j = 0; j <= b.size(); ++j)
        anterior[std::size_t(j)] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        atual[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype troca = anterior[std::size_t(j - 1)] + (a[i - 1] == b[j - 1] ? 0 : 1);
            atual[std::size_t(j)] =
                std::min({anterior[std::size_t(j)] + 1, atual[std::size_t(j - 1)] + 1, troca});
        }
        std::swap(anterior, atual);
    }
    return anterior[std::size_t(b.size())];
}

}  // namespace

QString maisProxima(const QString& digitada, const QStringList& conhecidas)
{
    QString melhor;
    qsizetype menor = 0;
    for (const QString& c : conhecidas) {
        const qsizetype d = distancia(digitada.toLower(), c);
        if (melhor.isEmpty() || d < menor) {
            melhor = c;
            menor = d;
        }
    }
    // A third of the name may be wrong, at least two letters: "--lmit" is
    // "--limit", "--x" is nothing.
    const qsizetype tolerada = std::max<qsizetype>(2, digitada.size() / 3);
    return !melhor.isEmpty() && menor <= tolerada && menor < digitada.size() ? melhor : QString();
}

}  // namespace pluvexa::cli
