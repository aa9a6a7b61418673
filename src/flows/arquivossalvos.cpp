#include "flows/arquivossalvos.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pluvexa {

namespace {

// The folder of `caminho`, whichever separators it was written with.
QString pastaDe(const QString& caminho)
{
    return QFileInfo(QDir::fromNativeSeparators(caminho)).absolutePath();
}

}  // namespace

QString pastaDocumentos()
{
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documentos.isEmpty() ? QDir::homePath() : documentos;
}

QString textoArquivoGravado(const QString& caminho)
{
    return QStringLiteral("Arquivo gravado: ") + QFileInfo(QDir::fromNativeSeparators(caminho)).fileName();
}

QString caminhoParaSalvar(const QString& pasta, const QString& arquivo, const QString& padrao,
                          const QString& extensao)
{
    const QString base = QFileInfo(QDir::fromNativeSeparators(arquivo)).completeBaseName();
    return QDir(pasta.isEmpty() ? pastaDocumentos() : pasta).filePath((base.isEmpty() ? padrao : base) + extensao);
}

ArquivosSalvos::ArquivosSalvos(Memoria memoria, QString documentos)
    : m_memoria(std::move(memoria)), m_documentos(std::move(documentos))
{
}

QString ArquivosSalvos::chave(TipoSalvo tipo)
{
    switch (tipo) {
    case TipoSalvo::Listagem: return QStringLiteral("Pastas/Listagem");
    case TipoSalvo::Conferencia: return QStringLiteral("Pastas/Conferencia");
    case TipoSalvo::Importacao: return QStringLiteral("Pastas/Importacao");
    case TipoSalvo::Planilha: return QStringLiteral("Pastas/Planilha");
    case TipoSalvo::Historico: return QStringLiteral("Pastas/Historico");
    }
    return {};
}

QString ArquivosSalvos::pastaInicial(TipoSalvo tipo) const
{
    // A folder since removed, or a disk taken out, is no place to open in:
    // the chooser would fall back on the process's current folder.
    const QString lembrada = m_memoria.le ? m_memoria.le(chave(tipo)) : QString();
    if (!lembrada.isEmpty() && QDir::isAbsolutePath(lembrada) && QFileInfo(lembrada).isDir())
        return QDir::cleanPath(lembrada);
    return QFileInfo(m_documentos).isDir() ? m_documentos : QDir::homePath();
}

void ArquivosSalvos::registra(TipoSalvo tipo, const QString& caminho)
{
    if (caminho.isEmpty())
        return;
    m_ultimo = caminho;
    if (m_memoria.guarda)
        m_memoria.guarda(chave(tipo), pastaDe(caminho));
}

QString ArquivosSalvos::pastaUltimoArquivo() const
{
    return m_ultimo.isEmpty() ? QString() : QDir::toNativeSeparators(pastaDe(m_ultimo));
}

}  // namespace pluvexa
