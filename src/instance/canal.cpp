#include "instance/canal.h"

#include <QFile>

#ifdef _WIN32
#include <windows.h>

#include <memory>
#include <vector>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace pluvexa::canal {

#ifdef _WIN32

QString pastaDoUsuario()
{
    return {};
}

namespace {

struct Fecha {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using Alca = std::unique_ptr<void, Fecha>;

// The user of the process token `token` (a TOKEN_USER), copied into `dados`.
bool usuarioDo(HANDLE token, std::vector<unsigned char>& dados)
{
    DWORD n = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &n);
    if (n == 0)
        return false;
    dados.resize(n);
    return GetTokenInformation(token, TokenUser, dados.data(), n, &n) != 0;
}

bool usuarioDoProcesso(HANDLE processo, std::vector<unsigned char>& dados)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(processo, TOKEN_QUERY, &token))
        return false;
    const Alca fecha(token);
    return usuarioDo(token, dados);
}

}  // namespace

bool doMesmoUsuario(qintptr descritor)
{
    ULONG pid = 0;
    if (!GetNamedPipeServerProcessId(reinterpret_cast<HANDLE>(descritor), &pid))
        return false;
    HANDLE servidor = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!servidor)
        return false;
    const Alca fecha(servidor);
    std::vector<unsigned char> dele;
    std::vector<unsigned char> meu;
    if (!usuarioDoProcesso(servidor, dele) || !usuarioDoProcesso(GetCurrentProcess(), meu))
        return false;
    return EqualSid(reinterpret_cast<TOKEN_USER*>(dele.data())->User.Sid,
                    reinterpret_cast<TOKEN_USER*>(meu.data())->User.Sid)
           != 0;
}

#else

QString pastaDoUsuario()
{
    const QByteArray pasta = qgetenv("XDG_RUNTIME_DIR");
    if (pasta.isEmpty() || !pasta.startsWith('/'))
        return {};
    struct stat st {};
    if (::lstat(pasta.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()
        || (st.st_mode & 07777) != 0700)
        return {};
    return QFile::decodeName(pasta);
}

bool doMesmoUsuario(qintptr descritor)
{
#ifdef SO_PEERCRED
    struct ucred credenciais {};
    socklen_t n = sizeof credenciais;
    if (::getsockopt(int(descritor), SOL_SOCKET, SO_PEERCRED, &credenciais, &n) != 0 || n != sizeof credenciais)
        return false;
    return credenciais.uid == ::geteuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(int(descritor), &uid, &gid) != 0)
        return false;
    return uid == ::geteuid();
#endif
}

#endif

}  // namespace pluvexa::canal
