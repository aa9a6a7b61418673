#include "flows/descarterascunho.h"

#include <QRegularExpression>
#include <algorithm>
#include <utility>

namespace pluvexa {

namespace {

bool contemSemCaixa(const QStringList& nomes, const QString& nome)
{
    return nomes.contains(nome, Qt::CaseInsensitive);
}

// The company and batch as the program writes them in a name.
QString prefixoLote(int empresa, int remessa)
{
    return QStringLiteral("PX_%1_%2_").arg(empresa, 5, 10, QLatin1Char('0')).arg(remessa, 4, 10, QLatin1Char('0'));
}

}  // namespace

NomeRecarga leNomeRecarga(const QString& nome)
{
    static const QRegularExpression padrao(QStringLiteral("^PX_(\\d{1,9})_(\\d{1,9})_(\\d{10})_\\d\\.[A-Z]+$"),
                                           QRegularExpression::CaseInsensitiveOption);
    NomeRecarga r;
    const QRegularExpressionMatch m = padrao.match(nome);
    if (!m.hasMatch())
        return r;
    r.empresa = m.captured(1).toInt();
    r.remessa = m.captured(2).toInt();
    r.remessaTexto = m.captured(2);
    const QString c = m.captured(3);
    const QDate data(2000 + c.mid(0, 2).toInt(), c.mid(2, 2).toInt(), c.mid(4, 2).toInt());
    const QTime hora(c.mid(6, 2).toInt(), c.mid(8, 2).toInt());
    if (data.isValid() && hora.isValid())
        r.carimbo = QDateTime(data, hora);
    return r;
}

QString perguntaDescarteRascunho(const QString& nomeRascunho, const QDateTime& gravadoEm)
{
    const NomeRecarga n = leNomeRecarga(nomeRascunho);
    const QString remessa = n.remessa ? n.remessaTexto : nomeRascunho;
    const QDateTime quando = n.carimbo ? *n.carimbo : gravadoEm;
    return QStringLiteral("Descartar os valores do rascunho da remessa %1 gravado em %2?")
        .arg(remessa, quando.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
}

QStringList botoesDescarteRascunho()
{
    return {QStringLiteral("Descartar"), QStringLiteral("Continuar Alteração")};
}

QString recebidoADevolver(const QString& nomeRascunho, const QStringList& processados, const QStringList& gerados,
                          const QStringList& recebidos)
{
    const NomeRecarga rascunho = leNomeRecarga(nomeRascunho);
    if (!rascunho.empresa || !rascunho.remessa)
        return {};
    const QString prefixo = prefixoLote(*rascunho.empresa, *rascunho.remessa);
    for (const QString& g : gerados)
        if (g.startsWith(prefixo, Qt::CaseInsensitive)
            && (g.endsWith(QStringLiteral("_2.REC"), Qt::CaseInsensitive)
                || g.endsWith(QStringLiteral("_4.REC"), Qt::CaseInsensitive)))
            return {};
    // The newest by the stamp in the name; a name without one counts as
    // oldest, equal stamps go by name.
    auto chave = [](const QString& nome) {
        const NomeRecarga n = leNomeRecarga(nome);
        return std::pair(n.carimbo.value_or(QDateTime()), nome.toUpper());
    };
    QString melhor;
    for (const QString& p : processados) {
        if (!p.startsWith(prefixo, Qt::CaseInsensitive) || !p.endsWith(QStringLiteral("_1.rec"), Qt::CaseInsensitive))
            continue;
        if (melhor.isEmpty() || chave(melhor) < chave(p))
            melhor = p;
    }
    if (melhor.isEmpty() || contemSemCaixa(recebidos, melhor))
        return {};
    return melhor;
}

QString nomeLivre(const QString& nome, const QStringList& existentes)
{
    if (!contemSemCaixa(existentes, nome))
        return nome;
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    const QString base = ponto > 0 ? nome.left(ponto) : nome;
    const QString extensao = ponto > 0 ? nome.mid(ponto) : QString();
    for (int n = 2;; ++n) {
        const QString candidato = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(extensao);
        if (!contemSemCaixa(existentes, candidato))
            return candidato;
    }
}

}  // namespace pluvexa
