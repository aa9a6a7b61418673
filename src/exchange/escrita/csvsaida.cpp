#include "exchange/escrita/csvsaida.h"

namespace pluvexa {

namespace {

void acrescentaCampo(std::string& saida, const QString& texto)
{
    const QByteArray utf8 = texto.toUtf8();
    const std::string_view bytes(utf8.constData(), std::size_t(utf8.size()));
    if (bytes.find_first_of(";\"\r\n") == std::string_view::npos) {
        saida += bytes;
        return;
    }
    saida += '"';
    for (const char c : bytes) {
        if (c == '"')
            saida += '"';
        saida += c;
    }
    saida += '"';
}

void acrescentaLinha(std::string& saida, const QStringList& campos, const char* fim)
{
    for (qsizetype i = 0; i < campos.size(); ++i) {
        if (i > 0)
            saida += ';';
        acrescentaCampo(saida, campos[i]);
    }
    saida += fim;
}

}  // namespace

std::string csvDaTabela(const TabelaSaida& tabela, ConvencaoCsv convencao)
{
    const bool arquivo = convencao == ConvencaoCsv::Arquivo;
    const char* fim = arquivo ? "\r\n" : "\n";
    std::string saida = arquivo ? "\xEF\xBB\xBF" : "";
    saida.reserve(tabela.linhas.size() * std::size_t(tabela.cabecalho.size()) * 12 + 256);
    acrescentaLinha(saida, tabela.cabecalho, fim);
    for (const std::vector<CelulaSaida>& linha : tabela.linhas) {
        for (std::size_t i = 0; i < linha.size(); ++i) {
            if (i > 0)
                saida += ';';
            acrescentaCampo(saida, linha[i].texto);
        }
        saida += fim;
    }
    return saida;
}

}  // namespace pluvexa
