#include "import/log.h"

#include "recharge/numberformat.h"

namespace pluvexa {

Log::Log(Relogio relogio) : m_relogio(std::move(relogio)) {}

bool Log::grava(const char* marca, const std::string& texto, const char* fim)
{
    std::string linha = dataHoraLog(m_relogio()).toStdString();
    linha += marca;
    linha += texto;
    linha += fim;
    linha += "\r\n";
    return Arq.Grava(linha);
}

}  // namespace pluvexa
