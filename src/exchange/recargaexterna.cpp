#include "exchange/recargaexterna.h"

#include "files/pastastrabalho.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <memory>

namespace pluvexa {

namespace {

std::string bytes(const QString& texto)
{
    return paraCp1252(texto);
}

// Card type code and registration number as one key. The code takes a
// fixed four bytes so that no registration can run into it.
std::string chave(int tipo, const std::string& matricula)
{
    std::string k(sizeof tipo, '\0');
    std::memcpy(k.data(), &tipo, sizeof tipo);
    return k + matricula;
}

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
    return QDir(m_opcoes.pastaLog).absoluteFilePath(QFileInfo(nomeArquivo).completeBaseName()
                                                    + QStringLiteral(".log"));
}

bool RecargaExterna::Importa(const QString& nomeArquivo, int tipoCartaoSel)
{
    Log log(m_opcoes.relogio ? m_opcoes.relogio : relogioDaExecucao());
    const QString caminho = caminhoLog(nomeArquivo);
    if (!QDir().mkpath(m_opcoes.pastaLog) || !log.Abre(caminho))
        return false;
    const QString visivel = caminhoVisivel(QFileInfo(nomeArquivo).absoluteFilePath());
    log.Destaque(bytes(QStringLiteral("Arquivo - ") + visivel + QStringLiteral(" - Log de importação da recarga")));

    TotalOk = 0;
    TotalErros = 0;
    m_resultado.assign(1, std::string());
    constroiIndice();
    importaRegistros(*abreFonte(nomeArquivo), tipoCartaoSel, log);

    if (aoRecarregar)
        aoRecarregar();
    log.Destaque(bytes(QStringLiteral("Total de OK: %1 - Total de erros: %2").arg(TotalOk).arg(TotalErros)));
    log.Destaque(bytes(QStringLiteral("Fim do Log de importação da recarga")));
    const bool logGravado = log.Fecha();
    if (aoAvisar) {
        // The log could not take its name (disk full, folder gone): say so
        // rather than point the operator at a file that is not there.
        aoAvisar((logGravado ? QStringLiteral("Log da operação gerado em \n")
                             : QStringLiteral("Não foi possível gravar o log da operação em \n"))
                 + caminhoVisivel(caminho));
    }
    return TotalErros == 0 && logGravado;
}

void RecargaExterna::importaRegistros(FonteRegistros& fonte, int tipoCartaoSel, Log& log)
{
    RegistroFonte r;
    if (!fonte.abre(r)) {
        // Gone or unreadable since it was chosen, or a spreadsheet without
        // the columns it needs: one line says so.
        AdicionaResultado(std::to_string(r.linha), r.matricula, r.erro);
        log.Erro(bytes(r.erro));
        ++TotalErros;
        return;
    }
    if (aoContar)
        aoContar(fonte.conta());
    while (fonte.proximo(r)) {
        if (r.erro.isEmpty()) {
            const int tipo = r.tipo != 0 ? r.tipo : tipoCartaoSel;
            if (!armazena(r.matricula, r.valor, tipo, r.linha, log))
                ++TotalErros;
            else
                ++TotalOk;
        } else {
            AdicionaResultado(std::to_string(r.linha), r.matricula, r.erro);
            log.Erro(bytes(r.erro));
            ++TotalErros;
        }
        if (aoProgresso)
            aoProgresso(r.linha);
    }
}

bool RecargaExterna::armazena(const std::string& matricula, double valor, int tipo, int linha, Log& log)
{
    const std::string numero = std::to_string(linha);
    const int h = procura(matricula, tipo);
    if (h < 0) {
        AdicionaResultado(numero, matricula, QStringLiteral("Matrícula não encontrada"));
        log.Erro(bytes(QStringLiteral("Matrícula - ")) + matricula + bytes(QStringLiteral(" não encontrada")));
        return false;
    }
    // The holder's own card type decides, so that nothing stored here is
    // refused later by the draft or the answer file: no negative value, none
    // above the maximum, and whole credits only.
    const TipoCartao& t = m_modelo.wTipoCartao[std::size_t(tipo)];
    const bool cabe = tipo != 0 && valor >= 0 && Moeda::deDouble(valor) <= Moeda::deDouble(t.ValorMaximo)
                      && (t.Modalidade == Dinheiro || valor == std::trunc(valor));
    if (cabe) {
        m_modelo.wRecarga[std::size_t(h)].Grupo[0].Valor = valor + 0.0;  // never -0
        log.Info(bytes(QStringLiteral("Matrícula - ")) + matricula
                 + bytes(QStringLiteral(" Tipo : %1 -  Valor : %2").arg(tipo).arg(formatoGeral(valor))));
        return true;
    }
    if (valor > 600) {
        AdicionaResultado(numero, matricula, QStringLiteral("O valor da recarga excede 600.00"));
        log.Erro(bytes(QStringLiteral("Matrícula - ")) + matricula
                 + bytes(QStringLiteral(". Valor : %1. O valor para recarga não pode exceder 600.00")
                             .arg(formatoGeral(valor))));
    } else {
        AdicionaResultado(numero, matricula, QStringLiteral("Erro na atualização do valor da recarga"));
        log.Erro(bytes(QStringLiteral("Matrícula - ")) + matricula
                 + bytes(QStringLiteral(". Erro na atualização do valor da recarga")));
    }
    return false;
}

void RecargaExterna::constroiIndice()
{
    m_indice.clear();
    const int n = std::min(m_modelo.QtdRecarga, int(m_modelo.wRecarga.size()));
    m_indice.reserve(std::size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        const Recarga& r = m_modelo.wRecarga[std::size_t(i)];
        // A blank registration is no registration: it matches no record.
        if (!r.Matricula.empty() && r.TipoCartao >= 0 && r.TipoCartao < kTiposCartao)
            m_indice.emplace(chave(r.TipoCartao, r.Matricula), i);  // the first holder wins
    }
}

int RecargaExterna::procura(const std::string& matricula, int tipo) const
{
    if (matricula.empty())
        return -1;
    const auto it = m_indice.find(chave(tipo, matricula));
    return it == m_indice.end() ? -1 : it->second;
}

void RecargaExterna::AdicionaResultado(const std::string& linha, const std::string& matricula,
                                       const QString& mensagem)
{
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
