#include "exchange/leituraplanilha.h"

#include "exchange/leitorcsv.h"
#include "exchange/persrecargaexterna.h"
#include "recharge/cp1252.h"

#include <algorithm>
#include <charconv>

namespace pluvexa {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

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

bool ascii(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// A field quoted in a message or read as a column name keeps this many
// characters: a cell of megabytes would otherwise be copied into every
// message, the log and the report.
constexpr qsizetype kCitacao = 64;
// Column names listed when the header lacks a column.
constexpr qsizetype kColunasCitadas = 20;
const QString kReticencias = QStringLiteral("…");
const QString kLinhaLarga = QStringLiteral("Linha com mais de 1.000 colunas");
static_assert(kMaisColunasCsv == 1000, "the refusal names the limit");

// The file's text in one of its two encodings.
class Texto {
public:
    explicit Texto(bool utf8) : m_utf8(utf8) {}
    QString paraTela(std::string_view campo) const
    {
        return m_utf8 ? QString::fromUtf8(campo.data(), qsizetype(campo.size())) : deCp1252(std::string(campo));
    }
    // The field as a message shows it: its first kCitacao characters, and
    // "…" when there were more. Only the bytes that can make them are read
    // (at most four per character).
    QString citado(std::string_view campo) const
    {
        const std::size_t bytes = std::size_t(kCitacao) * 4;
        const QString texto = paraTela(campo.substr(0, bytes));
        if (texto.size() <= kCitacao && campo.size() <= bytes)
            return texto;
        return texto.left(kCitacao) + kReticencias;
    }
    std::string paraModelo(std::string_view campo) const
    {
        return m_utf8 && !ascii(campo) ? paraCp1252(paraTela(campo)) : std::string(campo);
    }

private:
    bool m_utf8;
};

struct Colunas {
    int matricula = -1, usuario = -1, cartao = -1, valor = -1, tipo = -1;
    bool temChave() const { return matricula >= 0 || usuario >= 0 || cartao >= 0; }
};

// The first column of each kind wins; a second "Valor" is just another
// ignored column.
Colunas reconhece(const QStringList& nomes)
{
    Colunas c;
    for (int i = 0; i < nomes.size(); ++i) {
        const QString n = campoplanilha::nomeColuna(nomes[i]);
        int* alvo = nullptr;
        if (n == u"matricula" || n == u"registro")
            alvo = &c.matricula;
        else if (n == u"usuario")
            alvo = &c.usuario;
        else if (n == u"cartao")
            alvo = &c.cartao;
        else if (n == u"valor" || n == u"creditos")
            alvo = &c.valor;
        else if (n == u"tipo" || n == u"tipo cartao")
            alvo = &c.tipo;
        if (alvo && *alvo < 0)
            *alvo = i;
    }
    return c;
}

QString faltaColuna(const Colunas& c, const QStringList& nomes)
{
    QStringList encontradas;
    for (const QString& n : nomes) {
        if (n.isEmpty())
            continue;
        if (encontradas.size() == kColunasCitadas) {
            encontradas << kReticencias;
            break;
        }
        encontradas << n;
    }
    const QString lista = encontradas.isEmpty() ? QStringLiteral("nenhuma") : encontradas.join(QStringLiteral(", "));
    const QString falta = !c.temChave() ? QStringLiteral("Matrícula, Usuário ou Cartão") : QStringLiteral("Valor");
    return QStringLiteral("Planilha sem a coluna %1 - colunas encontradas: %2").arg(falta, lista);
}

std::string_view campoEm(const std::vector<std::string>& campos, int i)
{
    return i >= 0 && std::size_t(i) < campos.size() ? apara(campos[std::size_t(i)]) : std::string_view();
}

bool sobraColuna(const std::vector<std::string>& campos, std::size_t largura)
{
    for (std::size_t i = largura; i < campos.size(); ++i)
        if (!apara(campos[i]).empty())
            return true;
    return false;
}

// A row without any key cannot be matched; when it carries no value either
// there is nothing to import and nothing to report.
bool semChaveNemValor(const std::vector<std::string>& campos, std::size_t largura, const Colunas& col)
{
    if (!campoEm(campos, col.matricula).empty() || !campoEm(campos, col.usuario).empty()
        || !campoEm(campos, col.cartao).empty() || sobraColuna(campos, largura))
        return false;
    const std::string_view valor = campoEm(campos, col.valor);
    return valor.empty() || campoplanilha::valor(valor) == 0.0;
}

LinhaPlanilha confere(const std::vector<std::string>& campos, int linha, bool aspasAbertas, bool larga,
                      std::size_t largura, const Colunas& col, const Texto& texto)
{
    LinhaPlanilha l;
    l.linha = linha;
    l.chaves.matricula = texto.paraModelo(campoEm(campos, col.matricula));
    l.chaves.usuario = texto.paraModelo(campoEm(campos, col.usuario));
    l.chaves.cartao = texto.paraModelo(campoEm(campos, col.cartao));
    if (col.tipo >= 0)
        l.tipo = campoexterno::inteiro(campoEm(campos, col.tipo)).value_or(0);
    const std::string_view valor = campoEm(campos, col.valor);
    if (larga) {
        l.erro = kLinhaLarga;
    } else if (aspasAbertas) {
        // Everything after the quote was swallowed into one field: say so
        // rather than lose the rows that follow without a word.
        l.erro = QStringLiteral("Aspas sem fechamento");
    } else if (sobraColuna(campos, largura)) {
        // With ',' as separator an unquoted "12,50" splits into 12 and 50;
        // storing 12 would be wrong without anyone noticing.
        l.erro = QStringLiteral("Linha com mais colunas que o cabeçalho");
    } else if (valor.empty()) {
        l.erro = QStringLiteral("Coluna Valor vazia");
    } else if (const auto v = campoplanilha::valor(valor)) {
        l.valor = *v;
    } else if (campoplanilha::ambiguo(valor)) {
        // "1.500" is one and a half to some and fifteen hundred to others.
        l.erro = QStringLiteral("Valor inválido: ") + texto.citado(valor)
                 + QStringLiteral(" - use vírgula para os centavos");
    } else {
        l.erro = QStringLiteral("Valor inválido: ") + texto.citado(valor);
    }
    return l;
}

}  // namespace

namespace campoplanilha {

namespace {

bool digito(char c)
{
    return c >= '0' && c <= '9';
}

// The length of the leading "\d{1,3}(\.\d{3})+" of `t`: one to three
// digits, then groups of a point and three digits, at least one group; 0
// when `t` does not start so. Read in place: a cell of megabytes is not
// copied to be matched.
std::size_t milhares(std::string_view t)
{
    std::size_t i = 0;
    while (i < t.size() && i < 4 && digito(t[i]))
        ++i;
    if (i == 0 || i > 3)
        return 0;
    std::size_t grupos = 0;
    while (i + 4 <= t.size() && t[i] == '.' && digito(t[i + 1]) && digito(t[i + 2]) && digito(t[i + 3])) {
        i += 4;
        ++grupos;
    }
    return grupos > 0 ? i : 0;
}

// "1.500,00", "12.345,6": groups of three digits after points, then a
// decimal comma; what Brazilian spreadsheets write.
bool milharesComVirgula(std::string_view t)
{
    const std::size_t n = milhares(t);
    if (n == 0 || n + 2 > t.size() || t[n] != ',')
        return false;
    const std::size_t decimais = t.size() - n - 1;
    return decimais <= 2 && std::all_of(t.begin() + std::ptrdiff_t(n + 1), t.end(), digito);
}

}  // namespace

bool ambiguo(std::string_view texto)
{
    texto = apara(texto);
    const std::size_t n = milhares(texto);
    return n > 0 && n == texto.size();
}

std::optional<double> valor(std::string_view texto)
{
    texto = apara(texto);
    std::string numero(texto);
    if (milharesComVirgula(texto))
        std::erase(numero, '.');
    std::size_t i = 0;
    while (i < numero.size() && numero[i] >= '0' && numero[i] <= '9')
        ++i;
    if (i == 0)
        return std::nullopt;
    if (i < numero.size()) {
        if (numero[i] != ',' && numero[i] != '.')
            return std::nullopt;
        numero[i] = '.';
        const std::size_t decimais = numero.size() - i - 1;
        if (decimais < 1 || decimais > 2)
            return std::nullopt;
        for (std::size_t k = i + 1; k < numero.size(); ++k)
            if (numero[k] < '0' || numero[k] > '9')
                return std::nullopt;
    }
    double v = 0;
    const auto [fim, erro] = std::from_chars(numero.data(), numero.data() + numero.size(), v);
    if (erro != std::errc() || fim != numero.data() + numero.size())
        return std::nullopt;
    return v;
}

QString nomeColuna(const QString& nome)
{
    const QString decomposto = nome.normalized(QString::NormalizationForm_D);
    QString semAcento;
    semAcento.reserve(decomposto.size());
    for (const QChar c : decomposto)
        if (c.category() != QChar::Mark_NonSpacing)
            semAcento += c;
    return semAcento.toCaseFolded().simplified();
}

bool ehUtf8(std::string_view bytes)
{
    if (bytes.starts_with(kBom))
        return true;
    bool alto = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        alto = true;
        const std::size_t seguintes = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : 0;
        if (seguintes == 0 || i + seguintes >= bytes.size())
            return false;
        for (std::size_t k = 1; k <= seguintes; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        i += seguintes + 1;
    }
    return alto;
}

}  // namespace campoplanilha

Planilha lePlanilha(std::string_view bytes)
{
    const Texto texto(campoplanilha::ehUtf8(bytes));
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    LeitorCsv leitor(bytes, LeitorCsv::separadorDoCabecalho(bytes));
    Planilha p;
    std::vector<std::string> campos;
    int linha = 0;
    bool aspasAbertas = false;
    bool cabecalho = false;
    Colunas col;
    std::size_t largura = 0;
    while (leitor.proxima(campos, linha, aspasAbertas)) {
        // A row too wide to keep is refused even when what was kept of it
        // is blank: nothing tells what its other columns held.
        const bool larga = leitor.larga();
        if (emBranco(campos) && !aspasAbertas && !larga)
            continue;
        if (cabecalho) {
            if (aspasAbertas || larga || !semChaveNemValor(campos, largura, col))
                p.linhas.push_back(confere(campos, linha, aspasAbertas, larga, largura, col, texto));
            continue;
        }
        cabecalho = true;
        p.linhaCabecalho = linha;
        if (larga) {
            p.erroCabecalho = kLinhaLarga;
            return p;
        }
        QStringList nomes;
        // No column name the import knows is near kCitacao characters.
        for (const std::string& c : campos)
            nomes << texto.citado(apara(c));
        col = reconhece(nomes);
        largura = campos.size();
        if (!col.temChave() || col.valor < 0) {
            p.erroCabecalho = faltaColuna(col, nomes);
            return p;
        }
    }
    // An empty file, or one of blank rows, lacks no column: it holds no
    // record, which the run tells as such.
    return p;
}

}  // namespace pluvexa
