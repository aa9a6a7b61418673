#include "core/saida.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace pluvexa::cli {

namespace {

// The system's reason for the first write to standard output that failed.
int g_erroSaida = 0;

}  // namespace

void descarregaSaida()
{
    errno = 0;
    std::cout.flush();
    if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && g_erroSaida == 0)
        g_erroSaida = errno;
}

int falha(const std::string& message)
{
    descarregaSaida();
    std::fprintf(stderr, "pluvexa-cli: %s\n", message.c_str());
    std::fflush(stderr);
    return Falha;
}

void escreveSaida(std::string_view texto)
{
    errno = 0;
    // A full buffer is written out inside fwrite: its failure may leave the
    // count whole and only the stream's error mark behind.
    const std::size_t escritos = std::fwrite(texto.data(), 1, texto.size(), stdout);
    if ((escritos != texto.size() || std::ferror(stdout)) && g_erroSaida == 0)
        g_erroSaida = errno;
}

void sigpipePadrao()
{
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_DFL);
#endif
}

int confereSaidaPadrao(int status)
{
    descarregaSaida();
    if (!std::ferror(stdout))
        return status;
    const int erro = g_erroSaida;
#ifndef _WIN32
    if (erro == EPIPE) {
        sigpipePadrao();
        std::raise(SIGPIPE);
    }
#endif
    // Said once; the stream is not written again.
    std::clearerr(stdout);
    return falha(std::string("write error: ") + (erro != 0 ? std::strerror(erro) : "standard output could not be written"));
}

bool& silencioso()
{
    static bool s = false;
    return s;
}

SemProgresso::SemProgresso() : m_original(std::cout.rdbuf(this)) {}

SemProgresso::~SemProgresso()
{
    fimDeLinha();
    std::cout.rdbuf(m_original);
}

SemProgresso::int_type SemProgresso::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    if (traits_type::to_char_type(c) == '\n')
        fimDeLinha();
    else
        m_linha += traits_type::to_char_type(c);
    return c;
}

// A fatal error follows the stars on their line ("***Fatal error ...");
// the stars, "Compressing..." and "Expanding..." are progress.
void SemProgresso::fimDeLinha()
{
    const std::size_t texto = m_linha.find_first_not_of('*');
    if (texto != std::string::npos && m_linha.compare(texto, 11, "Fatal error") == 0) {
        const std::string linha = m_linha.substr(texto) + '\n';
        m_original->sputn(linha.data(), std::streamsize(linha.size()));
        m_original->pubsync();
    }
    m_linha.clear();
}

}  // namespace pluvexa::cli
