#include "grid/filtroportadores.h"

#include "grid/celulasgrid.h"
#include "grid/preenchegrid.h"
#include "recharge/cp1252.h"

namespace pluvexa {

QString semAcentos(const QString& texto)
{
    const QString decomposto = texto.trimmed().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposto.size());
    for (const QChar c : decomposto)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toLower();
    return out;
}

FiltroPortadores::FiltroPortadores(const QString& consulta)
    : m_consulta(semAcentos(consulta)), m_prefixo(paraCp1252(consulta.trimmed()))
{
}

bool FiltroPortadores::aceita(const Recarga& h) const
{
    if (!ativo())
        return true;
    if (!m_prefixo.empty() && h.Matricula.compare(0, m_prefixo.size(), m_prefixo) == 0)
        return true;
    if (QString::number(h.Cartao).startsWith(m_consulta))
        return true;
    return semAcentos(deCp1252(h.Nome)).contains(m_consulta);
}

OndeListado ondeListado(const ModeloRecarga& m, int h)
{
    OndeListado o;
    if (h < 0 || h >= qtdTitulares(m))
        return o;
    const Recarga& r = m.wRecarga[size_t(h)];
    o.tipo = r.TipoCartao;
    const int k = modalidade(m, r.TipoCartao);
    for (const GrupoRecarga& g : r.Grupo)
        if (grupoMostrado(r, g.Tarifa, k) >= 0) {
            o.tarifa = g.Tarifa;
            break;
        }
    return o;
}

std::vector<int> localizaNoArquivo(const ModeloRecarga& m, const FiltroPortadores& filtro)
{
    std::vector<int> achados;
    if (!filtro.ativo())
        return achados;
    const int n = qtdTitulares(m);
    for (int i = 0; i < n; ++i)
        if (filtro.aceita(m.wRecarga[size_t(i)]) && ondeListado(m, i).tarifa >= 0)
            achados.push_back(i);
    return achados;
}

}  // namespace pluvexa
