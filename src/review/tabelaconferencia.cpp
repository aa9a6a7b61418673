#include "review/tabelaconferencia.h"

#include "recharge/cp1252.h"
#include "review/textosconferencia.h"

#include <cmath>

namespace pluvexa {

namespace {

CelulaSaida unidades(long long u, bool creditos)
{
    return CelulaSaida::deNumero(creditos ? double(u) : double(u) / 100.0, unidadesComoTexto(u, creditos),
                                 creditos ? CelulaSaida::Formato::Creditos : CelulaSaida::Formato::Dinheiro);
}

QString semPreenchimento(const Texto& bytes)
{
    const std::size_t inicio = bytes.find_first_not_of(' ');
    return inicio == Texto::npos ? QString()
                                 : deCp1252(bytes.substr(inicio, bytes.find_last_not_of(' ') - inicio + 1));
}

// One decimal, as the review page shows it; empty without a usual value.
CelulaSaida variacao(std::optional<double> v)
{
    if (!v)
        return CelulaSaida::vazia();
    const double arredondada = std::round(*v * 10.0) / 10.0;
    return CelulaSaida::deNumero(arredondada,
                                 QString::number(arredondada, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')));
}

}  // namespace

TabelaSaida tabelaConferencia(const ModeloRecarga& m, const Conferencia& c)
{
    TabelaSaida t;
    t.aba = QStringLiteral("Conferência");
    t.cabecalho = QStringList{QStringLiteral("Usuário"), QStringLiteral("Cartão"), QStringLiteral("Matrícula"),
                              QStringLiteral("Nome"),    QStringLiteral("Tipo"),   QStringLiteral("Valor"),
                              QStringLiteral("Habitual"), QStringLiteral("Variação %"), QStringLiteral("Motivo")};
    t.linhas.reserve(c.titulares.size());
    for (const TitularConferido& titular : c.titulares) {
        const Recarga& r = m.wRecarga[std::size_t(titular.indice)];
        const std::optional<long long> habitual = habitualArredondado(titular);
        t.linhas.push_back({CelulaSaida::deTexto(QString::number(r.Usuario)),
                            CelulaSaida::deTexto(QString::number(r.Cartao)),
                            CelulaSaida::deTexto(semPreenchimento(r.Matricula)),
                            CelulaSaida::deTexto(semPreenchimento(r.Nome)),
                            CelulaSaida::deNumero(r.TipoCartao, QString::number(r.TipoCartao)),
                            unidades(titular.valores.valor, titular.creditos),
                            habitual ? unidades(*habitual, titular.creditos) : CelulaSaida::vazia(),
                            variacao(titular.variacao()),
                            CelulaSaida::deTexto(textoMotivo(titular.motivo))});
    }
    return t;
}

}  // namespace pluvexa
