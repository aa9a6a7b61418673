// compress and expand: the LZW coder on files.

#include "cli.h"
#include "recharge/arquivoseguro.h"
#include "recharge/lzw.h"

#include <QFile>

namespace pluvexa::cli {

namespace {

int codifica(const QStringList& args, bool comprime)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(comprime
        ? QStringLiteral("Compresses IN into OUT with the recharge files' LZW coder.")
        : QStringLiteral("Expands the LZW stream IN into OUT."));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("input file"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("output file"));
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    const QStringList p = parser.positionalArguments();
    const std::string in = QFile::encodeName(p[0]).toStdString();
    // OUT is replaced only by a complete result; the input remains, so no
    // flush to the device is needed.
    Gravacao saida(Durabilidade::Comum);
    lzw::ExpandStatus veredito = lzw::ExpandStatus::Ok;
    const bool codificado = saida.produz(p[1], [&](const QString& parte) {
        const std::string out = QFile::encodeName(parte).toStdString();
        return (comprime ? compress_file(in, out) : expand_file(in, out, &veredito)) == 1;
    });
    if (!codificado) {
        saida.descarta();
        if (veredito == lzw::ExpandStatus::TooLarge)
            return falha(QStringLiteral("%1 cannot be expanded: it would exceed 64 MiB").arg(p[0]));
        return falha(comprime ? QStringLiteral("compression of %1 failed").arg(p[0])
                              : QStringLiteral("expansion of %1 failed").arg(p[0]));
    }
    if (!saida.confirma())
        return falha(saida.erro());
    return Sucesso;
}

}  // namespace

int compress(const QStringList& args) { return codifica(args, true); }
int expand(const QStringList& args) { return codifica(args, false); }

}  // namespace pluvexa::cli
