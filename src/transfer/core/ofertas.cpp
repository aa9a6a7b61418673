#include "transfer/core/ofertas.h"

#include <QRegularExpression>

namespace pluvexa {

QString pastaInicialDestino(const QString& atual, const FonteVolumes& fonte)
{
    const QList<Unidade> unidades = unidadesMontadas(atual, fonte);
    const QString raizAtual = raizDaUnidade(atual, fonte);
    for (const Unidade& u : unidades)
        if (u.removivel && u.raiz == raizAtual)
            return atual;
    for (const Unidade& u : unidades)
        if (u.removivel)
            return u.raiz;
    return atual;
}

int respostaMaisNova(const QStringList& nomes)
{
    static const QRegularExpression resposta(QStringLiteral("^PX_\\d{5}_\\d{4}_(\\d{10})_2\\.REC$"),
                                             QRegularExpression::CaseInsensitiveOption);
    int maisNova = -1;
    QString quando;
    for (int i = 0; i < nomes.size(); ++i) {
        const QRegularExpressionMatch m = resposta.match(nomes[i]);
        // yyMMddHHmm sorts as text in time order within the century.
        if (m.hasMatch() && m.captured(1) >= quando) {
            quando = m.captured(1);
            maisNova = i;
        }
    }
    return maisNova;
}

}  // namespace pluvexa
