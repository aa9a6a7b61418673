#include "central/dadosdemo.h"

#include "recharge/cp1252.h"

#include <algorithm>
#include <array>
#include <random>

namespace pluvexa {

namespace {

const std::array<const char*, 40> kPrenomes = {
    "ANA", "ANA MARIA", "ANTÔNIO", "BEATRIZ", "BRUNO", "CAMILA", "CARLOS", "CLÁUDIA",
    "DANIEL", "DÉBORA", "EDUARDO", "FÁBIO", "FERNANDA", "FRANCISCO", "GABRIEL", "HELENA",
    "IGOR", "JOÃO", "JOSÉ", "JULIANA", "LARISSA", "LUCAS", "LUÍS", "MÁRCIA",
    "MARIA", "MARIA DA CONCEIÇÃO", "MATEUS", "NATÁLIA", "OTÁVIO", "PAULO", "PEDRO", "RAFAEL",
    "RAIMUNDO", "RENATA", "RODRIGO", "SEBASTIÃO", "SÔNIA", "TATIANE", "VINÍCIUS", "WESLEY"};

const std::array<const char*, 30> kSobrenomes = {
    "ALMEIDA", "ALVES", "ARAÚJO", "BARBOSA", "CARDOSO", "CARVALHO", "CASTRO", "CORREIA",
    "COSTA", "DIAS", "FERREIRA", "GOMES", "LIMA", "MARTINS", "MELO", "MENDES",
    "MOREIRA", "NASCIMENTO", "OLIVEIRA", "PEREIRA", "RIBEIRO", "ROCHA", "RODRIGUES",
    "SANTOS", "SILVA", "SOUZA", "TEIXEIRA", "VIEIRA", "CONCEIÇÃO", "GONÇALVES"};

Texto campo(const QString& text, int width)
{
    Texto bytes = paraCp1252(text);
    bytes.resize(size_t(width), ' ');
    return bytes;
}

}  // namespace

QString nomeArquivoRecebido(int empresa, int remessa, const QDateTime& quando)
{
    return QStringLiteral("PX_%1_%2_%3_1.rec")
        .arg(empresa, 5, 10, QLatin1Char('0'))
        .arg(remessa, 4, 10, QLatin1Char('0'))
        .arg(quando.toString(QStringLiteral("yyMMddHHmm")));
}

void geraModeloDemo(ModeloRecarga& m, const DemoOptions& o, const QDateTime& quando)
{
    m.esvazia();
    std::mt19937 rng(o.seed);
    auto sorteia = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    Cabecalho& c = m.cabecalho;
    c = Cabecalho{};
    c.NumeroCabecalho = 1;
    c.Empresa = o.empresa;
    c.NomeEmpresa = campo(QStringLiteral("TRANSPORTADORA MODELO DE SERVIÇOS LTDA"), 50);
    c.DataCriacao = quando.toString(QStringLiteral("ddMMyy")).toStdString();
    c.HoraCriacao = quando.toString(QStringLiteral("HHmmss")).toStdString();
    c.DataGeracao = c.DataCriacao;
    c.HoraGeracao = c.HoraCriacao;
    c.Criptografado = 1;
    c.NomeArquivo = campo(nomeArquivoRecebido(o.empresa, o.remessa, quando), 65);
    c.Remessa = c.NomeArquivo.substr(9, 4);
    c.Complemento = Texto(65, ' ');
    c.VersaoRecarga = campo(QStringLiteral("CENTRAL 4.2.0"), 20);
    c.VersaoRemota = Texto(20, ' ');
    c.Sequencial = "000000000000004711";
    c.Arredondamento = "0";
    c.Lido = true;
    m.ModoArredondamento = 0;

    m.wTipoCartao[1] = {1, campo(QStringLiteral("VALE-TRANSPORTE EM DINHEIRO"), 50), Dinheiro, 100.0, 600.0};
    m.wTipoCartao[2] = {2, campo(QStringLiteral("VALE-TRANSPORTE EM CRÉDITOS"), 50), Creditos, 50.0, 250.0};

    m.wTarifa[0] = {0, campo(QStringLiteral("SEM TARIFA"), 10), 0.0, 1000000000};
    m.wTarifa[1] = {1, campo(QStringLiteral("URBANA"), 10), 4.40, 1000000001};
    m.wTarifa[2] = {2, campo(QStringLiteral("METROPOL."), 10), 6.85, 1000000002};
    m.wTarifa[3] = {3, campo(QStringLiteral("SELETIVO"), 10), 9.50, 1000000003};
    m.wTarifa[4] = {4, campo(QStringLiteral("INTEGRAÇÃO"), 10), 2.25, 1000000004};

    const int n = std::clamp(o.holders, 1, kRecargas);
    for (int i = 0; i < n; ++i) {
        Recarga& r = m.wRecarga[size_t(i)];
        r = Recarga{};
        r.Usuario = 100000 + i * 7;
        r.Cartao = 300000000 + sorteia(0, 999999) * 1000 + i % 1000;
        const QString nome = QString::fromUtf8(kPrenomes[size_t(sorteia(0, kPrenomes.size() - 1))])
                             + QLatin1Char(' ')
                             + QString::fromUtf8(kSobrenomes[size_t(sorteia(0, kSobrenomes.size() - 1))])
                             + QLatin1Char(' ')
                             + QString::fromUtf8(kSobrenomes[size_t(sorteia(0, kSobrenomes.size() - 1))]);
        r.Nome = campo(nome, 50);
        if (sorteia(0, 9) != 0)
            r.Matricula = QString::number(sorteia(1000, 99999)).toStdString();
        const bool creditos = sorteia(0, 3) == 0;
        r.TipoCartao = creditos ? 2 : 1;
        if (creditos) {
            r.Grupo[0] = {sorteia(1, 4), sorteia(20, 60), 0.0};
            for (int h = 0; h < 3; ++h)
                r.Historico[0][size_t(h)] = sorteia(10, 60);
            if (sorteia(0, 2) == 0) {
                int g2 = r.Grupo[0].Tarifa % 4 + 1;
                r.Grupo[1] = {g2, sorteia(10, 40), 0.0};
                for (int h = 0; h < 3; ++h)
                    r.Historico[1][size_t(h)] = sorteia(10, 40);
            }
        } else {
            // One money holder in twelve has no tariff in group 1 (listed under "00").
            const int tarifa = sorteia(0, 11) == 0 ? 0 : sorteia(1, 3);
            r.Grupo[0] = {tarifa, sorteia(80, 320), 0.0};
            for (int h = 0; h < 3; ++h)
                r.Historico[0][size_t(h)] = sorteia(8000, 32000) / 100.0;
        }
    }
    m.QtdRecarga = n;
}

}  // namespace pluvexa
