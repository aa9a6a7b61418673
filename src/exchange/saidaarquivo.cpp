#include "exchange/saidaarquivo.h"

#include "files/arquivoseguro.h"

#include <QFileInfo>

namespace pluvexa {

bool SaidaArquivo::abre(const QString& nome)
{
    const QFileInfo pasta(QFileInfo(nome).absolutePath());
    m_nome = nome;
    m_dados.clear();
    m_aberto = pasta.isDir() && pasta.isWritable() && !QFileInfo(nome).isDir();
    return m_aberto;
}

bool SaidaArquivo::grava(const std::string& bytes)
{
    if (!m_aberto)
        return false;
    m_dados += bytes;
    return true;
}

bool SaidaArquivo::conclui()
{
    if (!m_aberto)
        return true;
    m_aberto = false;
    const bool ok = gravaArquivo(m_nome, QByteArrayView(m_dados.data(), qsizetype(m_dados.size())),
                                 Durabilidade::Duravel, &m_falha);
    m_dados.clear();
    return ok;
}

}  // namespace pluvexa
