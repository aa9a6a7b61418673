#include "exchange/saidaarquivo.h"

namespace pluvexa {

bool SaidaArquivo::abre(const QString& nome)
{
    m_gravacao = std::make_unique<GravacaoContinua>(Durabilidade::Duravel);
    m_falha = {};
    if (m_gravacao->abre(nome))
        return true;
    m_falha = m_gravacao->falha();
    m_gravacao.reset();
    return false;
}

bool SaidaArquivo::grava(const std::string& bytes)
{
    return m_gravacao && m_gravacao->acrescenta(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

bool SaidaArquivo::conclui()
{
    if (!m_gravacao)
        return true;
    const bool ok = m_gravacao->confirma();
    if (!ok)
        m_falha = m_gravacao->falha();
    m_gravacao.reset();
    return ok;
}

}  // namespace pluvexa
