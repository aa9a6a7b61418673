// compress and expand: the LZW coder on files.

#include "cli.h"
#include "core/codificacao.h"

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
    return comprime ? cli::comprime(p[0].toStdString(), p[1].toStdString())
                    : cli::expande(p[0].toStdString(), p[1].toStdString());
}

}  // namespace

int compress(const QStringList& args) { return codifica(args, true); }
int expand(const QStringList& args) { return codifica(args, false); }

}  // namespace pluvexa::cli
