// One desktop program per working root: a second start ends (bringing the
// first to the front), a lock left by a dead process is taken over, and a
// lock held on another machine is named with the way out. What is no lock
// under the lock's name never keeps the program out nor holds it, and only
// a listener of the user's own answers a second start.

#include "files/core/falha.h"
#include "instance/instanciaunica.h"
#include "support/arquivosteste.h"
#include "support/incomuns.h"
#include "support/testenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHostInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pluvexa {
namespace {

void escreveTrava(const QString& caminho, qint64 pid, const QString& maquina,
                  const QString& programa = QStringLiteral("pluvexa"))
{
    test::grava(caminho, QByteArray::number(pid) + "\n" + programa.toUtf8() + "\n" + maquina.toUtf8() + "\n");
}

TEST(InstanciaUnica, ASecondProgramEndsAndBringsTheFirstToTheFront)
{
    test::TemporaryHome home;
    QTemporaryDir raiz;
    InstanciaUnica primeira(raiz.path());
    ASSERT_TRUE(primeira.toma());
    int pedidos = 0;
    primeira.aoPedirFrente = [&pedidos] { ++pedidos; };
    EXPECT_TRUE(QFile::exists(QDir(raiz.path()).filePath("pluvexa.lock")));

    InstanciaUnica segunda(raiz.path());
    EXPECT_FALSE(segunda.toma());
    EXPECT_TRUE(segunda.mensagem().isEmpty()) << segunda.mensagem().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&pedidos] { return pedidos == 1; }, 5000));
}

TEST(InstanciaUnica, ALockLeftByADeadProcessIsTakenOver)
{
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    // A process number no process has (above the system's largest).
    escreveTrava(trava, 99999999, QHostInfo::localHostName());
    InstanciaUnica nova(raiz.path());
    EXPECT_TRUE(nova.toma()) << nova.mensagem().toStdString();
}

TEST(InstanciaUnica, ALockOfAnotherMachineIsNamedWithTheWayOut)
{
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    escreveTrava(trava, 4242, QStringLiteral("CAIXA-02"));
    InstanciaUnica nova(raiz.path());
    EXPECT_FALSE(nova.toma());
    const QString desde = QFileInfo(trava).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    EXPECT_EQ(nova.mensagem(), QStringLiteral("O Pluvexa já está aberto no computador CAIXA-02 desde %1. Se esse "
                                              "computador não usa mais o Pluvexa, apague %2.")
                                   .arg(desde, QDir::toNativeSeparators(trava)));
    EXPECT_TRUE(QFile::exists(trava));
}

TEST(InstanciaUnica, ALiveLockOfThisMachineWithoutItsChannelSaysSince)
{
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    // Held by a live program of this machine (this test itself, which
    // answers on no channel for that root).
    escreveTrava(trava, QCoreApplication::applicationPid(), QHostInfo::localHostName(),
                 QCoreApplication::applicationName());
    InstanciaUnica nova(raiz.path());
    EXPECT_FALSE(nova.toma());
    const QString desde = QFileInfo(trava).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    EXPECT_EQ(nova.mensagem(), QStringLiteral("O Pluvexa já está aberto neste computador desde %1.").arg(desde));
}

QString desdeDe(const QString& trava)
{
    return QFileInfo(trava).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

void envelhece(const QString& caminho, int segundos)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-segundos), QFileDevice::FileModificationTime));
}

QString danificada(const QString& trava)
{
    return QStringLiteral("O arquivo de trava %1 está danificado. Se o Pluvexa não está aberto em nenhum "
                          "computador, apague-o.")
        .arg(QDir::toNativeSeparators(trava));
}

// Anything but a regular file under the lock's name is named as damaged:
// never read, never waited on, never removed.
class TravaIncomum : public ::testing::TestWithParam<test::Incomum> {};

TEST_P(TravaIncomum, IsNamedAsDamagedAndLeftAsItWas)
{
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    QString porque;
    if (!test::criaIncomum(GetParam(), trava, &porque))
        GTEST_SKIP() << "cannot make it here: " << porque.toStdString();
    InstanciaUnica nova(raiz.path());
    EXPECT_FALSE(nova.toma());
    EXPECT_EQ(nova.mensagem(), danificada(trava));
    EXPECT_TRUE(test::aindaIncomum(GetParam(), trava));
}

INSTANTIATE_TEST_SUITE_P(InstanciaUnica, TravaIncomum,
                         ::testing::Values(test::Incomum::Pasta, test::Incomum::Dispositivo, test::Incomum::Fifo,
                                           test::Incomum::LigacaoZero, test::Incomum::Ligacao));

// A regular file that is no lock (Qt would keep every start out for good)
// is taken over once it is older than a start needs to write a lock;
// younger, it may be a lock being written, and its date is named.
struct CasoSemDono {
    const char* nome;
    QByteArray conteudo;
    int idade;  // seconds
    bool tomada;
};

void PrintTo(const CasoSemDono& c, std::ostream* os) { *os << c.nome; }

class TravaSemDono : public ::testing::TestWithParam<CasoSemDono> {};

TEST_P(TravaSemDono, IsTakenOverOnlyOnceItIsOld)
{
    const CasoSemDono& c = GetParam();
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    test::grava(trava, c.conteudo);
    envelhece(trava, c.idade);
    const QString desde = desdeDe(trava);
    InstanciaUnica nova(raiz.path());
    ASSERT_EQ(nova.toma(), c.tomada) << nova.mensagem().toStdString();
    if (c.tomada) {
        // Now a lock of this program's.
        EXPECT_TRUE(test::le(trava).startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        return;
    }
    EXPECT_EQ(nova.mensagem(), QStringLiteral("O Pluvexa já está aberto neste computador desde %1.").arg(desde));
    EXPECT_EQ(test::le(trava), c.conteudo);
}

INSTANTIATE_TEST_SUITE_P(
    InstanciaUnica, TravaSemDono,
    ::testing::Values(CasoSemDono{"empty_and_old", QByteArray(), 60, true},
                      CasoSemDono{"garbage_and_old", QByteArray("\x01\x02 nada\n"), 11, true},
                      CasoSemDono{"no_process_number", QByteArray("abc\npluvexa\nCAIXA-02\n"), 3600, true},
                      CasoSemDono{"larger_than_a_lock", QByteArray(5000, '7'), 60, true},
                      CasoSemDono{"empty_and_young", QByteArray(), 0, false},
                      CasoSemDono{"garbage_and_young", QByteArray("lixo"), 2, false}),
    [](const ::testing::TestParamInfo<CasoSemDono>& i) { return std::string(i.param.nome); });

TEST(InstanciaUnica, ALockThatCannotBeCreatedSaysWhy)
{
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("arquivo"));
    test::grava(arquivo, "not a folder");
    const QString raiz = arquivo + QStringLiteral("/Pluvexa");
    InstanciaUnica nova(raiz);
    EXPECT_FALSE(nova.toma());
    EXPECT_EQ(nova.mensagem(), QStringLiteral("Não foi possível criar a trava %1: %2.")
                                   .arg(QDir::toNativeSeparators(raiz + QStringLiteral("/pluvexa.lock")),
                                        QString::fromStdString(motivoEmPortugues(ENOTDIR))));
}

// Sets an environment variable (or removes it) for the life of the object.
class Ambiente {
public:
    Ambiente(const char* nome, const QByteArray* valor)
        : m_nome(nome), m_antes(qgetenv(nome)), m_havia(qEnvironmentVariableIsSet(nome))
    {
        if (valor)
            qputenv(nome, *valor);
        else
            qunsetenv(nome);
    }
    ~Ambiente()
    {
        if (m_havia)
            qputenv(m_nome, m_antes);
        else
            qunsetenv(m_nome);
    }

private:
    const char* m_nome;
    QByteArray m_antes;
    bool m_havia;
};

// The channel lives in the user's runtime folder only when that folder is
// the user's alone.
struct CasoPasta {
    const char* nome;
    QFileDevice::Permissions permissoes;
    bool ligacao;
    bool usada;
};

void PrintTo(const CasoPasta& c, std::ostream* os) { *os << c.nome; }

class PastaDoCanal : public ::testing::TestWithParam<CasoPasta> {};

TEST_P(PastaDoCanal, IsTheRuntimeFolderOnlyWhenItIsTheUsersAlone)
{
    const CasoPasta& c = GetParam();
    QTemporaryDir fora;
    const QString pasta = fora.filePath(QStringLiteral("run"));
    ASSERT_TRUE(QDir().mkpath(pasta));
    ASSERT_TRUE(QFile::setPermissions(pasta, c.permissoes));
    const QString apontada = c.ligacao ? fora.filePath(QStringLiteral("ligacao")) : pasta;
    if (c.ligacao) {
        ASSERT_TRUE(QFile::link(pasta, apontada));
    }
    const QByteArray valor = QFile::encodeName(apontada);
    const Ambiente runtime("XDG_RUNTIME_DIR", &valor);
    QTemporaryDir raiz;
    InstanciaUnica primeira(raiz.path());
    EXPECT_EQ(primeira.nomeCanal().startsWith(apontada + QLatin1Char('/')), c.usada)
        << primeira.nomeCanal().toStdString();
    EXPECT_EQ(QDir::isAbsolutePath(primeira.nomeCanal()), c.usada);
    if (!c.usada)
        return;
    // A second start is still heard there.
    ASSERT_TRUE(primeira.toma());
    int pedidos = 0;
    primeira.aoPedirFrente = [&pedidos] { ++pedidos; };
    InstanciaUnica segunda(raiz.path());
    EXPECT_FALSE(segunda.toma());
    EXPECT_TRUE(segunda.mensagem().isEmpty()) << segunda.mensagem().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&pedidos] { return pedidos == 1; }, 5000));
}

constexpr auto kSo = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr auto kTodos = kSo | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                        | QFileDevice::ExeOther;

INSTANTIATE_TEST_SUITE_P(InstanciaUnica, PastaDoCanal,
                         ::testing::Values(CasoPasta{"own_0700", kSo, false, true},
                                           CasoPasta{"open_to_others_0755", kTodos, false, false},
                                           CasoPasta{"a_link_to_it", kSo, true, false}),
                         [](const ::testing::TestParamInfo<CasoPasta>& i) { return std::string(i.param.nome); });

// A listener of another user, under the channel's name in the temporary
// folder everyone may write to, is not the holder: the start is not
// silenced, the lock is named.
TEST(InstanciaUnica, AnotherUsersListenerUnderTheNameNeverSilencesAStart)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can listen as another user here";
    QTemporaryDir publica;
    ASSERT_TRUE(QFile::setPermissions(publica.path(), kTodos | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    ASSERT_EQ(::chmod(QFile::encodeName(publica.path()).constData(), 01777), 0);
    const QByteArray tmp = QFile::encodeName(publica.path());
    const Ambiente temporaria("TMPDIR", &tmp);
    const Ambiente semRuntime("XDG_RUNTIME_DIR", nullptr);

    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    escreveTrava(trava, 4242, QStringLiteral("CAIXA-02"));
    InstanciaUnica nova(raiz.path());
    ASSERT_FALSE(QDir::isAbsolutePath(nova.nomeCanal()));
    const QByteArray socket = QFile::encodeName(QDir(publica.path()).filePath(nova.nomeCanal()));
    sockaddr_un endereco{};
    endereco.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(socket.size()), sizeof endereco.sun_path);
    std::memcpy(endereco.sun_path, socket.constData(), std::size_t(socket.size()));

    // The squatter: a process of "nobody" listening under the name, until
    // the test closes its end of `fim`.
    int pronto[2];
    int fim[2];
    ASSERT_EQ(::pipe(pronto), 0);
    ASSERT_EQ(::pipe(fim), 0);
    const pid_t outro = ::fork();
    ASSERT_GE(outro, 0);
    if (outro == 0) {
        ::close(pronto[0]);
        ::close(fim[1]);
        char ok = 0;
        if (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0) {
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0
                && ::listen(s, 4) == 0)
                ok = 1;
        }
        (void)!::write(pronto[1], &ok, 1);
        char c;
        (void)!::read(fim[0], &c, 1);
        ::_exit(0);
    }
    ::close(pronto[1]);
    ::close(fim[0]);
    char ok = 0;
    const bool leu = ::read(pronto[0], &ok, 1) == 1;
    ::close(pronto[0]);
    if (leu && ok == 1) {
        EXPECT_FALSE(nova.toma());
        EXPECT_EQ(nova.mensagem(), QStringLiteral("O Pluvexa já está aberto no computador CAIXA-02 desde %1. Se esse "
                                                  "computador não usa mais o Pluvexa, apague %2.")
                                       .arg(desdeDe(trava), QDir::toNativeSeparators(trava)));
    }
    ::close(fim[1]);
    int estado = 0;
    ::waitpid(outro, &estado, 0);
    ::unlink(socket.constData());
    ASSERT_TRUE(leu && ok == 1) << "the other user's listener could not be made";
}

}  // namespace
}  // namespace pluvexa
