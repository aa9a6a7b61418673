#pragma once

// The drives of the transfer window as the operator knows them: the mounted
// volumes, removable media first.

#include <QList>
#include <QString>

namespace pluvexa {

struct Unidade {
    QString raiz;   // the volume's root folder ("E:/", "/media/ana/PENDRIVE")
    QString texto;  // as the drive list shows it
    bool removivel = false;
};

// The mounted, ready volumes whose root is a folder: removable ones first,
// then the others, each group by root. The volume holding `pastaInicial` is
// always among them.
QList<Unidade> unidadesMontadas(const QString& pastaInicial);

// The drive as the disk prompt names it: the drive letter ("E:") on
// Windows, the volume's root folder elsewhere.
QString textoUnidade(const QString& raiz);

// The root of the volume that holds `pasta`.
QString raizDaUnidade(const QString& pasta);

}  // namespace pluvexa
