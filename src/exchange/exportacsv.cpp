#include "exchange/exportacsv.h"

#include "exchange/fonteregistros.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"

namespace pluvexa {

namespace {

// Model text (Windows-1252) as UTF-8, quoted when it holds the separator,
// a quote or a line break.
void acrescentaTexto(std::string& saida, std::string_view bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    const std::string utf8 = ascii ? std::string(bytes) : deCp1252(std::string(bytes)).toStdString();
    if (utf8.find_first_of(";\"\r\n") == std::string::npos) {
        saida += utf8;
        return;
    }
    saida += '"';
    for (const char c : utf8) {
        if (c == '"')
            saida += '"';
        saida += c;
    }
    saida += '"';
}

std::string_view semPreenchimento(std::string_view s)
{
    const std::size_t inicio = s.find_first_not_of(' ');
    if (inicio == std::string_view::npos)
        return {};
    return s.substr(inicio, s.find_last_not_of(' ') - inicio + 1);
}

void acrescentaValor(std::string& saida, double valor, bool creditos)
{
    saida += (creditos ? formata(u"##0", valor) : formata(u"##0.00", valor)).toLatin1().constData();
}

}  // namespace

std::string geraPlanilha(const ModeloRecarga& modelo)
{
    std::string saida = "\xEF\xBB\xBF";
    saida += QStringLiteral("Usuário;Cartão;Matrícula;Nome;Tipo;Tarifa;Valor;Vlr.Última Rec\r\n").toStdString();
    const int n = std::clamp(modelo.QtdRecarga, 0, int(modelo.wRecarga.size()));
    saida.reserve(saida.size() + std::size_t(n) * 100);
    for (int i = 0; i < n; ++i) {
        const Recarga& r = modelo.wRecarga[std::size_t(i)];
        const bool creditos = r.TipoCartao >= 0 && r.TipoCartao < kTiposCartao
                              && modelo.wTipoCartao[std::size_t(r.TipoCartao)].Modalidade != Dinheiro;
        saida += std::to_string(r.Usuario);
        saida += ';';
        saida += std::to_string(r.Cartao);
        saida += ';';
        acrescentaTexto(saida, r.Matricula);
        saida += ';';
        acrescentaTexto(saida, semPreenchimento(r.Nome));
        saida += ';';
        saida += std::to_string(r.TipoCartao);
        saida += ';';
        saida += std::to_string(r.Grupo[0].Tarifa);
        saida += ';';
        acrescentaValor(saida, r.Grupo[0].Valor, creditos);
        saida += ';';
        acrescentaValor(saida, r.Historico[0][0], creditos);
        saida += "\r\n";
    }
    return saida;
}

QString ExportaCsv::filtro() const
{
    return kFiltroPlanilha;
}

std::string ExportaCsv::gera(const ModeloRecarga& modelo) const
{
    return geraPlanilha(modelo);
}

bool exportaPlanilha(const ModeloRecarga& modelo, const QString& destino, QString* erro)
{
    return exporta(ExportaCsv(), modelo, destino, erro);
}

}  // namespace pluvexa
