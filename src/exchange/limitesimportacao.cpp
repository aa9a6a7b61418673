#include "exchange/limitesimportacao.h"

#include "exchange/fonteregistros.h"
#include "files/arquivoseguro.h"
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
        return QStringLiteral("Não foi possível criar o log da operação %1: %2. Nada foi importado.")
            .arg(caminhoVisivel(caminho), QString::fromStdString(emPortugues(razao)));
    case PastaLog:
        break;
    }
    return QStringLiteral("Não foi possível criar a pasta de log %1: %2. Nada foi importado.")
        .arg(caminhoVisivel(caminho), QString::fromStdString(emPortugues(razao)));
}

QString RecusaImportacao::textoIngles() const
{
    switch (motivo) {
    case GrandeDemaisBytes:
        return QStringLiteral("file too large to import: more than 16 MB");
    case GrandeDemaisLinhas:
        return QStringLiteral("file too large to import: %1 lines (at most 100000)").arg(quantidade);
    case ArquivoLog:
    case PastaLog:
        break;
    }
    QString motivo = QString::fromStdString(razao.ingles);
    if (motivo.endsWith(QLatin1Char('.')))
        motivo.chop(1);
    if (this->motivo == ArquivoLog)
        return QStringLiteral("cannot create the import log \"%1\"; nothing imported: %2")
            .arg(QDir::toNativeSeparators(caminho), motivo);
    return QStringLiteral("cannot create the log folder \"%1\": %2; nothing imported")
        .arg(QDir::toNativeSeparators(caminho), motivo);
}

std::optional<RecusaImportacao> grandeDemais(const QString& nomeArquivo)
{
    QFile f(nomeArquivo);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read in pieces, never more than the limit and one byte: the reported
    // size of a special file says nothing.
    constexpr qint64 kPedaco = 1 << 20;
    // A spreadsheet's row also ends at a carriage return alone (as old
    // spreadsheet programs write them): such lines count as lines too, or a
    // file of millions of them would pass as one.
    const bool planilha = formatoImportacao(nomeArquivo) == FormatoImportacao::Planilha;
    QByteArray pedaco;
    std::int64_t lidos = 0;
    std::int64_t linhas = 0;
    char ultimo = '\n';
    while (lidos <= kMaiorImportacao) {
        pedaco = f.read(std::min<qint64>(kPedaco, kMaiorImportacao + 1 - lidos));
        if (pedaco.isEmpty())
            break;
        lidos += pedaco.size();
        if (planilha) {
            for (const char c : std::as_const(pedaco)) {
                if (c == '\n' ? ultimo != '\r' : c == '\r')
                    ++linhas;
                ultimo = c;
            }
        } else {
            linhas += std::count(pedaco.cbegin(), pedaco.cend(), '\n');
            ultimo = pedaco.back();
        }
    }
    // The operator is told the file's own size where the system knows it,
    // not where the reading stopped.
    if (lidos > kMaiorImportacao)
        return RecusaImportacao{RecusaImportacao::GrandeDemaisBytes, f.isSequential() ? lidos : std::max(lidos, std::int64_t(f.size())), {}, {}};
    if (ultimo != '\n' && !(planilha && ultimo == '\r'))
        ++linhas;
    if (linhas > kMaisLinhasImportacao)
        return RecusaImportacao{RecusaImportacao::GrandeDemaisLinhas, linhas, {}, {}};
    return std::nullopt;
}

std::optional<RecusaImportacao> preparaPastaLog(const QString& pasta)
{
    std::error_code erro;
    const std::filesystem::path caminho = caminhoSistema(pasta);
    if (std::filesystem::is_directory(caminho, erro)) {
        // The log is created in it as the run starts; a folder the
        // operator may not write to would stop the run there.
        if (QFileInfo(pasta).isWritable())
            return std::nullopt;
        return RecusaImportacao{RecusaImportacao::PastaLog, 0, pasta,
                                pluvexa::Motivo::proprio("Permission denied.", "sem permissão")};
    }
    std::filesystem::create_directories(caminho, erro);
    if (!erro && std::filesystem::is_directory(caminho, erro))
        return std::nullopt;
    // A file under the folder's name (or one of its parents') is said as
    // such; any other reason is the system's.
    const bool ocupado = !erro || erro == std::errc::file_exists || erro == std::errc::not_a_directory;
    const pluvexa::Motivo razao = ocupado ? pluvexa::Motivo::proprio("A file stands where the folder should be.",
                                                            "um arquivo ocupa o lugar da pasta")
                                          : pluvexa::Motivo::sistema(erro.value());
    return RecusaImportacao{RecusaImportacao::PastaLog, 0, pasta, razao};
}

}  // namespace pluvexa
