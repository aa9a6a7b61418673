#pragma once

// The drives of the transfer window as the operator knows them: the mounted
// volumes, removable media first.
//
// The volumes come from the system's mount list, which need not list the
// volume a folder is on: in a chroot the list names only what is mounted
// inside it, and the chroot's own root is no mount at all. The starting
// folder's drive is then that folder's own root: the topmost folder above
// it on the same file system (at worst "/"), so that the folder the window
// opens on is always on a drive of the list.

#include <QList>
#include <QString>
#include <optional>

namespace pluvexa {

struct Unidade {
    QString raiz;   // the volume's root folder ("E:/", "/media/ana/PENDRIVE")
    QString texto;  // as the drive list shows it: "PENDRIVE (/media/ana/PENDRIVE)", or the root alone
    bool removivel = false;
};

// One mounted volume as a mount list gives it.
struct Volume {
    QString raiz;   // its root folder, '/' as separator
    QString nome;   // its label; empty when none
    bool removivel = false;
};

// Where the mounted volumes come from: the system, or a list given by a
// test (a chroot's, which lacks the volume its folders are on).
class FonteVolumes {
public:
    virtual ~FonteVolumes() = default;
    // The mounted, ready volumes.
    virtual QList<Volume> montados() const = 0;
    // The listed volume holding `pasta`: the one whose root is the longest
    // that contains the folder's canonical path; none when no listed root
    // contains it.
    virtual std::optional<Volume> volumeDe(const QString& pasta) const;
};

// The system's mount list.
const FonteVolumes& volumesDoSistema();

// The mounted, ready volumes whose root is a folder: removable ones first,
// then the others, each group by root. The drive of `pastaInicial`
// (raizDaUnidade) is always among them.
QList<Unidade> unidadesMontadas(const QString& pastaInicial, const FonteVolumes& fonte = volumesDoSistema());

// The drive as the disk prompt names it: the drive letter ("E:") on
// Windows, the volume's root folder elsewhere.
QString textoUnidade(const QString& raiz);

// The root of the volume that holds `pasta`; when the mount list has no
// such volume, the folder's own root (raizPropria).
QString raizDaUnidade(const QString& pasta, const FonteVolumes& fonte = volumesDoSistema());

// The root of the file system holding `pasta`, found without any mount
// list: the topmost folder of its canonical path on the same device (the
// drive's root on Windows); "/" when even that cannot be known.
QString raizPropria(const QString& pasta);

}  // namespace pluvexa
