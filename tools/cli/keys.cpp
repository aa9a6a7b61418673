// keygen, seal and open: key records and the envelope on files.

#include "cli.h"
#include "recharge/arquivoseguro.h"
#include "recharge/envelope.h"
#include "recharge/keyrecord.h"

#include <QFile>
#include <cryptopp/osrng.h>
#include <functional>
#include <optional>

namespace pluvexa::cli {

namespace {

template <typename Record>
std::optional<Record> leRegistro(const QString& path, QString& erro)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        erro = QStringLiteral("cannot read key record %1: %2").arg(path, f.errorString());
        return std::nullopt;
    }
    const QByteArray data = f.readAll();
    Record r{};
    if (size_t(data.size()) != r.size()) {
        erro = QStringLiteral("%1 is not a key record of %2 bytes (it has %3)")
                   .arg(path).arg(r.size()).arg(data.size());
        return std::nullopt;
    }
    std::copy(data.begin(), data.end(), r.begin());
    return r;
}

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

// Reads a private and a public key record; false with `erro` set when
// either cannot be read.
bool leChaves(const QString& privada, const QString& publica, PrivateKeyRecord& priv,
              PublicKeyRecord& pub, QString& erro)
{
    const auto a = leRegistro<PrivateKeyRecord>(privada, erro);
    const auto b = a ? leRegistro<PublicKeyRecord>(publica, erro) : std::nullopt;
    if (!a || !b)
        return false;
    priv = *a;
    pub = *b;
    return true;
}

// Runs the envelope operation into a part of `saida`, puts it in place only
// when it succeeded, and turns its code into the exit status ("error NNNN"
// on failure). The input remains, so the result is not flushed.
int conclui(const std::function<int(const QString& parte)>& operacao, const QString& saida,
            const QString& acao, const QString& entrada)
{
    Gravacao g(Durabilidade::Comum);
    int code = 0;
    const bool feito = g.produz(saida, [&](const QString& parte) {
        code = operacao(parte);
        return code == 0;
    });
    if (code != 0) {
        g.descarta();
        return falha(QStringLiteral("%1 %2 failed: error %3").arg(acao, entrada).arg(code));
    }
    if (!feito || !g.confirma())
        return falha(g.erro());
    return Sucesso;
}

std::filesystem::path caminho(const QString& p)
{
    return std::filesystem::path(QFile::encodeName(p).toStdString());
}

}  // namespace

int keygen(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Makes an RSA key pair and writes it as a private key record (706 bytes)\n"
        "and a public key record (258 bytes)."));
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
    parser.setApplicationDescription(QStringLiteral(
        "Seals IN into the envelope OUT, signed with the signer's private key and\n"
        "readable by the recipient."));
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
    QString erro;
    PrivateKeyRecord priv{};
    PublicKeyRecord pub{};
    if (!leChaves(parser.value(signer), parser.value(recipient), priv, pub, erro))
        return falha(erro);
    const QStringList p = parser.positionalArguments();
    const PublicKeyRecord destinatarios[] = {pub};
    return conclui([&](const QString& parte) {
                       return seal_file(caminho(p[0]), caminho(parte), priv, destinatarios, {}, c, d);
                   },
                   p[1], QStringLiteral("sealing"), p[0]);
}

int open(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Opens the envelope IN into OUT with the recipient's private key and checks\n"
        "its signature with the sender's public key."));
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
    QString erro;
    PrivateKeyRecord priv{};
    PublicKeyRecord pub{};
    if (!leChaves(parser.value(key), parser.value(sender), priv, pub, erro))
        return falha(erro);
    const QStringList p = parser.positionalArguments();
    // Unverified bytes never stand under the name asked for.
    return conclui([&](const QString& parte) { return open_sealed_file(caminho(p[0]), caminho(parte), priv, pub, i); },
                   p[1], QStringLiteral("opening"), p[0]);
}

}  // namespace pluvexa::cli
