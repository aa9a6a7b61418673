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
    namespace H = layout::header;
    const std::string_view l = linha(i);
    if (l.size() != H::kSemVersoes && l.size() != H::kSemArredondamento && l.size() != H::kComprimento)
        return false;
    Cabecalho c;
    c.NumeroCabecalho = lerInteiro(campo(l, H::NumeroCabecalho));
    c.Empresa = lerInteiro(campo(l, H::Empresa));
    c.NomeEmpresa = campo(l, H::NomeEmpresa);
    c.DataCriacao = campo(l, H::DataCriacao);
    c.HoraCriacao = campo(l, H::HoraCriacao);
    c.DataGeracao = campo(l, H::DataGeracao);
    c.HoraGeracao = campo(l, H::HoraGeracao);
    c.Criptografado = lerInteiro(campo(l, H::Criptografado));
    c.NomeArquivo = campo(l, H::NomeArquivo);
    c.Complemento = campo(l, H::Complemento);
    c.VersaoRecarga = campo(l, H::VersaoRecarga);
    c.VersaoRemota = campo(l, H::VersaoRemota);
    c.Sequencial = campo(l, H::Sequencial);
    c.Arredondamento = apara(campo(l, H::Arredondamento));
    if (c.Arredondamento.empty())
        c.Arredondamento = "0";
    const int modo = lerInteiro(c.Arredondamento);
    c.Remessa = campo(c.NomeArquivo, H::RemessaNoNome);
    c.Lido = true;
    m_modelo.cabecalho = std::move(c);
    m_modelo.ModoArredondamento = modo;
    return true;
}

bool LeitorRecarga::Proc_tipocartao(int i)
{
    namespace T = layout::tipoCartao;
    const std::string_view l = linha(i);
    if (l.size() != T::kSemMaximo && l.size() != T::kComprimento)
        return false;
    TipoCartao t;
    t.Codigo = lerInteiro(campo(l, T::Codigo));
    t.Descricao = campo(l, T::Descricao);
    t.Modalidade = lerInteiro(campo(l, T::Modalidade));
    t.Percentual = lerInteiro(campo(l, T::Percentual)) * kFatorMoeda;
    const std::string_view maximo = apara(campo(l, T::ValorMaximo));
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
    namespace T = layout::tarifa;
    const std::string_view l = linha(i);
    if (l.size() != T::kComprimento)
        return false;
    Tarifa t;
    t.Codigo = lerInteiro(campo(l, T::Codigo));
    t.Descricao = campo(l, T::Descricao);
    t.Valor = lerInteiro(campo(l, T::Valor)) * kFatorMoeda;
    t.Referencia = lerInteiro(campo(l, T::Referencia));
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
    namespace D = layout::detalhe;
    const std::string_view l = linha(i);
    if (l.size() != D::kComprimento)
        return false;
    Recarga r;
    r.Usuario = lerInteiro(campo(l, D::Usuario));
    r.Cartao = lerInteiro(campo(l, D::Cartao));
    r.Nome = campo(l, D::Nome);
    r.Matricula = apara(campo(l, D::Matricula));
    r.TipoCartao = lerInteiro(campo(l, D::TipoCartao));
    if (!tipoValido(r.TipoCartao)) {
        // The card type decides how the rest of the record reads, and it
        // indexes the card-type table; outside it there is nothing to read by.
        avisa(QStringLiteral("Detalhe com Tipo Cartão fora da tabela (00 a 31) - Código : %1 - Linha : %2")
                  .arg(r.TipoCartao).arg(i));
        return false;
    }
    const bool dinheiro = m_modelo.wTipoCartao[std::size_t(r.TipoCartao)].Modalidade == Dinheiro;

    GrupoRecarga& g1 = r.Grupo[0];
    g1.Tarifa = lerInteiro(campo(l, D::Tarifa[0]));
    const int cmm1 = lerInteiro(campo(l, D::Cmm[0]));
    g1.CMM = dinheiro ? cmm1 / 100 : cmm1;  // whole currency units, toward zero
    // A value below zero (or one a 32-bit conversion would wrap below
    // zero) would be credited, totalled and sent back as it stands.
    bool valorNegativo = false;
    const auto valor = [&valorNegativo](std::string_view campo) {
        const std::optional<int> v = lerValor(campo);
        valorNegativo = valorNegativo || !v;
        return v.value_or(0);
    };
    const int valor1 = valor(campo(l, D::Valor[0]));
    g1.Valor = dinheiro ? valor1 * kFatorMoeda : valor1;
    // A money card type recharges through group 1 only, and the answer
    // carries 0 in the other groups: a value sent there is dropped (and
    // logged once the record is accepted) so that totals and listings show
    // what will be sent.
    std::vector<int> ignorados;
    for (std::size_t g = 1; g < kGrupos; ++g) {
        GrupoRecarga& gr = r.Grupo[g];
        gr.Tarifa = lerInteiro(campo(l, D::Tarifa[g]));
        const int cmm = lerInteiro(campo(l, D::Cmm[g]));
        gr.CMM = dinheiro ? cmm / 100 : cmm;
        const int v = valor(campo(l, D::Valor[g]));
        gr.Valor = dinheiro ? 0 : v;
        if (dinheiro && v != 0)
            ignorados.push_back(int(g) + 1);
    }
    // Money history is a decimal number of cents (blanks and a decimal comma
    // allowed); credits are whole numbers.
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string_view h = campo(l, D::Historico[0][k]);
        r.Historico[0][k] = dinheiro ? lerDecimal(h) * kFatorMoeda : lerInteiro(h);
    }
    if (!dinheiro) {
        for (std::size_t g = 1; g < kGrupos; ++g)
            for (std::size_t k = 0; k < 3; ++k)
                r.Historico[g][k] = lerInteiro(campo(l, D::Historico[g][k]));
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
        avisa(QStringLiteral("Detalhe além do limite de %1 titulares - Linha : %2").arg(kRecargas).arg(i));
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
    namespace T = layout::trailer;
    const std::string_view l = linha(i);
    if (l.size() != T::kComprimento)
        return false;
    lerInteiro(campo(l, T::Registros));
    for (std::size_t g = 0; g < T::Portadores.size(); ++g) {
        lerInteiro(campo(l, T::Portadores[g]));
        lerInteiro(campo(l, T::Montante[g]));
    }
    return true;
}

}  // namespace pluvexa
