// compress, expand, seal and open: run, with their help and usage checks,
// by the Qt-free core (core/direto.h), so that pluvexa-cli answers them
// alike whether or not the full command line is there to hand over to.

#include "cli.h"
#include "core/direto.h"

#include <string>
#include <vector>

namespace pluvexa::cli {

namespace {

int peloNucleo(const QStringList& args)
{
    std::vector<std::string> a;
    for (const QString& s : args)
        a.push_back(s.toStdString());
    return *executaComando(a);
}

}  // namespace

int compress(const QStringList& args) { return peloNucleo(args); }
int expand(const QStringList& args) { return peloNucleo(args); }
int seal(const QStringList& args) { return peloNucleo(args); }
int open(const QStringList& args) { return peloNucleo(args); }

}  // namespace pluvexa::cli
