#include "exchange/exportacsv.h"

#include "exchange/escrita/csvsaida.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"

#include <algorithm>

namespace pluvexa {

namespace {

// Model text (Windows-1252) as Unicode.
QString texto(std::string_view bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    return ascii ? QString::fromLatin1(bytes.data(), qsizetype(bytes.size())) : deCp1252(std::string(bytes));
}

std::string_view semPreenchimento(std::string_view s)
{
    const std::size_t inicio = s.find_first_not_of(' ');
    if (inicio == std::string_view::npos)
        return {};
    return s.substr(inicio, s.find_last_not_of(' ') - inicio + 1);
}

CelulaSaida valor(double v, bool creditos)
{
    if (creditos)
        return CelulaSaida::deNumero(formata(u"##0", v).toDouble(), formata(u"##0", v), CelulaSaida::Formato::Creditos);
    const QString comoTexto = formata(u"##0.00", v);
    // The value shown is the value stored: the cents the CSV carries.
    QString ponto = comoTexto;
    ponto.replace(QLatin1Char(','), QLatin1Char('.'));
    return CelulaSaida::deNumero(ponto.toDouble(), comoTexto, CelulaSaida::Formato::Dinheiro);
}

CelulaSaida inteiro(long long n)
{
    return CelulaSaida::deNumero(double(n), QString::number(n));
}

}  // namespace

TabelaSaida tabelaTitulares(const ModeloRecarga& modelo)
{
    TabelaSaida t;
    t.aba = QStringLiteral("Titulares");
    t.cabecalho = QStringList{QStringLiteral("Usuário"), QStringLiteral("Cartão"), QStringLiteral("Matrícula"),
                              QStringLiteral("Nome"),    QStringLiteral("Tipo"),   QStringLiteral("Tarifa"),
                              QStringLiteral("Valor"),   QStringLiteral("Vlr.Última Rec")};
    const int n = std::clamp(modelo.QtdRecarga, 0, int(modelo.wRecarga.size()));
    t.linhas.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const Recarga& r = modelo.wRecarga[std::size_t(i)];
        const bool creditos = r.TipoCartao >= 0 && r.TipoCartao < kTiposCartao
                              && modelo.wTipoCartao[std::size_t(r.TipoCartao)].Modalidade != Dinheiro;
        t.linhas.push_back({CelulaSaida::deTexto(QString::number(r.Usuario)),
                            CelulaSaida::deTexto(QString::number(r.Cartao)), CelulaSaida::deTexto(texto(r.Matricula)),
                            CelulaSaida::deTexto(texto(semPreenchimento(r.Nome))), inteiro(r.TipoCartao),
                            inteiro(r.Grupo[0].Tarifa), valor(r.Grupo[0].Valor, creditos),
                            valor(r.Historico[0][0], creditos)});
    }
    return t;
}

std::string geraPlanilha(const ModeloRecarga& modelo)
{
    return csvDaTabela(tabelaTitulares(modelo), ConvencaoCsv::Arquivo);
}

bool exportaPlanilha(const ModeloRecarga& modelo, FormatoPlanilha formato, const QString& destino,
                     FalhaArquivo* falha)
{
    return gravaTabela(tabelaTitulares(modelo), formato, destino, falha);
}

bool exportaPlanilha(const ModeloRecarga& modelo, const QString& destino, QString* erro)
{
    return gravaTabela(tabelaTitulares(modelo), formatoDoNome(destino).value_or(FormatoPlanilha::Csv), destino, erro);
}

}  // namespace pluvexa
