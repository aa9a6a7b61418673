#pragma once

// Splits the text of a spreadsheet saved as CSV into rows of fields. The
// separator is given; a field that starts with a double quote runs to the
// matching closing quote, a doubled quote inside standing for one, and may
// hold separators and line breaks. A row ends at a line feed, a carriage
// return, or both (spreadsheet programs write all three). The bytes are
// handed out as they are: the encoding is the caller's business.

#include <string>
#include <string_view>
#include <vector>

namespace pluvexa {

class LeitorCsv {
public:
    LeitorCsv(std::string_view texto, char separador) : m_texto(texto), m_separador(separador) {}

    // The next row into `campos`; false at the end of the text. `linha` is
    // the row's first line, counted from 1 over every line of the text.
    // `aspasAbertas` tells that the text ended inside a quoted field.
    bool proxima(std::vector<std::string>& campos, int& linha, bool& aspasAbertas);

    // The separator of the header, the first row holding more than blanks
    // and separators: ';' or ',', whichever it holds more often outside
    // quotes (';' when it holds neither, or as many of each).
    static char separadorDoCabecalho(std::string_view texto);

private:
    std::string_view m_texto;
    std::size_t m_pos = 0;
    int m_linha = 1;
    char m_separador;
};

}  // namespace pluvexa
