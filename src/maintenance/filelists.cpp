#include "maintenance/filelists.h"

#include <QDir>
#include <QFile>

namespace pluvexa {

QStringList listaArquivos(const QString& folder, const QString& mask)
{
    QDir dir(folder);
    return dir.entryList({mask}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

void apagaSeExiste(const QString& path)
{
    QFile::remove(path);
}

}  // namespace pluvexa
