// keygen, seal and open: key records and the envelope on files.

#include "cli.h"
#include "codec/keyrecord.h"
#include "core/codificacao.h"
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

int seal(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Seals IN into the envelope OUT, signed with the signer's private key and\n"
                            "readable by the recipient. A failure prints the envelope's code and its name\n"
                            "(listed under open), e.g. \"error 245 (too large)\"."),
             QStringLiteral("0 OUT written, 1 a key record or IN cannot be read, the sealing failed "
                            "(\"error NNNN\", the envelope's code) or OUT cannot be written"));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("file to seal"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("envelope to write"));
    const QCommandLineOption signer(QStringLiteral("signer"), QStringLiteral("signer's private key record"), QStringLiteral("PRIVATE"));
    const QCommandLineOption recipient(QStringLiteral("recipient"), QStringLiteral("recipient's public key record"), QStringLiteral("PUBLIC"));
    const QCommandLineOption cipher(QStringLiteral("cipher"),
        QStringLiteral("0 none, 1 DES-CBC, 2 two-key 3DES, 3 three-key 3DES, 4 DESX (default 1)"),
        QStringLiteral("0-4"), QStringLiteral("1"));
    const QCommandLineOption digest(QStringLiteral("digest"), QStringLiteral("0 none, 3 MD2, 5 MD5 (default 5)"),
                                    QStringLiteral("0|3|5"), QStringLiteral("5"));
    parser.addOptions({signer, recipient, cipher, digest});
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    bool okC = false, okD = false;
    const int c = parser.value(cipher).toInt(&okC);
    const int d = parser.value(digest).toInt(&okD);
    if (!parser.isSet(signer) || !parser.isSet(recipient) || !okC || c < 0 || c > 4 || !okD
        || (d != 0 && d != 3 && d != 5)) {
        std::fputs("pluvexa-cli seal: --signer and --recipient are required; --cipher 0-4, --digest 0, 3 or 5\n", stderr);
        return UsoErrado;
    }
    const QStringList p = parser.positionalArguments();
    return sela(p[0].toStdString(), p[1].toStdString(),
                {parser.value(signer).toStdString(), parser.value(recipient).toStdString(), c, d});
}

int open(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Opens the envelope IN into OUT with the recipient's private key and checks\n"
                            "its signature with the sender's public key. A failure prints the envelope's\n"
                            "code and its name, and when IN itself stopped the opening a second line says\n"
                            "what it is: empty, cut short (\"ends early\"), plain recharge text, a draft,\n"
                            "not sealed for this key, or altered (or sealed for another key). Codes: 241\n"
                            "input unreadable or not an envelope, 242 output not created, 243 no key block\n"
                            "for the recipient, 244 write failed, 245 too large, 246 no random source, 1026\n"
                            "bad digest selector, 1028 bad padding, 1030 block too long, 1031 key too long,\n"
                            "1033 private-key operation failed, 1034 public-key operation failed, 1035 bad\n"
                            "signature, 1037 bad cipher selector."),
             QStringLiteral("0 OUT written and the signature checked, 1 a key record or IN cannot be "
                            "read, the envelope does not open or its signature does not match (\"error "
                            "NNNN\", the envelope's code) or OUT cannot be written"));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("envelope to open"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("plain file to write"));
    const QCommandLineOption key(QStringLiteral("key"), QStringLiteral("recipient's private key record"), QStringLiteral("PRIVATE"));
    const QCommandLineOption sender(QStringLiteral("sender"), QStringLiteral("sender's public key record"), QStringLiteral("PUBLIC"));
    const QCommandLineOption index(QStringLiteral("index"), QStringLiteral("recipient position, from 0 (default 0)"),
                                   QStringLiteral("N"), QStringLiteral("0"));
    parser.addOptions({key, sender, index});
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    bool ok = false;
    const uint i = parser.value(index).toUInt(&ok);
    if (!parser.isSet(key) || !parser.isSet(sender) || !ok) {
        std::fputs("pluvexa-cli open: --key and --sender are required; --index is a number from 0\n", stderr);
        return UsoErrado;
    }
    const QStringList p = parser.positionalArguments();
    return abre(p[0].toStdString(), p[1].toStdString(),
                {parser.value(key).toStdString(), parser.value(sender).toStdString(), i});
}

}  // namespace pluvexa::cli
