#include "recharge/escritorrecarga.h"

#include <cmath>

#include <QLocale>

#include "recharge/cp1252.h"

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

// Appends the fields of one record and collects what does not fit.
class Registro {
public:
    Registro(CampoRecusado::Registro tipo, int codigo, const Texto& nome,
             std::vector<CampoRecusado>& recusas)
        : m_tipo(tipo), m_codigo(codigo), m_nome(nome), m_recusas(recusas)
    {
        m_linha.reserve(280);
    }

    void literal(std::string_view s) { m_linha.append(s); }

    void texto(const Texto& s, int largura, const char* nomeCampo)
    {
        if (s.size() > std::size_t(largura)) {
            recusa(nomeCampo, QStringLiteral("texto de %1 caracteres não cabe em %2")
                                  .arg(s.size()).arg(largura));
        } else if (temQuebra(s)) {
            recusa(nomeCampo, QStringLiteral("texto com quebra de linha"));
        }
        const std::size_t n = std::min(s.size(), std::size_t(largura));
        m_linha.append(s.data(), n);
        m_linha.append(std::size_t(largura) - n, ' ');
    }

    void numero(long long v, int largura, const char* nomeCampo)
    {
        if (v < 0) {
            recusa(nomeCampo, QStringLiteral("valor negativo (%1)").arg(v));
            v = 0;
        } else if (v > limiteCampo(largura)) {
            recusa(nomeCampo, QStringLiteral("%1 não cabe em %2 dígitos").arg(v).arg(largura));
            v = 0;
        }
        const std::size_t ini = m_linha.size();
        m_linha.append(std::size_t(largura), '0');
        for (std::size_t k = ini + std::size_t(largura); v != 0; v /= 10)
            m_linha[--k] = char('0' + v % 10);
    }

    // value * 100 + 0.01, truncated: the whole cents of an amount.
    void centavos(double v, int largura, const char* nomeCampo)
    {
        inteiro(v * 100 + 0.01, v, largura, nomeCampo);
    }

    // A whole count taken by truncation.
    void truncado(double v, int largura, const char* nomeCampo)
    {
        inteiro(v, v, largura, nomeCampo);
    }

    void recusa(const char* nomeCampo, const QString& motivo)
    {
        m_recusas.push_back({m_tipo, m_codigo, m_nome, QString::fromUtf8(nomeCampo), motivo});
    }

    Texto&& fim() { return std::move(m_linha); }

private:
    void inteiro(double escalado, double original, int largura, const char* nomeCampo)
    {
        if (!std::isfinite(original)) {
            recusa(nomeCampo, QStringLiteral("valor inválido"));
            numero(0, largura, nomeCampo);
        } else if (original < 0) {
            recusa(nomeCampo, QStringLiteral("valor negativo (%1)").arg(textoNumero(original)));
            numero(0, largura, nomeCampo);
        } else if (escalado >= 9.0e18) {
            numero(kMaiorLegivel + 1, largura, nomeCampo);
        } else {
            numero(static_cast<long long>(std::trunc(escalado)), largura, nomeCampo);
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
        Registro r(R::TipoCartao, t.Codigo, t.Descricao, recusas);
        r.literal("04");
        r.numero(t.Codigo, 2, "Código");
        r.texto(t.Descricao, 50, "Descrição");
        r.numero(t.Modalidade, 1, "Modalidade");
        r.centavos(t.Percentual, 5, "Percentual");
        if (t.Modalidade == Dinheiro)
            r.centavos(t.ValorMaximo, 5, "Valor máximo");
        else
            r.truncado(t.ValorMaximo, 5, "Valor máximo");
        out.push_back(r.fim());
    }

    for (const Tarifa& t : m.wTarifa) {
        if (t.Descricao.empty())
            continue;
        Registro r(R::Tarifa, t.Codigo, t.Descricao, recusas);
        r.literal("05");
        r.numero(t.Codigo, 2, "Código");
        r.texto(t.Descricao, 10, "Descrição");
        r.centavos(t.Valor, 18, "Valor");
        r.numero(t.Referencia, 10, "Referência");
        out.push_back(r.fim());
    }

    static const char* const kTarifaGrupo[] = {"Tarifa do grupo 1", "Tarifa do grupo 2",
                                               "Tarifa do grupo 3", "Tarifa do grupo 4"};
    static const char* const kCmmGrupo[] = {"CMM do grupo 1", "CMM do grupo 2", "CMM do grupo 3",
                                            "CMM do grupo 4"};
    static const char* const kValorGrupo[] = {"Valor do grupo 1", "Valor do grupo 2",
                                              "Valor do grupo 3", "Valor do grupo 4"};
    static const char* const kHistorico[4][3] = {
        {"Última recarga do grupo 1", "Penúltima recarga do grupo 1", "Antepenúltima recarga do grupo 1"},
        {"Última recarga do grupo 2", "Penúltima recarga do grupo 2", "Antepenúltima recarga do grupo 2"},
        {"Última recarga do grupo 3", "Penúltima recarga do grupo 3", "Antepenúltima recarga do grupo 3"},
        {"Última recarga do grupo 4", "Penúltima recarga do grupo 4", "Antepenúltima recarga do grupo 4"}};

    std::array<long long, kGrupos> usando{};
    for (int i = 0; i < qtd; ++i) {
        const Recarga& h = m.wRecarga[std::size_t(i)];
        Registro r(R::Detalhe, h.Usuario, h.Nome, recusas);
        if (h.TipoCartao < 0 || h.TipoCartao >= kTiposCartao) {
            r.recusa("Tipo Cartão", QStringLiteral("código %1 fora da tabela (00 a 31)").arg(h.TipoCartao));
            continue;
        }
        const bool dinheiro = m.wTipoCartao[std::size_t(h.TipoCartao)].Modalidade == Dinheiro;
        r.literal("01");
        r.numero(h.Usuario, 10, "Usuário");
        r.numero(h.Cartao, 10, "Cartão");
        r.texto(h.Nome, 50, "Nome");
        r.texto(h.Matricula, 20, "Matrícula");
        r.numero(h.TipoCartao, 2, "Tipo Cartão");
        const GrupoRecarga& g1 = h.Grupo[0];
        r.numero(g1.Tarifa, 4, kTarifaGrupo[0]);
        if (dinheiro) {
            r.centavos(g1.CMM, 18, kCmmGrupo[0]);
            r.numero(0, 18, "");
            r.centavos(g1.Valor, 18, kValorGrupo[0]);
        } else {
            r.numero(g1.CMM, 18, kCmmGrupo[0]);
            r.numero(0, 18, "");
            r.truncado(g1.Valor, 18, kValorGrupo[0]);
        }
        for (std::size_t g = 1; g < kGrupos; ++g) {
            const GrupoRecarga& gr = h.Grupo[g];
            r.numero(gr.Tarifa, 4, kTarifaGrupo[g]);
            r.numero(gr.CMM, 3, kCmmGrupo[g]);
            if (dinheiro) {
                // The layout has no money field for these groups: a value
                // here would silently never reach the central.
                if (gr.Valor != 0)
                    r.recusa(kValorGrupo[g], QStringLiteral("tipo de cartão em dinheiro só envia o grupo 1"));
                r.numero(0, 3, kValorGrupo[g]);
            } else {
                r.truncado(gr.Valor, 3, kValorGrupo[g]);
            }
        }
        r.numero(0, 18, "");
        r.literal("            ");
        for (std::size_t k = 0; k < 3; ++k) {
            if (dinheiro)
                r.centavos(h.Historico[0][k], 5, kHistorico[0][k]);
            else
                r.truncado(h.Historico[0][k], 5, kHistorico[0][k]);
        }
        for (std::size_t g = 1; g < kGrupos; ++g) {
            for (std::size_t k = 0; k < 3; ++k) {
                if (dinheiro) {
                    if (h.Historico[g][k] != 0)
                        r.recusa(kHistorico[g][k], QStringLiteral("tipo de cartão em dinheiro só envia o grupo 1"));
                    r.numero(0, 5, kHistorico[g][k]);
                } else {
                    r.truncado(h.Historico[g][k], 5, kHistorico[g][k]);
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
        Registro r(R::Cabecalho, 0, kSemNome, recusas);
        r.literal("00");
        r.numero(c.NumeroCabecalho, 4, "Número do header");
        r.numero(c.Empresa, 5, "Empresa");
        r.texto(c.NomeEmpresa, 50, "Nome da empresa");
        const Texto d1 = dataHoraCampo(inicio, "ddMMyy"), h1 = dataHoraCampo(inicio, "hhmmss");
        const Texto d2 = dataHoraCampo(detalhes, "ddMMyy"), h2 = dataHoraCampo(detalhes, "hhmmss");
        if (d1.size() != 6 || d2.size() != 6)
            r.recusa("Data", QStringLiteral("data e hora inválidas"));
        r.texto(d1, 6, "Data de criação");
        r.texto(h1, 6, "Hora de criação");
        r.texto(d2, 6, "Data de geração");
        r.texto(h2, 6, "Hora de geração");
        r.literal("1");
        r.texto(nomeArquivo, 65, "Nome do arquivo");
        r.texto(c.Complemento, 65, "Complemento");
        r.texto(c.VersaoRecarga, 20, "Versão Recarga");
        r.texto(kVersao, 20, "Versão Remota");
        r.texto(c.Sequencial, 18, "Sequencial");
        r.texto(c.Arredondamento.empty() ? Texto("0") : c.Arredondamento, 1, "Arredondamento");
        out.front() = r.fim();
    }
    {
        Registro r(R::Cabecalho, 0, kSemNome, recusas);
        r.literal("99");
        r.numero(static_cast<long long>(out.size()) + 1, 10, "Quantidade de registros");
        for (std::size_t g = 0; g < kGrupos; ++g) {
            r.numero(usando[g], 18, "");
            r.numero(0, 18, "");
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
