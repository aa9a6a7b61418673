// keygen: key records made in pairs.

#include "cli.h"
#include "codec/keyrecord.h"
#include "files/arquivoseguro.h"

#include <QFile>
#include <cryptopp/osrng.h>

namespace pluvexa::cli {

namespace {

// Adds a key record to the pair being written. A private record's part is
// made owner-only before the key goes into it.
template <typename Record>
bool gravaRegistro(Gravacao& par, const QString& path, const Record& r)
{
    return par.produz(path, [&](const QString& parte) {
        QFile f(parte);
        const bool privado = r.size() == kPrivateKeyRecordSize;
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate)
               && (!privado || f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
               && f.write(reinterpret_cast<const char*>(r.data()), qint64(r.size())) == qint64(r.size())
               && f.flush();
    });
}

}  // namespace

int keygen(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Makes an RSA key pair and writes it as a private key record (706 bytes)\n"
                            "and a public key record (258 bytes)."),
             QStringLiteral("0 both written, 1 they cannot be written (neither file is then changed)"));
    parser.addPositionalArgument(QStringLiteral("PRIVATE"), QStringLiteral("private key record to write"));
    parser.addPositionalArgument(QStringLiteral("PUBLIC"), QStringLiteral("public key record to write"));
    const QCommandLineOption bits(QStringLiteral("bits"),
                                  QStringLiteral("modulus length, %1 to %2 (default %3)")
                                      .arg(kMinGeneratedModulusBits).arg(kMaxModulusBits)
                                      .arg(kDefaultModulusBits),
                                  QStringLiteral("N"), QString::number(kDefaultModulusBits));
    parser.addOption(bits);
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    bool ok = false;
    const unsigned n = parser.value(bits).toUInt(&ok);
    if (!ok || n < kMinGeneratedModulusBits || n > kMaxModulusBits) {
        std::fprintf(stderr, "pluvexa-cli keygen: --bits must be from %u to %u\n",
                     kMinGeneratedModulusBits, kMaxModulusBits);
        return UsoErrado;
    }
    CryptoPP::AutoSeededRandomPool rng;
    const std::optional<KeyPair> pair = generate_key_pair(n, rng);
    if (!pair)
        return falha(QStringLiteral("key generation failed"));
    // The two records are put in place together: a failure leaves both old
    // files (or none), never a private key beside a foreign public one.
    const QStringList p = parser.positionalArguments();
    Gravacao par(Durabilidade::Duravel);
    if (!gravaRegistro(par, p[0], pair->privateRecord) || !gravaRegistro(par, p[1], pair->publicRecord)
        || !par.confirma())
        return falha(par.erro());
    return Sucesso;
}

}  // namespace pluvexa::cli
