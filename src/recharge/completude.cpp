#include "recharge/completude.h"

#include "recharge/camposregistro.h"

#include <QDir>
#include <optional>

namespace pluvexa {

namespace {

bool emBranco(std::string_view linha)
{
    return apara(linha).empty();
}

std::string_view tipo(std::string_view linha)
{
    return campo(linha, layout::kTipoRegistro);
}

// The trailer's count as the reader converts it; nothing when the field is
// cut short or is no number: such a trailer vouches for nothing.
std::optional<long long> contagem(std::string_view trailer)
{
    if (trailer.size() < layout::trailer::Registros.fim() - 1)
        return std::nullopt;
    try {
        return lerInteiro(campo(trailer, layout::trailer::Registros));
    } catch (const ErroConversao&) {
        return std::nullopt;
    }
}

}  // namespace

Completude confereCompleto(const std::vector<Texto>& linhas)
{
    Completude c;
    const Texto* primeira = nullptr;
    const Texto* ultima = nullptr;
    for (const Texto& l : linhas) {
        if (emBranco(l))
            continue;
        ++c.lidos;
        if (!primeira)
            primeira = &l;
        ultima = &l;
    }
    // A header or trailer inside belongs to another text (two joined, or
    // one cut and another put after it): this one is then without its own.
    bool headerDentro = false;
    bool trailerDentro = false;
    for (const Texto& l : linhas) {
        if (emBranco(l))
            continue;
        headerDentro = headerDentro || (&l != primeira && tipo(l) == "00");
        trailerDentro = trailerDentro || (&l != ultima && tipo(l) == layout::trailer::kTipo);
    }
    if (!primeira || tipo(*primeira) != layout::header::kTipo || headerDentro) {
        c.falta = Completude::Falta::Header;
        return c;
    }
    const std::optional<long long> n = ultima != primeira && tipo(*ultima) == layout::trailer::kTipo ? contagem(*ultima) : std::nullopt;
    if (!n || trailerDentro) {
        c.falta = Completude::Falta::Trailer;
        return c;
    }
    c.informados = *n;
    if (c.informados < 0 || std::size_t(c.informados) != c.lidos)
        c.falta = Completude::Falta::Registros;
    return c;
}

QString Completude::linhaLog() const
{
    switch (falta) {
    case Falta::Nada:
        return {};
    case Falta::Header:
        return QStringLiteral(" ==> Arquivo incompleto: sem Header ");
    case Falta::Trailer:
        return QStringLiteral(" ==> Arquivo incompleto: sem Trailer ");
    case Falta::Registros:
        return QStringLiteral(" ==> Arquivo incompleto: o Trailer informa %1 registros e foram lidos %2 ")
            .arg(informados)
            .arg(qulonglong(lidos));
    }
    return {};
}

QString Completude::motivo() const
{
    switch (falta) {
    case Falta::Nada:
        return {};
    case Falta::Header:
        return QStringLiteral("no header");
    case Falta::Trailer:
        return QStringLiteral("no trailer");
    case Falta::Registros:
        return QStringLiteral("the trailer counts %1 records, %2 were read").arg(informados).arg(qulonglong(lidos));
    }
    return {};
}

QString Completude::textoIngles(const QString& caminho) const
{
    return QStringLiteral("\"%1\" is incomplete: %2").arg(QDir::toNativeSeparators(caminho), motivo());
}

}  // namespace pluvexa
