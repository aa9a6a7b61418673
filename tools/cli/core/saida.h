#pragma once

// Exit status and failure line of pluvexa-cli's commands, without Qt: the
// coder and envelope commands run without loading it.

#include <streambuf>
#include <string>
#include <string_view>

namespace pluvexa::cli {

// 0 success, 1 failure (one line on standard error saying why), 2 wrong usage.
enum Saida { Sucesso = 0, Falha = 1, UsoErrado = 2 };

// Prints "pluvexa-cli: <message>" (UTF-8) on standard error and returns
// Falha. Standard output is flushed first, so that with both streams on
// one file (2>&1) the reason follows what was printed before it.
int falha(const std::string& message);

// Writes `texto` to standard output, keeping the system's reason when the
// write fails (a full disk) for confereSaidaPadrao.
void escreveSaida(std::string_view texto);
// Flushes standard output (std::cout's and C's), keeping the reason too;
// before anything is written to standard error.
void descarregaSaida();

// Called once a command has run: flushes standard output and, when any of
// it could not be written, prints "pluvexa-cli: write error: <reason>" and
// answers Falha; otherwise answers `status`. A reader that closed the pipe
// ends the program by SIGPIPE, silently, as it would have at the write.
int confereSaidaPadrao(int status);

// A reader that closes the pipe (| head) ends the program by SIGPIPE, even
// when whoever started it ignored the signal.
void sigpipePadrao();

// --quiet: set once the command line is read; the coder's progress
// ("Compressing...", its stars) is then left out.
bool& silencioso();

// While it lives, what the coder prints on std::cout loses its progress
// lines and stars; its "Fatal error ..." lines still pass, whole.
class SemProgresso : private std::streambuf {
public:
    SemProgresso();
    ~SemProgresso() override;
    SemProgresso(const SemProgresso&) = delete;
    SemProgresso& operator=(const SemProgresso&) = delete;

private:
    int_type overflow(int_type c) override;
    void fimDeLinha();

    std::streambuf* m_original;
    std::string m_linha;
};

}  // namespace pluvexa::cli
