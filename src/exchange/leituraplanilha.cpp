#include "exchange/leituraplanilha.h"

#include "exchange/persrecargaexterna.h"
#include "recharge/cp1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pluvexa {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr qsizetype kCitacao = 64;
const QString kLinhaLarga = QStringLiteral("Linha com mais de 1.000 colunas");
// A number cell of more digits than this lost its last ones to the
// spreadsheet's floating point: a card number typed into a general cell.
constexpr double kMaiorChaveNumerica = 1e15;
// A value within this much of a whole number of cents is that number: a
// formula's sum of cents carries such dust, a typed third of a real none.
constexpr double kToleranciaCentavos = 1e-6;

QString citado(const QString& texto)
{
    return texto.size() <= kCitacao ? texto : texto.left(kCitacao) + QStringLiteral("…");
}

const CelulaPlanilha* celula(const LinhaTabela& l, int coluna)
{
    return coluna >= 0 && std::size_t(coluna) < l.celulas.size() ? &l.celulas[std::size_t(coluna)] : nullptr;
}

bool vazia(const CelulaPlanilha* c)
{
    return !c || c->tipo == CelulaPlanilha::Tipo::Vazia
           || (c->tipo == CelulaPlanilha::Tipo::Texto && campoplanilha::semMoeda(c->texto).isEmpty());
}

// A key as the model holds it: Windows-1252 bytes without blanks around; a
// number cell's digits. `erro` is set when the number lost digits.
std::string chave(const CelulaPlanilha* c, QString& erro)
{
    if (vazia(c))
        return {};
    if (c->tipo == CelulaPlanilha::Tipo::Numero) {
        if (std::isfinite(c->numero) && std::fabs(c->numero) >= kMaiorChaveNumerica) {
            erro = QStringLiteral("Número longo demais - formate a coluna como texto");
            return {};
        }
        return paraCp1252(textoCelula(*c));
    }
    return paraCp1252(c->texto.trimmed());
}

int tipo(const CelulaPlanilha* c)
{
    if (vazia(c))
        return 0;
    if (c->tipo == CelulaPlanilha::Tipo::Numero)
        return c->numero == std::trunc(c->numero) && std::fabs(c->numero) < 1e9 ? int(c->numero) : 0;
    return campoexterno::inteiro(c->texto.trimmed().toStdString()).value_or(0);
}

// The value of a cell, or the refusal's text in `erro`.
double valor(const CelulaPlanilha* c, QString& erro)
{
    if (vazia(c)) {
        erro = QStringLiteral("Coluna Valor vazia");
        return 0;
    }
    if (c->tipo == CelulaPlanilha::Tipo::Numero) {
        const double v = c->numero;
        const double centavos = v * 100;
        if (!std::isfinite(v) || v < 0) {
            erro = QStringLiteral("Valor inválido: ") + citado(textoCelula(*c));
            return 0;
        }
        if (std::fabs(centavos - std::round(centavos)) > kToleranciaCentavos) {
            erro = QStringLiteral("Valor com mais de duas casas decimais: ") + citado(textoCelula(*c));
            return 0;
        }
        return std::round(centavos) / 100;
    }
    const QString texto = campoplanilha::semMoeda(c->texto);
    const std::string bytes = texto.toStdString();
    if (const auto v = campoplanilha::valor(bytes))
        return *v;
    // "1.500" is one and a half to some and fifteen hundred to others.
    erro = QStringLiteral("Valor inválido: ") + citado(texto)
           + (campoplanilha::ambiguo(bytes) ? QStringLiteral(" - use vírgula para os centavos") : QString());
    return 0;
}

bool ehZero(const CelulaPlanilha* c)
{
    QString erro;
    return vazia(c) || (valor(c, erro) == 0.0 && erro.isEmpty());
}

// "Total", "TOTAL GERAL", "Totais": what a sheet's sum row begins with.
bool linhaDeTotal(const LinhaTabela& l)
{
    for (const CelulaPlanilha& c : l.celulas) {
        if (c.tipo != CelulaPlanilha::Tipo::Texto || c.texto.trimmed().isEmpty())
            continue;
        return campoplanilha::nomeColuna(c.texto.left(kCitacao)).startsWith(QLatin1String("total"));
    }
    return false;
}

// Keys that are only the sum row's label, written in a key column as
// clerks do ("TOTAL" under Matrícula): no holder is named "Total".
bool soRotuloDeTotal(const ChavesRegistro& chaves)
{
    bool algum = false;
    for (const std::string* k : {&chaves.matricula, &chaves.usuario, &chaves.cartao}) {
        if (k->empty())
            continue;
        if (!campoplanilha::nomeColuna(deCp1252(k->substr(0, std::size_t(kCitacao)))).startsWith(QLatin1String("total")))
            return false;
        algum = true;
    }
    return algum;
}

bool sobraColuna(const LinhaTabela& l, std::size_t largura)
{
    for (std::size_t i = largura; i < l.celulas.size(); ++i)
        if (!vazia(&l.celulas[i]))
            return true;
    return false;
}

class Interpretacao {
public:
    Interpretacao(const CabecalhoAba& cab, bool recusaSobra) : m_cab(cab), m_recusaSobra(recusaSobra) {}

    // The record of `l`, or none (a blank row, one without key and value).
    std::optional<LinhaPlanilha> linha(const LinhaTabela& l, const QString& recusa) const
    {
        const auto col = [&](CampoPlanilha c) { return celula(l, m_cab.colunas[std::size_t(c)]); };
        LinhaPlanilha r;
        r.linha = l.linha;
        QString erroChave;
        r.chaves.matricula = chave(col(CampoPlanilha::Matricula), erroChave);
        r.chaves.usuario = chave(col(CampoPlanilha::Usuario), erroChave);
        r.chaves.cartao = chave(col(CampoPlanilha::Cartao), erroChave);
        r.tipo = tipo(col(CampoPlanilha::Tipo));
        const bool semChave = r.chaves.matricula.empty() && r.chaves.usuario.empty() && r.chaves.cartao.empty()
                              && erroChave.isEmpty();
        const bool sobra = m_recusaSobra && sobraColuna(l, std::size_t(m_cab.nomes.size()));
        if (!recusa.isEmpty()) {
            r.erro = recusa;
        } else if (sobra) {
            // With ',' as separator an unquoted "12,50" splits into 12 and
            // 50; storing 12 would be wrong without anyone noticing.
            r.erro = QStringLiteral("Linha com mais colunas que o cabeçalho");
        } else if ((semChave || (erroChave.isEmpty() && soRotuloDeTotal(r.chaves))) && linhaDeTotal(l)) {
            r.chaves = {};
            r.informacao = QStringLiteral("Linha de total ignorada");
        } else if (semChave && ehZero(col(CampoPlanilha::Valor))) {
            // Nothing to import and nothing to tell: a blank line of the
            // payroll's layout, a name without value.
            return std::nullopt;
        } else if (semChave) {
            r.erro = QStringLiteral("Linha sem Matrícula, Usuário ou Cartão");
        } else if (!erroChave.isEmpty()) {
            r.erro = erroChave;
        } else {
            r.valor = valor(col(CampoPlanilha::Valor), r.erro);
        }
        return r;
    }

private:
    const CabecalhoAba& m_cab;
    bool m_recusaSobra;
};

}  // namespace

QString textoCelula(const CelulaPlanilha& c)
{
    switch (c.tipo) {
    case CelulaPlanilha::Tipo::Vazia: return {};
    case CelulaPlanilha::Tipo::Texto: return c.texto;
    case CelulaPlanilha::Tipo::Numero: break;
    }
    if (c.numero == std::trunc(c.numero) && std::fabs(c.numero) < kMaiorChaveNumerica)
        return QString::number(qint64(c.numero));
    return QString::number(c.numero, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

bool LinhasDeAba::proxima(LinhaTabela& linha, QString& recusa)
{
    if (m_proxima >= m_aba.linhas.size())
        return false;
    linha = m_aba.linhas[m_proxima++];
    recusa.clear();
    return true;
}

std::vector<LinhaTabela> primeirasLinhas(LinhasAba& linhas, int quantas)
{
    std::vector<LinhaTabela> r;
    LinhaTabela l;
    QString recusa;
    while (int(r.size()) < quantas && linhas.proxima(l, recusa))
        r.push_back(std::move(l));
    return r;
}

Planilha interpreta(LinhasAba& linhas, const MapaColunas& mapa)
{
    Planilha p;
    std::vector<LinhaTabela> primeiras;
    std::vector<QString> recusas;
    {
        LinhaTabela l;
        QString recusa;
        while (int(primeiras.size()) < kLinhasBuscaCabecalho && linhas.proxima(l, recusa)) {
            primeiras.push_back(std::move(l));
            recusas.push_back(recusa);
        }
    }
    if (primeiras.empty())
        return p;  // no row, no record: the run says so
    const CabecalhoAba cab = achaCabecalho(primeiras, mapa);
    // A row too wide to read where the header could stand: its hidden
    // columns may be the ones sought.
    const std::size_t ate = cab.reconhecido() ? std::size_t(cab.indice) + 1 : primeiras.size();
    for (std::size_t i = 0; i < ate; ++i) {
        if (recusas[i] == kLinhaLarga) {
            p.linhaCabecalho = primeiras[i].linha;
            p.erroCabecalho = kLinhaLarga;
            return p;
        }
    }
    p.linhaCabecalho = cab.linha;
    if (!cab.reconhecido()) {
        p.erroCabecalho = cab.erro;
        return p;
    }
    const Interpretacao interpretacao(cab, linhas.recusaSobra());
    for (std::size_t i = std::size_t(cab.indice) + 1; i < primeiras.size(); ++i)
        if (auto r = interpretacao.linha(primeiras[i], recusas[i]))
            p.linhas.push_back(std::move(*r));
    LinhaTabela l;
    QString recusa;
    while (linhas.proxima(l, recusa))
        if (auto r = interpretacao.linha(l, recusa))
            p.linhas.push_back(std::move(*r));
    return p;
}

Planilha interpreta(const AbaPlanilha& aba, const MapaColunas& mapa)
{
    LinhasDeAba linhas(aba);
    return interpreta(linhas, mapa);
}

Planilha lePlanilha(std::string_view bytes, const MapaColunas& mapa)
{
    LinhasCsv linhas(bytes, mapa);
    return interpreta(linhas, mapa);
}

namespace campoplanilha {

namespace {

std::string_view apara(std::string_view s)
{
    const std::size_t inicio = s.find_first_not_of(" \t");
    if (inicio == std::string_view::npos)
        return {};
    return s.substr(inicio, s.find_last_not_of(" \t") - inicio + 1);
}

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

bool branco(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x00A0) || c == QChar(0x202F);
}

QString semBrancos(const QString& t)
{
    qsizetype i = 0, f = t.size();
    while (i < f && branco(t[i]))
        ++i;
    while (f > i && branco(t[f - 1]))
        --f;
    return t.mid(i, f - i);
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

QString semMoeda(const QString& texto)
{
    QString t = semBrancos(texto);
    if (t.startsWith(QLatin1String("R$")))
        t = semBrancos(t.mid(2));
    return t;
}

QString nomeColuna(const QString& nome)
{
    const QString decomposto = nome.normalized(QString::NormalizationForm_D);
    QString reduzido;
    reduzido.reserve(decomposto.size());
    for (const QChar c : decomposto)
        if (c.isLetterOrNumber())
            reduzido += c;
    return reduzido.toCaseFolded();
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

}  // namespace pluvexa
