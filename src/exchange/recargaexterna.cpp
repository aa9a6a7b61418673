#include "exchange/recargaexterna.h"

#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cmath>
#include <memory>

namespace pluvexa {

namespace {

std::string bytes(const QString& texto)
{
    return paraCp1252(texto);
}

const QString kNadaReconhecido = QStringLiteral("Nenhum registro reconhecido no arquivo");

// The system clock read once, then advanced by a steady timer: asking the
// system for the local time on every log line costs more than the rest of
// the line (the time zone is looked up each time), and a run lasts seconds.
Log::Relogio relogioDaExecucao()
{
    auto cronometro = std::make_shared<QElapsedTimer>();
    cronometro->start();
    const QDateTime agora = QDateTime::currentDateTime();
    const QDateTime inicio = agora.toOffsetFromUtc(agora.offsetFromUtc());  // no zone look-ups from here on
    return [inicio, cronometro] { return inicio.addMSecs(cronometro->elapsed()); };
}

}  // namespace

RecargaExterna::RecargaExterna(ModeloRecarga& modelo, OpcoesImportacao opcoes)
    : m_modelo(modelo), m_opcoes(std::move(opcoes))
{
    if (m_opcoes.pastaLog.isEmpty())
        m_opcoes.pastaLog = pastaLog();
}

QString RecargaExterna::caminhoLog(const QString& nomeArquivo) const
{
    // A spreadsheet keeps its extension in the log's name, so that
    // "folha.rrm" and "folha.csv" of one month never write the same log.
    const QFileInfo arquivo(nomeArquivo);
    const QString base = formatoImportacao(nomeArquivo) == FormatoImportacao::Rrm ? arquivo.completeBaseName()
                                                                                  : arquivo.fileName();
    return QDir(m_opcoes.pastaLog).absoluteFilePath(base + QStringLiteral(".log"));
}

bool RecargaExterna::Importa(const QString& nomeArquivo, int tipoCartaoSel, const EscolhasPlanilha& escolhas)
{
    m_aba.clear();
    m_recusa = preparaPastaLog(m_opcoes.pastaLog);
    if (!m_recusa)
        m_recusa = grandeDemais(nomeArquivo);
    if (m_recusa)
        return false;
    Log log(m_opcoes.relogio ? m_opcoes.relogio : relogioDaExecucao());
    const QString caminho = caminhoLog(nomeArquivo);
    if (!log.Abre(caminho)) {
        // The log's temporary cannot be made (the disk is full, the folder
        // went): nothing is imported that no log would tell of.
        m_recusa = RecusaImportacao{RecusaImportacao::ArquivoLog, 0, caminho, log.falha().motivo};
        return false;
    }
    const QString visivel = caminhoVisivel(QFileInfo(nomeArquivo).absoluteFilePath());
    log.Destaque(bytes(QStringLiteral("Arquivo - ") + visivel + QStringLiteral(" - Log de importação da recarga")));

    TotalOk = 0;
    TotalErros = 0;
    m_omitidas = 0;
    m_resultado.assign(1, std::string());
    const std::unique_ptr<FonteRegistros> fonte = abreFonte(nomeArquivo, escolhas);
    importaRegistros(*fonte, tipoCartaoSel, log);
    m_aba = fonte->aba();
    // Nothing stored and nothing refused: the file held no record at all
    // (empty, a spreadsheet's header alone, only rows without key and
    // value). The operator who chose it meant to import something.
    const bool nadaLido = TotalOk == 0 && TotalErros == 0;
    if (nadaLido)
        log.Erro(bytes(kNadaReconhecido));

    if (aoRecarregar)
        aoRecarregar();
    log.Destaque(bytes(QStringLiteral("Total de OK: %1 - Total de erros: %2").arg(TotalOk).arg(TotalErros)));
    log.Destaque(bytes(QStringLiteral("Fim do Log de importação da recarga")));
    const bool logGravado = log.Fecha();
    // The report sends the operator to the log only when there is one.
    if (m_omitidas > 0)
        m_resultado.push_back(bytes(logGravado ? QStringLiteral("… e mais %1 linhas - veja o log").arg(m_omitidas)
                                               : QStringLiteral("… e mais %1 linhas").arg(m_omitidas)));
    if (nadaLido)
        m_resultado.push_back(bytes(kNadaReconhecido));
    if (aoAvisar) {
        // The log could not take its name (disk full, folder gone): say so,
        // and why, rather than point the operator at a file that is not there.
        const QString lugar = caminhoVisivel(caminho);
        aoAvisar(logGravado ? QStringLiteral("Log da operação gerado em \n") + lugar
                            : QStringLiteral("Não foi possível gravar o log da operação em \n") + lugar
                                  + QLatin1Char('\n') + textoJanela(log.falha()));
    }
    return TotalErros == 0 && !nadaLido && logGravado;
}

void RecargaExterna::importaRegistros(FonteRegistros& fonte, int tipoCartaoSel, Log& log)
{
    RegistroFonte r;
    if (!fonte.abre(r)) {
        // Gone or unreadable since it was chosen, or a spreadsheet without
        // the columns it needs: one line says so.
        AdicionaResultado(std::to_string(r.linha), std::string(), r.erro);
        log.Erro(bytes(r.erro));
        ++TotalErros;
        return;
    }
    if (aoContar)
        aoContar(fonte.conta());
    const IndiceTitulares indice(m_modelo);
    const Casamento casamento = fonte.casamento();
    // A payroll record without a card type takes the selected one; a
    // spreadsheet row, whose clerk may keep every card type on one sheet,
    // goes to the one holder its keys name among them all.
    const int semTipo = casamento == Casamento::TodasAsChaves ? kQualquerTipo : tipoCartaoSel;
    while (fonte.proximo(r)) {
        if (!r.informacao.isEmpty()) {
            // A sheet's total row: neither a value nor a fault.
            log.Info(bytes(r.informacao));
        } else if (r.erro.isEmpty()) {
            const int tipo = r.tipo != 0 ? r.tipo : semTipo;
            if (!armazena(r, tipo, casamento, indice, log))
                ++TotalErros;
            else
                ++TotalOk;
        } else {
            // The result line names the row by the first key it gives.
            const ChavesRegistro& c = r.chaves;
            AdicionaResultado(std::to_string(r.linha),
                              !c.matricula.empty() ? c.matricula : !c.usuario.empty() ? c.usuario : c.cartao, r.erro);
            log.Erro(bytes(r.erro));
            ++TotalErros;
        }
        if (aoProgresso)
            aoProgresso(r.linha);
    }
}

bool RecargaExterna::armazena(const RegistroFonte& r, int tipo, Casamento casamento, const IndiceTitulares& indice,
                              Log& log)
{
    const std::string numero = std::to_string(r.linha);
    const Encontro e = indice.encontra(r.chaves, tipo, casamento);
    const double valor = r.valor;
    const int h = e.titular;
    const std::string& matricula = e.texto;
    const ChaveRegistro chave = e.chave;
    if (h < 0) {
        // No holder, or none that the keys settle: storing in any could
        // pay the wrong one.
        AdicionaResultado(numero, matricula, e.erro);
        log.Erro(e.log);
        return false;
    }
    // The holder's own card type decides, so that nothing stored here is
    // refused later by the draft or the answer file: no negative value, none
    // above the maximum, and whole credits only.
    // Matched across card types, the holder's own decides.
    if (tipo == kQualquerTipo)
        tipo = m_modelo.wRecarga[std::size_t(h)].TipoCartao;
    const TipoCartao& t = m_modelo.wTipoCartao[std::size_t(tipo)];
    const bool cabe = tipo != 0 && valor >= 0 && Moeda::deDouble(valor) <= Moeda::deDouble(t.ValorMaximo)
                      && (t.Modalidade == Dinheiro || valor == std::trunc(valor));
    if (cabe) {
        m_modelo.wRecarga[std::size_t(h)].Grupo[0].Valor = valor + 0.0;  // never -0
        log.Info(bytes(rotuloChave(chave) + QStringLiteral(" - ")) + matricula
                 + bytes(QStringLiteral(" Tipo : %1 -  Valor : %2").arg(tipo).arg(formatoGeral(valor))));
        return true;
    }
    if (valor > 600) {
        AdicionaResultado(numero, matricula, QStringLiteral("O valor da recarga excede 600.00"));
        log.Erro(bytes(rotuloChave(chave) + QStringLiteral(" - ")) + matricula
                 + bytes(QStringLiteral(". Valor : %1. O valor para recarga não pode exceder 600.00")
                             .arg(formatoGeral(valor))));
    } else {
        AdicionaResultado(numero, matricula, QStringLiteral("Erro na atualização do valor da recarga"));
        log.Erro(bytes(rotuloChave(chave) + QStringLiteral(" - ")) + matricula
                 + bytes(QStringLiteral(". Erro na atualização do valor da recarga")));
    }
    return false;
}

void RecargaExterna::AdicionaResultado(const std::string& linha, const std::string& matricula,
                                       const QString& mensagem)
{
    // The log holds every line; the report the first ones.
    if (int(m_resultado.size()) > kMaisLinhasRelatorio) {
        ++m_omitidas;
        return;
    }
    m_resultado.push_back(Completa(linha, 13, true) + "   " + Completa(matricula, 21, false)
                          + bytes(mensagem));
}

std::string RecargaExterna::Completa(const std::string& texto, std::size_t largura, bool aEsquerda)
{
    if (texto.size() >= largura)
        return texto;
    const std::string brancos(largura - texto.size(), ' ');
    return aEsquerda ? brancos + texto : texto + brancos;
}

QStringList RecargaExterna::linhasResultado() const
{
    QStringList linhas;
    for (std::size_t i = 1; i < m_resultado.size(); ++i)
        linhas << deCp1252(m_resultado[i]);
    return linhas;
}

}  // namespace pluvexa
