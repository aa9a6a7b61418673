#include "recharge/processamento.h"

#include "recharge/camposregistro.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "recharge/leitorrecarga.h"

namespace pluvexa {

QStringList bannerProcessamento(const QDateTime& agora, const QString& caminho)
{
    const QString igual(81, u'=');
    return {igual,
            QStringLiteral("=============== Drovanti - Pluvexa - ZELVO PLUS =========================="),
            QStringLiteral("===============     Data Proc: ") + dataHoraLog(agora)
                + QStringLiteral("     =========================="),
            igual,
            QStringLiteral(" "),
            QStringLiteral("Carregando Arquivo : ") + caminho};
}

DadosArquivo dadosArquivo(const Cabecalho& c)
{
    DadosArquivo d;
    d.lblseq = deCp1252(c.Sequencial).trimmed();
    d.lblempresa = QString::number(c.Empresa) + QStringLiteral(" - ") + deCp1252(c.NomeEmpresa);
    const QString data = deCp1252(c.DataCriacao);
    const QString hora = deCp1252(c.HoraCriacao);
    d.lbldata = data.mid(0, 2) + u'/' + data.mid(2, 2) + u'/' + data.mid(4, 2) + u' '
        + hora.mid(0, 2) + u':' + hora.mid(2, 2) + u':' + hora.mid(4, 2);
    d.lblcripta = c.Criptografado == 1 ? QStringLiteral("Sim") : QStringLiteral("Não");
    return d;
}

DadosArquivo dadosDoModelo(const ModeloRecarga& m)
{
    return m.cabecalho.Lido ? dadosArquivo(m.cabecalho) : DadosArquivo{};
}

void ProcessadorRecarga::processaLinha(LeitorRecarga& leitor, ResultadoProcessamento& res, int i,
                                      std::string_view linha, QStringList& log)
{
    MarcasConsistencia& marcas = res.marcas;
    const std::string_view tipo = campo(linha, layout::kTipoRegistro);
    if (tipo == layout::header::kTipo) {
        if (leitor.Proc_header(i)) {
            res.temHeader = true;
            res.dados = dadosArquivo(m_modelo.cabecalho);
            if (aoHeader)
                aoHeader(res.dados);
            const Cabecalho& c = m_modelo.cabecalho;
            log.append(QStringLiteral("Empresa : ") + res.dados.lblempresa);
            log.append(QStringLiteral("Data : ") + res.dados.lbldata);
            log.append(QStringLiteral("Criptografia : ") + res.dados.lblcripta);
            log.append(QStringLiteral(" "));
            log.append(QStringLiteral("Versão Recarga : ") + deCp1252(c.VersaoRecarga));
            log.append(QStringLiteral("Versão Remota : ") + QString::fromLatin1(kVersao));
            log.append(QStringLiteral("Sequencial Arquivo : ") + deCp1252(c.Sequencial));
            log.append(QStringLiteral(" "));
        } else {
            marcas.header = false;
        }
    } else if (tipo == layout::detalhe::kTipo) {
        marcas.detalhe = leitor.Proc_detalhe(i) && marcas.detalhe;
    } else if (tipo == layout::tipoCartao::kTipo) {
        marcas.tipoCartao = leitor.Proc_tipocartao(i) && marcas.tipoCartao;
    } else if (tipo == layout::tarifa::kTipo) {
        marcas.tarifa = leitor.Proc_tarifa(i) && marcas.tarifa;
    } else if (tipo == layout::trailer::kTipo) {
        marcas.trailer = leitor.Proc_trailer(i) && marcas.trailer;
    } else if (!apara(tipo).empty()) {
        const QString t = deCp1252(std::string(tipo));
        if (aoEventoDesconhecido)
            aoEventoDesconhecido(t, i);
        log.append(QStringLiteral("Evento desconhecido - Evento : ") + t
                   + QStringLiteral(" - Linha : ") + QString::number(i));
        marcas.eventos = false;
    }
}

ResultadoProcessamento ProcessadorRecarga::processa(const std::vector<Texto>& linhas, QStringList& log)
{
    ResultadoProcessamento res;
    MarcasConsistencia& marcas = res.marcas;
    m_modelo.esvazia();

    LeitorRecarga leitor(m_modelo, linhas);
    leitor.aoAviso([&log](const QString& texto) { log.append(texto); });

    for (std::size_t n = 0; n < linhas.size(); ++n) {
        const int i = int(n);
        try {
            processaLinha(leitor, res, i, linhas[n], log);
        } catch (ErroConversao& e) {
            e.naLinha(i);  // for whoever points at the line
            throw;
        }
    }

    if (!marcas.todas()) {
        if (!marcas.header)
            log.append(QStringLiteral("Header      ==> Consistencia Inválida "));
        if (!marcas.detalhe)
            log.append(QStringLiteral("Detalhe     ==> Consistencia Inválida "));
        if (!marcas.tipoCartao)
            log.append(QStringLiteral("Tipo Cartão ==> Consistencia Inválida"));
        if (!marcas.tarifa)
            log.append(QStringLiteral("Tarifa      ==> Consistencia Inválida"));
        if (!marcas.trailer)
            log.append(QStringLiteral("Trailer     ==> Consistencia Inválida"));
        if (!marcas.eventos)
            log.append(QStringLiteral("Evento      ==> Evento Inválido "));
    } else {
        log.append(QStringLiteral("Header      ==> OK "));
        log.append(QStringLiteral("Detalhe     ==> OK "));
        log.append(QStringLiteral("Tipo Cartão ==> OK "));
        log.append(QStringLiteral("Tarifa      ==> OK "));
        log.append(QStringLiteral("Trailer     ==> OK "));
        log.append(QStringLiteral("Eventos     ==> OK "));
    }

    res.listaTiposCartao = leitor.listaTiposCartao();
    res.listaTarifas = leitor.listaTarifas();
    res.TipoCartaoSel = leitor.TipoCartaoSel;
    res.TarifaSel = leitor.TarifaSel;
    return res;
}

}  // namespace pluvexa
