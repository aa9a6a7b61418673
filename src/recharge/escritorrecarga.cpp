#include "recharge/escritorrecarga.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include <QLocale>

#include "recharge/cp1252.h"
#include "recharge/layoutregistros.h"

namespace pluvexa {
namespace {

constexpr long long kMaiorLegivel = 2147483647LL;  // the reader's 32-bit limit

// Largest value a numeric field of each width can carry and still be read
// back: all nines, capped at the reader's 32-bit limit.
constexpr long long kLimiteCampo[] = {0,         9,          99,         999,       9999,
                                      99999,     999999,     9999999,    99999999,  999999999,
                                      kMaiorLegivel};

long long limiteCampo(int largura)
{
    return largura >= 10 ? kMaiorLegivel : kLimiteCampo[largura];
}

// A refused number as the log shows it: every whole digit, no exponent
// (a credit history of -2147483648 is not "-2.14748e+09").
QString textoNumero(double v)
{
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

bool temQuebra(const Texto& s)
{
    for (char c : s)
        if (c == '\r' || c == '\n')
            return true;
    return false;
}

// Puts the fields of one record where the layout places them and collects
// what does not fit. The line starts as blanks of the record's length, its
// type in front; every number field is written, zeros included.
class Registro {
public:
    Registro(CampoRecusado::Registro tipo, int codigo, const Texto& nome, std::vector<CampoRecusado>& recusas,
             std::string_view tipoRegistro, std::size_t comprimento)
        : m_tipo(tipo), m_codigo(codigo), m_nome(nome), m_recusas(recusas), m_linha(comprimento, ' ')
    {
        m_linha.replace(0, tipoRegistro.size(), tipoRegistro);
    }

    void texto(const layout::Campo& c, const Texto& s)
    {
        const std::size_t largura = c.len;
        if (s.size() > largura) {
            recusa(c.nome, QStringLiteral("texto de %1 caracteres não cabe em %2").arg(s.size()).arg(largura));
        } else if (temQuebra(s)) {
            recusa(c.nome, QStringLiteral("texto com quebra de linha"));
        }
        const std::size_t n = std::min(s.size(), largura);
        const auto ini = m_linha.begin() + std::ptrdiff_t(inicio(c));
        std::fill(std::copy_n(s.data(), n, ini), ini + std::ptrdiff_t(largura), ' ');
    }

    void numero(const layout::Campo& c, long long v)
    {
        const int largura = int(c.len);
        if (v < 0) {
            recusa(c.nome, QStringLiteral("valor negativo (%1)").arg(v));
            v = 0;
        } else if (v > limiteCampo(largura)) {
            recusa(c.nome, QStringLiteral("%1 não cabe em %2 dígitos").arg(v).arg(largura));
            v = 0;
        }
        const std::size_t ini = inicio(c);
        std::fill_n(m_linha.begin() + std::ptrdiff_t(ini), c.len, '0');
        for (std::size_t k = ini + c.len; v != 0; v /= 10)
            m_linha[--k] = char('0' + v % 10);
    }

    // value * 100 + 0.01, truncated: the whole cents of an amount.
    void centavos(const layout::Campo& c, double v) { inteiro(c, v * 100 + 0.01, v); }

    // A whole count taken by truncation.
    void truncado(const layout::Campo& c, double v) { inteiro(c, v, v); }

    void recusa(const char* nomeCampo, const QString& motivo)
    {
        m_recusas.push_back({m_tipo, m_codigo, m_nome, QString::fromUtf8(nomeCampo), motivo});
    }

    Texto&& fim() { return std::move(m_linha); }

private:
    // Where the field starts in the line; the field lies within it.
    std::size_t inicio(const layout::Campo& c) const
    {
        assert(c.pos >= 1 && c.fim() - 1 <= m_linha.size());
        return c.pos - 1;
    }

    void inteiro(const layout::Campo& c, double escalado, double original)
    {
        if (!std::isfinite(original)) {
            recusa(c.nome, QStringLiteral("valor inválido"));
            numero(c, 0);
        } else if (original < 0) {
            recusa(c.nome, QStringLiteral("valor negativo (%1)").arg(textoNumero(original)));
            numero(c, 0);
        } else if (escalado >= 9.0e18) {
            numero(c, kMaiorLegivel + 1);
        } else {
            numero(c, static_cast<long long>(std::trunc(escalado)));
        }
    }

    CampoRecusado::Registro m_tipo;
    int m_codigo;
    const Texto& m_nome;
    std::vector<CampoRecusado>& m_recusas;
    Texto m_linha;
};

const Texto kSemNome;

Texto dataHoraCampo(const QDateTime& dt, const char* formato)
{
    return dt.isValid() ? dt.toString(QString::fromLatin1(formato)).toStdString() : Texto();
}

}  // namespace

QString CampoRecusado::texto() const
{
    QString quem;
    switch (registro) {
    case Registro::Cabecalho:
        quem = QStringLiteral("Header");
        break;
    case Registro::TipoCartao:
        quem = QStringLiteral("Tipo Cartão %1 - %2").arg(codigo).arg(deCp1252(nome).trimmed());
        break;
    case Registro::Tarifa:
        quem = QStringLiteral("Tarifa %1 - %2").arg(codigo).arg(deCp1252(nome).trimmed());
        break;
    case Registro::Detalhe:
        quem = QStringLiteral("Usuário %1 - %2").arg(codigo).arg(deCp1252(nome).trimmed());
        break;
    }
    return quem + QStringLiteral(" - ") + campo + QStringLiteral(" : ") + motivo;
}

QStringList ResultadoEscrita::textosRecusas() const
{
    QStringList l;
    for (const CampoRecusado& r : recusas)
        l.append(r.texto());
    return l;
}

EscritorRecarga::EscritorRecarga(const ModeloRecarga& modelo) : m_modelo(modelo) {}

ResultadoEscrita EscritorRecarga::gera(const Texto& nomeArquivo, const QDateTime& inicio,
                                       const QDateTime& detalhes) const
{
    bool usou = false;
    return gera(nomeArquivo, [&]() {
        const QDateTime agora = usou ? detalhes : inicio;
        usou = true;
        return agora;
    });
}

ResultadoEscrita EscritorRecarga::gera(const Texto& nomeArquivo,
                                       const std::function<QDateTime()>& relogio) const
{
    using R = CampoRecusado::Registro;
    const ModeloRecarga& m = m_modelo;
    ResultadoEscrita res;
    std::vector<CampoRecusado>& recusas = res.recusas;
    std::vector<Texto>& out = res.linhas;
    const QDateTime inicio = relogio();

    const int qtd = std::clamp(m.QtdRecarga, 0, kRecargas);
    out.reserve(std::size_t(qtd) + kTiposCartao + kTarifas + 2);
    out.emplace_back();  // the header goes first, written last

    for (const TipoCartao& t : m.wTipoCartao) {
        if (t.Codigo == 0)
            continue;
        namespace T = layout::tipoCartao;
        Registro r(R::TipoCartao, t.Codigo, t.Descricao, recusas, T::kTipo, T::kComprimento);
        r.numero(T::Codigo, t.Codigo);
        r.texto(T::Descricao, t.Descricao);
        r.numero(T::Modalidade, t.Modalidade);
        r.centavos(T::Percentual, t.Percentual);
        if (t.Modalidade == Dinheiro)
            r.centavos(T::ValorMaximo, t.ValorMaximo);
        else
            r.truncado(T::ValorMaximo, t.ValorMaximo);
        out.push_back(r.fim());
    }

    for (const Tarifa& t : m.wTarifa) {
        if (t.Descricao.empty())
            continue;
        namespace T = layout::tarifa;
        Registro r(R::Tarifa, t.Codigo, t.Descricao, recusas, T::kTipo, T::kComprimento);
        r.numero(T::Codigo, t.Codigo);
        r.texto(T::Descricao, t.Descricao);
        r.centavos(T::Valor, t.Valor);
        r.numero(T::Referencia, t.Referencia);
        out.push_back(r.fim());
    }

    namespace D = layout::detalhe;
    std::array<long long, kGrupos> usando{};
    for (int i = 0; i < qtd; ++i) {
        const Recarga& h = m.wRecarga[std::size_t(i)];
        Registro r(R::Detalhe, h.Usuario, h.Nome, recusas, D::kTipo, D::kComprimento);
        if (h.TipoCartao < 0 || h.TipoCartao >= kTiposCartao) {
            r.recusa(D::TipoCartao.nome,
                     QStringLiteral("código %1 fora da tabela (00 a 31)").arg(h.TipoCartao));
            continue;
        }
        const bool dinheiro = m.wTipoCartao[std::size_t(h.TipoCartao)].Modalidade == Dinheiro;
        r.numero(D::Usuario, h.Usuario);
        r.numero(D::Cartao, h.Cartao);
        r.texto(D::Nome, h.Nome);
        r.texto(D::Matricula, h.Matricula);
        r.numero(D::TipoCartao, h.TipoCartao);
        const GrupoRecarga& g1 = h.Grupo[0];
        r.numero(D::Tarifa[0], g1.Tarifa);
        r.numero(D::Reservado1, 0);
        if (dinheiro) {
            r.centavos(D::Cmm[0], g1.CMM);
            r.centavos(D::Valor[0], g1.Valor);
        } else {
            r.numero(D::Cmm[0], g1.CMM);
            r.truncado(D::Valor[0], g1.Valor);
        }
        for (std::size_t g = 1; g < kGrupos; ++g) {
            const GrupoRecarga& gr = h.Grupo[g];
            r.numero(D::Tarifa[g], gr.Tarifa);
            r.numero(D::Cmm[g], gr.CMM);
            if (dinheiro) {
                // The layout has no money field for these groups: a value
                // here would silently never reach the central.
                if (gr.Valor != 0)
                    r.recusa(D::Valor[g].nome, QStringLiteral("tipo de cartão em dinheiro só envia o grupo 1"));
                r.numero(D::Valor[g], 0);
            } else {
                r.truncado(D::Valor[g], gr.Valor);
            }
        }
        r.numero(D::Reservado2, 0);
        for (std::size_t k = 0; k < 3; ++k) {
            if (dinheiro)
                r.centavos(D::Historico[0][k], h.Historico[0][k]);
            else
                r.truncado(D::Historico[0][k], h.Historico[0][k]);
        }
        for (std::size_t g = 1; g < kGrupos; ++g) {
            for (std::size_t k = 0; k < 3; ++k) {
                if (dinheiro) {
                    if (h.Historico[g][k] != 0)
                        r.recusa(D::Historico[g][k].nome,
                                 QStringLiteral("tipo de cartão em dinheiro só envia o grupo 1"));
                    r.numero(D::Historico[g][k], 0);
                } else {
                    r.truncado(D::Historico[g][k], h.Historico[g][k]);
                }
            }
        }
        for (std::size_t g = 0; g < kGrupos; ++g)
            if (h.Grupo[g].Tarifa != 0)
                ++usando[g];
        out.push_back(r.fim());
    }

    const QDateTime detalhes = relogio();
    const Cabecalho& c = m.cabecalho;
    {
        namespace H = layout::header;
        Registro r(R::Cabecalho, 0, kSemNome, recusas, H::kTipo, H::kComprimento);
        r.numero(H::NumeroCabecalho, c.NumeroCabecalho);
        r.numero(H::Empresa, c.Empresa);
        r.texto(H::NomeEmpresa, c.NomeEmpresa);
        const Texto d1 = dataHoraCampo(inicio, "ddMMyy"), h1 = dataHoraCampo(inicio, "hhmmss");
        const Texto d2 = dataHoraCampo(detalhes, "ddMMyy"), h2 = dataHoraCampo(detalhes, "hhmmss");
        if (d1.size() != H::DataCriacao.len || d2.size() != H::DataGeracao.len)
            r.recusa("Data", QStringLiteral("data e hora inválidas"));
        r.texto(H::DataCriacao, d1);
        r.texto(H::HoraCriacao, h1);
        r.texto(H::DataGeracao, d2);
        r.texto(H::HoraGeracao, h2);
        r.numero(H::Criptografado, 1);
        r.texto(H::NomeArquivo, nomeArquivo);
        r.texto(H::Complemento, c.Complemento);
        r.texto(H::VersaoRecarga, c.VersaoRecarga);
        r.texto(H::VersaoRemota, kVersao);
        r.texto(H::Sequencial, c.Sequencial);
        r.texto(H::Arredondamento, c.Arredondamento.empty() ? Texto("0") : c.Arredondamento);
        out.front() = r.fim();
    }
    {
        namespace T = layout::trailer;
        Registro r(R::Cabecalho, 0, kSemNome, recusas, T::kTipo, T::kComprimento);
        r.numero(T::Registros, static_cast<long long>(out.size()) + 1);
        for (std::size_t g = 0; g < kGrupos; ++g) {
            r.numero(T::Portadores[g], usando[g]);
            r.numero(T::Montante[g], 0);
        }
        out.push_back(r.fim());
    }

    if (!recusas.empty())
        out.clear();
    return res;
}

std::string juntaLinhas(const std::vector<Texto>& linhas)
{
    std::size_t total = 0;
    for (const Texto& l : linhas)
        total += l.size() + 2;
    std::string s;
    s.reserve(total);
    for (const Texto& l : linhas) {
        s += l;
        s += "\r\n";
    }
    return s;
}

std::vector<Texto> divideLinhas(std::string_view texto)
{
    std::vector<Texto> linhas;
    std::size_t ini = 0;
    while (ini < texto.size()) {
        std::size_t fim = texto.find_first_of("\r\n", ini);
        if (fim == std::string_view::npos) {
            linhas.emplace_back(texto.substr(ini));
            break;
        }
        linhas.emplace_back(texto.substr(ini, fim - ini));
        if (texto[fim] == '\r' && fim + 1 < texto.size() && texto[fim + 1] == '\n')
            ++fim;
        ini = fim + 1;
    }
    return linhas;
}

}  // namespace pluvexa
