#include "recharge/listagem.h"

#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace pluvexa {

namespace {

// Texts of the listing in Windows-1252, as the lines are held.
constexpr const char* kFormatoSecao =
    "Tipo Cart\xE3o : %-2s - %-30s                     Tipo : %-16s";
constexpr const char* kFormatoSubTotal =
    "Sub-Total :                                                                                                         %15s          %-15s";
constexpr const char* kFormatoTotalGeral =
    "Total Geral :                                                                                                                                %-30s";
constexpr const char* kCredito = "Cr\xE9" "dito";
constexpr const char* kUnidadeTarifaria = "Unidade Tarif\xE1" "ria";

constexpr char16_t kDinheiro[] = u"###,####,##0.00";
constexpr char16_t kInteiro[] = u"###,####,##0";
constexpr char16_t kTarifa[] = u"###,##0.00";

// printf into a string; the fields are Windows-1252 bytes, so a width counts
// characters and a longer text is never cut.
std::string formatado(const char* formato, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, formato);
    const int n = std::vsnprintf(buffer, sizeof buffer, formato, args);
    va_end(args);
    if (n < 0)
        return {};
    if (size_t(n) < sizeof buffer)
        return std::string(buffer, size_t(n));
    std::string s(size_t(n) + 1, '\0');
    va_start(args, formato);
    std::vsnprintf(s.data(), s.size(), formato, args);
    va_end(args);
    s.resize(size_t(n));
    return s;
}

// Number texts are ASCII (digits, point, comma, sign).
std::string numero(const char16_t* picture, double v)
{
    return formata(picture, v).toStdString();
}

// The same texts, remembered: a listing repeats few distinct amounts (one
// value typed for many holders, a handful of fares), and formatting is most
// of the cost of a line.
class Numeros {
public:
    explicit Numeros(const char16_t* picture) : m_picture(picture) {}
    const std::string& operator()(double v)
    {
        auto [it, novo] = m_vistos.try_emplace(v);
        if (novo)
            it->second = numero(m_picture, v);
        return it->second;
    }

private:
    const char16_t* m_picture;
    std::unordered_map<double, std::string> m_vistos;
};

// The detail line, "%-16s %-16s %-20s %-40s %-2s %6s %15s %15s" of the
// printf family, written field by field: a width pads, it never cuts.
void aEsquerda(std::string& s, std::string_view v, size_t largura)
{
    s.append(v);
    if (v.size() < largura)
        s.append(largura - v.size(), ' ');
}

void aDireita(std::string& s, std::string_view v, size_t largura)
{
    if (v.size() < largura)
        s.append(largura - v.size(), ' ');
    s.append(v);
}

std::string detalhe(const ORecarga& e, std::string_view tipo, std::string_view tarifa, std::string_view valor,
                    std::string_view total)
{
    char usuario[16];
    char cartao[16];
    const auto fimUsuario = std::to_chars(usuario, usuario + sizeof usuario, e.Usuario).ptr;
    const auto fimCartao = std::to_chars(cartao, cartao + sizeof cartao, e.Cartao).ptr;
    std::string s;
    s.reserve(160);
    aEsquerda(s, std::string_view(usuario, size_t(fimUsuario - usuario)), 16);
    s.push_back(' ');
    aEsquerda(s, std::string_view(cartao, size_t(fimCartao - cartao)), 16);
    s.push_back(' ');
    aEsquerda(s, e.Matricula, 20);
    s.push_back(' ');
    aEsquerda(s, e.Nome, 40);
    s.push_back(' ');
    aEsquerda(s, tipo, 2);
    s.push_back(' ');
    aDireita(s, tarifa, 6);
    s.push_back(' ');
    aDireita(s, valor, 15);
    s.push_back(' ');
    aDireita(s, total, 15);
    return s;
}

const TipoCartao kSemTipo{};
const Tarifa kSemTarifa{};

// A code outside its table reads as an empty entry: money, no fare.
const TipoCartao& tipoDe(const ModeloRecarga& m, int codigo)
{
    return codigo >= 0 && codigo < kTiposCartao ? m.wTipoCartao[size_t(codigo)] : kSemTipo;
}

const Tarifa& tarifaDe(const ModeloRecarga& m, int codigo)
{
    return codigo >= 0 && codigo < kTarifas ? m.wTarifa[size_t(codigo)] : kSemTarifa;
}

std::string subTotal(bool creditos, double valores, double dinheiro)
{
    const std::string v = numero(creditos ? kInteiro : kDinheiro, valores);
    return formatado(kFormatoSubTotal, v.c_str(), numero(kDinheiro, dinheiro).c_str());
}

}  // namespace

void acrescentaNumero(std::string& s, long long v, int digitos)
{
    char d[24];
    const bool negativo = v < 0;
    const unsigned long long a = negativo ? 0ull - (unsigned long long)v : (unsigned long long)v;
    const auto fim = std::to_chars(d, d + sizeof d, a).ptr;
    if (negativo)
        s.push_back('-');
    if (fim - d < digitos)
        s.append(size_t(digitos - (fim - d)), '0');
    s.append(d, fim);
}

std::string chaveListagem(const ORecarga& e)
{
    std::string k;
    k.reserve(26);
    acrescentaNumero(k, e.TipoCartao, 2);
    acrescentaNumero(k, e.Tarifa, 2);
    acrescentaNumero(k, e.Usuario, 11);
    acrescentaNumero(k, e.Cartao, 11);
    return k;
}

int preparaListagem(ModeloRecarga& m)
{
    std::vector<ORecarga>& tabela = m.woRecarga;
    tabela.assign(size_t(kListagem), ORecarga{});
    size_t n = 0;
    const int titulares = std::clamp(m.QtdRecarga, 0, int(m.wRecarga.size()));
    for (int i = 0; i < titulares; ++i) {
        const Recarga& h = m.wRecarga[size_t(i)];
        for (int g = 0; g < kGrupos; ++g) {
            const GrupoRecarga& grupo = h.Grupo[size_t(g)];
            if (g > 0 && (grupo.Tarifa == 0 || grupo.CMM == 0 || grupo.Valor == 0))
                continue;
            ORecarga& e = tabela[n++];
            e.Usuario = h.Usuario;
            e.Cartao = h.Cartao;
            e.Nome = h.Nome;
            e.Matricula = h.Matricula;
            e.TipoCartao = h.TipoCartao;
            e.Tarifa = grupo.Tarifa;
            e.CMM = grupo.CMM;
            e.Valor = grupo.Valor;
        }
    }

    // Keys are built once; the lines move by a stable sort of their indices.
    std::vector<std::string> chaves(n);
    for (size_t i = 0; i < n; ++i)
        chaves[i] = chaveListagem(tabela[i]);
    std::vector<size_t> ordem(n);
    std::iota(ordem.begin(), ordem.end(), size_t(0));
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&chaves](size_t a, size_t b) { return chaves[a] < chaves[b]; });
    std::vector<ORecarga> ordenadas(n);
    for (size_t i = 0; i < n; ++i)
        ordenadas[i] = std::move(tabela[ordem[i]]);
    std::move(ordenadas.begin(), ordenadas.end(), tabela.begin());
    return int(n) - 1;
}

std::vector<Texto> compoeLinhas(const ModeloRecarga& m, int ultimaLinha)
{
    std::vector<Texto> linhas;
    const int ultima = std::min(ultimaLinha, int(m.woRecarga.size()) - 1);
    linhas.reserve(size_t(std::max(ultima, 0)) + 8 + 8 * kTiposCartao);

    Numeros dinheiroFmt(kDinheiro);
    Numeros inteiroFmt(kInteiro);
    Numeros tarifaFmt(kTarifa);
    std::string tipoAnterior;
    bool secaoCreditos = false;
    double somaValores = 0;
    double somaSecao = 0;
    double somaGeral = 0;
    auto fechaSecao = [&] {
        linhas.emplace_back();
        linhas.push_back(subTotal(secaoCreditos, somaValores, somaSecao));
        linhas.emplace_back();
    };

    for (int i = 0; i <= ultima; ++i) {
        const ORecarga& e = m.woRecarga[size_t(i)];
        const TipoCartao& t = tipoDe(m, e.TipoCartao);
        const bool creditos = t.Modalidade != Dinheiro;
        std::string_view tarifa, valor, total;
        double dinheiro = 0;
        if (!creditos) {
            tarifa = " - ";
            valor = dinheiroFmt(e.Valor);
            total = valor;
            dinheiro = e.Valor;
        } else {
            const double fare = tarifaDe(m, e.Tarifa).Valor;
            const double unitario = Arredonda(fare * t.Percentual * 0.01, 2, m.ModoArredondamento);
            dinheiro = unitario * e.Valor;
            tarifa = tarifaFmt(fare);
            valor = inteiroFmt(e.Valor);
            total = dinheiroFmt(dinheiro);
        }

        const std::string tipo = std::to_string(e.TipoCartao);
        if (tipo != tipoAnterior) {
            if (i > 0) {
                fechaSecao();
                somaValores = 0;
                somaSecao = 0;
            }
            linhas.push_back(formatado(kFormatoSecao, tipo.c_str(), t.Descricao.c_str(),
                                       creditos ? kCredito : kUnidadeTarifaria));
            linhas.emplace_back();
            tipoAnterior = tipo;
            secaoCreditos = creditos;
        }
        linhas.push_back(detalhe(e, tipo, tarifa, valor, total));
        somaValores += e.Valor;
        somaSecao += dinheiro;
        somaGeral += dinheiro;
    }
    fechaSecao();
    linhas.push_back(formatado(kFormatoTotalGeral, numero(kDinheiro, somaGeral).c_str()));
    linhas.emplace_back();
    return linhas;
}

}  // namespace pluvexa
