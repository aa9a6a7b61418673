#include "exchange/indicetitulares.h"

#include "recharge/cp1252.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>

namespace pluvexa {

namespace {

constexpr int kMatricula = 1, kUsuario = 2, kCartao = 4;

// A user code or card number as a whole number, leading zeros ignored;
// none when the text is no number.
std::optional<long long> numero(const std::string& texto)
{
    long long v = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (erro != std::errc() || fim != texto.data() + texto.size() || v < 0)
        return std::nullopt;
    return v;
}

// A registration of digits alone compares as its number written out (a
// spreadsheet drops the leading zeros of "000123"); any other as it is.
std::string matriculaComparada(const std::string& m)
{
    if (m.empty() || !std::all_of(m.begin(), m.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return m;
    const std::size_t i = m.find_first_not_of('0');
    return i == std::string::npos ? std::string("0") : m.substr(i);
}

void acrescenta(std::string& chave, const void* bytes, std::size_t n)
{
    chave.append(static_cast<const char*>(bytes), n);
}

// Each part takes its length first, so that no value can run into the
// next one whatever bytes it holds.
void acrescentaParte(std::string& chave, const std::string& parte)
{
    const auto n = std::uint32_t(parte.size());
    acrescenta(chave, &n, sizeof n);
    chave += parte;
}

// The three keys in the form the tables hold: the registration as it is,
// the numbers without leading zeros. An empty one is not given (or, for a
// number, no number: it names no holder).
struct Valores {
    std::string texto[3];
};

// The table key for card type `tipo` and the keys of `mascara`.
std::string chaveTabela(int tipo, int mascara, const Valores& v)
{
    std::string chave;
    acrescenta(chave, &tipo, sizeof tipo);
    for (int k = 0; k < 3; ++k)
        if (mascara & (1 << k))
            acrescentaParte(chave, v.texto[k]);
    return chave;
}

ChaveRegistro qualChave(int bit)
{
    return bit == kUsuario ? ChaveRegistro::Usuario : bit == kCartao ? ChaveRegistro::Cartao : ChaveRegistro::Matricula;
}

const std::string& textoDe(const ChavesRegistro& c, ChaveRegistro qual)
{
    return qual == ChaveRegistro::Usuario ? c.usuario : qual == ChaveRegistro::Cartao ? c.cartao : c.matricula;
}

// "<Chave> - <texto>" for the log.
std::string nomeado(ChaveRegistro qual, const std::string& texto)
{
    return paraCp1252(rotuloChave(qual) + QStringLiteral(" - ")) + texto;
}

Encontro recusa(ChaveRegistro qual, const std::string& texto, const QString& erro, std::string log)
{
    return Encontro{-1, qual, texto, erro, std::move(log)};
}

Encontro naoEncontrado(ChaveRegistro qual, const std::string& texto)
{
    const std::string log = nomeado(qual, texto) + paraCp1252(QStringLiteral(" não encontrado"));
    switch (qual) {
    case ChaveRegistro::Usuario:
        return recusa(qual, texto, QStringLiteral("Usuário não encontrado"), log);
    case ChaveRegistro::Cartao:
        return recusa(qual, texto, QStringLiteral("Cartão não encontrado"), log);
    case ChaveRegistro::Matricula:
        break;
    }
    return recusa(qual, texto, QStringLiteral("Matrícula não encontrada"),
                  nomeado(qual, texto) + paraCp1252(QStringLiteral(" não encontrada")));
}

// The keys name holders of several card types and the row names none.
Encontro variosTipos(const std::string& matricula)
{
    return recusa(ChaveRegistro::Matricula, matricula,
                  QStringLiteral("Matrícula em mais de um tipo de cartão - informe a coluna Tipo"),
                  nomeado(ChaveRegistro::Matricula, matricula)
                      + paraCp1252(QStringLiteral(" em mais de um tipo de cartão - informe a coluna Tipo")));
}

Encontro repetido(ChaveRegistro qual, const std::string& texto)
{
    const std::string log = nomeado(qual, texto) + paraCp1252(QStringLiteral(" repetido no arquivo"));
    switch (qual) {
    case ChaveRegistro::Usuario:
        return recusa(qual, texto, QStringLiteral("Usuário repetido no arquivo"), log);
    case ChaveRegistro::Cartao:
        return recusa(qual, texto, QStringLiteral("Cartão repetido no arquivo"), log);
    case ChaveRegistro::Matricula:
        break;
    }
    // Registrations repeat in real files; the user code or the card number
    // tells such holders apart.
    return recusa(qual, texto, QStringLiteral("Matrícula repetida no arquivo - informe Usuário ou Cartão"),
                  nomeado(qual, texto)
                      + paraCp1252(QStringLiteral(" repetida no arquivo - informe Usuário ou Cartão")));
}

}  // namespace

QString rotuloChave(ChaveRegistro chave)
{
    switch (chave) {
    case ChaveRegistro::Usuario:
        return QStringLiteral("Usuário");
    case ChaveRegistro::Cartao:
        return QStringLiteral("Cartão");
    case ChaveRegistro::Matricula:
        break;
    }
    return QStringLiteral("Matrícula");
}

IndiceTitulares::IndiceTitulares(const ModeloRecarga& modelo)
{
    const int n = std::clamp(modelo.QtdRecarga, 0, int(modelo.wRecarga.size()));
    for (auto& t : m_tabelas)
        t.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const Recarga& r = modelo.wRecarga[std::size_t(i)];
        if (r.TipoCartao < 0 || r.TipoCartao >= kTiposCartao)
            continue;
        const Valores v{{matriculaComparada(r.Matricula), std::to_string(r.Usuario), std::to_string(r.Cartao)}};
        const auto inclui = [&](std::size_t tabela, const std::string& chave) {
            Faixa& f = m_tabelas[tabela][chave];
            if (f.quantos++ == 0) {
                f.primeiro = i;
                f.tipo = r.TipoCartao;
            } else if (f.tipo != r.TipoCartao) {
                f.variosTipos = true;
            }
        };
        // A blank registration is no registration: it matches no record.
        if (!r.Matricula.empty())
            inclui(kMatriculaLiteral, chaveTabela(r.TipoCartao, kMatricula, Valores{{r.Matricula, {}, {}}}));
        for (int mascara = 1; mascara < 8; ++mascara) {
            if ((mascara & kMatricula) && r.Matricula.empty())
                continue;
            inclui(std::size_t(mascara), chaveTabela(r.TipoCartao, mascara, v));
            inclui(std::size_t(mascara), chaveTabela(kQualquerTipo, mascara, v));
        }
    }
}

Encontro IndiceTitulares::encontra(const ChavesRegistro& chaves, int tipo, Casamento casamento) const
{
    Valores v;
    int dadas = 0;     // the keys the record gives
    int validas = 0;   // those that can name a holder at all
    const std::string* textos[3] = {&chaves.matricula, &chaves.usuario, &chaves.cartao};
    for (int k = 0; k < 3; ++k) {
        if (textos[k]->empty() || (casamento == Casamento::PrimeiraMatricula && k > 0))
            continue;
        dadas |= 1 << k;
        if (k == 0) {
            v.texto[0] = casamento == Casamento::PrimeiraMatricula ? *textos[0] : matriculaComparada(*textos[0]);
        } else if (const std::optional<long long> n = numero(*textos[k])) {
            v.texto[k] = std::to_string(*n);
        } else {
            continue;
        }
        validas |= 1 << k;
    }
    if (dadas == 0)
        return naoEncontrado(ChaveRegistro::Matricula, std::string());

    // Each key given must name some holder of the card type on its own.
    const auto faixa = [&](int mascara) {
        const auto& tabela =
            m_tabelas[casamento == Casamento::PrimeiraMatricula ? kMatriculaLiteral : std::size_t(mascara)];
        const auto it = tabela.find(chaveTabela(tipo, mascara, v));
        return it == tabela.end() ? Faixa{} : it->second;
    };
    for (int k = 0; k < 3; ++k) {
        const int bit = 1 << k;
        if ((dadas & bit) && (!(validas & bit) || faixa(bit).quantos == 0))
            return naoEncontrado(qualChave(bit), *textos[k]);
    }
    const int primeira = dadas & kMatricula ? kMatricula : dadas & kUsuario ? kUsuario : kCartao;
    const ChaveRegistro visivel = qualChave(primeira);
    const std::string& textoVisivel = textoDe(chaves, visivel);
    const Faixa todas = faixa(dadas);
    if (casamento == Casamento::PrimeiraMatricula)
        return Encontro{todas.primeiro, visivel, textoVisivel, {}, {}};
    if (todas.quantos == 0) {
        std::string log;
        for (int k = 0; k < 3; ++k)
            if (dadas & (1 << k))
                log += (log.empty() ? std::string() : std::string(", ")) + nomeado(qualChave(1 << k), *textos[k]);
        return recusa(visivel, textoVisivel, QStringLiteral("Matrícula, Usuário e Cartão de titulares diferentes"),
                      log + paraCp1252(QStringLiteral(" de titulares diferentes")));
    }
    if (todas.quantos > 1 && todas.variosTipos && (dadas & kMatricula)) {
        // The row names no card type and the registration is in several.
        return variosTipos(chaves.matricula);
    }
    if (todas.quantos > 1) {
        // Named by the most telling key given: the card number, then the
        // user code, then the registration.
        const int culpada = dadas & kCartao ? kCartao : dadas & kUsuario ? kUsuario : kMatricula;
        return repetido(qualChave(culpada), textoDe(chaves, qualChave(culpada)));
    }
    return Encontro{todas.primeiro, visivel, textoVisivel, {}, {}};
}

}  // namespace pluvexa
