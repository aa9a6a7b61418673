#include "exchange/recargaexterna.h"

#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <optional>
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

// A user code or card number as a whole number, leading zeros ignored; none
// when the text is no number.
std::optional<long long> numero(const std::string& texto)
{
    long long v = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (erro != std::errc() || fim != texto.data() + texto.size() || v < 0)
        return std::nullopt;
    return v;
}

// Registers holder i under key k; a key two holders share marks itself.
void registra(std::unordered_map<std::string, int>& indice, std::string k, int i, int repetido)
{
    const auto [it, novo] = indice.emplace(std::move(k), i);
    if (!novo)
        it->second = repetido;
}

QString rotulo(ChaveRegistro chave)
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

QString naoEncontrado(ChaveRegistro chave)
{
    switch (chave) {
    case ChaveRegistro::Usuario:
        return QStringLiteral("Usuário não encontrado");
    case ChaveRegistro::Cartao:
        return QStringLiteral("Cartão não encontrado");
    case ChaveRegistro::Matricula:
        break;
    }
    return QStringLiteral("Matrícula não encontrada");
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
    constroiIndice();
    importaRegistros(*abreFonte(nomeArquivo), tipoCartaoSel, log);

    if (m_omitidas > 0)
        m_resultado.push_back(bytes(QStringLiteral("… e mais %1 linhas - veja o log").arg(m_omitidas)));
    if (aoRecarregar)
        aoRecarregar();
    log.Destaque(bytes(QStringLiteral("Total de OK: %1 - Total de erros: %2").arg(TotalOk).arg(TotalErros)));
    log.Destaque(bytes(QStringLiteral("Fim do Log de importação da recarga")));
    const bool logGravado = log.Fecha();
    if (aoAvisar) {
        // The log could not take its name (disk full, folder gone): say so,
        // and why, rather than point the operator at a file that is not there.
        const QString lugar = caminhoVisivel(caminho);
        aoAvisar(logGravado ? QStringLiteral("Log da operação gerado em \n") + lugar
                            : QStringLiteral("Não foi possível gravar o log da operação em \n") + lugar
                                  + QLatin1Char('\n') + textoJanela(log.falha()));
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
            if (!armazena(r.matricula, r.chave, r.valor, tipo, r.linha, log))
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

bool RecargaExterna::armazena(const std::string& matricula, ChaveRegistro chave, double valor, int tipo, int linha,
                              Log& log)
{
    const std::string numero = std::to_string(linha);
    const int h = procura(matricula, chave, tipo);
    if (h == kRepetido) {
        // Two holders of the type share it: storing in either could pay the
        // wrong one.
        const QString texto = rotulo(chave) + QStringLiteral(" repetido no arquivo");
        AdicionaResultado(numero, matricula, texto);
        log.Erro(bytes(rotulo(chave) + QStringLiteral(" - ")) + matricula + bytes(QStringLiteral(" repetido no arquivo")));
        return false;
    }
    if (h < 0) {
        AdicionaResultado(numero, matricula, naoEncontrado(chave));
        if (chave == ChaveRegistro::Matricula)
            log.Erro(bytes(QStringLiteral("Matrícula - ")) + matricula + bytes(QStringLiteral(" não encontrada")));
        else
            log.Erro(bytes(rotulo(chave) + QStringLiteral(" - ")) + matricula + bytes(QStringLiteral(" não encontrado")));
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
        log.Info(bytes(rotulo(chave) + QStringLiteral(" - ")) + matricula
                 + bytes(QStringLiteral(" Tipo : %1 -  Valor : %2").arg(tipo).arg(formatoGeral(valor))));
        return true;
    }
    if (valor > 600) {
        AdicionaResultado(numero, matricula, QStringLiteral("O valor da recarga excede 600.00"));
        log.Erro(bytes(rotulo(chave) + QStringLiteral(" - ")) + matricula
                 + bytes(QStringLiteral(". Valor : %1. O valor para recarga não pode exceder 600.00")
                             .arg(formatoGeral(valor))));
    } else {
        AdicionaResultado(numero, matricula, QStringLiteral("Erro na atualização do valor da recarga"));
        log.Erro(bytes(rotulo(chave) + QStringLiteral(" - ")) + matricula
                 + bytes(QStringLiteral(". Erro na atualização do valor da recarga")));
    }
    return false;
}

void RecargaExterna::constroiIndice()
{
    m_indice.clear();
    m_porUsuario.clear();
    m_porCartao.clear();
    const int n = std::min(m_modelo.QtdRecarga, int(m_modelo.wRecarga.size()));
    m_indice.reserve(std::size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        const Recarga& r = m_modelo.wRecarga[std::size_t(i)];
        // A blank registration is no registration: it matches no record.
        if (r.TipoCartao < 0 || r.TipoCartao >= kTiposCartao)
            continue;
        if (!r.Matricula.empty())
            m_indice.emplace(chave(r.TipoCartao, r.Matricula), i);  // the first holder wins
        registra(m_porUsuario, chave(r.TipoCartao, std::to_string(r.Usuario)), i, kRepetido);
        registra(m_porCartao, chave(r.TipoCartao, std::to_string(r.Cartao)), i, kRepetido);
    }
}

int RecargaExterna::procura(const std::string& texto, ChaveRegistro qual, int tipo) const
{
    if (texto.empty())
        return -1;
    if (qual == ChaveRegistro::Matricula) {
        const auto it = m_indice.find(chave(tipo, texto));
        return it == m_indice.end() ? -1 : it->second;
    }
    const std::optional<long long> n = numero(texto);
    if (!n)
        return -1;
    const auto& indice = qual == ChaveRegistro::Usuario ? m_porUsuario : m_porCartao;
    const auto it = indice.find(chave(tipo, std::to_string(*n)));
    return it == indice.end() ? -1 : it->second;
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
