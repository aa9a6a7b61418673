#include "recharge/leitorrecarga.h"

#include <cstdio>

#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"

namespace pluvexa {
namespace {

Texto codigo2(int c)
{
    return paraCp1252(formata(u"00", c));
}

bool tarifaValida(int c) { return c >= 0 && c < kTarifas; }
bool tipoValido(int c) { return c >= 0 && c < kTiposCartao; }

}  // namespace

LeitorRecarga::LeitorRecarga(ModeloRecarga& modelo, const std::vector<Texto>& linhas)
    : m_modelo(modelo), m_linhas(linhas)
{
}

std::string_view LeitorRecarga::linha(int i) const
{
    if (i < 0 || std::size_t(i) >= m_linhas.size())
        return {};
    return m_linhas[std::size_t(i)];
}

void LeitorRecarga::avisa(const QString& texto)
{
    if (m_aoAviso)
        m_aoAviso(texto);
    else
        m_avisos.append(texto);
}

bool LeitorRecarga::Proc_header(int i)
{
    const std::string_view l = linha(i);
    if (l.size() != 216 && l.size() != 274 && l.size() != 275)
        return false;
    Cabecalho c;
    c.NumeroCabecalho = lerInteiro(campo(l, 3, 4));
    c.Empresa = lerInteiro(campo(l, 7, 5));
    c.NomeEmpresa = campo(l, 12, 50);
    c.DataCriacao = campo(l, 62, 6);
    c.HoraCriacao = campo(l, 68, 6);
    c.DataGeracao = campo(l, 74, 6);
    c.HoraGeracao = campo(l, 80, 6);
    c.Criptografado = lerInteiro(campo(l, 86, 1));
    c.NomeArquivo = campo(l, 87, 65);
    c.Complemento = campo(l, 152, 65);
    c.VersaoRecarga = campo(l, 217, 20);
    c.VersaoRemota = campo(l, 237, 20);
    c.Sequencial = campo(l, 257, 18);
    c.Arredondamento = apara(campo(l, 275, 1));
    if (c.Arredondamento.empty())
        c.Arredondamento = "0";
    const int modo = lerInteiro(c.Arredondamento);
    c.Remessa = campo(c.NomeArquivo, 10, 4);
    m_modelo.cabecalho = std::move(c);
    m_modelo.ModoArredondamento = modo;
    return true;
}

bool LeitorRecarga::Proc_tipocartao(int i)
{
    const std::string_view l = linha(i);
    if (l.size() != 60 && l.size() != 65)
        return false;
    TipoCartao t;
    t.Codigo = lerInteiro(campo(l, 3, 2));
    t.Descricao = campo(l, 5, 50);
    t.Modalidade = lerInteiro(campo(l, 55, 1));
    t.Percentual = lerInteiro(campo(l, 56, 5)) * kFatorMoeda;
    const std::string_view maximo = apara(campo(l, 61, 5));
    if (maximo.empty())
        t.ValorMaximo = t.Modalidade == Dinheiro ? 600.00 : 250;
    else if (t.Modalidade == Dinheiro)
        t.ValorMaximo = lerInteiro(maximo) * kFatorMoeda;
    else
        t.ValorMaximo = lerInteiro(maximo);
    if (!tipoValido(t.Codigo)) {
        avisa(QStringLiteral("Tipo Cartão fora da tabela (00 a 31) - Código : %1 - Linha : %2")
                  .arg(t.Codigo).arg(i));
        return false;
    }
    m_listaTiposCartao.push_back(codigo2(t.Codigo) + " - " + t.Descricao);
    TipoCartaoSel = t.Codigo;
    m_modelo.wTipoCartao[std::size_t(t.Codigo)] = std::move(t);
    return true;
}

bool LeitorRecarga::Proc_tarifa(int i)
{
    const std::string_view l = linha(i);
    if (l.size() != 42)
        return false;
    Tarifa t;
    t.Codigo = lerInteiro(campo(l, 3, 2));
    t.Descricao = campo(l, 5, 10);
    t.Valor = lerInteiro(campo(l, 15, 18)) * kFatorMoeda;
    t.Referencia = lerInteiro(campo(l, 33, 10));
    if (!tarifaValida(t.Codigo)) {
        avisa(QStringLiteral("Tarifa fora da tabela (00 a 14) - Código : %1 - Linha : %2")
                  .arg(t.Codigo).arg(i));
        return false;
    }
    Texto entrada = codigo2(t.Codigo) + " - " + t.Descricao;
    if (t.Codigo != 0)
        entrada += " - " + paraCp1252(formata(u"#,##0.00", t.Valor));
    m_listaTarifas.push_back(std::move(entrada));
    TarifaSel = t.Codigo;
    m_modelo.wTarifa[std::size_t(t.Codigo)] = std::move(t);
    return true;
}

bool LeitorRecarga::Proc_detalhe(int i)
{
    const std::string_view l = linha(i);
    if (l.size() != 272)
        return false;
    Recarga r;
    r.Usuario = lerInteiro(campo(l, 3, 10));
    r.Cartao = lerInteiro(campo(l, 13, 10));
    r.Nome = campo(l, 23, 50);
    r.Matricula = apara(campo(l, 73, 20));
    r.TipoCartao = lerInteiro(campo(l, 93, 2));
    if (!tipoValido(r.TipoCartao)) {
        // The card type decides how the rest of the record reads, and it
        // indexes the card-type table; outside it there is nothing to read by.
        avisa(QStringLiteral("Detalhe com Tipo Cartão fora da tabela (00 a 31) - Código : %1 - Linha : %2")
                  .arg(r.TipoCartao).arg(i));
        return false;
    }
    const bool dinheiro = m_modelo.wTipoCartao[std::size_t(r.TipoCartao)].Modalidade == Dinheiro;

    GrupoRecarga& g1 = r.Grupo[0];
    g1.Tarifa = lerInteiro(campo(l, 95, 4));
    const int cmm1 = lerInteiro(campo(l, 99, 18));
    g1.CMM = dinheiro ? cmm1 / 100 : cmm1;  // whole currency units, toward zero
    // A value below zero (or one a 32-bit conversion would wrap below
    // zero) would be credited, totalled and sent back as it stands.
    bool valorNegativo = false;
    const auto valor = [&valorNegativo](std::string_view campo) {
        const std::optional<int> v = lerValor(campo);
        valorNegativo = valorNegativo || !v;
        return v.value_or(0);
    };
    const int valor1 = valor(campo(l, 135, 18));
    g1.Valor = dinheiro ? valor1 * kFatorMoeda : valor1;
    // A money card type recharges through group 1 only, and the answer
    // carries 0 in the other groups: a value sent there is dropped (and
    // logged once the record is accepted) so that totals and listings show
    // what will be sent.
    std::vector<int> ignorados;
    for (std::size_t g = 1; g < kGrupos; ++g) {
        const std::size_t base = 153 + 10 * (g - 1);
        GrupoRecarga& gr = r.Grupo[g];
        gr.Tarifa = lerInteiro(campo(l, base, 4));
        const int cmm = lerInteiro(campo(l, base + 4, 3));
        gr.CMM = dinheiro ? cmm / 100 : cmm;
        const int v = valor(campo(l, base + 7, 3));
        gr.Valor = dinheiro ? 0 : v;
        if (dinheiro && v != 0)
            ignorados.push_back(int(g) + 1);
    }
    // Money history is a decimal number of cents (blanks and a decimal comma
    // allowed); credits are whole numbers.
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string_view h = campo(l, 213 + 5 * k, 5);
        r.Historico[0][k] = dinheiro ? lerDecimal(h) * kFatorMoeda : lerInteiro(h);
    }
    if (!dinheiro) {
        for (std::size_t g = 1; g < kGrupos; ++g)
            for (std::size_t k = 0; k < 3; ++k)
                r.Historico[g][k] = lerInteiro(campo(l, 228 + 15 * (g - 1) + 5 * k, 5));
    }

    if (valorNegativo) {
        avisa(QStringLiteral(" ==> Valor negativo - Linha : %1 ").arg(i));
        return false;
    }
    for (std::size_t g = 0; g < kGrupos; ++g) {
        if (!tarifaValida(r.Grupo[g].Tarifa)) {
            avisa(QStringLiteral("Detalhe com Tarifa fora da tabela (00 a 14) - Grupo : %1 - Código : %2 - Linha : %3")
                      .arg(g + 1).arg(r.Grupo[g].Tarifa).arg(i));
            return false;
        }
    }
    if (m_modelo.QtdRecarga >= kRecargas) {
        avisa(QStringLiteral("Detalhe além do limite de %1 portadores - Linha : %2").arg(kRecargas).arg(i));
        return false;
    }
    for (int g : ignorados)
        avisa(QStringLiteral("Usuário %1 Grupo %2 - valor ignorado: cartões em valor recebem somente no grupo 1")
                  .arg(formata(u"0000000000", r.Usuario))
                  .arg(g));
    m_modelo.wRecarga[std::size_t(m_modelo.QtdRecarga)] = std::move(r);
    ++m_modelo.QtdRecarga;
    return true;
}

bool LeitorRecarga::Proc_trailer(int i)
{
    const std::string_view l = linha(i);
    if (l.size() != 156)
        return false;
    lerInteiro(campo(l, 3, 10));
    for (std::size_t k = 0; k < 8; ++k)
        lerInteiro(campo(l, 13 + 18 * k, 18));
    return true;
}

}  // namespace pluvexa
