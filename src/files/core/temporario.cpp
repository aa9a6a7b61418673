#include "files/core/temporario.h"

#include "files/core/parte.h"

#include <cerrno>
#include <map>
#include <mutex>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pluvexa::temporario {

namespace {

constexpr std::size_t kAleatorios = 6;
constexpr std::size_t kNomeMaximoPadrao = 255;
constexpr int kTentativas = 100;
#ifdef _WIN32
constexpr int kExiste = ERROR_FILE_EXISTS;
#else
constexpr int kExiste = EEXIST;
#endif

// What the layer knows of a temporary it created: enough to tell it from
// a file put under its name since.
struct Identidade {
    std::uint64_t dispositivo = 0;
    std::uint64_t no = 0;
};

std::mutex& trava()
{
    static std::mutex m;
    return m;
}

std::map<std::string, Identidade>& criados()
{
    static std::map<std::string, Identidade> c;
    return c;
}

std::string aleatorios()
{
    static const char kLetras[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 gerador{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> sorteio(0, sizeof kLetras - 2);
    std::string s(kAleatorios, ' ');
    for (char& c : s)
        c = kLetras[sorteio(gerador)];
    return s;
}

bool separador(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

// The folder part of `caminho` (with its final separator; empty for a bare
// name) and the name.
std::pair<std::string, std::string> divide(const std::string& caminho)
{
    std::size_t i = caminho.size();
    while (i > 0 && !separador(caminho[i - 1]))
        --i;
    return {caminho.substr(0, i), caminho.substr(i)};
}

#ifndef _WIN32
bool identidade(const std::string& caminho, Identidade& id)
{
    struct stat st {};
    if (::lstat(caminho.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    id = {std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
    return true;
}
#endif

void registra(const std::string& caminho, const Identidade& id)
{
    const std::lock_guard<std::mutex> l(trava());
    criados()[caminho] = id;
}

// Whether `caminho` is still the file registered; the lock is held.
bool mesmoArquivo(const std::string& caminho)
{
    const auto it = criados().find(caminho);
    if (it == criados().end())
        return false;
#ifdef _WIN32
    return true;  // no link can take its place without the same rights as the program's
#else
    Identidade agora;
    return identidade(caminho, agora) && agora.dispositivo == it->second.dispositivo && agora.no == it->second.no;
#endif
}

}  // namespace

std::size_t nomeMaximo(const std::string& pasta)
{
#ifdef _WIN32
    (void)pasta;
    return kNomeMaximoPadrao;
#else
    const long n = ::pathconf(pasta.empty() ? "." : pasta.c_str(), _PC_NAME_MAX);
    return n > 0 ? std::size_t(n) : kNomeMaximoPadrao;
#endif
}

std::string nome(const std::string& vizinho)
{
    const auto [pasta, final] = divide(vizinho);
    const std::size_t acrescimo = 1 + 1 + kAleatorios + 4;  // "." + "." + random + ".tmp"
    const std::size_t maximo = nomeMaximo(pasta);
    std::string base = final;
    if (base.size() + acrescimo > maximo) {
        std::size_t corte = maximo > acrescimo ? maximo - acrescimo : 0;
        // Cut between characters, not inside one (UTF-8 continuation bytes).
        while (corte > 0 && (static_cast<unsigned char>(base[corte]) & 0xC0) == 0x80)
            --corte;
        base.resize(corte);
    }
    return pasta + '.' + base + '.' + aleatorios() + ".tmp";
}

std::string cria(const std::string& vizinho, Motivo& motivo, int* descritor, std::string* tentado)
{
    if (descritor)
        *descritor = -1;
    for (int tentativa = 0; tentativa < kTentativas; ++tentativa) {
        const std::string caminho = nome(vizinho);
        if (tentado)
            *tentado = caminho;
#ifdef _WIN32
        HANDLE h = CreateFileW(parte::caminho(caminho).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            motivo = Motivo::ultimo();
            return {};
        }
        CloseHandle(h);
        registra(caminho, {});
        return caminho;
#else
        const int fd = ::open(caminho.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            motivo = Motivo::ultimo();
            return {};
        }
        struct stat st {};
        ::fstat(fd, &st);
        registra(caminho, {std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)});
        if (descritor)
            *descritor = fd;
        else
            ::close(fd);
        return caminho;
#endif
    }
    motivo = Motivo::sistema(kExiste);
    return {};
}

std::string ligacao(const std::string& existente, Motivo& motivo)
{
    for (int tentativa = 0; tentativa < kTentativas; ++tentativa) {
        const std::string caminho = nome(existente);
#ifdef _WIN32
        if (!CreateHardLinkW(parte::caminho(caminho).c_str(), parte::caminho(existente).c_str(), nullptr)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            motivo = Motivo::ultimo();
            return {};
        }
        registra(caminho, {});
        return caminho;
#else
        if (::link(existente.c_str(), caminho.c_str()) != 0) {
            if (errno == EEXIST)
                continue;
            motivo = Motivo::ultimo();
            return {};
        }
        Identidade id;
        if (!identidade(caminho, id)) {
            motivo = Motivo::ultimo();
            return {};
        }
        registra(caminho, id);
        return caminho;
#endif
    }
    motivo = Motivo::sistema(kExiste);
    return {};
}

bool intacto(const std::string& caminho)
{
    const std::lock_guard<std::mutex> l(trava());
    return mesmoArquivo(caminho);
}

void remove(const std::string& caminho)
{
    const std::lock_guard<std::mutex> l(trava());
    if (mesmoArquivo(caminho)) {
#ifdef _WIN32
        DeleteFileW(parte::caminho(caminho).c_str());
#else
        ::unlink(caminho.c_str());
#endif
    }
    criados().erase(caminho);
}

void esquece(const std::string& caminho)
{
    const std::lock_guard<std::mutex> l(trava());
    criados().erase(caminho);
}

std::size_t pendentes()
{
    const std::lock_guard<std::mutex> l(trava());
    return criados().size();
}

}  // namespace pluvexa::temporario
