#pragma once

// Why a file operation failed, kept as data so that each reader gets it in
// its own words: the windows in Portuguese ("Não foi possível gravar o
// arquivo <caminho>: disco cheio."), the command line in English, with the
// system's own text ("Cannot write file \"...\". No space left on
// device."). The reason is the system's error number (errno; GetLastError
// on Windows) read at the failed call, or a reason of the layer's own.
// Without Qt: the command line's coder and envelope commands use it too.

#include <string>

namespace pluvexa {

// What could not be done to the file.
enum class Operacao { Criar, Gravar, Renomear, Apagar, Copiar, Ler };

struct Motivo {
    int codigo = 0;         // the system's error number; 0: a reason of the layer's own
    std::string ingles;     // the command line's words: "No space left on device."
    std::string portugues;  // the windows' words for a reason of the layer's own

    // The system's error `codigo`, in the system's words.
    static Motivo sistema(int codigo);
    // The error of the call that just failed (errno; GetLastError).
    static Motivo ultimo();
    static Motivo proprio(std::string ingles, std::string portugues);
};

// The error number of the call that just failed, and a way to clear it
// before a call that does not say why it failed (a writer given a path).
int codigoUltimo();
void limpaCodigo();
// The error number of a name that is not there (ENOENT; ERROR_FILE_NOT_FOUND).
int codigoAusente();

// Whether the system's error `codigo` is one a write reports when the
// device cannot take the bytes (full, read-only, failing): what a writer
// given a path, which does not say why it failed, is taken to have met.
// Any other number left over from its calls says nothing about it.
bool falhaDeGravacao(int codigo);

// The system's own text for `codigo` (strerror; FormatMessage on Windows),
// without a final period.
std::string textoDoSistema(int codigo);

// The windows' words for the system's error `codigo`: "disco cheio", "sem
// permissão", "arquivo ou pasta não encontrado", "disco somente para
// leitura", "arquivo em uso", "nome longo demais", "erro de leitura ou
// gravação no dispositivo"; any other "erro do sistema <n>: <texto do sistema>".
std::string motivoEmPortugues(int codigo);
// The windows' words for `motivo`, system error or the layer's own.
std::string emPortugues(const Motivo& motivo);

struct FalhaArquivo {
    Operacao operacao = Operacao::Gravar;
    std::string arquivo;   // the file the operator knows, UTF-8 as typed
    bool pasta = false;    // `arquivo` is a folder ("a pasta")
    Motivo motivo;
    std::string mensagem;  // the command line's sentence, in English

    bool houve() const { return !mensagem.empty(); }
};

// "Não foi possível <criar|gravar|renomear|apagar|copiar|ler> o arquivo
// <caminho>: <motivo>." (a folder: "a pasta <caminho>"), `caminho` as the
// operator reads it.
std::string frase(Operacao operacao, const std::string& caminho, const Motivo& motivo, bool pasta = false);
// The same for `falha`, its path with the system's separators.
std::string frase(const FalhaArquivo& falha);

}  // namespace pluvexa
