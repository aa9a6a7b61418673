#include "exchange/limitesimportacao.h"

#include "files/pastastrabalho.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace pluvexa {

QString RecusaImportacao::texto() const
{
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    switch (motivo) {
    case GrandeDemaisBytes:
        return QStringLiteral("Arquivo grande demais: %1 MB (máximo 16 MB)")
            .arg(brasil.toString(double(quantidade) / (1024 * 1024), 'f', 1));
    case GrandeDemaisLinhas:
        return QStringLiteral("Arquivo grande demais: %1 linhas (máximo 100.000)").arg(brasil.toString(quantidade));
    case ArquivoLog:
        return QStringLiteral("Não foi possível criar o log da operação %1. Nada foi importado.\n%2")
            .arg(caminhoVisivel(caminho), razao);
    case PastaLog:
        break;
    }
    return QStringLiteral("Não foi possível criar a pasta de log %1: %2. Nada foi importado.")
        .arg(caminhoVisivel(caminho), razao);
}

QString RecusaImportacao::textoIngles() const
{
    switch (motivo) {
    case GrandeDemaisBytes:
        return QStringLiteral("file too large to import: more than 16 MB");
    case GrandeDemaisLinhas:
        return QStringLiteral("file too large to import: %1 lines (at most 100000)").arg(quantidade);
    case ArquivoLog:
        return QStringLiteral("cannot create the import log %1; nothing imported: %2")
            .arg(QDir::toNativeSeparators(caminho), razao);
    case PastaLog:
        break;
    }
    return QStringLiteral("cannot create the log folder %1: %2; nothing imported")
        .arg(QDir::toNativeSeparators(caminho), razao);
}

std::optional<RecusaImportacao> grandeDemais(const QString& nomeArquivo)
{
    QFile f(nomeArquivo);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read in pieces, never more than the limit and one byte: the reported
    // size of a special file says nothing.
    constexpr qint64 kPedaco = 1 << 20;
    QByteArray pedaco;
    std::int64_t lidos = 0;
    std::int64_t linhas = 0;
    char ultimo = '\n';
    while (lidos <= kMaiorImportacao) {
        pedaco = f.read(std::min<qint64>(kPedaco, kMaiorImportacao + 1 - lidos));
        if (pedaco.isEmpty())
            break;
        lidos += pedaco.size();
        linhas += std::count(pedaco.cbegin(), pedaco.cend(), '\n');
        ultimo = pedaco.back();
    }
    if (lidos > kMaiorImportacao)
        return RecusaImportacao{RecusaImportacao::GrandeDemaisBytes, lidos, {}, {}};
    if (ultimo != '\n')
        ++linhas;
    if (linhas > kMaisLinhasImportacao)
        return RecusaImportacao{RecusaImportacao::GrandeDemaisLinhas, linhas, {}, {}};
    return std::nullopt;
}

std::optional<RecusaImportacao> preparaPastaLog(const QString& pasta)
{
    std::error_code erro;
    const std::filesystem::path caminho(QFile::encodeName(pasta).toStdString());
    if (std::filesystem::is_directory(caminho, erro)) {
        // The log is created in it as the run starts; a folder the
        // operator may not write to would stop the run there.
        if (QFileInfo(pasta).isWritable())
            return std::nullopt;
        return RecusaImportacao{RecusaImportacao::PastaLog, 0, pasta, QStringLiteral("sem permissão")};
    }
    std::filesystem::create_directories(caminho, erro);
    if (!erro && std::filesystem::is_directory(caminho, erro))
        return std::nullopt;
    QString razao;
    if (!erro || erro == std::errc::file_exists || erro == std::errc::not_a_directory)
        razao = QStringLiteral("um arquivo ocupa o lugar da pasta");
    else if (erro == std::errc::permission_denied || erro == std::errc::operation_not_permitted)
        razao = QStringLiteral("sem permissão");
    else if (erro == std::errc::no_space_on_device)
        razao = QStringLiteral("disco cheio");
    else if (erro == std::errc::read_only_file_system)
        razao = QStringLiteral("disco somente para leitura");
    else
        razao = QStringLiteral("erro do sistema %1: %2")
                    .arg(erro.value())
                    .arg(QString::fromLocal8Bit(erro.message().c_str()));
    return RecusaImportacao{RecusaImportacao::PastaLog, 0, pasta, razao};
}

}  // namespace pluvexa
