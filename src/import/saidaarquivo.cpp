#include "import/saidaarquivo.h"

#include <QSaveFile>

namespace pluvexa {

SaidaArquivo::SaidaArquivo() = default;
SaidaArquivo::~SaidaArquivo() = default;

bool SaidaArquivo::abre(const QString& nome)
{
    m_arquivo = std::make_unique<QSaveFile>(nome);
    if (m_arquivo->open(QIODevice::WriteOnly))
        return true;
    m_arquivo.reset();
    return false;
}

bool SaidaArquivo::grava(const std::string& bytes)
{
    if (!m_arquivo)
        return false;
    return m_arquivo->write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

bool SaidaArquivo::conclui()
{
    if (!m_arquivo)
        return true;
    const bool ok = m_arquivo->commit();
    m_arquivo.reset();
    return ok;
}

}  // namespace pluvexa
