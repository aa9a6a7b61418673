#pragma once

// An attribute by its local name, whatever its prefix: .ods writes
// "table:name", "office:value", and the namespaces, not the prefixes, are
// fixed by the format.

#include <QXmlStreamAttributes>

namespace pluvexa::livros {

inline QStringView atributo(const QXmlStreamAttributes& atributos, QLatin1StringView nome)
{
    for (const QXmlStreamAttribute& a : atributos)
        if (a.name() == nome)
            return a.value();
    return {};
}

}  // namespace pluvexa::livros
