// CSV text as the rows of a sheet, read as they are asked for.

#include "exchange/leitorcsv.h"
#include "exchange/leituraplanilha.h"
#include "recharge/cp1252.h"

namespace pluvexa {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
static_assert(kMaisColunasCsv == 1000, "the refusal names the limit");

std::string_view apara(std::string_view s)
{
    const std::size_t inicio = s.find_first_not_of(" \t");
    if (inicio == std::string_view::npos)
        return {};
    return s.substr(inicio, s.find_last_not_of(" \t") - inicio + 1);
}

bool emBranco(const std::vector<std::string>& campos)
{
    for (const std::string& c : campos)
        if (!apara(c).empty())
            return false;
    return true;
}

// One pass over the text with one separator.
class Passagem {
public:
    Passagem(std::string_view texto, char separador, bool utf8) : m_leitor(texto, separador), m_utf8(utf8) {}

    bool proxima(LinhaTabela& linha, QString& recusa)
    {
        int numero = 0;
        bool aspasAbertas = false;
        while (m_leitor.proxima(m_campos, numero, aspasAbertas)) {
            // A row too wide to keep is refused even when what was kept of
            // it is blank: nothing tells what its other columns held.
            const bool larga = m_leitor.larga();
            if (emBranco(m_campos) && !aspasAbertas && !larga)
                continue;
            linha.linha = numero;
            linha.celulas.assign(m_campos.size(), CelulaPlanilha{});
            for (std::size_t i = 0; i < m_campos.size(); ++i) {
                const std::string_view campo = apara(m_campos[i]);
                if (campo.empty())
                    continue;
                linha.celulas[i].tipo = CelulaPlanilha::Tipo::Texto;
                linha.celulas[i].texto = m_utf8 ? QString::fromUtf8(campo.data(), qsizetype(campo.size()))
                                                : deCp1252(std::string(campo));
            }
            // Everything after an unclosed quote was swallowed into one
            // field: say so rather than lose the rows that follow unsaid.
            recusa = larga          ? QStringLiteral("Linha com mais de 1.000 colunas")
                     : aspasAbertas ? QStringLiteral("Aspas sem fechamento")
                                    : QString();
            return true;
        }
        return false;
    }

private:
    LeitorCsv m_leitor;
    bool m_utf8;
    std::vector<std::string> m_campos;
};

std::vector<LinhaTabela> primeirasDa(Passagem& p)
{
    std::vector<LinhaTabela> linhas;
    LinhaTabela l;
    QString recusa;
    while (int(linhas.size()) < kLinhasBuscaCabecalho && p.proxima(l, recusa))
        linhas.push_back(std::move(l));
    return linhas;
}

std::size_t maisLarga(const std::vector<LinhaTabela>& linhas)
{
    std::size_t n = 0;
    for (const LinhaTabela& l : linhas)
        n = std::max(n, l.celulas.size());
    return n;
}

}  // namespace

struct LinhasCsv::Estado {
    std::string_view texto;
    bool utf8 = false;
    std::unique_ptr<Passagem> passagem;
};

LinhasCsv::LinhasCsv(std::string_view bytes, const MapaColunas& mapa) : m(std::make_unique<Estado>())
{
    m->utf8 = campoplanilha::ehUtf8(bytes);
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    m->texto = bytes;
    // Title rows above the header may hold either separator, or none: the
    // separator is the one whose split of the first rows gives a header;
    // when both or neither do, the one that splits them into more columns;
    // at a tie, the one the first row holding text uses more often.
    const char separadores[2] = {';', ','};
    bool reconhece[2] = {false, false};
    bool vazio[2] = {false, false};
    std::size_t largura[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        Passagem p(bytes, separadores[i], m->utf8);
        const std::vector<LinhaTabela> primeiras = primeirasDa(p);
        reconhece[i] = achaCabecalho(primeiras, mapa).reconhecido();
        largura[i] = maisLarga(primeiras);
        vazio[i] = primeiras.empty();
    }
    char separador = LeitorCsv::separadorDoCabecalho(bytes);
    if (vazio[0] != vazio[1])
        separador = vazio[0] ? ';' : ',';  // the other reads mere separators as text
    else if (reconhece[0] != reconhece[1])
        separador = reconhece[0] ? ';' : ',';
    else if (largura[0] != largura[1])
        separador = largura[0] > largura[1] ? ';' : ',';
    m->passagem = std::make_unique<Passagem>(bytes, separador, m->utf8);
}

LinhasCsv::~LinhasCsv() = default;

bool LinhasCsv::proxima(LinhaTabela& linha, QString& recusa)
{
    return m->passagem->proxima(linha, recusa);
}

}  // namespace pluvexa
