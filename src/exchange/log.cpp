#include "exchange/log.h"

#include "recharge/formatonumero.h"

namespace pluvexa {

Log::Log(Relogio relogio) : m_relogio(std::move(relogio)) {}

bool Log::grava(const char* marca, const std::string& texto, const char* fim)
{
    // Lines of the same second share their stamp's text.
    const QDateTime agora = m_relogio();
    const qint64 segundo = agora.toSecsSinceEpoch();
    if (m_carimbo.empty() || segundo != m_segundo) {
        m_carimbo = dataHoraLog(agora).toStdString();
        m_segundo = segundo;
    }
    std::string linha = m_carimbo;
    linha += marca;
    linha += texto;
    linha += fim;
    linha += "\r\n";
    return Arq.Grava(linha);
}

}  // namespace pluvexa
