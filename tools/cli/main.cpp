// pluvexa-cli: the command-line companion of Pluvexa, for support staff,
// scripts and demonstrations.

#include "cli.h"
#include "files/core/parte.h"
#include "recharge/modelo.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char** argv)
{
    pluvexa::cli::sigpipePadrao();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pluvexa-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(pluvexa::kVersao).trimmed());
    // Qt's text cannot hold bytes that are not valid in the system's
    // encoding (UTF-8): such a name would become another name, with a
    // replacement character, and a file would be missed or made under it.
    // Only compress, expand, seal and open take names as bytes (pluvexa-cli
    // runs them itself); here such a name is refused by what it is.
    for (int i = 1; i < argc; ++i) {
        const QByteArray bruto(argv[i]);
        if (QFile::encodeName(QFile::decodeName(bruto)) != bruto)
            return pluvexa::cli::falha("\"" + pluvexa::parte::escapado(bruto.toStdString())
                                       + "\" is not valid in this system's encoding (UTF-8); rename it");
    }
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return pluvexa::cli::confereSaidaPadrao(pluvexa::cli::executa(args));
}
