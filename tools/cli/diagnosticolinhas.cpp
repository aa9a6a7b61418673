#include "diagnosticolinhas.h"

#include "recharge/cp1252.h"
#include "recharge/layoutregistros.h"

#include <QDir>
#include <array>
#include <initializer_list>

namespace pluvexa::cli {

namespace {

namespace L = layout;

// A field the reader converts, under the name the command line gives it.
struct CampoLido {
    L::Campo campo;
    const char* nome;
};

// A record type: its two characters, its name, the lengths the reader
// accepts and the numeric fields it reads, in the order it reads them.
struct TipoRegistro {
    std::string_view tipo;
    const char* nome;
    std::vector<std::size_t> comprimentos;
    std::vector<CampoLido> campos;
};

std::vector<CampoLido> camposDoDetalhe()
{
    namespace D = L::detalhe;
    std::vector<CampoLido> c = {{D::Usuario, "user code"},
                                {D::Cartao, "card number"},
                                {D::TipoCartao, "card type code"},
                                {D::Tarifa[0], "group 1 tariff"},
                                {D::Cmm[0], "group 1 CMM"},
                                {D::Valor[0], "group 1 recharge value"}};
    static const std::array<std::array<const char*, 3>, 4> kHistorico = {{
        {"group 1 last recharge", "group 1 second-to-last recharge", "group 1 third-to-last recharge"},
        {"group 2 last recharge", "group 2 second-to-last recharge", "group 2 third-to-last recharge"},
        {"group 3 last recharge", "group 3 second-to-last recharge", "group 3 third-to-last recharge"},
        {"group 4 last recharge", "group 4 second-to-last recharge", "group 4 third-to-last recharge"},
    }};
    static const std::array<std::array<const char*, 3>, 4> kGrupo = {{{"", "", ""},
                                                                      {"group 2 tariff", "group 2 CMM", "group 2 recharge value"},
                                                                      {"group 3 tariff", "group 3 CMM", "group 3 recharge value"},
                                                                      {"group 4 tariff", "group 4 CMM", "group 4 recharge value"}}};
    for (std::size_t g = 1; g < 4; ++g) {
        c.push_back({D::Tarifa[g], kGrupo[g][0]});
        c.push_back({D::Cmm[g], kGrupo[g][1]});
        c.push_back({D::Valor[g], kGrupo[g][2]});
    }
    for (std::size_t g = 0; g < 4; ++g)
        for (std::size_t k = 0; k < 3; ++k)
            c.push_back({D::Historico[g][k], kHistorico[g][k]});
    return c;
}

std::vector<CampoLido> camposDoTrailer()
{
    namespace T = L::trailer;
    static const char* const kPortadores[] = {"holders using group 1", "holders using group 2",
                                              "holders using group 3", "holders using group 4"};
    static const char* const kMontante[] = {"group 1 amount", "group 2 amount", "group 3 amount", "group 4 amount"};
    std::vector<CampoLido> c = {{T::Registros, "record count"}};
    for (std::size_t g = 0; g < 4; ++g) {
        c.push_back({T::Portadores[g], kPortadores[g]});
        c.push_back({T::Montante[g], kMontante[g]});
    }
    return c;
}

const std::vector<TipoRegistro>& tipos()
{
    namespace H = L::header;
    namespace C = L::tipoCartao;
    namespace F = L::tarifa;
    static const std::vector<TipoRegistro> t = {
        {H::kTipo, "header", {H::kSemVersoes, H::kSemArredondamento, H::kComprimento},
         {{H::NumeroCabecalho, "header number"}, {H::Empresa, "company code"}, {H::Criptografado, "encrypted flag"},
          {H::Arredondamento, "rounding mode"}}},
        {L::detalhe::kTipo, "detail", {L::detalhe::kComprimento}, camposDoDetalhe()},
        {C::kTipo, "card type", {C::kSemMaximo, C::kComprimento},
         {{C::Codigo, "card type code"}, {C::Modalidade, "kind (0 money, 1 credits)"}, {C::Percentual, "percentage"},
          {C::ValorMaximo, "maximum per recharge"}}},
        {F::kTipo, "tariff", {F::kComprimento},
         {{F::Codigo, "tariff code"}, {F::Valor, "fare"}, {F::Referencia, "reference number"}}},
        {L::trailer::kTipo, "trailer", {L::trailer::kComprimento}, camposDoTrailer()},
    };
    return t;
}

const TipoRegistro* tipoDe(std::string_view linha)
{
    const std::string_view t = campo(linha, L::kTipoRegistro);
    for (const TipoRegistro& r : tipos())
        if (r.tipo == t)
            return &r;
    return nullptr;
}

QString esperados(const std::vector<std::size_t>& c)
{
    QString s = QString::number(c.front());
    for (std::size_t i = 1; i < c.size(); ++i)
        s += (i + 1 == c.size() ? QStringLiteral(" or ") : QStringLiteral(", ")) + QString::number(c[i]);
    return s;
}

QString colunas(const L::Campo& c)
{
    if (c.len == 1)
        return QStringLiteral("column %1").arg(c.pos);
    return QStringLiteral("columns %1\u2013%2").arg(c.pos).arg(c.fim() - 1);
}

}  // namespace

QString campoNaoNumerico(std::string_view linha, std::string_view texto)
{
    const QString mostrado = deCp1252(std::string(texto));
    const TipoRegistro* tipo = tipoDe(linha);
    if (tipo) {
        // The first field read that holds this text; a field the reader
        // trims first (the rounding mode, the maximum) is met trimmed.
        for (const CampoLido& c : tipo->campos) {
            const std::string_view aqui = campo(linha, c.campo);
            if (aqui == texto || (!aqui.empty() && apara(aqui) == texto))
                return QStringLiteral("%1 record: %2 at %3 is not a number (\"%4\")")
                    .arg(QString::fromLatin1(tipo->nome), QString::fromLatin1(c.nome), colunas(c.campo), mostrado);
        }
    }
    return QStringLiteral("%1 record: a field is not a number (\"%2\")")
        .arg(tipo ? QString::fromLatin1(tipo->nome) : QStringLiteral("a"), mostrado);
}

QStringList diagnosticoLinhas(const QString& caminho, const std::vector<Texto>& linhas,
                              const std::vector<std::size_t>& numeros, const ErroConversao* erro)
{
    const QString nome = QLatin1Char('"') + QDir::toNativeSeparators(caminho) + QLatin1Char('"');
    auto numero = [&](std::size_t i) { return i < numeros.size() ? numeros[i] : i + 1; };
    QStringList d;
    int omitidos = 0;
    auto aponta = [&](std::size_t i, const QString& texto) {
        if (d.size() < kMaisDiagnosticos)
            d << QStringLiteral("%1:%2: %3").arg(nome).arg(numero(i)).arg(texto);
        else
            ++omitidos;
    };
    const std::size_t ate = erro && erro->linha() >= 0 ? std::size_t(erro->linha()) : linhas.size();
    for (std::size_t i = 0; i < linhas.size() && i < ate; ++i) {
        const std::string_view linha = linhas[i];
        if (const TipoRegistro* t = tipoDe(linha)) {
            bool aceito = false;
            for (const std::size_t c : t->comprimentos)
                aceito = aceito || c == linha.size();
            if (!aceito)
                aponta(i, QStringLiteral("%1 record length %2, expected %3")
                              .arg(QString::fromLatin1(t->nome))
                              .arg(linha.size())
                              .arg(esperados(t->comprimentos)));
        } else if (const std::string_view tipo = campo(linha, L::kTipoRegistro); !apara(tipo).empty()) {
            aponta(i, QStringLiteral("unknown record type \"%1\"").arg(deCp1252(std::string(tipo))));
        }
    }
    if (omitidos > 0)
        d << QStringLiteral("%1: %2 more such lines").arg(nome).arg(omitidos);
    if (erro && erro->linha() >= 0 && std::size_t(erro->linha()) < linhas.size())
        d << QStringLiteral("%1:%2: %3")
                 .arg(nome)
                 .arg(numero(std::size_t(erro->linha())))
                 .arg(campoNaoNumerico(linhas[std::size_t(erro->linha())], erro->campo()));
    return d;
}

std::vector<std::size_t> numerosDeLinha(std::string_view texto)
{
    std::vector<std::size_t> numeros;
    std::size_t numero = 1;
    const char* p = texto.data();
    const char* const fim = p + texto.size();
    while (p < fim) {
        const char* q = p;
        bool emBranco = true;
        while (q < fim && *q != '\n' && *q != '\r') {
            emBranco = emBranco && static_cast<unsigned char>(*q) <= ' ';
            ++q;
        }
        if (!emBranco)
            numeros.push_back(numero);
        if (q == fim)
            break;
        p = q + (*q == '\r' && q + 1 < fim && q[1] == '\n' ? 2 : 1);
        ++numero;
    }
    return numeros;
}

}  // namespace pluvexa::cli
